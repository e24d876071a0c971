// The platform file layer on POSIX systems: open-file-description locks (F_OFD_SETLK), pread,
// pwrite, fsync, and rename followed by a flush of the folder.
#include "frame/platformfile.h"

#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace zanfolio {

QString nativePath(const QString& path) {
    QString p = path;
    p.replace(u'\\', u'/');
    return p;
}

namespace {

// The common faults by their number; none for the others.
std::optional<FileFault> commonFault(int code) {
    switch (code) {
    case EACCES:
    case EPERM:
        return FileFault::NoPermission;
    case EROFS:
        return FileFault::ReadOnly;
    case ENOSPC:
    case EDQUOT:
        return FileFault::DiskFull;
    case ENOENT:
    case ENOTDIR:
        return FileFault::Missing;
    case EBUSY:
    case ETXTBSY:
        return FileFault::InUse;
    default:
        return std::nullopt;
    }
}

} // namespace

Error fileError(const QString& path, int code, const char* what) {
    ErrorKind kind = ErrorKind::Other;
    if (code == ENOENT || code == ENOTDIR)
        kind = ErrorKind::NotFound;
    else if (code == EAGAIN || code == EBUSY || code == ETXTBSY)
        kind = ErrorKind::Sharing;
    else if (code == EACCES || code == EPERM || code == EROFS)
        kind = ErrorKind::Denied;
    const std::optional<FileFault> fault = commonFault(code);
    const QString reason = fault ? fileFaultText(*fault) : QString::fromLocal8Bit(strerror(code));
    return Error{path, QString::fromUtf8(what).arg(path, reason), false, kind, code};
}

Result<PlatformFile> PlatformFile::open(const QString& path, Mode mode) {
    const QString native = nativePath(path);
    const QByteArray name = QFileInfo(native).filePath().toLocal8Bit();
    const int flags = mode == Mode::Read              ? O_RDONLY
                      : mode == Mode::ReadWriteCreate ? (O_RDWR | O_CREAT)
                                                      : (O_RDWR | O_CREAT | O_TRUNC);
    int fd = -1;
    do {
        fd = ::open(name.constData(), flags | O_CLOEXEC, 0664);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return fileError(path, errno, "「%1」を開けません（%2）。");
    return PlatformFile(fd, path);
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
    ::close(int(handle_));
    handle_ = -1;
}

Result<qint64> PlatformFile::size() const {
    struct stat st {};
    if (fstat(int(handle_), &st) != 0)
        return fileError(path_, errno, "「%1」の大きさを調べられません（%2）。");
    return qint64(st.st_size);
}

Result<QByteArray> PlatformFile::readAt(qint64 offset, qint64 length) {
    QByteArray out(length, Qt::Uninitialized);
    qint64 done = 0;
    while (done < length) {
        ++readCalls_;
        const ssize_t got =
            pread(int(handle_), out.data() + done, size_t(length - done), off_t(offset + done));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return fileError(path_, errno, "「%1」を読めません（%2）。");
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
        const ssize_t put = pwrite(int(handle_), bytes.constData() + done,
                                   size_t(bytes.size() - done), off_t(offset + done));
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return fileError(path_, errno, "「%1」に書き込めません（%2）。");
        }
        done += qint64(put);
    }
    return Ok{};
}

Status PlatformFile::flush() {
    if (fsync(int(handle_)) != 0 && errno != EINVAL)
        return fileError(path_, errno, "「%1」を保存できません（%2）。");
    return Ok{};
}

Status PlatformFile::resize(qint64 size) {
    int done = -1;
    do {
        done = ftruncate(int(handle_), off_t(size));
    } while (done != 0 && errno == EINTR);
    if (done != 0)
        return fileError(path_, errno, "「%1」の長さを変えられません（%2）。");
    return Ok{};
}

Result<bool> PlatformFile::tryLock(qint64 offset, qint64 length) {
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = off_t(offset);
    fl.l_len = off_t(length);
    if (fcntl(int(handle_), F_OFD_SETLK, &fl) == 0)
        return true;
    if (errno == EAGAIN || errno == EACCES)
        return false;
    return fileError(path_, errno, "「%1」をロックできません（%2）。");
}

void PlatformFile::unlock(qint64 offset, qint64 length) {
    struct flock fl {};
    fl.l_type = F_UNLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = off_t(offset);
    fl.l_len = off_t(length);
    fcntl(int(handle_), F_OFD_SETLK, &fl);
}

bool PlatformFile::isStillAt(const QString& path) const {
    struct stat mine {};
    struct stat theirs {};
    if (fstat(int(handle_), &mine) != 0)
        return false;
    if (stat(nativePath(path).toLocal8Bit().constData(), &theirs) != 0)
        return false;
    return mine.st_dev == theirs.st_dev && mine.st_ino == theirs.st_ino;
}

Status PlatformFile::replaceWith(const QString& from, qint64, qint64) {
    // The lock stays with this open file description; waiting writers find the old file
    // replaced (isStillAt) once they get it.
    return renameOver(from, path_);
}

Status renameOver(const QString& from, const QString& to) {
    const QByteArray src = nativePath(from).toLocal8Bit();
    const QByteArray dst = nativePath(to).toLocal8Bit();
    if (::rename(src.constData(), dst.constData()) != 0)
        return fileError(to, errno, "「%1」を置き換えられません（%2）。");
    // The rename itself must reach the disk before the new file is taken as written.
    const QByteArray dir = QFileInfo(nativePath(to)).absolutePath().toLocal8Bit();
    const int dfd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        fsync(dfd);
        ::close(dfd);
    }
    return Ok{};
}

Status removeFile(const QString& path) {
    if (::unlink(nativePath(path).toLocal8Bit().constData()) != 0)
        return fileError(path, errno, "「%1」を削除できません（%2）。");
    return Ok{};
}

} // namespace zanfolio
