// 弱点練習 from the results menu: offered only to a pupil whose answers show a systematic way of
// working, and a run of it recorded as practice answers only.

#include "app/screenparts.h"
#include "drill/decimal.h"
#include "drill/forms/mainfrm.h"
#include "drill/forms/startrun.h"
#include "drill/mistakekind.h"
#include "frame/datafiles.h"
#include "menu/forms/seisekitime1.h"
#include "results/answersfile.h"
#include "support/control.h"
#include "support/screenharness.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <random>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

// `count` answers of `pupil` on level 1 today, 0.07 ＋ 3, each an opportunity for 位取り; the
// first `shown` of them typed as 位取り gives it.
QByteArray answerLines(const QDate& day, int pupil, int count, int shown) {
    QByteArray lines;
    for (int i = 0; i < count; ++i) {
        AnswerRecord a;
        a.date = day;
        a.time = QTime(9, 0, i);
        a.pupil = pupil;
        a.level = 1;
        a.first = QStringLiteral("0.07");
        a.sign = QStringLiteral("＋");
        a.second = QStringLiteral("3");
        a.answer = QStringLiteral("3.07");
        a.opportunities = {MistakeKind::PlaceAlignment};
        a.correct = i >= shown;
        a.typed = a.correct ? QStringLiteral("3.07") : QStringLiteral("0.1");
        if (!a.correct) {
            a.kind = MistakeKind::PlaceAlignment;
            a.shown = {MistakeKind::PlaceAlignment};
        }
        lines += answerLine(a);
    }
    return lines;
}

class AimedPracticeMenuTest : public ::testing::Test {
  protected:
    AimedPracticeMenuTest() {
        const QDate today = f.clock.now().date();
        // 佐藤: 位取り on 3 of 4 opportunities (定着); 鈴木: on 1 of 6 (たまに).
        f.install.writeBytes(answersFile(f.state.installation),
                             QByteArrayLiteral("\xEF\xBB\xBF") + answersHeading().toUtf8() +
                                 "\r\n" + answerLines(today, Classroom::kSato, 4, 3) +
                                 answerLines(today.addDays(-3), Classroom::kSuzuki, 6, 1));
        f.context.navigate.startAimedPractice = [this](int kind) {
            ++aimedRuns;
            StartRun(f.context, f.drillParts(), MistakeKind(kind));
        };
    }
    QPushButton* button(QWidget* menu) const {
        return control<QPushButton>(menu, "aimedPracticeButton");
    }

    ScreenHarness f{Classroom{}};
    int aimedRuns = 0;
};

TEST_F(AimedPracticeMenuTest, OfferedOnlyToAPupilWithASystematicWayOfWorking) {
    struct Case {
        int pupil;
        bool offered;
    };
    for (const Case c : {Case{Classroom::kSuzuki, false}, Case{Classroom::kTanaka, false},
                         Case{Classroom::kSato, true}}) {
        SCOPED_TRACE(c.pupil);
        f.signIn(c.pupil);
        auto* menu = f.show(new Seisekitime1(f.context, f.menuParts()));
        QPushButton* b = button(menu);
        EXPECT_EQ(b->isVisible(), c.offered);
        if (!c.offered)
            continue;
        EXPECT_EQ(b->text(), QStringLiteral("弱点練習"));
        f.snapshot(QStringLiteral("aimed_practice_menu"));
        EXPECT_TRUE(b->toolTip().contains(QStringLiteral("位取り")));
        EXPECT_TRUE(b->focusPolicy() & Qt::TabFocus);
        // On the form at 1024 × 768, over no other visible button.
        EXPECT_TRUE(QRect(0, 0, 1024, 768).contains(b->geometry()));
        for (QPushButton* other : menu->findChildren<QPushButton*>()) {
            if (other != b && other->isVisible() && other->parentWidget() == menu) {
                EXPECT_FALSE(other->geometry().intersects(b->geometry()))
                    << other->objectName().toStdString();
            }
        }
    }
}

TEST_F(AimedPracticeMenuTest, ARunOfItWritesTenPracticeAnswersAndNoResult) {
    std::mt19937 generator(7);
    std::uniform_real_distribution<float> uniform(0.0f, 0.999f);
    for (int i = 0; i < 20000; ++i)
        f.random.push(uniform(generator));
    f.signIn(Classroom::kSato);
    const std::vector<ResultsRecord> before = f.records();
    const QByteArray resultsBefore = f.install.readBytes(resultsFile(f.state.installation));
    auto* menu = f.show(new Seisekitime1(f.context, f.menuParts()));
    QPushButton* b = button(menu);
    ASSERT_TRUE(b->isVisible());
    b->setFocus();
    QTest::keyClick(b, Qt::Key_Space);
    f.processEvents();
    ASSERT_EQ(aimedRuns, 1);
    EXPECT_EQ(f.went.runs, 0);
    auto* drill = f.currentAs<MainFrm>();
    ASSERT_NE(drill, nullptr);
    EXPECT_EQ(f.state.session.CurrentLevel, 1);
    for (int i = 0; i < 10; ++i) {
        EXPECT_TRUE(control<QLabel>(drill, "Label1")->isVisible()) << "the column layout at once";
        const Decimal first = leadingDecimal(control<QLabel>(drill, "qLabel1")->text()).value;
        const Decimal second = leadingDecimal(control<QLabel>(drill, "qlabel2")->text()).value;
        const bool plus = control<QLabel>(drill, "Label6")->text() == QStringLiteral("＋");
        const QString typed = Text(plus ? first + second : first - second);
        QTest::keyClicks(
            drill, typed + (typed.contains(u'.') ? QStringLiteral(" ") : QStringLiteral("  ")));
    }
    f.processEvents();
    EXPECT_EQ(f.went.resultsMenu, 1);

    Result<AnswersRead> read = readAnswersSince(answersFile(f.state.installation), QDate());
    ASSERT_TRUE(read.ok());
    ASSERT_EQ(read->records.size(), 4u + 6u + 10u);
    for (size_t i = 10; i < read->records.size(); ++i) {
        const AnswerRecord& a = read->records[i];
        EXPECT_TRUE(a.practice);
        EXPECT_TRUE(a.correct);
        EXPECT_EQ(a.pupil, Classroom::kSato);
        EXPECT_EQ(a.level, 1);
        EXPECT_TRUE(std::find(a.opportunities.begin(), a.opportunities.end(),
                              MistakeKind::PlaceAlignment) != a.opportunities.end());
        EXPECT_TRUE(answerLine(a).contains(",練習,"));
    }
    EXPECT_EQ(f.records().size(), before.size());
    EXPECT_EQ(f.install.readBytes(resultsFile(f.state.installation)), resultsBefore);
}

} // namespace
