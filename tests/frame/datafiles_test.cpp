#include "app/sharedstate.h"
#include "frame/datafiles.h"

#include <gtest/gtest.h>
#include <memory>

namespace zanfolio {
namespace {

std::unique_ptr<SharedState> installation(const QString& programDataDir) {
    auto s = std::make_unique<SharedState>();
    s->installation.DataRoot = QStringLiteral("/srv/juku/");
    s->installation.ProgramDataDir = programDataDir;
    s->installation.PendingDir = QStringLiteral("/home/juku/.local/share/Zanfolio/");
    return s;
}

TEST(DataFiles, TheMistakesFileLiesBesideTheResultsFile) {
    const auto s = installation(QStringLiteral("/srv/juku/calc/"));
    EXPECT_EQ(resultsFile(s->installation), QStringLiteral("/srv/juku/calc/成績累積データ.dat"));
    EXPECT_EQ(mistakesFile(s->installation), QStringLiteral("/srv/juku/calc/誤答記録.csv"));
}

// The pending files are named after the shared file they wait for (the first eight hexadecimal
// digits of the SHA-1 of its path): names already on the classroom computers must not change,
// and two installations on one computer must not share one.
TEST(DataFiles, PendingFilesAreNamedAfterTheirSharedFile) {
    const auto s = installation(QStringLiteral("/srv/juku/calc/"));
    const auto other = installation(QStringLiteral("/srv/juku/calc2/"));
    const QString dir = QStringLiteral("/home/juku/.local/share/Zanfolio/");
    EXPECT_EQ(pendingRunsFile(s->installation), dir + QStringLiteral("未記録の成績-3b1d72ee.dat"));
    EXPECT_EQ(mistakesPendingFile(s->installation),
              dir + QStringLiteral("未記録の誤答-60b81bce.csv"));
    EXPECT_EQ(mistakesPendingFile(other->installation),
              dir + QStringLiteral("未記録の誤答-f634e554.csv"));
}

} // namespace
} // namespace zanfolio
