#include "results/resultsfile.h"

#include "frame/platformfile.h"
#include "results/changelog.h"
#include "results/lockedwrite.h"

#include <algorithm>

namespace zanfolio {

namespace {

constexpr qint64 kLockOffset = 0;
constexpr qint64 kLockLength = ResultsRecord::kSize;
constexpr int kSharingPauseMs = 1000;
constexpr int kNotFoundPauseMs = 5000;
constexpr int kNotFoundTries = 4;
constexpr int kDeniedPauseMs = 1000;
constexpr int kDeniedTries = 3;

Result<PlatformFile> openResults(const QString& path) {
    return PlatformFile::open(path, PlatformFile::Mode::ReadWriteCreate);
}

// Readers open for reading only, so that a read-only file or share can still be read; a
// missing file is created empty, so that a new installation starts with an empty one.
Result<PlatformFile> openForReading(const QString& path) {
    Result<PlatformFile> file = PlatformFile::open(path, PlatformFile::Mode::Read);
    if (!file && file.error().kind == ErrorKind::NotFound) {
        if (Result<PlatformFile> created = openResults(path))
            return PlatformFile::open(path, PlatformFile::Mode::Read);
    }
    return file;
}

Error givenUp(const QString& path, const Error& last) {
    Error e = last;
    e.file = path;
    e.message =
        QStringLiteral("成績ファイル「%1」に書き込めませんでした。\n%2").arg(path, last.message);
    return e;
}

} // namespace

ResultsFile::ResultsFile(QString path, Waiter& waiter, Locking locking)
    : path_(std::move(path)), waiter_(waiter), locking_(locking) {}

QString ResultsFile::temporaryPath() const {
    QString p = path_;
    const QString name = QStringLiteral("成績累積データ.dat");
    if (p.endsWith(name))
        return p.left(p.size() - name.size()) + QStringLiteral("成績累積データtemp.dat");
    return p + QStringLiteral(".temp");
}

QString ResultsFile::changeLogPath() const {
    QString p = path_;
    const QString name = QStringLiteral("成績累積データ.dat");
    if (p.endsWith(name))
        return p.left(p.size() - name.size()) + QStringLiteral("成績累積データ変更記録.dat");
    return p + QStringLiteral(".changes");
}

qint64 LockedResults::appendPlace() const {
    return (length_ / ResultsRecord::kSize) * ResultsRecord::kSize;
}

qint64 LockedResults::changeCount() const {
    return log_.count();
}

Result<bool> LockedResults::holds(const ResultsRecord& record, qint64 place, qint64 changeCount) {
    Result<std::vector<RecordChange>> since = log_.since(changeCount);
    if (!since)
        return since.error();
    const FollowedRecord followed = followChanges(place, record.encode(), *since);
    if (followed.outcome == FollowedRecord::Outcome::Deleted)
        return true;
    if (followed.outcome == FollowedRecord::Outcome::NotThere)
        return false;
    if (followed.place < 0 || followed.place + ResultsRecord::kSize > length_)
        return false;
    Result<QByteArray> bytes = file_.readAt(followed.place, ResultsRecord::kSize);
    if (!bytes)
        return bytes.error();
    return *bytes == followed.expected;
}

Result<std::vector<ResultsRecord>> LockedResults::lastRecords(int count) {
    const qint64 whole = length_ / ResultsRecord::kSize;
    const qint64 first = std::max<qint64>(0, whole - count);
    Result<QByteArray> bytes =
        file_.readAt(first * ResultsRecord::kSize, (whole - first) * ResultsRecord::kSize);
    if (!bytes)
        return bytes.error();
    std::vector<ResultsRecord> out;
    for (qsizetype at = 0; at + ResultsRecord::kSize <= bytes->size(); at += ResultsRecord::kSize)
        out.push_back(ResultsRecord::decode(bytes->constData() + at));
    return out;
}

Status LockedResults::write(const QByteArray& records, bool* cutBack) {
    if (cutBack)
        *cutBack = true;
    const qint64 at = appendPlace();
    Status written = writeAt(file_, at, records, faults_);
    if (written)
        written = file_.flush();
    if (!written) {
        // A disk that filled up half-way must not leave a torn record for every reader.
        Status cut = file_.resize(at);
        if (cut)
            cut = file_.flush();
        if (cutBack)
            *cutBack = cut.ok();
    }
    return written;
}

template <class Work>
auto ResultsFile::readWithRetries(Work work)
    -> decltype(work(std::declval<PlatformFile&>(), qint64())) {
    int notFound = 0;
    int denied = 0;
    int step = 3;
    for (;;) {
        Error failure;
        step = 3;
        Result<PlatformFile> file = openForReading(path_);
        if (file) {
            step = 4;
            Result<qint64> size = file->size();
            if (size) {
                step = 5;
                auto read = work(*file, *size);
                if (read)
                    return read;
                failure = read.error();
            } else {
                failure = size.error();
            }
        } else {
            failure = file.error();
        }
        if (failure.kind == ErrorKind::Sharing) {
            if (!waiter_.wait(kSharingPauseMs))
                return failure;
            continue;
        }
        if (failure.kind == ErrorKind::NotFound && ++notFound < kNotFoundTries) {
            if (!waiter_.wait(kNotFoundPauseMs))
                return failure;
            continue;
        }
        if (failure.kind == ErrorKind::Denied && ++denied < kDeniedTries) {
            if (!waiter_.wait(kDeniedPauseMs))
                return failure;
            continue;
        }
        Error e = failure;
        e.endsProgram = true;
        if (failure.kind == ErrorKind::NotFound)
            e.message = QStringLiteral("ファイルがありません%1 %2（%3）")
                            .arg(step)
                            .arg(failure.message)
                            .arg(failure.code);
        else if (failure.kind == ErrorKind::Denied)
            e.message = QStringLiteral("成績ファイル「%1」を読む許可がありません。\n%2\n"
                                       "ファイルとフォルダの読み取りの許可を確かめてください。")
                            .arg(path_, failure.message);
        else
            e.message = QStringLiteral("成績ランダムファイル表示%1 %2（%3）")
                            .arg(step)
                            .arg(failure.message)
                            .arg(failure.code);
        return e;
    }
}

Result<ResultsTail> ResultsFile::readTail(int maxRecords) {
    return readWithRetries([&](PlatformFile& file, qint64 size) -> Result<ResultsTail> {
        ResultsTail tail;
        tail.byteLength = size;
        tail.recordCount = int(size / ResultsRecord::kSize);
        tail.partialBytes = int(size % ResultsRecord::kSize);
        const int first = maxRecords > 0 ? std::max(0, tail.recordCount - maxRecords) : 0;
        tail.firstRecordNumber = first + 1;
        const qint64 bytes = qint64(tail.recordCount - first) * ResultsRecord::kSize;
        Result<QByteArray> data = file.readAt(qint64(first) * ResultsRecord::kSize, bytes);
        if (!data)
            return data.error();
        // Another computer may have shortened the file since the size was taken.
        const int got = int(data->size() / ResultsRecord::kSize);
        tail.records.reserve(size_t(got));
        for (int i = 0; i < got; ++i)
            tail.records.push_back(
                ResultsRecord::decode(data->constData() + qint64(i) * ResultsRecord::kSize));
        tail.readCalls = file.readCalls();
        return tail;
    });
}

Result<RecordsSince> ResultsFile::readSince(double firstDay) {
    return readWithRetries([&](PlatformFile& file, qint64 size) -> Result<RecordsSince> {
        return readRecordsSince(
            [&file](qint64 offset, qint64 length) { return file.readAt(offset, length); }, size,
            firstDay);
    });
}

Result<WindowScan> ResultsFile::visitSince(double firstDay, const std::function<void()>& begin,
                                           const std::function<void(const ResultsRecord&)>& visit) {
    return readWithRetries([&](PlatformFile& file, qint64 size) -> Result<WindowScan> {
        begin();
        qint64 done = 0;
        return visitRecordsSince(
            [&](qint64 offset, qint64 length) {
                Result<QByteArray> page = file.readAt(offset, length);
                done += length;
                if (readProgress_)
                    readProgress_(done, size);
                return page;
            },
            size, firstDay, visit);
    });
}

Result<QByteArray> ResultsFile::readRange(qint64 offset, qint64 length) {
    return readWithRetries([&](PlatformFile& file, qint64) { return file.readAt(offset, length); });
}

Result<qint64> ResultsFile::byteLength() {
    return readWithRetries([](PlatformFile&, qint64 size) -> Result<qint64> { return size; });
}

Result<ResultsRecord> ResultsFile::read(int number) {
    for (;;) {
        Result<PlatformFile> file = openForReading(path_);
        Error failure;
        if (file) {
            Result<QByteArray> data =
                file->readAt(qint64(number - 1) * ResultsRecord::kSize, ResultsRecord::kSize);
            if (data && data->size() == ResultsRecord::kSize && number >= 1)
                return ResultsRecord::decode(data->constData());
            if (data)
                return makeError(
                    path_,
                    QStringLiteral("成績ファイルに %1 番のレコードはありません。").arg(number));
            failure = data.error();
        } else {
            failure = file.error();
        }
        if (failure.kind != ErrorKind::Sharing || !waiter_.wait(kSharingPauseMs))
            return failure;
    }
}

template <class Work> Status ResultsFile::underLock(const char* what, Work work) {
    LockedWrite how;
    how.path = path_;
    how.lockOffset = kLockOffset;
    how.lockLength = kLockLength;
    how.locking = locking_ == Locking::On;
    how.busyMessage = QStringLiteral("成績ファイルは他のコンピュータが使用中です。");
    how.onRetry = onRetry_;
    how.givenUp = [&](const Error& last) {
        Error e = givenUp(path_, last);
        e.message += QStringLiteral("（%1）").arg(QString::fromUtf8(what));
        return e;
    };
    return writeUnderLock(how, waiter_, work, &lastLockWaits_);
}

Result<ChangeLog> ResultsFile::takeChangeLog(PlatformFile& file, bool create) {
    const bool locking = locking_ == Locking::On;
    Result<ChangeLog> log = ChangeLog::take(changeLogPath(), file, create, locking);
    if (!log)
        return log.error();
    // A delete elsewhere may have replaced the file while this writer took the log (the
    // delete holds the log until it is done): work only on the file the name stands for.
    if (locking && !file.isStillAt(path_))
        return Error{path_, QStringLiteral("成績ファイルは他のコンピュータが使用中です。"), false,
                     ErrorKind::Sharing, 0};
    return log;
}

Status ResultsFile::append(const ResultsRecord& record) {
    const QByteArray bytes = record.encode();
    return appendUnder([&](LockedResults& file) { return file.write(bytes); });
}

Status ResultsFile::appendUnder(const std::function<Status(LockedResults&)>& work) {
    return underLock("追加", [&](PlatformFile& file) -> Status {
        Result<ChangeLog> log = takeChangeLog(file, false);
        if (!log)
            return log.error();
        Result<qint64> size = file.size();
        if (!size)
            return size.error();
        LockedResults locked(file, *log, *size, faults_);
        return work(locked);
    });
}

Status ResultsFile::rewrite(int number, const ResultsRecord& record) {
    const QByteArray bytes = record.encode();
    return underLock("変更", [&](PlatformFile& file) -> Status {
        Result<ChangeLog> log = takeChangeLog(file, true);
        if (!log)
            return log.error();
        Result<qint64> size = file.size();
        if (!size)
            return size.error();
        if (number < 1 || number > *size / ResultsRecord::kSize)
            return makeError(
                path_, QStringLiteral("成績ファイルに %1 番のレコードはありません。").arg(number));
        const qint64 at = qint64(number - 1) * ResultsRecord::kSize;
        Result<QByteArray> before = file.readAt(at, ResultsRecord::kSize);
        if (!before)
            return before.error();
        RecordChange change;
        change.kind = RecordChange::Kind::Corrected;
        change.number = number;
        change.lengthBefore = *size;
        change.before = *before;
        change.after = bytes;
        Result<qint64> entry = log->begin(change);
        if (!entry)
            return entry.error();
        Status written = writeAt(file, at, bytes, faults_);
        if (written)
            written = file.flush();
        if (!written) {
            // The record as it was, so that the log and the file agree.
            if (file.writeAt(at, *before) && file.flush())
                (void)log->finish(*entry, RecordChange::State::NotDone);
            return written.error();
        }
        // Left begun, the entry is settled by the next writer from the record it finds.
        (void)log->finish(*entry, RecordChange::State::Done);
        return Ok{};
    });
}

Status ResultsFile::remove(int number) {
    const QString temp = temporaryPath();
    return underLock("消去", [&](PlatformFile& file) -> Status {
        Result<ChangeLog> log = takeChangeLog(file, true);
        if (!log)
            return log.error();
        Result<qint64> size = file.size();
        if (!size)
            return size.error();
        const qint64 count = *size / ResultsRecord::kSize;
        if (number < 1 || number > count)
            return makeError(
                path_, QStringLiteral("成績ファイルに %1 番のレコードはありません。").arg(number));
        Result<QByteArray> data = file.readAt(0, count * ResultsRecord::kSize);
        if (!data)
            return data.error();
        QByteArray kept = *data;
        const qint64 at = qint64(number - 1) * ResultsRecord::kSize;
        kept.remove(at, ResultsRecord::kSize);
        kept.truncate((kept.size() / ResultsRecord::kSize) * ResultsRecord::kSize);
        {
            Result<PlatformFile> out = PlatformFile::open(temp, PlatformFile::Mode::CreateEmpty);
            if (!out)
                return out.error();
            Status written = writeAt(*out, 0, kept, faults_);
            if (written)
                written = out->flush();
            if (!written) {
                (void)removeFile(temp);
                return written.error();
            }
        }
        RecordChange change;
        change.kind = RecordChange::Kind::Deleted;
        change.number = number;
        change.lengthBefore = *size;
        change.before = data->mid(at, ResultsRecord::kSize);
        Result<qint64> entry = log->begin(change);
        if (!entry) {
            (void)removeFile(temp);
            return entry.error();
        }
        // Replacing the original while holding its lock: appends from other computers wait
        // for the lock (and for the change log's, held until the entry is settled) and then
        // find that the name stands for the new file.
        Status renamed = file.replaceWith(temp, kLockOffset, kLockLength);
        if (!renamed && renamed.error().kind != ErrorKind::Sharing)
            (void)removeFile(temp);
        // Once the file is replaced the delete stands, whatever becomes of the entry: left
        // begun, the next writer settles it from the file's length.
        (void)log->finish(*entry,
                          renamed ? RecordChange::State::Done : RecordChange::State::NotDone);
        return renamed;
    });
}

} // namespace zanfolio
