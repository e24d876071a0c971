#include "platformfile.h"

#include <QFileInfo>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zanfolio {

QString nativePath(const QString& path) {
    QString p = path;
#ifdef _WIN32
    p.replace(u'/', u'\\');
#else
    p.replace(u'\\', u'/');
#endif
    return p;
}

namespace {

#ifdef _WIN32
Error systemError(const QString& path, DWORD code, const char* what) {
    ErrorKind kind = ErrorKind::Other;
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND || code == ERROR_BAD_NETPATH)
        kind = ErrorKind::NotFound;
    else if (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION ||
             code == ERROR_ACCESS_DENIED)
        kind = ErrorKind::Sharing;
    wchar_t* buffer = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const QString description =
        buffer ? QString::fromWCharArray(buffer).trimmed() : QString::number(code);
    LocalFree(buffer);
    return Error{path, QString::fromUtf8(what).arg(path, description), false, kind, int(code)};
}
#else
Error systemError(const QString& path, int code, const char* what) {
    ErrorKind kind = ErrorKind::Other;
    if (code == ENOENT || code == ENOTDIR)
        kind = ErrorKind::NotFound;
    else if (code == EACCES || code == EAGAIN || code == EBUSY || code == ETXTBSY)
        kind = ErrorKind::Sharing;
    return Error{path, QString::fromUtf8(what).arg(path, QString::fromLocal8Bit(strerror(code))),
                 false, kind, code};
}
#endif

} // namespace

Result<PlatformFile> PlatformFile::open(const QString& path, Mode mode) {
    const QString native = nativePath(path);
#ifdef _WIN32
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
#else
    const QByteArray name = QFileInfo(native).filePath().toLocal8Bit();
    const int flags = mode == Mode::Read ? O_RDONLY
                      : mode == Mode::ReadWriteCreate ? (O_RDWR | O_CREAT)
                                                      : (O_RDWR | O_CREAT | O_TRUNC);
    int fd = -1;
    do {
        fd = ::open(name.constData(), flags | O_CLOEXEC, 0664);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return systemError(path, errno, "「%1」を開けません（%2）。");
    return PlatformFile(fd, path);
#endif
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
#ifdef _WIN32
    CloseHandle(reinterpret_cast<HANDLE>(handle_));
#else
    ::close(int(handle_));
#endif
    handle_ = -1;
}

Result<qint64> PlatformFile::size() const {
#ifdef _WIN32
    LARGE_INTEGER s;
    if (!GetFileSizeEx(reinterpret_cast<HANDLE>(handle_), &s))
        return systemError(path_, GetLastError(), "「%1」の大きさを調べられません（%2）。");
    return qint64(s.QuadPart);
#else
    struct stat st {};
    if (fstat(int(handle_), &st) != 0)
        return systemError(path_, errno, "「%1」の大きさを調べられません（%2）。");
    return qint64(st.st_size);
#endif
}

Result<QByteArray> PlatformFile::readAt(qint64 offset, qint64 length) {
    QByteArray out(length, Qt::Uninitialized);
    qint64 done = 0;
    while (done < length) {
        ++readCalls_;
#ifdef _WIN32
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
#else
        const ssize_t got =
            pread(int(handle_), out.data() + done, size_t(length - done), off_t(offset + done));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return systemError(path_, errno, "「%1」を読めません（%2）。");
        }
#endif
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
#ifdef _WIN32
        OVERLAPPED ov{};
        const qint64 at = offset + done;
        ov.Offset = DWORD(at & 0xFFFFFFFF);
        ov.OffsetHigh = DWORD(at >> 32);
        DWORD put = 0;
        if (!WriteFile(reinterpret_cast<HANDLE>(handle_), bytes.constData() + done,
                       DWORD(bytes.size() - done), &put, &ov))
            return systemError(path_, GetLastError(), "「%1」に書き込めません（%2）。");
#else
        const ssize_t put = pwrite(int(handle_), bytes.constData() + done,
                                   size_t(bytes.size() - done), off_t(offset + done));
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return systemError(path_, errno, "「%1」に書き込めません（%2）。");
        }
#endif
        done += qint64(put);
    }
    return Ok{};
}

Status PlatformFile::flush() {
#ifdef _WIN32
    if (!FlushFileBuffers(reinterpret_cast<HANDLE>(handle_)))
        return systemError(path_, GetLastError(), "「%1」を保存できません（%2）。");
#else
    if (fsync(int(handle_)) != 0 && errno != EINVAL)
        return systemError(path_, errno, "「%1」を保存できません（%2）。");
#endif
    return Ok{};
}

Result<bool> PlatformFile::tryLock(qint64 offset, qint64 length) {
#ifdef _WIN32
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
#else
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = off_t(offset);
    fl.l_len = off_t(length);
    if (fcntl(int(handle_), F_OFD_SETLK, &fl) == 0)
        return true;
    if (errno == EAGAIN || errno == EACCES)
        return false;
    return systemError(path_, errno, "「%1」をロックできません（%2）。");
#endif
}

void PlatformFile::unlock(qint64 offset, qint64 length) {
#ifdef _WIN32
    OVERLAPPED ov{};
    ov.Offset = DWORD(offset & 0xFFFFFFFF);
    ov.OffsetHigh = DWORD(offset >> 32);
    UnlockFileEx(reinterpret_cast<HANDLE>(handle_), 0, DWORD(length), 0, &ov);
#else
    struct flock fl {};
    fl.l_type = F_UNLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = off_t(offset);
    fl.l_len = off_t(length);
    fcntl(int(handle_), F_OFD_SETLK, &fl);
#endif
}

bool PlatformFile::isStillAt(const QString& path) const {
#ifdef _WIN32
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
#else
    struct stat mine {};
    struct stat theirs {};
    if (fstat(int(handle_), &mine) != 0)
        return false;
    if (stat(nativePath(path).toLocal8Bit().constData(), &theirs) != 0)
        return false;
    return mine.st_dev == theirs.st_dev && mine.st_ino == theirs.st_ino;
#endif
}

Result<QByteArray> readWholeFile(const QString& path) {
    Result<PlatformFile> file = PlatformFile::open(path, PlatformFile::Mode::Read);
    if (!file)
        return file.error();
    Result<qint64> size = file->size();
    if (!size)
        return size.error();
    return file->readAt(0, *size);
}

bool fileExists(const QString& path) {
    return QFileInfo::exists(nativePath(path));
}

Status renameOver(const QString& from, const QString& to) {
#ifdef _WIN32
    if (!MoveFileExW(reinterpret_cast<const wchar_t*>(nativePath(from).utf16()),
                     reinterpret_cast<const wchar_t*>(nativePath(to).utf16()),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return systemError(to, GetLastError(), "「%1」を置き換えられません（%2）。");
    return Ok{};
#else
    const QByteArray src = nativePath(from).toLocal8Bit();
    const QByteArray dst = nativePath(to).toLocal8Bit();
    if (::rename(src.constData(), dst.constData()) != 0)
        return systemError(to, errno, "「%1」を置き換えられません（%2）。");
    // The rename itself must reach the disk before the new file is taken as written.
    const QByteArray dir = QFileInfo(nativePath(to)).absolutePath().toLocal8Bit();
    const int dfd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        fsync(dfd);
        ::close(dfd);
    }
    return Ok{};
#endif
}

Status removeFile(const QString& path) {
#ifdef _WIN32
    if (!DeleteFileW(reinterpret_cast<const wchar_t*>(nativePath(path).utf16())))
        return systemError(path, GetLastError(), "「%1」を削除できません（%2）。");
#else
    if (::unlink(nativePath(path).toLocal8Bit().constData()) != 0)
        return systemError(path, errno, "「%1」を削除できません（%2）。");
#endif
    return Ok{};
}

Status replaceFileAtomically(const QString& path, const QByteArray& bytes) {
    const QString temp = path + QStringLiteral(".tmp~");
    {
        Result<PlatformFile> file = PlatformFile::open(temp, PlatformFile::Mode::CreateEmpty);
        if (!file)
            return Error{path, file.error().message, false, file.error().kind, file.error().code};
        Status written = file->writeAt(0, bytes);
        if (written)
            written = file->flush();
        if (!written) {
            (void)removeFile(temp);
            return written.error();
        }
    }
    Status renamed = renameOver(temp, path);
    if (!renamed)
        (void)removeFile(temp);
    return renamed;
}

} // namespace zanfolio
