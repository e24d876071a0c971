// The reasons a file operation gives in its Japanese message: the common faults in Japanese,
// the system's own text only for the others (errno numbers: the POSIX platform layer).

#include "frame/platformfile.h"

#include <QDir>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>

namespace zanfolio {
namespace {

bool hasLatinLetters(const QString& text) {
    for (QChar c : text)
        if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'))
            return true;
    return false;
}

TEST(FileError, CommonFaultsAreNamedInJapanese) {
    struct Case {
        int code;
        FileFault fault;
        ErrorKind kind;
    };
    const Case cases[] = {
        {EACCES, FileFault::NoPermission, ErrorKind::Denied},
        {EPERM, FileFault::NoPermission, ErrorKind::Denied},
        {EROFS, FileFault::ReadOnly, ErrorKind::Denied},
        {ENOSPC, FileFault::DiskFull, ErrorKind::Other},
        {EDQUOT, FileFault::DiskFull, ErrorKind::Other},
        {ENOENT, FileFault::Missing, ErrorKind::NotFound},
        {ENOTDIR, FileFault::Missing, ErrorKind::NotFound},
        {EBUSY, FileFault::InUse, ErrorKind::Sharing},
        {ETXTBSY, FileFault::InUse, ErrorKind::Sharing},
    };
    for (const Case& c : cases) {
        const Error e = fileError(QStringLiteral("/x/成績累積データ.dat"), c.code,
                                  "「%1」に書き込めません（%2）。");
        EXPECT_EQ(e.message, QStringLiteral("「/x/成績累積データ.dat」に書き込めません（%1）。")
                                 .arg(fileFaultText(c.fault)))
            << c.code;
        EXPECT_EQ(e.kind, c.kind) << c.code;
        EXPECT_EQ(e.code, c.code);
        EXPECT_FALSE(hasLatinLetters(fileFaultText(c.fault)));
    }
    // Anything else: the system's own words, as the last resort.
    const Error other = fileError(QStringLiteral("f"), EIO, "「%1」を読めません（%2）。");
    EXPECT_TRUE(other.message.startsWith(QStringLiteral("「f」を読めません（")));
    EXPECT_GT(other.message.size(), QStringLiteral("「f」を読めません（）。").size());
}

TEST(FileError, AMissingFolderIsSaidInJapanese) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ない/成績累積データ.dat"));
    Result<PlatformFile> file = PlatformFile::open(path, PlatformFile::Mode::ReadWriteCreate);
    ASSERT_FALSE(file.ok());
    EXPECT_EQ(
        file.error().message,
        QStringLiteral("「%1」を開けません（ファイルまたはフォルダが見つかりません）。").arg(path));
    EXPECT_FALSE(hasLatinLetters(file.error().message.mid(path.size() + 2)));
}

} // namespace
} // namespace zanfolio
