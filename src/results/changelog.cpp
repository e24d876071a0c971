#include "results/changelog.h"

#include "results/resultsrecord.h"

#include <QtEndian>

namespace zanfolio {

namespace {

constexpr int kKindOffset = 0;
constexpr int kStateOffset = 4;
constexpr int kNumberOffset = 8;
constexpr int kLengthOffset = 16;
constexpr int kBeforeOffset = 24;
constexpr int kAfterOffset = 68;
constexpr int kRecord = ResultsRecord::kSize;
// The log's lock: one byte far beyond any end the log will reach, so that a reader is never
// refused by it (Windows enforces locks on reads).
constexpr qint64 kLockOffset = qint64(1) << 40;
constexpr qint64 kLockLength = 1;

Error busy(const QString& path) {
    return Error{path, QStringLiteral("成績ファイルは他のコンピュータが使用中です。"), false,
                 ErrorKind::Sharing, 0};
}

} // namespace

QByteArray RecordChange::encode() const {
    QByteArray out(kSize, '\0');
    char* p = out.data();
    qToLittleEndian(int32_t(kind), p + kKindOffset);
    qToLittleEndian(int32_t(state), p + kStateOffset);
    qToLittleEndian(number, p + kNumberOffset);
    qToLittleEndian(lengthBefore, p + kLengthOffset);
    out.replace(kBeforeOffset, kRecord, before.leftJustified(kRecord, '\0', true));
    out.replace(kAfterOffset, kRecord, after.leftJustified(kRecord, '\0', true));
    return out;
}

RecordChange RecordChange::decode(const char* p) {
    RecordChange c;
    c.kind = Kind(qFromLittleEndian<int32_t>(p + kKindOffset));
    c.state = State(qFromLittleEndian<int32_t>(p + kStateOffset));
    c.number = qFromLittleEndian<int32_t>(p + kNumberOffset);
    c.lengthBefore = qFromLittleEndian<qint64>(p + kLengthOffset);
    c.before = QByteArray(p + kBeforeOffset, kRecord);
    c.after = QByteArray(p + kAfterOffset, kRecord);
    return c;
}

FollowedRecord followChanges(qint64 place, const QByteArray& record,
                             const std::vector<RecordChange>& since) {
    FollowedRecord f{FollowedRecord::Outcome::LookThere, place, record};
    for (const RecordChange& c : since) {
        const bool known =
            c.kind == RecordChange::Kind::Deleted || c.kind == RecordChange::Kind::Corrected;
        if (c.state != RecordChange::State::Done || !known)
            continue;
        const qint64 at = qint64(c.number - 1) * kRecord;
        if (at > f.place)
            continue;
        if (at < f.place) {
            if (c.kind == RecordChange::Kind::Deleted)
                f.place -= kRecord; // a record before it was taken out: it moved down
            continue;
        }
        // The change was made at its place: to this record if the append went through, to
        // another one (appended there instead) if not.
        if (c.before != f.expected) {
            f.outcome = FollowedRecord::Outcome::NotThere;
            return f;
        }
        if (c.kind == RecordChange::Kind::Deleted) {
            f.outcome = FollowedRecord::Outcome::Deleted;
            return f;
        }
        f.expected = c.after;
    }
    return f;
}

Result<ChangeLog> ChangeLog::take(const QString& path, PlatformFile& results, bool create,
                                  bool lock) {
    if (!create && !fileExists(path))
        return ChangeLog(std::nullopt, 0, false);
    Result<PlatformFile> file = PlatformFile::open(path, PlatformFile::Mode::ReadWriteCreate);
    if (!file) {
        // A share where this computer may write the results file but not make or write files
        // beside it: an append goes on as without a log (a delete needs one, and fails).
        if (create || file.error().kind != ErrorKind::Denied)
            return file.error();
        Result<PlatformFile> readOnly = PlatformFile::open(path, PlatformFile::Mode::Read);
        if (!readOnly)
            return readOnly.error();
        Result<qint64> size = readOnly->size();
        if (!size)
            return size.error();
        return ChangeLog(std::move(*readOnly), *size / RecordChange::kSize, false);
    }
    if (lock) {
        Result<bool> locked = file->tryLock(kLockOffset, kLockLength);
        if (!locked)
            return locked.error();
        if (!*locked)
            return busy(path);
    }
    Result<qint64> size = file->size();
    if (!size) {
        if (lock)
            file->unlock(kLockOffset, kLockLength);
        return size.error();
    }
    ChangeLog log(std::move(*file), *size / RecordChange::kSize, lock);
    if (Status settled = log.settleLast(results); !settled)
        return settled.error();
    return log;
}

ChangeLog::~ChangeLog() {
    if (locked_ && file_)
        file_->unlock(kLockOffset, kLockLength);
}

Status ChangeLog::settleLast(PlatformFile& results) {
    if (count_ == 0)
        return Ok{};
    const qint64 at = (count_ - 1) * RecordChange::kSize;
    Result<QByteArray> bytes = file_->readAt(at, RecordChange::kSize);
    if (!bytes)
        return bytes.error();
    if (bytes->size() < RecordChange::kSize)
        return Ok{};
    const RecordChange last = RecordChange::decode(bytes->constData());
    if (last.state != RecordChange::State::Begun ||
        (last.kind != RecordChange::Kind::Deleted && last.kind != RecordChange::Kind::Corrected))
        return Ok{};
    // Its writer stopped between the entry and its end; nobody has written since.
    bool done = false;
    if (last.kind == RecordChange::Kind::Deleted) {
        Result<qint64> length = results.size();
        if (!length)
            return length.error();
        done = *length < last.lengthBefore;
    } else {
        Result<QByteArray> now = results.readAt(qint64(last.number - 1) * kRecord, kRecord);
        if (!now)
            return now.error();
        done = *now == last.after;
    }
    return finish(count_ - 1, done ? RecordChange::State::Done : RecordChange::State::NotDone);
}

Result<std::vector<RecordChange>> ChangeLog::since(qint64 first) {
    std::vector<RecordChange> out;
    if (!file_ || first < 0 || first >= count_)
        return out;
    Result<QByteArray> bytes =
        file_->readAt(first * RecordChange::kSize, (count_ - first) * RecordChange::kSize);
    if (!bytes)
        return bytes.error();
    const qsizetype n = bytes->size() / RecordChange::kSize;
    out.reserve(size_t(n));
    for (qsizetype i = 0; i < n; ++i)
        out.push_back(RecordChange::decode(bytes->constData() + i * RecordChange::kSize));
    return out;
}

Result<qint64> ChangeLog::begin(RecordChange change) {
    if (!file_)
        return makeError(QString(), QStringLiteral("成績ファイルの変更記録がありません。"));
    change.state = RecordChange::State::Begun;
    const qint64 index = count_;
    Status written = file_->writeAt(index * RecordChange::kSize, change.encode());
    if (written)
        written = file_->flush();
    if (!written) {
        (void)file_->resize(index * RecordChange::kSize);
        return written.error();
    }
    ++count_;
    return index;
}

Status ChangeLog::finish(qint64 index, RecordChange::State state) {
    if (!file_)
        return Ok{};
    QByteArray bytes(4, '\0');
    qToLittleEndian(int32_t(state), bytes.data());
    Status written = file_->writeAt(index * RecordChange::kSize + kStateOffset, bytes);
    if (written)
        written = file_->flush();
    return written;
}

} // namespace zanfolio
