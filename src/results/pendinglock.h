#pragma once
// The lock that makes the keepers and the deliverers of one pending file (results/pendingruns.h,
// results/pendingmistakes.h) exclude each other: two instances of the program on one computer
// (a double click, a second user signed in) must not deliver the same kept records twice, nor
// drop one that the other has just kept. A byte-range lock on a small file beside the pending
// file, named after it with ".lock" (the pending file itself is replaced and removed as it
// changes, the lock file stays), held across reading, appending and rewriting.

#include "frame/platformfile.h"
#include "frame/result.h"
#include "frame/waiter.h"

#include <QString>
#include <optional>

namespace zanfolio {

class PendingLock {
  public:
    // Takes the lock of the pending file `pendingPath`, making its folder and the lock file when
    // missing. While another instance holds it, waits with short growing pauses for as long as
    // `waiter` lets it; `insist` (for keeping, which must not fail for so little) goes on for
    // about two seconds more with pauses of the thread when the waiter will not wait (the
    // program closing): another instance holds the lock for a batch, well under a second.
    static Result<PendingLock> take(const QString& pendingPath, Waiter& waiter,
                                    bool insist = false);

    PendingLock(PendingLock&& other) noexcept : file_(std::move(other.file_)) {
        other.file_.reset();
    }
    PendingLock& operator=(PendingLock&&) = delete;
    PendingLock(const PendingLock&) = delete;
    PendingLock& operator=(const PendingLock&) = delete;
    ~PendingLock();

  private:
    explicit PendingLock(PlatformFile file) : file_(std::move(file)) {}

    std::optional<PlatformFile> file_;
};

} // namespace zanfolio
