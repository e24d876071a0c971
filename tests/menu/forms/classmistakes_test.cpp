// The class panel of the mistakes with decimals on the results menu: offered to the teacher
// entry only, opened without the password, over the view title and every column, showing the
// menu's grade group level by level, and following the group and the window chosen from what
// it read when it opened.

#include "app/screenparts.h"
#include "frame/datafiles.h"
#include "menu/forms/seisekitime1.h"
#include "results/answersfile.h"
#include "results/mistakesfile.h"
#include "support/control.h"
#include "support/screenharness.h"
#include "support/systematicanswers.h"
#include "support/testmistakes.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

// Level 1: 佐藤 (小３) the point in the wrong place three times and the digits lined up at the
// right once, 鈴木 (小３) the point twice, 高橋 (小６) the operation reversed four times;
// level 2: 鈴木 a zero dropped 20 days ago. Today is Wednesday 9 December 2026.
void writeMistakes(ScreenHarness& f) {
    const QDate today = f.clock.now().date();
    std::vector<MistakeRecord> lines;
    auto add = [&](int pupil, int level, MistakeKind kind, int n, int daysAgo = 0) {
        for (int i = 0; i < n; ++i)
            lines.push_back(testMistake(pupil, level, QStringLiteral("1."), kind,
                                        today.addDays(-daysAgo), QTime(9, i)));
    };
    add(Classroom::kSato, 1, MistakeKind::PointPosition, 3);
    add(Classroom::kSato, 1, MistakeKind::PlaceAlignment, 1);
    add(Classroom::kSuzuki, 1, MistakeKind::PointPosition, 2, 1);
    add(Classroom::kTakahashi, 1, MistakeKind::ReversedOperation, 4);
    add(Classroom::kSuzuki, 2, MistakeKind::Zero, 1, 20);
    ASSERT_TRUE(appendMistakes(mistakesFile(f.state.installation), lines, f.waiter).ok());
}

QStringList row(QTableWidget* table, int r) {
    QStringList out;
    for (int c = 0; c < table->columnCount(); ++c)
        out << (table->item(r, c) ? table->item(r, c)->text() : QString());
    return out;
}

// The font a cell is drawn in: its own, or the table's.
QFont fontOf(const QTableWidget* table, const QTableWidgetItem* item) {
    return item->data(Qt::FontRole).isValid() ? item->font() : table->font();
}

QString describe(QRect r) {
    return QStringLiteral("(%1,%2 %3×%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

TEST(ClassMistakes, PupilsWhoGoWrongTheSameWayAreNamedPerLevel) {
    ScreenHarness f{Classroom{}};
    // 佐藤 lined up the last digits on 4 of 5 problems where it shows, 鈴木 once in 5.
    const QDate today = f.clock.now().date();
    std::vector<AnswerRecord> answers =
        systematicAnswers(Classroom::kSato, 1, MistakeKind::PlaceAlignment, 5, 4, today);
    for (const AnswerRecord& a :
         systematicAnswers(Classroom::kSuzuki, 1, MistakeKind::PlaceAlignment, 5, 1, today))
        answers.push_back(a);
    const QByteArray bytes = answersFileBytes(answers);
    f.install.writeBytes(answersFile(f.state.installation), bytes);
    f.signIn(Classroom::kTeacher);
    auto* menu = f.show(new Seisekitime1(f.context, f.menuParts()));
    QTest::mouseClick(control<QPushButton>(menu, "mistakesButton"), Qt::LeftButton);
    auto* list = control<QTextEdit>(menu, "classSystematicList");
    EXPECT_FALSE(list->isVisible()) << "the panel opens at the counts";
    auto* button = control<QPushButton>(menu, "classSystematicButton");
    EXPECT_EQ(button->text(), QStringLiteral("くり返す間違い"));
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(list->isVisible());
    EXPECT_FALSE(control<QWidget>(menu, "classMistakesTable")->isVisible());
    EXPECT_EQ(button->text(), QStringLiteral("間違いの数"));
    f.snapshot(QStringLiteral("class_systematic"));
    EXPECT_EQ(list->toPlainText(), QStringLiteral("1 足し算１　位取り：") +
                                       f.state.roster.RosterNames[Classroom::kSato].trimmed() +
                                       QStringLiteral(" 4/5"));
    // Not among this grade group.
    auto* group = control<QComboBox>(menu, "Combo1");
    group->setCurrentIndex(group->findText(QStringLiteral("小６")));
    emit group->activated(group->currentIndex());
    EXPECT_EQ(list->toPlainText(), QStringLiteral("この期間にはいません。"));
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(control<QWidget>(menu, "classMistakesTable")->isVisible());
}

TEST(ClassMistakes, OnlyTheTeacherIsOfferedThePanel) {
    ScreenHarness f{Classroom{}};
    f.signIn(Classroom::kSato);
    auto* menu = f.show(new Seisekitime1(f.context, f.menuParts()));
    EXPECT_FALSE(control<QPushButton>(menu, "mistakesButton")->isVisible());
}

TEST(ClassMistakes, TheGroupsKindsPerLevelWithoutThePassword) {
    ScreenHarness f{Classroom{}};
    writeMistakes(f);
    f.signIn(Classroom::kTeacher);
    auto* menu = f.show(new Seisekitime1(f.context, f.menuParts()));
    auto* button = control<QPushButton>(menu, "mistakesButton");
    ASSERT_TRUE(button->isVisible());
    EXPECT_EQ(button->text(), QStringLiteral("間違いの傾向"));
    EXPECT_FALSE(button->geometry().intersects(control<QWidget>(menu, "Command8")->geometry()));
    QTest::mouseClick(button, Qt::LeftButton);

    auto* panel = control<QWidget>(menu, "classMistakesPanel");
    ASSERT_TRUE(panel->isVisible());
    EXPECT_FALSE(control<QWidget>(menu, "Picture7")->isVisible()) << "no password asked";
    EXPECT_TRUE(f.dialogs.shown.empty());
    f.snapshot(QStringLiteral("class_mistakes"));

    // Over the view title and every column control in sight.
    const QRect covered = panel->geometry();
    const QRegularExpression underneath(
        QStringLiteral("^(Label5|(Label(1|3|7|8|9|10|14|15)|Command4|Text1|List5)_[1-9][0-9]*)$"));
    const QRect form(0, 0, kScreenWidth, kScreenHeight);
    for (QWidget* w : menu->findChildren<QWidget*>(underneath, Qt::FindDirectChildrenOnly)) {
        const QRect inSight = w->geometry() & form;
        if (!w->isVisibleTo(menu) || inSight.isEmpty())
            continue;
        EXPECT_TRUE(covered.contains(inSight))
            << w->objectName().toStdString() << " " << describe(inSight).toStdString()
            << " shows beside the panel " << describe(covered).toStdString();
    }
    EXPECT_TRUE(form.contains(covered));

    auto* heading = control<QLabel>(panel, "classMistakesHeading");
    EXPECT_EQ(heading->text(), QStringLiteral("間違いの傾向　全学年（最近１ヶ月）"));
    auto* table = control<QTableWidget>(panel, "classMistakesTable");
    ASSERT_EQ(table->rowCount(), 5);
    EXPECT_EQ(row(table, 0),
              (QStringList{QStringLiteral("1 足し算１"), QStringLiteral("10回"),
                           QStringLiteral("3人"), QStringLiteral("小数点の位置\n5回（50％）"),
                           QStringLiteral("逆算\n4回（40％）"),
                           QStringLiteral("位取り\n1回（10％）"), QString()}));
    EXPECT_EQ(row(table, 1)[1], QStringLiteral("1回"));
    EXPECT_EQ(row(table, 2)[1], QStringLiteral("－"));
    // Nothing cut: every column within the table's width, every row as tall as its text.
    EXPECT_LE(table->horizontalHeader()->length(), table->viewport()->width());
    EXPECT_LE(table->verticalHeader()->length(), table->viewport()->height());
    for (int r = 0; r < table->rowCount(); ++r)
        for (int c = 0; c < table->columnCount(); ++c)
            if (QTableWidgetItem* item = table->item(r, c)) {
                const QRect cell = table->visualItemRect(item);
                const QRect needed = QFontMetrics(fontOf(table, item))
                                         .boundingRect(QRect(0, 0, cell.width() - 8, 1000),
                                                       Qt::TextWordWrap, item->text());
                EXPECT_LE(needed.height(), cell.height()) << item->text().toStdString();
            }

    // Another grade group and another window, from what was read when the panel opened.
    ASSERT_TRUE(QFile::remove(mistakesFile(f.state.installation)));
    auto* group = control<QComboBox>(menu, "Combo1");
    group->setCurrentIndex(group->findText(QStringLiteral("小３")));
    emit group->activated(group->currentIndex());
    ASSERT_TRUE(panel->isVisible()) << "the panel stays up for another group";
    EXPECT_EQ(heading->text(), QStringLiteral("間違いの傾向　小３（最近１ヶ月）"));
    EXPECT_EQ(row(table, 0).mid(1, 4), (QStringList{QStringLiteral("6回"), QStringLiteral("2人"),
                                                    QStringLiteral("小数点の位置\n5回（83％）"),
                                                    QStringLiteral("位取り\n1回（17％）")}));
    EXPECT_EQ(row(table, 1)[1], QStringLiteral("1回"));
    auto* window = control<QComboBox>(panel, "classMistakeWindow");
    window->setCurrentIndex(0); // this week: Monday to today
    emit window->activated(0);
    EXPECT_EQ(heading->text(), QStringLiteral("間違いの傾向　小３（今週）"));
    EXPECT_EQ(row(table, 1)[1], QStringLiteral("－"));

    QTest::mouseClick(control<QPushButton>(panel, "classMistakesBack"), Qt::LeftButton);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(control<QPushButton>(menu, "Command1")->isVisible());
}

// The most a level can say, on every level: the five levels show at once, nothing cut.
TEST(ClassMistakes, EveryKindOnEveryLevelShowsWithoutScrolling) {
    ScreenHarness f{Classroom{}};
    const QDate today = f.clock.now().date();
    std::vector<MistakeRecord> lines;
    for (int level = 1; level <= 5; ++level)
        for (size_t k = 0; k < kMistakeKinds.size(); ++k)
            for (int i = 0; i < 10 + int(k); ++i)
                lines.push_back(testMistake(1 + i % 4, level, QStringLiteral("1."),
                                            kMistakeKinds[k], today, QTime(9, 0)));
    ASSERT_TRUE(appendMistakes(mistakesFile(f.state.installation), lines, f.waiter).ok());
    f.signIn(Classroom::kTeacher);
    auto* menu = f.show(new Seisekitime1(f.context, f.menuParts()));
    QTest::mouseClick(control<QPushButton>(menu, "mistakesButton"), Qt::LeftButton);
    f.processEvents();
    f.snapshot(QStringLiteral("class_mistakes_every_kind"));
    auto* table = control<QTableWidget>(menu, "classMistakesTable");
    ASSERT_EQ(table->rowCount(), 5);
    EXPECT_TRUE(
        row(table, 0)[6].startsWith(QStringLiteral("繰り上がり・繰り下がり 14回\n逆算 13回\n")))
        << "the rest";
    EXPECT_LE(table->horizontalHeader()->length(), table->viewport()->width());
    EXPECT_LE(table->verticalHeader()->length(), table->viewport()->height())
        << "the levels do not show at once";
    for (int r = 0; r < table->rowCount(); ++r) {
        int tallest = 0;
        for (int c = 0; c < table->columnCount(); ++c) {
            QTableWidgetItem* item = table->item(r, c);
            const QRect cell = table->visualItemRect(item);
            const QRect needed = QFontMetrics(fontOf(table, item))
                                     .boundingRect(QRect(0, 0, cell.width() - 8, 1000),
                                                   Qt::TextWordWrap, item->text());
            EXPECT_LE(needed.height(), cell.height()) << item->text().toStdString();
            // With room to spare: the fonts of a real display measure a little wider.
            for (const QString& line : item->text().split(u'\n'))
                EXPECT_LE(QFontMetrics(fontOf(table, item)).horizontalAdvance(line),
                          cell.width() - 14)
                    << "a line breaks: " << line.toStdString();
            tallest = std::max(tallest, needed.height());
        }
        EXPECT_LE(table->rowHeight(r), tallest + 24) << "row " << r << " far taller than its text";
    }
}

TEST(ClassMistakes, AnotherViewPutsThePanelAway) {
    ScreenHarness f{Classroom{}};
    f.signIn(Classroom::kTeacher);
    auto* menu = f.show(new Seisekitime1(f.context, f.menuParts()));
    QTest::mouseClick(control<QPushButton>(menu, "mistakesButton"), Qt::LeftButton);
    auto* panel = control<QWidget>(menu, "classMistakesPanel");
    ASSERT_TRUE(panel->isVisible());
    EXPECT_EQ(control<QTableWidget>(panel, "classMistakesTable")->item(0, 1)->text(),
              QStringLiteral("－"))
        << "no mistakes file yet: nothing counted";
    QTest::mouseClick(control<QRadioButton>(menu, "Option2_0"), Qt::LeftButton);
    EXPECT_FALSE(panel->isVisible());
}

TEST(ClassMistakes, LevelKeysDoNotStartTheLevelsThePanelHides) {
    ScreenHarness f{Classroom{}};
    f.signIn(Classroom::kTeacher);
    int runs = 0;
    f.context.navigate.startRun = [&runs] { ++runs; };
    auto* menu = f.show(new Seisekitime1(f.context, f.menuParts()));
    QTest::mouseClick(control<QPushButton>(menu, "mistakesButton"), Qt::LeftButton);
    ASSERT_TRUE(control<QWidget>(menu, "classMistakesPanel")->isVisible());
    QTest::keyClick(menu, Qt::Key_1);
    EXPECT_EQ(runs, 0) << "the start buttons are under the panel";
    QTest::mouseClick(control<QRadioButton>(menu, "Option2_0"), Qt::LeftButton);
    QTest::keyClick(menu, Qt::Key_1);
    EXPECT_EQ(runs, 1) << "with the panel away the key starts level 1 again";
}

TEST(ClassMistakes, AFileThatCannotBeReadIsSaidOnThePanel) {
    ScreenHarness f{Classroom{}};
    ASSERT_TRUE(QDir().mkpath(mistakesFile(f.state.installation)));
    f.signIn(Classroom::kTeacher);
    auto* menu = f.show(new Seisekitime1(f.context, f.menuParts()));
    QTest::mouseClick(control<QPushButton>(menu, "mistakesButton"), Qt::LeftButton);
    auto* panel = control<QWidget>(menu, "classMistakesPanel");
    EXPECT_TRUE(control<QLabel>(panel, "classMistakesNote")
                    ->text()
                    .startsWith(QStringLiteral("誤答記録を読めません。")));
    EXPECT_EQ(control<QTableWidget>(panel, "classMistakesTable")->rowCount(), 0);
    EXPECT_TRUE(f.dialogs.shown.empty());
}

} // namespace
