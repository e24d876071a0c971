#include "results/pendingmistakes.h"

#include "frame/csvtext.h"
#include "frame/platformfile.h"
#include "results/pendinglock.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace zanfolio {

namespace {

// How far back in the mistakes file an earlier version looked for a kept mistake.
constexpr size_t kEarlierVersionRecent = 2000;

QString keptMessage(const Error& why) {
    return QStringLiteral("誤答記録に書き込めませんでした。\n%1\n\n"
                          "この記録はこのコンピュータに保管しました。"
                          "次に記録できたときに、誤答記録へ書き込みます。")
        .arg(why.message);
}

// The kept line: the mistakes file's line with the place as an eleventh cell.
QByteArray keptLine(const KeptMistake& k) {
    QByteArray line = mistakeLine(k.record);
    line.chop(2); // CR LF
    line += ',';
    if (k.place >= 0)
        line += QByteArray::number(k.place);
    return line + "\r\n";
}

std::vector<KeptMistake> parseKept(const QByteArray& bytes) {
    std::vector<KeptMistake> kept;
    for (QStringList cells : parseCsv(QString::fromUtf8(bytes)).rows) {
        qint64 place = KeptMistake::kKeptByEarlierVersion;
        if (cells.size() == 11) {
            const QString cell = cells.takeLast();
            bool ok = false;
            const qint64 at = cell.toLongLong(&ok);
            place = ok && at >= 0 ? at : KeptMistake::kNotTried;
        }
        if (std::optional<MistakeRecord> r = mistakeFromCells(cells))
            kept.push_back(KeptMistake{*r, place});
    }
    return kept;
}

} // namespace

Result<std::vector<KeptMistake>> PendingMistakes::loadKept() const {
    if (!fileExists(path_))
        return std::vector<KeptMistake>{};
    Result<QByteArray> bytes = readWholeFile(path_);
    if (!bytes)
        return bytes.error();
    return parseKept(*bytes);
}

Result<std::vector<MistakeRecord>> PendingMistakes::load() const {
    Result<std::vector<KeptMistake>> kept = loadKept();
    if (!kept)
        return kept.error();
    std::vector<MistakeRecord> records;
    for (const KeptMistake& k : *kept)
        records.push_back(k.record);
    return records;
}

Status PendingMistakes::keep(const std::vector<MistakeRecord>& batch, Waiter& waiter) {
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
    for (const MistakeRecord& r : batch)
        lines += keptLine(KeptMistake{r});
    Status written = at < *size ? file->resize(at) : Status(Ok{});
    if (written)
        written = file->writeAt(at, lines);
    if (written)
        written = file->flush();
    return written;
}

Status PendingMistakes::rewrite(const std::vector<KeptMistake>& kept) {
    if (kept.empty())
        return fileExists(path_) ? removeFile(path_) : Status(Ok{});
    QByteArray bytes;
    for (const KeptMistake& k : kept)
        bytes += keptLine(k);
    return replaceFileAtomically(path_, bytes);
}

Result<int> PendingMistakes::deliver(const QString& mistakesPath, Waiter& waiter,
                                     const MistakeAppendHooks& hooks,
                                     const std::function<void(int count)>& onDelivering) {
    if (!fileExists(path_))
        return 0;
    Result<PendingLock> lock = PendingLock::take(path_, waiter);
    if (!lock)
        return lock.error();
    Result<std::vector<KeptMistake>> loaded = loadKept();
    if (!loaded)
        return loaded.error();
    std::vector<KeptMistake>& kept = *loaded;
    if (kept.empty()) {
        (void)rewrite(kept);
        return 0;
    }
    if (onDelivering)
        onDelivering(int(kept.size()));
    Status appended =
        appendMistakesUnder(mistakesPath, waiter, hooks, [&](LockedMistakes& file) -> Status {
            // An earlier version's lines: each line of the file's tail accounts for one of
            // them at most, so a mistake made twice is still written twice.
            std::vector<MistakeRecord> recent;
            if (std::any_of(kept.begin(), kept.end(), [](const KeptMistake& k) {
                    return k.place == KeptMistake::kKeptByEarlierVersion;
                })) {
                Result<QByteArray> bytes = file.read(0, file.length());
                if (!bytes)
                    return bytes.error();
                std::vector<MistakeRecord> all = parseMistakes(*bytes).records;
                const size_t first = all.size() - std::min(all.size(), kEarlierVersionRecent);
                recent.assign(all.begin() + qsizetype(first), all.end());
            }
            std::vector<size_t> toWrite;
            for (size_t i = 0; i < kept.size(); ++i) {
                KeptMistake& k = kept[i];
                bool there = false;
                if (k.place >= 0) {
                    const QByteArray line = mistakeLine(k.record);
                    if (k.place + line.size() <= file.length()) {
                        Result<QByteArray> bytes = file.read(k.place, line.size());
                        if (!bytes)
                            return bytes.error();
                        there = *bytes == line;
                    }
                } else if (k.place == KeptMistake::kKeptByEarlierVersion) {
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
                const QByteArray line = mistakeLine(kept[i].record);
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
                    kept[i].place = KeptMistake::kNotTried;
                (void)rewrite(kept);
            }
            return written;
        });
    if (!appended)
        return appended.error();
    Status removed = rewrite({});
    if (!removed)
        return removed.error();
    return int(kept.size());
}

Result<MistakesRecorded> recordMistakes(const QString& mistakesPath, PendingMistakes& pending,
                                        const std::vector<MistakeRecord>& batch, Waiter& waiter,
                                        const MistakeAppendHooks& hooks) {
    if (batch.empty() && !fileExists(pending.path()))
        return MistakesRecorded{};
    if (Status kept = pending.keep(batch, waiter); !kept) {
        // This computer cannot keep them: straight to the mistakes file.
        Status appended = appendMistakes(mistakesPath, batch, waiter, hooks);
        if (appended)
            return MistakesRecorded{};
        Error e = appended.error();
        e.message += u'\n' + kept.error().message;
        return e;
    }
    Result<int> delivered = pending.deliver(mistakesPath, waiter, hooks);
    if (!delivered)
        return MistakesRecorded{true, keptMessage(delivered.error())};
    return MistakesRecorded{};
}

} // namespace zanfolio
