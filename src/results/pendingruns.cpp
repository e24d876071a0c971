#include "results/pendingruns.h"

#include "frame/platformfile.h"
#include "results/pendinglock.h"

#include <QDir>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>

namespace zanfolio {

namespace {

const QByteArray kHeading = QByteArrayLiteral("Zanfolio kept 2\n");
constexpr int kEntrySize = 64;
constexpr int kPlaceOffset = 48;
constexpr int kChangesOffset = 56;
// How far back an earlier version looked for a kept record before it appended it.
constexpr int kEarlierVersionRecent = 2000;

QByteArray encodeEntry(const KeptRun& k) {
    QByteArray out = k.record.encode();
    out.resize(kEntrySize, '\0');
    qToLittleEndian(k.place, out.data() + kPlaceOffset);
    qToLittleEndian(k.changes, out.data() + kChangesOffset);
    return out;
}

KeptRun decodeEntry(const char* p) {
    KeptRun k;
    k.record = ResultsRecord::decode(p);
    k.place = qFromLittleEndian<qint64>(p + kPlaceOffset);
    k.changes = qFromLittleEndian<qint64>(p + kChangesOffset);
    return k;
}

std::vector<KeptRun> parseKept(const QByteArray& bytes) {
    std::vector<KeptRun> kept;
    if (bytes.startsWith(kHeading)) {
        for (qsizetype at = kHeading.size(); at + kEntrySize <= bytes.size(); at += kEntrySize)
            kept.push_back(decodeEntry(bytes.constData() + at));
        return kept;
    }
    // An earlier version's file: its records only.
    for (qsizetype at = 0; at + ResultsRecord::kSize <= bytes.size(); at += ResultsRecord::kSize)
        kept.push_back(KeptRun{ResultsRecord::decode(bytes.constData() + at),
                               kept.empty() ? KeptRun::kKeptByEarlierVersion : KeptRun::kNotTried,
                               0});
    return kept;
}

} // namespace

Result<std::vector<KeptRun>> PendingRuns::loadKept() const {
    if (!fileExists(path_))
        return std::vector<KeptRun>{};
    Result<QByteArray> bytes = readWholeFile(path_);
    if (!bytes)
        return bytes.error();
    return parseKept(*bytes);
}

Result<std::vector<ResultsRecord>> PendingRuns::load() const {
    Result<std::vector<KeptRun>> kept = loadKept();
    if (!kept)
        return kept.error();
    std::vector<ResultsRecord> records;
    records.reserve(kept->size());
    for (const KeptRun& k : *kept)
        records.push_back(k.record);
    return records;
}

Status PendingRuns::keep(const ResultsRecord& record, Waiter& waiter) {
    Result<PendingLock> lock = PendingLock::take(path_, waiter, true);
    if (!lock)
        return lock.error();
    QDir().mkpath(QFileInfo(nativePath(path_)).absolutePath());
    bool earlierForm = false;
    {
        Result<PlatformFile> file = PlatformFile::open(path_, PlatformFile::Mode::ReadWriteCreate);
        if (!file)
            return file.error();
        Result<qint64> size = file->size();
        if (!size)
            return size.error();
        Result<QByteArray> start = file->readAt(0, std::min<qint64>(*size, kHeading.size()));
        if (!start)
            return start.error();
        earlierForm = *size > 0 && *start != kHeading;
        if (!earlierForm) {
            QByteArray bytes = encodeEntry(KeptRun{record});
            qint64 at = kHeading.size() + ((*size - kHeading.size()) / kEntrySize) * kEntrySize;
            if (*size == 0) {
                bytes.prepend(kHeading);
                at = 0;
            }
            Status written = file->writeAt(at, bytes);
            if (written)
                written = file->flush();
            return written;
        }
    }
    // An earlier version's file, or a heading cut short: written again whole, this record
    // behind the others. The file is closed first: Windows replaces no file that is open.
    Result<std::vector<KeptRun>> kept = loadKept();
    if (!kept)
        return kept.error();
    kept->push_back(KeptRun{record});
    return rewrite(*kept);
}

Status PendingRuns::rewrite(const std::vector<KeptRun>& kept) {
    if (kept.empty())
        return fileExists(path_) ? removeFile(path_) : Status(Ok{});
    QByteArray bytes = kHeading;
    bytes.reserve(kHeading.size() + qsizetype(kept.size()) * kEntrySize);
    for (const KeptRun& k : kept)
        bytes += encodeEntry(k);
    return replaceFileAtomically(path_, bytes);
}

Status PendingRuns::deliverBatch(ResultsFile& file, std::vector<KeptRun>& kept, size_t count) {
    return file.appendUnder([&](LockedResults& results) -> Status {
        // What an earlier try may have written: delivered only if the file holds it.
        std::vector<ResultsRecord> recent;
        bool recentRead = false;
        std::vector<size_t> toWrite;
        for (size_t i = 0; i < count; ++i) {
            KeptRun& k = kept[i];
            bool there = false;
            if (k.place >= 0) {
                Result<bool> holds = results.holds(k.record, k.place, k.changes);
                if (!holds)
                    return holds.error();
                there = *holds;
            } else if (k.place == KeptRun::kKeptByEarlierVersion) {
                if (!recentRead) {
                    Result<std::vector<ResultsRecord>> last =
                        results.lastRecords(kEarlierVersionRecent);
                    if (!last)
                        return last.error();
                    recent = std::move(*last);
                    recentRead = true;
                }
                const QByteArray bytes = k.record.encode();
                there = std::any_of(recent.begin(), recent.end(),
                                    [&](const ResultsRecord& r) { return r.encode() == bytes; });
            }
            if (!there)
                toWrite.push_back(i);
        }
        if (toWrite.empty())
            return Ok{};
        // Where each record will begin, noted and flushed before a byte of them is written.
        const qint64 at = results.appendPlace();
        QByteArray bytes;
        bytes.reserve(qsizetype(toWrite.size()) * ResultsRecord::kSize);
        for (size_t j = 0; j < toWrite.size(); ++j) {
            KeptRun& k = kept[toWrite[j]];
            k.place = at + qint64(j) * ResultsRecord::kSize;
            k.changes = results.changeCount();
            bytes += k.record.encode();
        }
        if (Status noted = rewrite(kept); !noted)
            return noted;
        bool cutBack = true;
        Status written = results.write(bytes, &cutBack);
        if (!written && cutBack) {
            // Certainly not in the file: no place to look at later, where another computer's
            // equal record may come to stand.
            for (size_t i : toWrite)
                kept[i].place = KeptRun::kNotTried;
            (void)rewrite(kept);
        }
        return written;
    });
}

Result<int> PendingRuns::deliver(ResultsFile& file, const DeliveryProgress& progress) {
    if (!fileExists(path_))
        return 0;
    Result<PendingLock> lock = PendingLock::take(path_, file.waiter());
    if (!lock)
        return lock.error();
    Result<std::vector<KeptRun>> loaded = loadKept();
    if (!loaded)
        return loaded.error();
    std::vector<KeptRun>& kept = *loaded;
    const int total = int(kept.size());
    int delivered = 0;
    if (kept.empty()) {
        (void)rewrite(kept); // a file with a heading only, or cut short
        return 0;
    }
    if (progress.onBatch && !progress.onBatch(0, total))
        return 0;
    const size_t batch = size_t(std::max(progress.batch, 1));
    while (!kept.empty()) {
        const size_t count = std::min(batch, kept.size());
        Status written = deliverBatch(file, kept, count);
        if (!written)
            return written.error();
        kept.erase(kept.begin(), kept.begin() + qsizetype(count));
        if (Status rewritten = rewrite(kept); !rewritten)
            return rewritten.error();
        delivered += int(count);
        if (progress.onBatch && !progress.onBatch(delivered, total))
            break;
    }
    return delivered;
}

} // namespace zanfolio
