#include "results/lockedwrite.h"

#include "frame/platformfile.h"

#include <algorithm>

namespace zanfolio {

namespace {

constexpr int kFirstPauseMs = 5;
constexpr int kLongestPauseMs = 1000;
// A writer waits this long for a fault other than another computer's lock before it reports.
constexpr int kFaultPatienceMs = 5000;

bool isSystemFault(const Error& e) {
    return e.code != 0 || e.kind != ErrorKind::Other;
}

} // namespace

Status writeUnderLock(const LockedWrite& how, Waiter& waiter,
                      const std::function<Status(PlatformFile&)>& work, int* lockWaits) {
    int ignoredWaits = 0;
    int& waits = lockWaits ? *lockWaits : ignoredWaits;
    waits = 0;
    int pause = kFirstPauseMs;
    int faultWaitedMs = 0;
    for (;;) {
        Error failure;
        Result<PlatformFile> file =
            PlatformFile::open(how.path, PlatformFile::Mode::ReadWriteCreate);
        if (file) {
            Result<bool> locked =
                how.locking ? file->tryLock(how.lockOffset, how.lockLength) : Result<bool>(true);
            if (locked && *locked) {
                // A delete on another computer may have replaced the file while this one
                // waited: work only on the file that the name now stands for.
                if (!how.locking || file->isStillAt(how.path)) {
                    Status done = work(*file);
                    if (how.locking)
                        file->unlock(how.lockOffset, how.lockLength);
                    // A fault of the disk or the share met by the work (a full disk, a share
                    // that failed in the middle) is waited out like the others; a failure of
                    // the work's own (no such record) is no fault to wait for.
                    if (done || !isSystemFault(done.error()))
                        return done;
                    failure = done.error();
                } else {
                    file->unlock(how.lockOffset, how.lockLength);
                    continue;
                }
            } else if (locked) {
                failure = Error{how.path, how.busyMessage, false, ErrorKind::Sharing, 0};
            } else {
                failure = locked.error();
            }
        } else {
            failure = file.error();
        }
        // The file is closed before waiting, so the next try opens it afresh.
        file = Error{};
        // Another computer's lock is released in time: wait for as long as the waiter lets
        // this writer. Any other fault is waited out only briefly, then reported.
        const bool released = failure.kind == ErrorKind::Sharing;
        if (!released && faultWaitedMs >= kFaultPatienceMs)
            return how.givenUp ? how.givenUp(failure) : failure;
        ++waits;
        if (how.onRetry)
            how.onRetry(failure);
        if (!waiter.wait(pause))
            return how.givenUp ? how.givenUp(failure) : failure;
        if (!released)
            faultWaitedMs += pause;
        pause = std::min(pause * 2, kLongestPauseMs);
    }
}

} // namespace zanfolio
