// The platform file layer on Windows: LockFileEx, positioned ReadFile/WriteFile,
// FlushFileBuffers, and MoveFileExW with write-through.
#include "frame/platformfile.h"

#include <QFileInfo>
#include <optional>
#include <string>
#include <windows.h>

namespace zanfolio {

QString nativePath(const QString& path) {
    QString p = path;
    p.replace(u'/', u'\\');
    return p;
}

namespace {

// The common faults by their number; none for the others.
std::optional<FileFault> commonFault(DWORD code) {
    switch (code) {
    case ERROR_ACCESS_DENIED:
        return FileFault::NoPermission;
    case ERROR_WRITE_PROTECT:
        return FileFault::ReadOnly;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return FileFault::DiskFull;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return FileFault::Missing;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return FileFault::InUse;
    default:
        return std::nullopt;
    }
}

Error systemError(const QString& path, DWORD code, const char* what) {
    return fileError(path, int(code), what);
}

} // namespace

Error fileError(const QString& path, int systemCode, const char* what) {
    const DWORD code = DWORD(systemCode);
    ErrorKind kind = ErrorKind::Other;
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND || code == ERROR_BAD_NETPATH)
        kind = ErrorKind::NotFound;
    else if (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION)
        kind = ErrorKind::Sharing;
    else if (code == ERROR_ACCESS_DENIED || code == ERROR_WRITE_PROTECT)
        kind = ErrorKind::Denied;
    QString reason;
    if (const std::optional<FileFault> fault = commonFault(code)) {
        reason = fileFaultText(*fault);
    } else {
        // The last resort: the system's own text (Japanese on a Japanese Windows).
        wchar_t* buffer = nullptr;
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                           FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
        reason = buffer ? QString::fromWCharArray(buffer).trimmed() : QString::number(code);
        LocalFree(buffer);
    }
    return Error{path, QString::fromUtf8(what).arg(path, reason), false, kind, int(code)};
}

Result<PlatformFile> PlatformFile::open(const QString& path, Mode mode) {
    const QString native = nativePath(path);
    const DWORD access = mode == Mode::Read ? GENERIC_READ : (GENERIC_READ | GENERIC_WRITE);
    const DWORD disposition = mode == Mode::Read              ? OPEN_EXISTING
                              : mode == Mode::ReadWriteCreate ? OPEN_ALWAYS
                                                              : CREATE_ALWAYS;
    HANDLE h = CreateFileW(reinterpret_cast<const wchar_t*>(native.utf16()), access,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return systemError(path, GetLastError(), "「%1」を開けません（%2）。");
    return PlatformFile(reinterpret_cast<intptr_t>(h), path);
}

PlatformFile::PlatformFile(PlatformFile&& other) noexcept
    : handle_(other.handle_), path_(std::move(other.path_)), readCalls_(other.readCalls_) {
    other.handle_ = -1;
}

PlatformFile& PlatformFile::operator=(PlatformFile&& other) noexcept {
    if (this != &other) {
        close();
        handle_ = other.handle_;
        path_ = std::move(other.path_);
        readCalls_ = other.readCalls_;
        other.handle_ = -1;
    }
    return *this;
}

PlatformFile::~PlatformFile() {
    close();
}

void PlatformFile::close() {
    if (handle_ == -1)
        return;
    CloseHandle(reinterpret_cast<HANDLE>(handle_));
    handle_ = -1;
}

Result<qint64> PlatformFile::size() const {
    LARGE_INTEGER s;
    if (!GetFileSizeEx(reinterpret_cast<HANDLE>(handle_), &s))
        return systemError(path_, GetLastError(), "「%1」の大きさを調べられません（%2）。");
    return qint64(s.QuadPart);
}

Result<QByteArray> PlatformFile::readAt(qint64 offset, qint64 length) {
    QByteArray out(length, Qt::Uninitialized);
    qint64 done = 0;
    while (done < length) {
        ++readCalls_;
        OVERLAPPED ov{};
        const qint64 at = offset + done;
        ov.Offset = DWORD(at & 0xFFFFFFFF);
        ov.OffsetHigh = DWORD(at >> 32);
        DWORD got = 0;
        const DWORD want = DWORD(std::min<qint64>(length - done, 1 << 30));
        if (!ReadFile(reinterpret_cast<HANDLE>(handle_), out.data() + done, want, &got, &ov)) {
            const DWORD code = GetLastError();
            if (code == ERROR_HANDLE_EOF)
                break;
            return systemError(path_, code, "「%1」を読めません（%2）。");
        }
        if (got == 0)
            break;
        done += qint64(got);
    }
    out.resize(done);
    return out;
}

Status PlatformFile::writeAt(qint64 offset, const QByteArray& bytes) {
    qint64 done = 0;
    while (done < bytes.size()) {
        OVERLAPPED ov{};
        const qint64 at = offset + done;
        ov.Offset = DWORD(at & 0xFFFFFFFF);
        ov.OffsetHigh = DWORD(at >> 32);
        DWORD put = 0;
        if (!WriteFile(reinterpret_cast<HANDLE>(handle_), bytes.constData() + done,
                       DWORD(bytes.size() - done), &put, &ov))
            return systemError(path_, GetLastError(), "「%1」に書き込めません（%2）。");
        done += qint64(put);
    }
    return Ok{};
}

Status PlatformFile::flush() {
    if (!FlushFileBuffers(reinterpret_cast<HANDLE>(handle_)))
        return systemError(path_, GetLastError(), "「%1」を保存できません（%2）。");
    return Ok{};
}

Status PlatformFile::resize(qint64 size) {
    LARGE_INTEGER at;
    at.QuadPart = size;
    HANDLE h = reinterpret_cast<HANDLE>(handle_);
    if (!SetFilePointerEx(h, at, nullptr, FILE_BEGIN) || !SetEndOfFile(h))
        return systemError(path_, GetLastError(), "「%1」の長さを変えられません（%2）。");
    return Ok{};
}

Result<bool> PlatformFile::tryLock(qint64 offset, qint64 length) {
    OVERLAPPED ov{};
    ov.Offset = DWORD(offset & 0xFFFFFFFF);
    ov.OffsetHigh = DWORD(offset >> 32);
    if (LockFileEx(reinterpret_cast<HANDLE>(handle_),
                   LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, DWORD(length), 0, &ov))
        return true;
    const DWORD code = GetLastError();
    if (code == ERROR_LOCK_VIOLATION || code == ERROR_IO_PENDING)
        return false;
    return systemError(path_, code, "「%1」をロックできません（%2）。");
}

void PlatformFile::unlock(qint64 offset, qint64 length) {
    if (handle_ == -1)
        return; // closed by replaceWith, the lock with it
    OVERLAPPED ov{};
    ov.Offset = DWORD(offset & 0xFFFFFFFF);
    ov.OffsetHigh = DWORD(offset >> 32);
    UnlockFileEx(reinterpret_cast<HANDLE>(handle_), 0, DWORD(length), 0, &ov);
}

bool PlatformFile::isStillAt(const QString& path) const {
    BY_HANDLE_FILE_INFORMATION mine{};
    if (!GetFileInformationByHandle(reinterpret_cast<HANDLE>(handle_), &mine))
        return false;
    HANDLE h = CreateFileW(reinterpret_cast<const wchar_t*>(nativePath(path).utf16()), 0,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION theirs{};
    const bool ok = GetFileInformationByHandle(h, &theirs);
    CloseHandle(h);
    return ok && mine.dwVolumeSerialNumber == theirs.dwVolumeSerialNumber &&
           mine.nFileIndexHigh == theirs.nFileIndexHigh &&
           mine.nFileIndexLow == theirs.nFileIndexLow;
}

namespace {

// Appends to `target` what `old` holds beyond its first `oldSize` bytes: records another
// process appended to the replaced file after its lock was given up. The lock on `target` is
// waited for, a few seconds at most.
void appendLateBytes(const QString& old, qint64 oldSize, const QString& target, qint64 lockOffset,
                     qint64 lockLength) {
    Result<PlatformFile> late = PlatformFile::open(old, PlatformFile::Mode::Read);
    if (!late)
        return;
    Result<qint64> size = late->size();
    if (!size || *size <= oldSize)
        return;
    Result<QByteArray> bytes = late->readAt(oldSize, *size - oldSize);
    if (!bytes)
        return;
    Result<PlatformFile> file = PlatformFile::open(target, PlatformFile::Mode::ReadWriteCreate);
    if (!file)
        return;
    for (int tries = 0; tries < 500; ++tries) {
        Result<bool> locked = file->tryLock(lockOffset, lockLength);
        if (!locked)
            return;
        if (*locked) {
            Result<qint64> end = file->size();
            if (end && file->writeAt(*end, *bytes))
                (void)file->flush();
            file->unlock(lockOffset, lockLength);
            return;
        }
        Sleep(10);
    }
}

} // namespace

Status PlatformFile::replaceWith(const QString& from, qint64 lockOffset, qint64 lockLength) {
    const QString target = path_;
    Result<qint64> oldSize = size();
    if (!oldSize)
        return oldSize.error();
    // A second name for the old file keeps what is appended to it until the new file is in
    // place; a name is no open handle, so it does not stand in the way of the rename.
    const QString old = target + QStringLiteral(".replaced~");
    const std::wstring oldName = nativePath(old).toStdWString();
    DeleteFileW(oldName.c_str());
    const bool linked =
        CreateHardLinkW(oldName.c_str(), nativePath(target).toStdWString().c_str(), nullptr);
    close();
    Status renamed = renameOver(from, target);
    if (!renamed) {
        if (linked)
            DeleteFileW(oldName.c_str());
        // The rename is refused while any process has the file open: wait for it.
        Error e = renamed.error();
        if (e.kind == ErrorKind::Denied)
            e.kind = ErrorKind::Sharing;
        return e;
    }
    if (linked) {
        appendLateBytes(old, *oldSize, target, lockOffset, lockLength);
        DeleteFileW(oldName.c_str());
    }
    return Ok{};
}

Status renameOver(const QString& from, const QString& to) {
    if (!MoveFileExW(reinterpret_cast<const wchar_t*>(nativePath(from).utf16()),
                     reinterpret_cast<const wchar_t*>(nativePath(to).utf16()),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return systemError(to, GetLastError(), "「%1」を置き換えられません（%2）。");
    return Ok{};
}

Status removeFile(const QString& path) {
    if (!DeleteFileW(reinterpret_cast<const wchar_t*>(nativePath(path).utf16())))
        return systemError(path, GetLastError(), "「%1」を削除できません（%2）。");
    return Ok{};
}

} // namespace zanfolio
