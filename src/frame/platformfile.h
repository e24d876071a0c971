#pragma once
// The one layer that talks to the operating system about files: byte-range locks, positioned
// reads and writes, flushing and atomic replacement. Each platform has its own file
// (platformfile_posix.cpp, platformfile_windows.cpp), chosen by the build; nothing else in the
// program uses either API directly.

#include "frame/result.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace zanfolio {

// Opens, reads and writes one file by a native descriptor. Movable, not copyable; the file
// is closed when the object goes away.
class PlatformFile {
  public:
    enum class Mode {
        Read,            // existing file, reading only
        ReadWriteCreate, // created empty when missing, contents kept
        CreateEmpty,     // created or emptied
    };

    static Result<PlatformFile> open(const QString& path, Mode mode);

    PlatformFile(PlatformFile&& other) noexcept;
    PlatformFile& operator=(PlatformFile&& other) noexcept;
    PlatformFile(const PlatformFile&) = delete;
    PlatformFile& operator=(const PlatformFile&) = delete;
    ~PlatformFile();

    // Size taken from the open handle (not from the path: another computer may have replaced it).
    Result<qint64> size() const;
    // Reads `length` bytes at `offset` (fewer at the end of the file), in as few calls as the
    // system allows; each call is counted in readCalls().
    Result<QByteArray> readAt(qint64 offset, qint64 length);
    Status writeAt(qint64 offset, const QByteArray& bytes);
    // Pushes written data to the disk (or the file server) before success is reported.
    Status flush();
    // Cuts the file (or lengthens it with zero bytes) to `size` bytes.
    Status resize(qint64 size);

    // Exclusive lock on [offset, offset + length), tried once without waiting. The lock
    // belongs to this open file (open-file-description lock on Linux), so closing another
    // descriptor of the same file elsewhere in the process does not drop it.
    // Returns false when another process holds it.
    Result<bool> tryLock(qint64 offset, qint64 length);
    void unlock(qint64 offset, qint64 length);

    // Whether this open file is still the one that `path` names (a delete elsewhere may have
    // replaced the file since it was opened).
    bool isStillAt(const QString& path) const;

    // Puts the file `from` in the place of this open file, locked by the caller on
    // [lockOffset, lockOffset + lockLength): every process that opens the path afterwards gets
    // the new file. POSIX renames over it with the lock held, and this object stays open on the
    // old file. Windows cannot rename over a file that is open, this process's own handle
    // included: this object is closed first (its lock goes with it), and records another
    // process appended to the old file in the moment between are appended to the new one,
    // under the same lock. Fails with ErrorKind::Sharing while another process has the file
    // open on Windows; `from` is left in place then.
    Status replaceWith(const QString& from, qint64 lockOffset, qint64 lockLength);

    int readCalls() const { return readCalls_; }
    const QString& path() const { return path_; }

  private:
    PlatformFile(intptr_t handle, QString path) : handle_(handle), path_(std::move(path)) {}
    void close();

    intptr_t handle_ = -1;
    QString path_;
    int readCalls_ = 0;
};

// Whole-file helpers.
Result<QByteArray> readWholeFile(const QString& path);
bool fileExists(const QString& path);
// Writes bytes to `path` + ".tmp~", flushes it and renames it over `path`; on failure the
// original stays untouched and the temporary file is removed.
Status replaceFileAtomically(const QString& path, const QByteArray& bytes);
// Renames `from` over `to` in one step (MoveFileEx with write-through on Windows, rename on
// POSIX, followed by a flush of the folder). Fails with ErrorKind::Sharing while another
// process has `to` open on Windows.
Status renameOver(const QString& from, const QString& to);
Status removeFile(const QString& path);

// A native path from the installations' paths: both "\" and "/" separate folders.
QString nativePath(const QString& path);

// The faults a file operation meets most often. Messages name them in Japanese; any other
// fault is named by the system's own text, as the last resort.
enum class FileFault {
    NoPermission, // the system refuses access (no permission)
    ReadOnly,     // a read-only file, share or disk
    DiskFull,     // no room left on the disk or the share (or the user's quota spent)
    Missing,      // the file or its folder is not there (a network folder gone)
    InUse,        // another program or computer has the file open or locked
};
QString fileFaultText(FileFault fault);

// The error of a failed file operation from the system's error number (errno on POSIX,
// GetLastError() on Windows): `what` is the message with %1 for the path and %2 for the
// reason, the reason in Japanese for the common faults (fileFaultText).
Error fileError(const QString& path, int systemCode, const char* what);

} // namespace zanfolio
