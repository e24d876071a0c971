#include "roster/launchercommand.h"

#include <gtest/gtest.h>

using namespace zanfolio;

TEST(LauncherCommand, PathKeepsTheFolderSeparator) {
    const LauncherCommand windows = launcherCommand(QStringLiteral("C:\\juku\\calc\\"));
    EXPECT_EQ(windows.program, QStringLiteral("C:\\juku\\calc\\..\\起動\\プログラムメニューc.exe"));
    EXPECT_EQ(windows.arguments, QStringList{QStringLiteral("001")});
    EXPECT_EQ(launcherCommand(QStringLiteral("/srv/juku/calc/")).program,
              QStringLiteral("/srv/juku/calc/../起動/プログラムメニューc.exe"));
}
