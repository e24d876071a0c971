// The splash: it loads the installation, names criteria that cannot work, and goes on to the
// roster form.

#include "frame/datafiles.h"
#include "results/mistakesfile.h"
#include "results/pendingmistakes.h"
#include "results/pendingruns.h"
#include "startup/forms/firstfrm.h"
#include "support/screenharness.h"
#include "support/testmistakes.h"

#include <gtest/gtest.h>

namespace zanfolio::testing {
namespace {

// Puts up the splash and lets it start the program, for at most a second; how often the roster
// form was asked for.
int startUntilTheRosterForm(ScreenHarness& h) {
    int rosterForms = 0;
    h.context.navigate.showRosterForm = [&rosterForms] { ++rosterForms; };
    h.host.replace(new Firstfrm(h.context, h.install.programDir()));
    for (int i = 0; i < 50 && rosterForms == 0; ++i)
        h.pump(20);
    return rosterForms;
}

TEST(Firstfrm, ACutCriteriaFileIsNamedAndTheRosterFormFollows) {
    ScreenHarness h;
    h.install.writeCriteria({QStringLiteral("40,60,30,5,1,,,7,7,,,")});
    const int rosterForms = startUntilTheRosterForm(h);
    EXPECT_EQ(rosterForms, 1);
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_TRUE(
        h.dialogs.shown[0].text.contains(QStringLiteral("レベル2（引き算１）：行がありません")))
        << h.dialogs.shown[0].text.toStdString();
    EXPECT_FALSE(h.host.ending());
}

TEST(Firstfrm, RunsKeptOnThisComputerAreRecordedAtTheStart) {
    ScreenHarness h;
    PendingRuns pending(pendingRunsFile(h.state));
    ResultsRecord kept;
    kept.pupil = ScreenHarness::kPupil;
    kept.level = 2;
    kept.time = 48;
    ASSERT_TRUE(pending.keep(kept).ok());
    startUntilTheRosterForm(h);
    ASSERT_EQ(h.records().size(), 1u);
    EXPECT_EQ(h.records()[0].time, 48);
    EXPECT_TRUE(pending.load()->empty());
}

TEST(Firstfrm, WrongAnswersKeptOnThisComputerAreWrittenAtTheStart) {
    ScreenHarness h;
    PendingMistakes pending(mistakesPendingFile(h.state));
    const MistakeRecord kept =
        testMistake(ScreenHarness::kPupil, 1, QStringLiteral("0.1"), MistakeKind::PlaceAlignment,
                    QDate(2026, 12, 8), QTime(16, 0, 1));
    ASSERT_TRUE(pending.keep({kept}).ok());
    const int rosterForms = startUntilTheRosterForm(h);
    EXPECT_EQ(rosterForms, 1);
    Result<MistakesRead> written = readMistakes(mistakesFile(h.state));
    ASSERT_TRUE(written.ok());
    ASSERT_EQ(written->records.size(), 1u);
    EXPECT_EQ(written->records[0], kept);
    EXPECT_TRUE(pending.load()->empty());
    EXPECT_TRUE(h.dialogs.shown.empty());
}

TEST(Firstfrm, AGoodInstallationGoesOnWithoutAWord) {
    ScreenHarness h;
    const int rosterForms = startUntilTheRosterForm(h);
    EXPECT_EQ(rosterForms, 1);
    EXPECT_TRUE(h.dialogs.shown.empty());
}

} // namespace
} // namespace zanfolio::testing
