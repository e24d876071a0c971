#pragma once
// Faults of the disk or the share that a write may meet (a disk filling up, a share that turns
// read-only). The program has none; tests hand one to the writers to play a fault on demand.

#include "frame/platformfile.h"
#include "frame/result.h"

#include <QString>
#include <optional>

namespace zanfolio {

class WriteFaults {
  public:
    struct Fault {
        Error error;
        qint64 written = 0; // bytes that reach the file before the write fails
    };
    virtual ~WriteFaults() = default;
    // Asked before `length` bytes are written to `path` at `offset`; a fault makes the write
    // stop after `written` bytes and fail with `error`.
    virtual std::optional<Fault> beforeWrite(const QString& path, qint64 offset, qint64 length) = 0;
    // Told after `length` bytes were written to `path` at `offset` (a test may cut the power
    // there).
    virtual void afterWrite(const QString& path, qint64 offset, qint64 length) {
        (void)path;
        (void)offset;
        (void)length;
    }
};

// Writes `bytes` at `offset`, meeting the fault `faults` plays there, if any (null: none).
inline Status writeAt(PlatformFile& file, qint64 offset, const QByteArray& bytes,
                      WriteFaults* faults) {
    if (faults) {
        if (std::optional<WriteFaults::Fault> fault =
                faults->beforeWrite(file.path(), offset, bytes.size())) {
            (void)file.writeAt(offset, bytes.left(fault->written));
            return fault->error;
        }
    }
    Status written = file.writeAt(offset, bytes);
    if (written && faults)
        faults->afterWrite(file.path(), offset, bytes.size());
    return written;
}

} // namespace zanfolio
