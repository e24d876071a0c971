#include "teacher/recordpages.h"

namespace zanfolio {

RecordPages::RecordPages(ByteRangeReader read, qint64 fileLength, RecordListContext context)
    : read_(std::move(read)), context_(std::move(context)) {
    reload(fileLength);
}

void RecordPages::reload(qint64 fileLength) {
    length_ = fileLength;
    rows_ = int(fileLength / ResultsRecord::kSize);
    pages_.clear();
    lastError_.reset();
}

const RecordPages::Page* RecordPages::pageOf(int row) {
    if (row < 0 || row >= rows_)
        return nullptr;
    const int first = row / kPageRecords * kPageRecords;
    for (auto at = pages_.begin(); at != pages_.end(); ++at) {
        if (at->first == first) {
            pages_.splice(pages_.begin(), pages_, at);
            return &pages_.front();
        }
    }
    const int count = std::min(kPageRecords, rows_ - first);
    Result<QByteArray> bytes =
        read_(qint64(first) * ResultsRecord::kSize, qint64(count) * ResultsRecord::kSize);
    ++readCalls_;
    if (!bytes) {
        lastError_ = bytes.error();
        return nullptr;
    }
    bytesRead_ += bytes->size();
    return &addPage(first, *bytes);
}

const RecordPages::Page& RecordPages::addPage(int first, const QByteArray& bytes) {
    Page page;
    page.first = first;
    const int count = std::min(kPageRecords, rows_ - first);
    const int whole = std::min<int>(count, int(bytes.size() / ResultsRecord::kSize));
    page.records.reserve(size_t(whole));
    for (int i = 0; i < whole; ++i)
        page.records.push_back(ResultsRecord::decode(bytes.constData() + i * ResultsRecord::kSize));
    pages_.push_front(std::move(page));
    if (pages_.size() > kKeptPages)
        pages_.pop_back();
    return pages_.front();
}

void RecordPages::keepPage(int firstRow, const QByteArray& bytes) {
    if (firstRow < 0 || firstRow >= rows_ || firstRow % kPageRecords != 0)
        return;
    bytesRead_ += bytes.size();
    addPage(firstRow, bytes);
}

Result<ResultsRecord> RecordPages::record(int row) {
    const Page* page = pageOf(row);
    if (!page || size_t(row - page->first) >= page->records.size())
        return lastError_ ? *lastError_
                          : makeError(QString(), QStringLiteral("その記録はもうありません。"));
    return page->records[size_t(row - page->first)];
}

QString RecordPages::line(int row) {
    Result<ResultsRecord> r = record(row);
    if (!r || r->level == 0)
        return {};
    return recordListLine(numberOf(row), *r, context_);
}

int RecordPages::levelOf(int row) {
    Result<ResultsRecord> r = record(row);
    return r ? r->level : 0;
}

} // namespace zanfolio
