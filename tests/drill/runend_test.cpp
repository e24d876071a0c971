// What follows the end of a run, from how its record went.

#include "drill/runend.h"

#include <gtest/gtest.h>

using namespace zanfolio;

namespace {

struct Case {
    const char* what;
    bool practice;
    Result<RunRecorded> recorded;
    AfterRun next;
    QString message;
    bool critical;
};

TEST(RunEnd, EachWayARecordGoesLeadsToItsScreenAndMessage) {
    const QString kept = QStringLiteral("保管しました");
    const QString gone = QStringLiteral("フォルダがありません");
    const Case cases[] = {
        {"recorded", false, RunRecorded{}, AfterRun::Evaluation, QString(), false},
        {"practice", true, RunRecorded{}, AfterRun::ResultsMenu, QString(), false},
        {"kept here", false, RunRecorded{true, kept}, AfterRun::ResultsMenu, kept, false},
        {"lost, go on", false, makeError(QString(), gone), AfterRun::ResultsMenu, gone, true},
        {"lost, end", false, makeError(QString(), gone, true), AfterRun::EndProgram, gone, true},
    };
    for (const Case& c : cases) {
        const RunEnd end = runEndOf(c.practice, c.recorded);
        EXPECT_EQ(end.next, c.next) << c.what;
        EXPECT_EQ(end.message, c.message) << c.what;
        EXPECT_EQ(end.critical, c.critical) << c.what;
    }
}

} // namespace
