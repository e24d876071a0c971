#include "results/pendingmistakes.h"

#include "frame/platformfile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace zanfolio {

namespace {

// How far back in the mistakes file a kept mistake is looked for before it is appended.
constexpr size_t kRecentMistakes = 2000;

QString keptMessage(const Error& why) {
    return QStringLiteral("誤答記録に書き込めませんでした。\n%1\n\n"
                          "この記録はこのコンピュータに保管しました。"
                          "次に記録できたときに、誤答記録へ書き込みます。")
        .arg(why.message);
}

} // namespace

Result<std::vector<MistakeRecord>> PendingMistakes::load() const {
    if (!fileExists(path_))
        return std::vector<MistakeRecord>{};
    Result<QByteArray> bytes = readWholeFile(path_);
    if (!bytes)
        return bytes.error();
    return parseMistakes(*bytes).records;
}

Status PendingMistakes::keep(const std::vector<MistakeRecord>& batch) {
    if (batch.empty())
        return Ok{};
    QDir().mkpath(QFileInfo(nativePath(path_)).absolutePath());
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
        lines += mistakeLine(r);
    Status written = at < *size ? file->resize(at) : Status(Ok{});
    if (written)
        written = file->writeAt(at, lines);
    if (written)
        written = file->flush();
    return written;
}

Result<int> PendingMistakes::deliver(const QString& mistakesPath, Waiter& waiter,
                                     const MistakeAppendHooks& hooks) {
    Result<std::vector<MistakeRecord>> kept = load();
    if (!kept)
        return kept.error();
    if (kept->empty()) {
        if (fileExists(path_))
            (void)removeFile(path_);
        return 0;
    }
    Result<MistakesRead> present = readMistakes(mistakesPath, waiter);
    if (!present)
        return present.error();
    // Each line of the file's tail accounts for one kept mistake at most, so a mistake made
    // twice is still written twice.
    std::vector<MistakeRecord> recent(present->records.end() -
                                          qMin(present->records.size(), kRecentMistakes),
                                      present->records.end());
    std::vector<MistakeRecord> missing;
    for (const MistakeRecord& r : *kept) {
        auto found = std::find(recent.begin(), recent.end(), r);
        if (found != recent.end())
            recent.erase(found);
        else
            missing.push_back(r);
    }
    Status appended = appendMistakes(mistakesPath, missing, waiter, hooks);
    if (!appended)
        return appended.error();
    Status removed = removeFile(path_);
    if (!removed)
        return removed.error();
    return int(kept->size());
}

Result<MistakesRecorded> recordMistakes(const QString& mistakesPath, PendingMistakes& pending,
                                        const std::vector<MistakeRecord>& batch, Waiter& waiter,
                                        const MistakeAppendHooks& hooks) {
    Status appended = Ok{};
    if (Result<int> delivered = pending.deliver(mistakesPath, waiter, hooks); !delivered)
        appended = delivered.error(); // this batch goes behind the ones still kept
    else
        appended = appendMistakes(mistakesPath, batch, waiter, hooks);
    if (appended)
        return MistakesRecorded{};
    Status kept = pending.keep(batch);
    if (!kept) {
        Error e = appended.error();
        e.message += u'\n' + kept.error().message;
        return e;
    }
    return MistakesRecorded{true, keptMessage(appended.error())};
}

} // namespace zanfolio
