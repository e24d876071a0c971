#include "results/pendinglock.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace zanfolio {

namespace {

constexpr qint64 kLockOffset = 0;
constexpr qint64 kLockLength = 1;
constexpr int kFirstPauseMs = 5;
constexpr int kLongestPauseMs = 200;
constexpr int kInsistingPauseMs = 20;
constexpr int kInsistingWaits = 100;

} // namespace

Result<PendingLock> PendingLock::take(const QString& pendingPath, Waiter& waiter, bool insist) {
    const QString path = pendingPath + QStringLiteral(".lock");
    QDir().mkpath(QFileInfo(nativePath(path)).absolutePath());
    Result<PlatformFile> file = PlatformFile::open(path, PlatformFile::Mode::ReadWriteCreate);
    if (!file)
        return file.error();
    int pause = kFirstPauseMs;
    SleepingWaiter sleeping(kInsistingWaits);
    Waiter* through = &waiter;
    for (;;) {
        Result<bool> locked = file->tryLock(kLockOffset, kLockLength);
        if (!locked)
            return locked.error();
        if (*locked)
            return PendingLock(std::move(*file));
        if (!through->wait(pause)) {
            if (!insist || through == &sleeping)
                return Error{path,
                             QStringLiteral("このコンピュータの別の Zanfolio が、保管した記録を"
                                            "書き込んでいます。"),
                             false, ErrorKind::Sharing, 0};
            through = &sleeping;
            pause = kInsistingPauseMs;
            continue;
        }
        if (through == &waiter)
            pause = std::min(pause * 2, kLongestPauseMs);
    }
}

PendingLock::~PendingLock() {
    if (file_)
        file_->unlock(kLockOffset, kLockLength);
}

} // namespace zanfolio
