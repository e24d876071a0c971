// The criteria editor driven by keys and clicks: what reaches the grid, the changed mark, the
// file and the criteria in effect.

#include "frame/cp932.h"
#include "support/control.h"
#include "support/screenharness.h"
#include "teacher/columnexplanations.h"
#include "teacher/forms/frmtimedata.h"
#include "teacher/forms/frmtimedatapeer.h"

#include <QDir>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTableWidget>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace zanfolio::testing {
namespace {

const QColor kYellow(255, 255, 0);

class CriteriaEditor : public ::testing::Test {
  protected:
    void SetUp() override {
        // Levels whose cells differ, so that copies and restores show.
        h.install.writeCriteria(
            {QStringLiteral("40,60,30,5,1,,,7,7,a,,"), QStringLiteral("41,61,31,6,1.5,3,,7,7,,b,"),
             QStringLiteral("42,62,32,7,2,,50,7,7,,,"), QStringLiteral("43,63,33,8,1,,,14,14,,,c"),
             QStringLiteral("44,64,34,9,1,,,7,7,,,")});
        reloadCriteria();
        open();
    }

    void reloadCriteria() {
        ASSERT_TRUE(LoadCriteriaTable(h.install.criteriaPath(), h.state.Criteria));
    }

    void open() {
        h.context.navigate.showResultsMenu = [this] { ++menuShown; };
        h.host.replace(new FrmTimeData(h.context, h.teacherParts()));
        h.processEvents();
        form = h.currentAs<FrmTimeData>();
        ASSERT_NE(form, nullptr);
    }

    QTableWidget* grid() const { return control<QTableWidget>(form, "MSFlexGrid1"); }
    QLineEdit* inputText() const { return control<QLineEdit>(form, "Gridinputtext"); }
    QString cell(int r, int c) const { return grid()->item(r, c)->text(); }
    QColor colour(int r, int c) const { return grid()->item(r, c)->background().color(); }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(inputText(), k, m);
    }
    void type(const QString& text) {
        inputText()->selectAll();
        QTest::keyClicks(inputText(), text);
    }
    void click(const char* button) {
        auto* b = control<QPushButton>(form, button);
        ASSERT_NE(b, nullptr);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // A click on the grid's cell (row, column), as the teacher clicks it.
    void clickCell(int row, int column) {
        QTableWidget* g = grid();
        const QRect place = g->visualItemRect(g->item(row, column));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, place.center());
    }
    // The form state that no control shows.
    int changedMark() const { return FrmTimeDataTestPeer::changedMark(*form); }
    int levelRows() const { return FrmTimeDataTestPeer::levelRows(*form); }
    int currentRow() const { return FrmTimeDataTestPeer::currentRow(*form); }
    int currentColumn() const { return FrmTimeDataTestPeer::currentColumn(*form); }
    int selectionLastRow() const { return FrmTimeDataTestPeer::selectionLastRow(*form); }
    int distributionRuns() const { return FrmTimeDataTestPeer::distributionRuns(*form); }
    QStringList fileLines() const {
        Result<QString> text = readCp932File(h.install.criteriaPath());
        EXPECT_TRUE(text);
        return text ? text->split(QStringLiteral("\r\n"), Qt::SkipEmptyParts) : QStringList{};
    }
    QStringList listLines(const char* name) const {
        QStringList out;
        auto* list = control<QListWidget>(form, name);
        for (int i = 0; list && i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }

    ScreenHarness h;
    FrmTimeData* form = nullptr;
    int menuShown = 0;
};

TEST_F(CriteriaEditor, GridHoldsCaptionRowLevelColumnAndFileCells) {
    ASSERT_EQ(grid()->columnCount(), 13);
    EXPECT_EQ(levelRows(), 5);
    EXPECT_EQ(grid()->rowCount(), 6);
    const QStringList captions{QStringLiteral("レベル"),
                               QStringLiteral("目標Time"),
                               QStringLiteral("最低Time"),
                               QStringLiteral("ｸﾘｱﾎﾟｲﾝﾄ"),
                               QStringLiteral("ｸﾘｱ回数"),
                               QStringLiteral("ﾎﾟｲﾝﾄ倍率"),
                               QStringLiteral("禁回"),
                               QStringLiteral("禁点"),
                               QStringLiteral("判期間"),
                               QStringLiteral("禁期間"),
                               QString(),
                               QString(),
                               QString()};
    for (int c = 0; c < 13; ++c)
        EXPECT_EQ(cell(0, c), captions[c]) << c;
    for (int r = 1; r <= 5; ++r)
        EXPECT_EQ(cell(r, 0), QString::number(r));
    EXPECT_EQ(cell(2, 5), QStringLiteral("1.5"));
    EXPECT_EQ(cell(4, 12), QStringLiteral("c"));
    // Activation: row 1, column 1, its text in the box, the column's explanation.
    EXPECT_EQ(currentRow(), 1);
    EXPECT_EQ(currentColumn(), 1);
    EXPECT_EQ(inputText()->text(), QStringLiteral("40"));
    EXPECT_EQ(control<QLabel>(form, "Label3")->text(), columnExplanation(1));
    EXPECT_EQ(inputText()->geometry(), grid()->visualItemRect(grid()->item(1, 1)));
}

// Each caption stands whole on one line: a caption wider than its column wrapped in the
// middle of the word (ｸﾘｱﾎﾟｲ / ﾝﾄ). And all thirteen columns stay in view beside the
// distribution panel.
TEST_F(CriteriaEditor, EachCaptionFitsItsColumnOnOneLine) {
    QTableWidget* g = grid();
    // A cell's text keeps a margin on either side (the item view's text margin).
    const int margins = 2 * (g->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, g) + 1);
    for (int c = 0; c < g->columnCount(); ++c) {
        const QTableWidgetItem* caption = g->item(0, c);
        // Fractions count: a line 52.2 pixels long does not fit 52 and wraps.
        const int needed =
            int(std::ceil(QFontMetricsF(caption->font()).horizontalAdvance(caption->text()))) +
            margins;
        EXPECT_LE(needed, g->visualItemRect(caption).width()) << caption->text().toStdString();
    }
    EXPECT_LE(g->horizontalHeader()->length(), g->viewport()->width());
    EXPECT_LT(g->geometry().right(), control<QWidget>(form, "Picture3")->x());
    h.snapshot(QStringLiteral("criteria-editor"));
}

TEST_F(CriteriaEditor, TypingTurnsOnlyTheChangedCellYellowAndSetsTheMark) {
    key(Qt::Key_Down);
    type(QStringLiteral("45"));
    EXPECT_EQ(cell(2, 1), QStringLiteral("45"));
    EXPECT_EQ(colour(2, 1), kYellow);
    EXPECT_NE(colour(1, 1), kYellow);
    EXPECT_EQ(changedMark(), 1);
    // Moving on copies the next cell into the box without marking it.
    key(Qt::Key_Right);
    EXPECT_EQ(inputText()->text(), QStringLiteral("61"));
    EXPECT_NE(colour(2, 2), kYellow);
}

TEST_F(CriteriaEditor, CaretStandsAfterTheTenthCharacter) {
    type(QStringLiteral("123456789012345"));
    key(Qt::Key_Right);
    key(Qt::Key_Left);
    EXPECT_EQ(inputText()->text(), QStringLiteral("123456789012345"));
    EXPECT_EQ(inputText()->cursorPosition(), 10);
    key(Qt::Key_Right);
    EXPECT_EQ(inputText()->cursorPosition(), 2); // "60": at its end
}

TEST_F(CriteriaEditor, ArrowKeysStopAtTheEdgesAndEveryKeyButEscRefreshesThePanel) {
    struct Step {
        Qt::Key key;
        int row, column, refreshes;
    };
    const Step steps[] = {
        {Qt::Key_Up, 1, 1, 1},   {Qt::Key_Left, 1, 1, 1},   {Qt::Key_Down, 2, 1, 1},
        {Qt::Key_Down, 3, 1, 1}, {Qt::Key_Down, 4, 1, 1},   {Qt::Key_Down, 5, 1, 1},
        {Qt::Key_Down, 5, 1, 1}, {Qt::Key_Return, 5, 1, 1}, {Qt::Key_Escape, 5, 1, 0},
        {Qt::Key_Up, 4, 1, 1},
    };
    for (const Step& s : steps) {
        const int before = distributionRuns();
        key(s.key);
        EXPECT_EQ(currentRow(), s.row) << s.key;
        EXPECT_EQ(currentColumn(), s.column) << s.key;
        EXPECT_EQ(distributionRuns() - before, s.refreshes) << s.key;
    }
    for (int i = 0; i < 14; ++i)
        key(Qt::Key_Right);
    EXPECT_EQ(currentColumn(), 12);
    EXPECT_EQ(control<QLabel>(form, "Label3")->text(), QString());
    key(Qt::Key_Left);
    key(Qt::Key_Left);
    key(Qt::Key_Left);
    EXPECT_EQ(currentColumn(), 9);
    EXPECT_EQ(control<QLabel>(form, "Label3")->text(), columnExplanation(9));
    EXPECT_EQ(changedMark(), 0);
}

TEST_F(CriteriaEditor, ShiftDownCopiesDownTheColumnWithoutMarkingAndBackAsksNothing) {
    clickCell(2, 3); // 31
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(selectionLastRow(), 4);
    EXPECT_EQ(currentRow(), 2);
    for (int r = 2; r <= 4; ++r) {
        EXPECT_EQ(cell(r, 3), QStringLiteral("31")) << r;
        EXPECT_NE(colour(r, 3), kYellow) << r;
    }
    EXPECT_EQ(cell(5, 3), QStringLiteral("34"));
    EXPECT_EQ(cell(1, 3), QStringLiteral("30"));
    // The selection ends at the last row.
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(selectionLastRow(), 5);
    EXPECT_EQ(cell(5, 3), QStringLiteral("31"));
    EXPECT_EQ(changedMark(), 0);

    const QStringList before = fileLines();
    click("Command4");
    EXPECT_TRUE(h.dialogs.shown.empty());
    EXPECT_EQ(menuShown, 1);
    EXPECT_EQ(fileLines(), before); // the copies were never saved
}

TEST_F(CriteriaEditor, SpaceEmptiesTheCellAndCountsAsAChange) {
    key(Qt::Key_Right);
    key(Qt::Key_Space);
    EXPECT_EQ(cell(1, 2), QString());
    EXPECT_EQ(inputText()->text(), QString());
    EXPECT_EQ(colour(1, 2), kYellow);
    EXPECT_EQ(changedMark(), 1);
}

TEST_F(CriteriaEditor, ACommaOrAQuoteIsRefusedWithAMessageAndTheFileKeepsTwelveFields) {
    for (int i = 0; i < 4; ++i)
        key(Qt::Key_Right); // ﾎﾟｲﾝﾄ倍率 of level 1
    type(QStringLiteral("1,5"));
    type(QStringLiteral("2\""));
    ASSERT_EQ(h.dialogs.shown.size(), 2u);
    for (const auto& shown : h.dialogs.shown)
        EXPECT_TRUE(shown.text.contains(QStringLiteral("入力できません")));
    EXPECT_EQ(cell(1, 5), QStringLiteral("2"));
    EXPECT_EQ(inputText()->text(), QStringLiteral("2"));
    click("Command3"); // 記録
    const QStringList lines = fileLines();
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[1], QStringLiteral("40,60,30,5,2,,,7,7,a,,"));
    EXPECT_EQ(h.state.Criteria.StandardTime[2], 41);
}

TEST_F(CriteriaEditor, UndoRestoresTheFileButBackStillAsks) {
    type(QStringLiteral("99"));
    click("Command2");
    EXPECT_EQ(cell(1, 1), QStringLiteral("40"));
    EXPECT_NE(colour(1, 1), kYellow);
    // The box shows the restored text: the next key must not write "99" back.
    EXPECT_EQ(inputText()->text(), QStringLiteral("40"));
    key(Qt::Key_Return);
    EXPECT_EQ(cell(1, 1), QStringLiteral("40"));
    EXPECT_EQ(changedMark(), 1);

    h.dialogs.answers.push_back(Dialogs::Answer::No);
    click("Command4");
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_EQ(h.dialogs.shown[0].title, QStringLiteral("注意"));
    EXPECT_EQ(h.dialogs.shown[0].text, QStringLiteral("データが変更されています。記録しますか？"));
    EXPECT_EQ(h.dialogs.shown[0].buttons, Dialogs::Buttons::YesNo);
    EXPECT_EQ(menuShown, 1);
}

class CriteriaEditorBack : public CriteriaEditor,
                           public ::testing::WithParamInterface<Dialogs::Answer> {};

TEST_P(CriteriaEditorBack, YesSavesAndNoDiscardsBeforeTheMenu) {
    const bool yes = GetParam() == Dialogs::Answer::Yes;
    key(Qt::Key_Down);
    type(QStringLiteral("33"));
    h.dialogs.answers.push_back(GetParam());
    click("Command4");
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_EQ(menuShown, 1);
    EXPECT_EQ(fileLines().value(2).section(u',', 0, 0),
              yes ? QStringLiteral("33") : QStringLiteral("41"));
    EXPECT_EQ(h.state.Criteria.StandardTime[2], yes ? 33 : 41);
    EXPECT_EQ(control<QLabel>(form, "Picture6")->isVisibleTo(form), true);
}

INSTANTIATE_TEST_SUITE_P(Answers, CriteriaEditorBack,
                         ::testing::Values(Dialogs::Answer::Yes, Dialogs::Answer::No));

TEST_F(CriteriaEditor, SavePutsTheCriteriaIntoEffectAtOnceAndWritesTheStandardCaptions) {
    h.install.writeCriteria({QStringLiteral("40,60,30,5,1,,,7,7,a,,")});
    QStringList lines = fileLines();
    lines[0] = QStringLiteral("changed,by,hand,,,,,,,,,");
    h.install.writeLines(h.install.criteriaPath(), lines);
    click("Command2");
    ASSERT_EQ(levelRows(), 1);
    type(QStringLiteral("35"));
    key(Qt::Key_Right);
    key(Qt::Key_Right);
    key(Qt::Key_Right);
    key(Qt::Key_Right);
    type(QStringLiteral("2.5"));
    click("Command3");
    EXPECT_EQ(changedMark(), 0);
    EXPECT_TRUE(h.dialogs.shown.empty());
    EXPECT_EQ(
        fileLines(),
        (QStringList{QStringLiteral(
                         "目標Time,最低Time,ｸﾘｱﾎﾟｲﾝﾄ,ｸﾘｱ回数,ﾎﾟｲﾝﾄ倍率,禁回,禁点,判期間,禁期間,,,"),
                     QStringLiteral("35,60,30,5,2.5,,,7,7,a,,")}));
    EXPECT_EQ(h.state.Criteria.StandardTime[1], 35);
    EXPECT_FLOAT_EQ(h.state.Criteria.PointMultiplier[1], 2.5f);
    EXPECT_FALSE(control<QLabel>(form, "Picture6")->isVisibleTo(form));
    // The screen says it was saved, and the cells lose their marks until the next change.
    auto* saved = control<QLabel>(form, "savedNotice");
    ASSERT_NE(saved, nullptr);
    EXPECT_TRUE(saved->isVisibleTo(form));
    EXPECT_EQ(saved->text(), QStringLiteral("記録しました。"));
    EXPECT_NE(colour(1, 1), kYellow);
    EXPECT_NE(colour(1, 5), kYellow);
    type(QStringLiteral("36"));
    EXPECT_FALSE(saved->isVisibleTo(form));
    EXPECT_EQ(colour(1, 5), kYellow);
    type(QStringLiteral("2.5"));
    click("Command3");
    // Saved: back goes without a question.
    click("Command4");
    EXPECT_TRUE(h.dialogs.shown.empty());
}

TEST_F(CriteriaEditor, FailedSaveKeepsTheGridTheMarkAndTheCriteriaAndStaysOnBack) {
    type(QStringLiteral("77"));
    const QString dataDir = h.install.programDataDir();
    ASSERT_TRUE(QDir().rename(dataDir, dataDir.chopped(1) + QStringLiteral("-away")));
    click("Command3");
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_TRUE(h.dialogs.shown[0].text.startsWith(QStringLiteral("記録できませんでした。")));
    EXPECT_EQ(changedMark(), 1);
    EXPECT_EQ(cell(1, 1), QStringLiteral("77"));
    EXPECT_EQ(h.state.Criteria.StandardTime[1], 40);

    // Back, Yes, and the save fails again: the editor stays with the edits.
    h.dialogs.answers.push_back(Dialogs::Answer::Yes);
    click("Command4");
    EXPECT_EQ(h.dialogs.shown.size(), 3u); // the question and the failure
    EXPECT_EQ(menuShown, 0);
    EXPECT_EQ(changedMark(), 1);

    // The folder is back: the save goes through.
    ASSERT_TRUE(QDir().rename(dataDir.chopped(1) + QStringLiteral("-away"), dataDir));
    click("Command3");
    EXPECT_EQ(changedMark(), 0);
    EXPECT_EQ(h.state.Criteria.StandardTime[1], 77);
}

TEST_F(CriteriaEditor, DistributionListsFollowTheCurrentRow) {
    h.appendRecord(1, 45, 0, 12);
    h.appendRecord(1, 52, 3, 12);
    h.appendRecord(1, 99999, 1, 13);
    h.appendRecord(2, 30, 0, 12);
    clickCell(1, 4);
    const QStringList all = listLines("List3");
    const QStringList best = listLines("List4");
    ASSERT_EQ(all.size(), 102);
    ASSERT_EQ(best.size(), 102);
    EXPECT_EQ(all[0], QStringLiteral("レベル1 今まで3回  （★=1）"));
    EXPECT_EQ(all[1 + 4], QStringLiteral("  40～★"));
    EXPECT_EQ(all[1 + 5], QStringLiteral("  50～★"));
    EXPECT_EQ(all[1 + 100], QStringLiteral("1000～★"));
    EXPECT_EQ(all[1 + 3], QStringLiteral("  30～"));
    EXPECT_EQ(best[0], QStringLiteral("レベル1 （★=1）"));
    EXPECT_EQ(best[1 + 4], QStringLiteral("  40～★")); // pupil 12's best, 45 s
    EXPECT_EQ(best[1 + 5], QStringLiteral("  50～"));
    EXPECT_EQ(best[1 + 30], QStringLiteral(" 300～★")); // pupil 13, timed out only

    key(Qt::Key_Down);
    EXPECT_EQ(listLines("List3").value(0), QStringLiteral("レベル2 今まで1回  （★=1）"));
    EXPECT_EQ(listLines("List3").value(1 + 3), QStringLiteral("  30～★"));
    key(Qt::Key_Down);
    EXPECT_EQ(listLines("List3").value(0), QStringLiteral("レベル3 今まで0回  （★=1）"));

    auto* panel = control<QWidget>(form, "Picture3");
    QTest::mouseClick(control<QRadioButton>(form, "Option1_1"), Qt::LeftButton);
    EXPECT_FALSE(panel->isVisibleTo(form));
    QTest::mouseClick(control<QRadioButton>(form, "Option1_0"), Qt::LeftButton);
    EXPECT_TRUE(panel->isVisibleTo(form));
}

// Moving from cell to cell reads nothing: the counts are read when the panel is first filled
// and again only once the results file has changed.
TEST_F(CriteriaEditor, TheDistributionIsReadAgainOnlyWhenTheResultsFileChanges) {
    const auto reads = [this] { return FrmTimeDataTestPeer::distributionReads(*form); };
    h.appendRecord(1, 45, 0, 12);
    key(Qt::Key_Right);
    const int afterChange = reads();
    for (Qt::Key k : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Up, Qt::Key_Left, Qt::Key_Down})
        key(k);
    clickCell(1, 3);
    EXPECT_EQ(reads(), afterChange) << "unchanged file, no read";
    EXPECT_EQ(listLines("List3").value(0), QStringLiteral("レベル1 今まで1回  （★=1）"));

    h.appendRecord(1, 47, 0, 13); // another computer records a run
    key(Qt::Key_Right);
    EXPECT_EQ(reads(), afterChange + 1);
    EXPECT_EQ(listLines("List3").value(0), QStringLiteral("レベル1 今まで2回  （★=1）"));
}

} // namespace
} // namespace zanfolio::testing
