#include "results/pendingruns.h"

#include "frame/platformfile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace zanfolio {

namespace {

// How far back in the results file a kept record is looked for before it is appended.
constexpr int kRecentRecords = 2000;

} // namespace

Result<std::vector<ResultsRecord>> PendingRuns::load() const {
    std::vector<ResultsRecord> records;
    if (!fileExists(path_))
        return records;
    Result<QByteArray> bytes = readWholeFile(path_);
    if (!bytes)
        return bytes.error();
    const qsizetype count = bytes->size() / ResultsRecord::kSize;
    records.reserve(size_t(count));
    for (qsizetype i = 0; i < count; ++i)
        records.push_back(ResultsRecord::decode(bytes->constData() + i * ResultsRecord::kSize));
    return records;
}

Status PendingRuns::keep(const ResultsRecord& record) {
    QDir().mkpath(QFileInfo(nativePath(path_)).absolutePath());
    Result<PlatformFile> file = PlatformFile::open(path_, PlatformFile::Mode::ReadWriteCreate);
    if (!file)
        return file.error();
    Result<qint64> size = file->size();
    if (!size)
        return size.error();
    const qint64 at = (*size / ResultsRecord::kSize) * ResultsRecord::kSize;
    Status written = file->writeAt(at, record.encode());
    if (written)
        written = file->flush();
    return written;
}

Status PendingRuns::rewrite(const std::vector<ResultsRecord>& records) {
    if (records.empty())
        return removeFile(path_);
    QByteArray bytes;
    for (const ResultsRecord& r : records)
        bytes += r.encode();
    return replaceFileAtomically(path_, bytes);
}

Result<int> PendingRuns::deliver(ResultsFile& file) {
    Result<std::vector<ResultsRecord>> kept = load();
    if (!kept)
        return kept.error();
    if (kept->empty())
        return 0;
    Result<ResultsTail> recent = file.readTail(kRecentRecords);
    if (!recent)
        return recent.error();
    std::vector<QByteArray> present;
    present.reserve(recent->records.size());
    for (const ResultsRecord& r : recent->records)
        present.push_back(r.encode());

    int delivered = 0;
    std::vector<ResultsRecord> left = *kept;
    while (!left.empty()) {
        const QByteArray bytes = left.front().encode();
        if (std::find(present.begin(), present.end(), bytes) == present.end()) {
            Status appended = file.append(left.front());
            if (!appended)
                return appended.error();
        }
        left.erase(left.begin());
        Status rewritten = rewrite(left);
        if (!rewritten)
            return rewritten.error();
        ++delivered;
    }
    return delivered;
}

} // namespace zanfolio
