#pragma once
// Lines kept on this computer for a file appended like the mistakes file (results/mistakesfile.h):
// the records of every run go here first and on to the shared file from here, so those the shared
// file cannot take (the folder gone, no permission, a full disk, the program closed while it
// waited, the power cut) stay: one pending file per shared file, beside the pending runs.
//
// Kept records go to the shared file, in order and exactly once, in one batch, ahead of the next
// batch that can be written or at the next start; the pending file is removed only after their
// append was flushed. Exactly once by what is certain, as for the runs (results/pendingruns.h):
// before the batch is written, the byte of the shared file where each line will begin is noted
// beside it and flushed; a kept line that comes up again with a place noted counts as written
// only when the shared file holds that very line at that place (the program never deletes from
// the shared file, nor moves what it holds). A line without a place was never tried; an equal
// line elsewhere proves nothing.
//
// The keepers and deliverers of one pending file exclude each other (results/pendinglock.h).
//
// The pending file: one line per kept record, CR LF, UTF-8 without byte order mark: the shared
// file's own line and one more cell, the place (empty: never tried). A last line cut short (the
// power cut while keeping) is ignored and written over.
//
// `Lines` says what a line is:
//   using Record = ...;                       the record of one line
//   static constexpr int kCells;              the cells of a line of the shared file
//   static AppendedFile file();               its heading and name
//   static QByteArray line(const Record&);    its line, CR LF included
//   static std::optional<Record> fromCells(const QStringList&);
//   static constexpr bool kEarlierVersion;    whether lines of kCells cells (no place) were kept
//                                             by an earlier version that delivered its kept
//                                             lines in one batch and then removed its file:
//                                             they are delivered unless that version's rule
//                                             finds them written (each line of the last 2000 of
//                                             the shared file accounts for one of them)
//   static std::vector<Record> parse(const QByteArray&);  the records of the shared file
//                                             (only with kEarlierVersion)

#include "frame/csvtext.h"
#include "frame/platformfile.h"
#include "frame/result.h"
#include "frame/waiter.h"
#include "results/mistakesfile.h"
#include "results/pendinglock.h"

#include <QString>
#include <QStringList>
#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

namespace zanfolio {

// A record kept on this computer, with where an append of it was last tried.
template <class Record> struct KeptLine {
    static constexpr qint64 kNotTried = -1;
    static constexpr qint64 kKeptByEarlierVersion = -2;

    Record record;
    qint64 place = kNotTried;
};

// What recordLines says of a batch the shared file could not take.
struct LinesRecorded {
    // The shared file could not take the batch: it is kept on this computer and will be
    // written later.
    bool kept = false;
    QString message; // when kept: what is wrong, and that the records will be written
};

// The message of a batch kept on this computer for the file named `name` ("誤答記録").
QString keptLinesMessage(const QString& name, const Error& why);

template <class Lines> class PendingLines {
  public:
    using Record = typename Lines::Record;
    using Kept = KeptLine<Record>;

    explicit PendingLines(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }

    // The kept records, oldest first (none when the file is missing).
    Result<std::vector<Record>> load() const {
        Result<std::vector<Kept>> kept = loadKept();
        if (!kept)
            return kept.error();
        std::vector<Record> records;
        for (const Kept& k : *kept)
            records.push_back(k.record);
        return records;
    }

    Result<std::vector<Kept>> loadKept() const {
        if (!fileExists(path_))
            return std::vector<Kept>{};
        Result<QByteArray> bytes = readWholeFile(path_);
        if (!bytes)
            return bytes.error();
        return parseKept(*bytes);
    }

    // Adds `batch` behind the kept records and flushes it to the disk. Waits through `waiter`
    // while another instance of the program keeps or delivers.
    Status keep(const std::vector<Record>& batch, Waiter& waiter) {
        if (batch.empty())
            return Ok{};
        Result<PendingLock> lock = PendingLock::take(path_, waiter, true);
        if (!lock)
            return lock.error();
        Result<PlatformFile> file = PlatformFile::open(path_, PlatformFile::Mode::ReadWriteCreate);
        if (!file)
            return file.error();
        Result<qint64> size = file->size();
        if (!size)
            return size.error();
        Result<QByteArray> kept = file->readAt(0, *size);
        if (!kept)
            return kept.error();
        // Behind the last whole line: a line torn by a power cut is written over.
        const qint64 at = kept->lastIndexOf('\n') + 1;
        QByteArray lines;
        for (const Record& r : batch)
            lines += keptLine(Kept{r});
        Status written = at < *size ? file->resize(at) : Status(Ok{});
        if (written)
            written = file->writeAt(at, lines);
        if (written)
            written = file->flush();
        return written;
    }

    // Appends every kept record to the shared file at `sharedPath` in one batch and then removes
    // the pending file. Returns how many were kept; on a failure they stay kept. `onDelivering`,
    // when given, is told how many are about to be written.
    Result<int> deliver(const QString& sharedPath, Waiter& waiter,
                        const MistakeAppendHooks& hooks = {},
                        const std::function<void(int count)>& onDelivering = {}) {
        if (!fileExists(path_))
            return 0;
        Result<PendingLock> lock = PendingLock::take(path_, waiter);
        if (!lock)
            return lock.error();
        Result<std::vector<Kept>> loaded = loadKept();
        if (!loaded)
            return loaded.error();
        std::vector<Kept>& kept = *loaded;
        if (kept.empty()) {
            (void)rewrite(kept);
            return 0;
        }
        if (onDelivering)
            onDelivering(int(kept.size()));
        Status appended =
            appendLinesUnder(Lines::file(), sharedPath, waiter, hooks,
                             [&](LockedMistakes& file) { return writeKept(file, kept); });
        if (!appended)
            return appended.error();
        Status removed = rewrite({});
        if (!removed)
            return removed.error();
        return int(kept.size());
    }

  private:
    // How far back in the shared file an earlier version looked for a kept record.
    static constexpr size_t kEarlierVersionRecent = 2000;

    // The kept line: the shared file's line with the place as one more cell.
    static QByteArray keptLine(const Kept& k) {
        QByteArray line = Lines::line(k.record);
        line.chop(2); // CR LF
        line += ',';
        if (k.place >= 0)
            line += QByteArray::number(k.place);
        return line + "\r\n";
    }

    static std::vector<Kept> parseKept(const QByteArray& bytes) {
        std::vector<Kept> kept;
        for (QStringList cells : parseCsv(QString::fromUtf8(bytes)).rows) {
            qint64 place = Lines::kEarlierVersion ? Kept::kKeptByEarlierVersion : Kept::kNotTried;
            if (cells.size() == Lines::kCells + 1) {
                const QString cell = cells.takeLast();
                bool ok = false;
                const qint64 at = cell.toLongLong(&ok);
                place = ok && at >= 0 ? at : Kept::kNotTried;
            }
            if (std::optional<Record> r = Lines::fromCells(cells))
                kept.push_back(Kept{*r, place});
        }
        return kept;
    }

    Status rewrite(const std::vector<Kept>& kept) {
        if (kept.empty())
            return fileExists(path_) ? removeFile(path_) : Status(Ok{});
        QByteArray bytes;
        for (const Kept& k : kept)
            bytes += keptLine(k);
        return replaceFileAtomically(path_, bytes);
    }

    // Under the shared file's lock: writes the kept lines that it does not hold yet.
    Status writeKept(LockedMistakes& file, std::vector<Kept>& kept) {
        // An earlier version's lines: each line of the file's tail accounts for one of them at
        // most, so a record made twice is still written twice.
        std::vector<Record> recent;
        if constexpr (Lines::kEarlierVersion) {
            if (std::any_of(kept.begin(), kept.end(),
                            [](const Kept& k) { return k.place == Kept::kKeptByEarlierVersion; })) {
                Result<QByteArray> bytes = file.read(0, file.length());
                if (!bytes)
                    return bytes.error();
                std::vector<Record> all = Lines::parse(*bytes);
                const size_t first = all.size() - std::min(all.size(), kEarlierVersionRecent);
                recent.assign(all.begin() + qsizetype(first), all.end());
            }
        }
        std::vector<size_t> toWrite;
        for (size_t i = 0; i < kept.size(); ++i) {
            Kept& k = kept[i];
            bool there = false;
            if (k.place >= 0) {
                const QByteArray line = Lines::line(k.record);
                if (k.place + line.size() <= file.length()) {
                    Result<QByteArray> bytes = file.read(k.place, line.size());
                    if (!bytes)
                        return bytes.error();
                    there = *bytes == line;
                }
            } else if (k.place == Kept::kKeptByEarlierVersion) {
                auto found = std::find(recent.begin(), recent.end(), k.record);
                there = found != recent.end();
                if (there)
                    recent.erase(found);
            }
            if (!there)
                toWrite.push_back(i);
        }
        if (toWrite.empty())
            return Ok{};
        // Where each line will begin, noted and flushed before a byte of them is written.
        qint64 at = file.linesPlace();
        QByteArray lines;
        for (size_t i : toWrite) {
            const QByteArray line = Lines::line(kept[i].record);
            kept[i].place = at;
            at += line.size();
            lines += line;
        }
        if (Status noted = rewrite(kept); !noted)
            return noted;
        bool cutBack = true;
        Status written = file.write(lines, &cutBack);
        if (!written && cutBack) {
            for (size_t i : toWrite)
                kept[i].place = Kept::kNotTried;
            (void)rewrite(kept);
        }
        return written;
    }

    QString path_;
};

// Records the batch of a run: `batch` is kept behind the records kept earlier, and all of them go
// to the shared file; what it cannot take stays kept. When this computer cannot keep the batch,
// it goes straight to the shared file. An error only when neither worked.
template <class Lines>
Result<LinesRecorded> recordLines(const QString& sharedPath, PendingLines<Lines>& pending,
                                  const std::vector<typename Lines::Record>& batch, Waiter& waiter,
                                  const MistakeAppendHooks& hooks = {}) {
    if (batch.empty() && !fileExists(pending.path()))
        return LinesRecorded{};
    if (Status kept = pending.keep(batch, waiter); !kept) {
        // This computer cannot keep them: straight to the shared file.
        QByteArray lines;
        for (const typename Lines::Record& r : batch)
            lines += Lines::line(r);
        Status appended = appendLines(Lines::file(), sharedPath, lines, waiter, hooks);
        if (appended)
            return LinesRecorded{};
        Error e = appended.error();
        e.message += u'\n' + kept.error().message;
        return e;
    }
    Result<int> delivered = pending.deliver(sharedPath, waiter, hooks);
    if (!delivered)
        return LinesRecorded{true, keptLinesMessage(Lines::file().name, delivered.error())};
    return LinesRecorded{};
}

} // namespace zanfolio
