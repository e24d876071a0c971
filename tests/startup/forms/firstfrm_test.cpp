// The splash: it loads the installation, names criteria that cannot work, and goes on to the
// roster form.

#include "frame/datafiles.h"
#include "frame/platformfile.h"
#include "results/answersfile.h"
#include "results/mistakesfile.h"
#include "results/pendingmistakes.h"
#include "results/pendingruns.h"
#include "startup/forms/firstfrm.h"
#include "support/closingwaiter.h"
#include "support/screenharness.h"
#include "support/testmistakes.h"
#include "support/testrecords.h"

#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>

namespace zanfolio::testing {
namespace {

// Puts up the splash and lets it start the program, for at most a second; how often the roster
// form was asked for.
int startUntilTheRosterForm(ScreenHarness& h) {
    int rosterForms = 0;
    h.context.navigate.showRosterForm = [&rosterForms] { ++rosterForms; };
    h.host.replace(new Firstfrm(h.context, h.startUpParts(), h.store, h.install.programDir()));
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
    PendingRuns pending(pendingRunsFile(h.state.installation));
    const ResultsRecord kept = testRecord(ScreenHarness::kPupil, 2, 48).date(0).timeOfDay(0);
    ASSERT_TRUE(pending.keep(kept, h.waiter).ok());
    startUntilTheRosterForm(h);
    ASSERT_EQ(h.records().size(), 1u);
    EXPECT_EQ(h.records()[0].time, 48);
    EXPECT_TRUE(pending.load()->empty());
}

TEST(Firstfrm, WrongAnswersKeptOnThisComputerAreWrittenAtTheStart) {
    ScreenHarness h;
    PendingMistakes pending(mistakesPendingFile(h.state.installation));
    const MistakeRecord kept =
        testMistake(ScreenHarness::kPupil, 1, QStringLiteral("0.1"), MistakeKind::PlaceAlignment,
                    QDate(2026, 12, 8), QTime(16, 0, 1));
    ASSERT_TRUE(pending.keep({kept}, h.waiter).ok());
    const int rosterForms = startUntilTheRosterForm(h);
    EXPECT_EQ(rosterForms, 1);
    Result<MistakesRead> written = readMistakes(mistakesFile(h.state.installation));
    ASSERT_TRUE(written.ok());
    ASSERT_EQ(written->records.size(), 1u);
    EXPECT_EQ(written->records[0], kept);
    EXPECT_TRUE(pending.load()->empty());
    EXPECT_TRUE(h.dialogs.shown.empty());
}

TEST(Firstfrm, AnswersKeptOnThisComputerAreWrittenAtTheStart) {
    ScreenHarness h;
    PendingAnswers pending(answersPendingFile(h.state.installation));
    AnswerRecord kept;
    kept.date = QDate(2026, 12, 8);
    kept.time = QTime(16, 0, 1);
    kept.pupil = ScreenHarness::kPupil;
    kept.level = 1;
    kept.first = QStringLiteral("0.07");
    kept.sign = QStringLiteral("＋");
    kept.second = QStringLiteral("3");
    kept.answer = QStringLiteral("3.07");
    kept.typed = QStringLiteral("3.07");
    kept.correct = true;
    kept.tenthsOfSeconds = 31;
    ASSERT_TRUE(pending.keep({kept, kept}, h.waiter).ok());
    EXPECT_EQ(startUntilTheRosterForm(h), 1);
    Result<AnswersRead> written = readAnswersSince(answersFile(h.state.installation), QDate());
    ASSERT_TRUE(written.ok());
    EXPECT_EQ(written->records, (std::vector<AnswerRecord>{kept, kept}));
    EXPECT_TRUE(pending.load()->empty());
    EXPECT_TRUE(h.dialogs.shown.empty());
}

TEST(Firstfrm, ManyKeptRunsAreDeliveredInBatchesSayingSoAndTheWindowCanBeClosedMeanwhile) {
    constexpr int kKept = 3000;
    ScreenHarness h;
    PendingRuns pending(pendingRunsFile(h.state.installation));
    {
        QByteArray kept;
        for (int n = 0; n < kKept; ++n)
            kept += testRecord(ScreenHarness::kPupil, 1 + n % 5, 30 + n).encode();
        h.install.writeBytes(pending.path(), kept); // as an earlier version kept them
    }
    int rosterForms = 0;
    h.context.navigate.showRosterForm = [&rosterForms] { ++rosterForms; };
    auto* splash = new Firstfrm(h.context, h.startUpParts(), h.store, h.install.programDir());
    // The pupil closes the window once the splash says the first batch is in.
    QStringList said;
    QTimer watcher;
    watcher.setInterval(0);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (h.host.ending() || !splash->deliveryLabel()->isVisible())
            return;
        const QString text = splash->deliveryLabel()->text();
        if (said.isEmpty() || said.back() != text)
            said << text;
        if (!text.contains(QStringLiteral("（0 / ")))
            h.host.close();
    });
    watcher.start();
    h.host.replace(splash);
    for (int i = 0; i < 100 && !h.host.ending(); ++i)
        h.pump(20);
    watcher.stop();
    ASSERT_TRUE(h.host.ending());
    ASSERT_GE(said.size(), 2);
    EXPECT_EQ(said[0],
              QStringLiteral("このコンピュータに保管した成績を記録しています（0 / 3000 件）"));
    EXPECT_TRUE(
        said[1].startsWith(QStringLiteral("このコンピュータに保管した成績を記録しています（")));
    EXPECT_EQ(rosterForms, 0);
    // What went in is in once; the rest stays kept, in order.
    const std::vector<ResultsRecord> written = h.records();
    Result<std::vector<ResultsRecord>> left = pending.load();
    ASSERT_TRUE(left.ok());
    EXPECT_GT(written.size(), 0u);
    EXPECT_GT(left->size(), 0u);
    ASSERT_EQ(written.size() + left->size(), size_t(kKept));
    for (size_t i = 0; i < written.size(); ++i)
        ASSERT_EQ(written[i].time, 30 + int(i));
    EXPECT_EQ(left->front().time, 30 + int(written.size()));
}

TEST(Firstfrm, ClosingTheWindowWhileTheDeliveryWaitsEndsThereWithTheRunsKept) {
    // Another computer holds the results file; the pupil closes the window during the wait.
    ScreenHarness h;
    PendingRuns pending(pendingRunsFile(h.state.installation));
    ASSERT_TRUE(pending.keep(testRecord(ScreenHarness::kPupil, 2, 48), h.waiter).ok());
    Result<PlatformFile> other =
        PlatformFile::open(h.install.resultsPath(), PlatformFile::Mode::ReadWriteCreate);
    ASSERT_TRUE(other.ok());
    ASSERT_TRUE(*other->tryLock(0, ResultsRecord::kSize));
    ClosingWaiter waiter(h.host);
    AppContext context{h.clock, h.random, h.dialogs,         h.launcher,
                       waiter,  h.host,   h.context.navigate};
    int rosterForms = 0;
    context.navigate.showRosterForm = [&rosterForms] { ++rosterForms; };
    h.host.replace(new Firstfrm(context, h.startUpParts(), h.store, h.install.programDir()));
    for (int i = 0; i < 50 && !h.host.ending(); ++i)
        h.pump(20);
    h.processEvents();
    EXPECT_GE(waiter.waits, 1);
    EXPECT_TRUE(h.host.ending());
    EXPECT_EQ(h.host.current(), nullptr);
    EXPECT_EQ(rosterForms, 0);
    EXPECT_TRUE(h.dialogs.shown.empty());
    EXPECT_EQ(pending.load()->size(), 1u);
    EXPECT_TRUE(h.records().empty());
}

TEST(Firstfrm, AGoodInstallationGoesOnWithoutAWord) {
    ScreenHarness h;
    const int rosterForms = startUntilTheRosterForm(h);
    EXPECT_EQ(rosterForms, 1);
    EXPECT_TRUE(h.dialogs.shown.empty());
}

} // namespace
} // namespace zanfolio::testing
