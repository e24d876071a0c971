#pragma once
// A write to a file that several classroom computers share, made while holding a byte-range
// lock on it, with the shared folder's retry rules: while another computer holds the lock the
// writer retries with short growing pauses (5 ms, doubling up to one second) through the
// Waiter, opening the file afresh each time, for as long as the waiter lets it. Any other
// fault (the folder gone, no permission, a full disk, whether met in opening or in writing) is
// retried the same way for about five seconds and then reported. The results file and the mistakes
// file both write through here.

#include "frame/result.h"
#include "frame/waiter.h"

#include <QString>
#include <functional>

namespace zanfolio {

class PlatformFile;

struct LockedWrite {
    QString path;
    qint64 lockOffset = 0;
    qint64 lockLength = 1;
    // Off only to show, by hand, that the lock is what keeps concurrent writes whole.
    bool locking = true;
    // The fault of a try that met another computer's lock (ErrorKind::Sharing).
    QString busyMessage;
    // Called with what is wrong before every pause (the screens' notice says it).
    std::function<void(const Error&)> onRetry;
    // The error returned when the writer stops retrying, made from the last fault.
    std::function<Error(const Error& last)> givenUp;
};

// Opens `how.path` for reading and writing (created empty when missing), takes the lock and
// runs `work` on the file while holding it. A failure of `work` of kind Sharing is retried
// like a held lock, a fault of the system that it met (one with an error number or a kind:
// a full disk, a share that failed half-way) like the other faults, for about five seconds;
// its own failures (an Error of kind Other without a number) are returned at once. `work`
// must leave the file as it found it when it fails, since it may be run again. When the name has
// come to stand for another file while this writer waited (a delete elsewhere replaced it), the
// file is opened again. `lockWaits`, when given, counts the pauses taken (from 0, as they
// are taken).
Status writeUnderLock(const LockedWrite& how, Waiter& waiter,
                      const std::function<Status(PlatformFile&)>& work, int* lockWaits = nullptr);

} // namespace zanfolio
