// The roster form driven as a pupil would: the list, the grade groups, the display modes, the
// confirmation, the way back to the launcher and the version box.

#include "frame/dialogs.h"
#include "frame/forms/textlist.h"
#include "roster/forms/namesel.h"
#include "roster/forms/nameselpeer.h"
#include "support/closingwaiter.h"
#include "support/control.h"
#include "support/screenharness.h"
#include "support/screenshots.h"
#include "version/forms/frmver.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

int rowOf(TextList* list, const QString& name) {
    for (int i = 0; i < list->count(); ++i)
        if (list->text(i).contains(name))
            return i;
    return -1;
}

void chooseGroup(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

QStringList entries(QComboBox* combo) {
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

TEST(RosterForm, ListShowsPlaceholderAndPupilsAndEnterSignsIn) {
    ScreenHarness f{Classroom{}};
    auto* form = f.show(new Namesel(f.context, f.rosterParts()));
    auto* list = control<TextList>(form, "List1");
    EXPECT_EQ(f.host.windowTitle(), QStringLiteral("Velmont"));
    ASSERT_EQ(list->count(), 6);
    EXPECT_EQ(list->text(0), QStringLiteral("－－－－－－"));
    EXPECT_EQ(list->currentRow(), 0);
    // The teacher (born 1980) is the oldest and comes first, then 中２, 小６, the two 小３.
    EXPECT_TRUE(list->text(1).contains(QStringLiteral("山田先生")));
    EXPECT_TRUE(list->text(2).contains(QStringLiteral("田中")));
    EXPECT_EQ(control<QLabel>(form, "Label4")->text(), QStringLiteral("Zanfolio"));
    EXPECT_EQ(control<QLabel>(form, "Label4")->font().pointSize(), 48);
    EXPECT_EQ(control<QComboBox>(form, "Combo1")->toolTip(),
              QStringLiteral("表示する学年を選びなさい"));
    EXPECT_FALSE(control<QLabel>(form, "Picture5")->isVisible());
    f.snapshot(QStringLiteral("namesel"));

    list->setCurrentRow(rowOf(list, QStringLiteral("佐藤")));
    EXPECT_EQ(control<QLabel>(form, "Label1")->text().left(5), QStringLiteral("小3 佐藤"));
    EXPECT_EQ(control<QLabel>(form, "Label2")->text(), QStringLiteral("1"));
    f.clock.advanceMs(5500);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(f.went.resultsMenu, 1);
    EXPECT_EQ(f.state.session.CurrentStudent, Classroom::kSato);
    EXPECT_EQ(f.state.session.StudentName, QStringLiteral("佐藤").leftJustified(20));
    EXPECT_EQ(f.state.session.StudentGrade, QStringLiteral("小３"));
    EXPECT_EQ(f.state.session.SignInTime, 10 * 3600 + 5);
    EXPECT_EQ(f.state.program.LevelCount, 5);
    EXPECT_EQ(f.state.program.LevelNames[1], QStringLiteral("足し算１"));
    EXPECT_FALSE(control<QPushButton>(form, "Command14")->isVisible());
}

TEST(RosterForm, DoubleClickConfirmsAndOneKeyConfirms) {
    {
        ScreenHarness f{Classroom{}};
        auto* form = f.show(new Namesel(f.context, f.rosterParts()));
        auto* list = control<TextList>(form, "List1");
        const int row = rowOf(list, QStringLiteral("高橋"));
        list->setCurrentRow(row);
        emit list->rowDoubleClicked(row);
        EXPECT_EQ(f.went.resultsMenu, 1);
        EXPECT_EQ(f.state.session.CurrentStudent, Classroom::kTakahashi);
        // The double-click shows the name with its padding and first figure, up to the "/".
        const QString label = control<QLabel>(form, "Label1")->text();
        EXPECT_FALSE(label.contains(u'/'));
        EXPECT_TRUE(label.startsWith(QStringLiteral("小6 高橋")));
    }
    {
        ScreenHarness f{Classroom{}};
        auto* form = f.show(new Namesel(f.context, f.rosterParts()));
        auto* list = control<TextList>(form, "List1");
        list->setCurrentRow(rowOf(list, QStringLiteral("鈴木")));
        // "1" typed anywhere on the form, here on the grade-group box.
        QTest::keyClicks(control<QComboBox>(form, "Combo1"), QStringLiteral("1"));
        EXPECT_EQ(f.went.resultsMenu, 1);
        EXPECT_EQ(f.state.session.CurrentStudent, Classroom::kSuzuki);
    }
}

TEST(RosterForm, GradeGroupFiltersAndActivationResetsIt) {
    ScreenHarness f{Classroom{}};
    auto* form = f.show(new Namesel(f.context, f.rosterParts()));
    auto* list = control<TextList>(form, "List1");
    auto* combo = control<QComboBox>(form, "Combo1");
    list->setCurrentRow(rowOf(list, QStringLiteral("田中")));
    chooseGroup(combo, QStringLiteral("小３"));
    ASSERT_EQ(list->count(), 3);
    EXPECT_TRUE(list->text(1).contains(QStringLiteral("佐藤")) ||
                list->text(1).contains(QStringLiteral("鈴木")));
    EXPECT_EQ(rowOf(list, QStringLiteral("田中")), -1);
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(control<QLabel>(form, "Label1")->text(), QStringLiteral("名前を選びなさい"));
    EXPECT_EQ(f.state.session.GradeGroupFilter, QStringLiteral("小３"));

    chooseGroup(combo, QStringLiteral("中学生全体"));
    ASSERT_EQ(list->count(), 2);
    EXPECT_TRUE(list->text(1).contains(QStringLiteral("田中")));

    form->activate();
    EXPECT_EQ(f.state.session.GradeGroupFilter, QStringLiteral("全学年"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("全学年"));
    EXPECT_EQ(list->count(), 6);
}

TEST(RosterForm, ModeChangeRebuildsTheRowsAndResetsTheChoice) {
    ScreenHarness f{Classroom{}};
    auto* form = f.show(new Namesel(f.context, f.rosterParts()));
    auto* list = control<TextList>(form, "List1");
    EXPECT_TRUE(control<QRadioButton>(form, "Option1_1")->isChecked());
    // Mode 1: points today / points so far; 佐藤 has 9 points today, 9 in all.
    ASSERT_GE(rowOf(list, QStringLiteral("佐藤")), 0);
    EXPECT_TRUE(
        list->text(rowOf(list, QStringLiteral("佐藤"))).endsWith(QStringLiteral("   9/      9")));
    list->setCurrentRow(rowOf(list, QStringLiteral("佐藤")));

    QTest::mouseClick(control<QRadioButton>(form, "Option1_0"), Qt::LeftButton);
    EXPECT_EQ(NameselTestPeer::displayMode(*form), 0);
    EXPECT_EQ(list->currentRow(), 0);
    // Mode 0: runs today / runs so far.
    ASSERT_GE(rowOf(list, QStringLiteral("鈴木")), 0);
    EXPECT_TRUE(
        list->text(rowOf(list, QStringLiteral("佐藤"))).endsWith(QStringLiteral("  2回/    2回")));
    EXPECT_TRUE(
        list->text(rowOf(list, QStringLiteral("鈴木"))).endsWith(QStringLiteral("     /    1回")));

    // The next activation goes back to mode 1.
    form->activate();
    EXPECT_EQ(NameselTestPeer::displayMode(*form), 1);
    EXPECT_TRUE(control<QRadioButton>(form, "Option1_1")->isChecked());
}

// A roster line the form cannot read leaves its pupil out of the list; the teacher is told
// once per start of the program, at the first activation, which file and which line to mend.
// The pupils are not held up by it again: neither a later activation nor the form shown anew
// (back from the results menu) repeats it.
TEST(RosterForm, UnreadableRosterLineIsNamedOnceAtTheFirstActivation) {
    ScreenHarness f{Classroom{}};
    f.install.writeLines(f.install.rosterPath(),
                         {QStringLiteral("1,2017,0,0,\"佐藤\",0,\"\",\"\""),
                          // No pupil's number: the numbers go up to 5000.
                          QStringLiteral("6000,2017,0,0,\"鈴木\",0,\"\",\"\""),
                          QStringLiteral("4,2012,0,0,\"田中\",0,\"\",\"\"")});
    auto* form = f.show(new Namesel(f.context, f.rosterParts()));
    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    const ScriptedDialogs::Shown& warning = f.dialogs.shown[0];
    EXPECT_EQ(warning.title, QStringLiteral("Zanfolio"));
    EXPECT_EQ(warning.buttons, Dialogs::Buttons::Ok);
    EXPECT_TRUE(warning.text.contains(f.install.rosterPath())) << warning.text.toStdString();
    EXPECT_TRUE(warning.text.contains(QStringLiteral("2行目"))) << warning.text.toStdString();
    EXPECT_TRUE(warning.text.contains(QStringLiteral("読み取れない")));
    auto* list = control<TextList>(form, "List1");
    EXPECT_EQ(list->count(), 3) << "the placeholder and the two readable pupils";
    EXPECT_EQ(rowOf(list, QStringLiteral("鈴木")), -1);

    form->activate();                                // the version box closing over it
    f.show(new Namesel(f.context, f.rosterParts())); // back from the results menu
    EXPECT_EQ(f.dialogs.shown.size(), 1u);
    EXPECT_EQ(control<TextList>(f.host.current(), "List1")->count(), 3);
}

TEST(RosterForm, ConfirmingWithoutANamePlaysTheWrongSoundOnly) {
    ScreenHarness f{Classroom{}};
    auto* form = f.show(new Namesel(f.context, f.rosterParts()));
    auto* ok = control<QPushButton>(form, "Command14");
    QTest::mouseClick(ok, Qt::LeftButton);
    ASSERT_EQ(f.sound.commands.size(), 1);
    EXPECT_TRUE(f.sound.commands.front().contains(QStringLiteral("不正解")));
    EXPECT_EQ(f.went.resultsMenu, 0);
    EXPECT_TRUE(ok->isVisible());
    EXPECT_EQ(f.state.session.CurrentStudent, 0);
}

TEST(RosterForm, LauncherFailureShowsTheMessageAndStays) {
    ScreenHarness f{Classroom{}};
    f.launcher.fails = true;
    auto* form = f.show(new Namesel(f.context, f.rosterParts()));
    QTest::mouseClick(control<QPushButton>(form, "Command7"), Qt::LeftButton);
    EXPECT_EQ(int(f.launcher.started.size()), 1);
    ASSERT_EQ(int(f.dialogs.shown.size()), 1);
    EXPECT_EQ(f.dialogs.shown[0].text,
              QStringLiteral("プログラムメニューを起動できません。起動できません"));
    EXPECT_FALSE(f.host.ending());
    EXPECT_EQ(f.host.current(), form);
}

TEST(RosterForm, VersionBoxReactivationKeepsTwelveGradeGroups) {
    ScreenHarness f{Classroom{}};
    // The program's way to the version box: modal over the window.
    f.context.navigate.showVersionBox = [&f] {
        Frmver box(f.state.program, &f.host);
        f.host.runModal(box);
    };
    auto* form = f.show(new Namesel(f.context, f.rosterParts()));
    auto* combo = control<QComboBox>(form, "Combo1");
    const QStringList twelve{
        QStringLiteral("全学年"), QStringLiteral("中学生全体"), QStringLiteral("小学生全体"),
        QStringLiteral("中３"),   QStringLiteral("中２"),       QStringLiteral("中１"),
        QStringLiteral("小６"),   QStringLiteral("小５"),       QStringLiteral("小４"),
        QStringLiteral("小３"),   QStringLiteral("小２"),       QStringLiteral("小１")};
    EXPECT_EQ(entries(combo), twelve);
    chooseGroup(combo, QStringLiteral("小６"));
    for (int round = 0; round < 2; ++round) {
        QStringList seen;
        // Answers the box once it is up (it runs its own event loop).
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&seen, &poll] {
            auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            poll.stop();
            saveScreenshot(*box, QStringLiteral("frmver"));
            seen << box->windowTitle() << control<QLabel>(box, "Label2")->text();
            QTest::mouseClick(control<QPushButton>(box, "Command1"), Qt::LeftButton);
        });
        poll.start();
        QTest::mouseClick(control<QLabel>(form, "Label4"), Qt::LeftButton);
        EXPECT_EQ(seen,
                  (QStringList{QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"), QStringLiteral("Version1.0.14")}));
        EXPECT_EQ(entries(combo), twelve);
        EXPECT_EQ(f.state.session.GradeGroupFilter, QStringLiteral("全学年"));
        EXPECT_EQ(control<TextList>(form, "List1")->count(), 6);
    }
}

// Last: ending the program stops every later event loop of this process (ctest runs each
// test in a process of its own; run by hand, this test must come after the version box's).
TEST(RosterForm, ZeroStartsTheLauncherAndEndsTheProgram) {
    ScreenHarness f{Classroom{}};
    auto* form = f.show(new Namesel(f.context, f.rosterParts()));
    QTest::keyClicks(control<TextList>(form, "List1"), QStringLiteral("0"));
    ASSERT_EQ(int(f.launcher.started.size()), 1);
    QString folder = f.state.installation.AppDir;
    folder.chop(1);
    EXPECT_EQ(f.launcher.started[0].first,
              folder + QStringLiteral("/../起動/プログラムメニューc.exe"));
    EXPECT_EQ(f.launcher.started[0].second, QStringList{QStringLiteral("001")});
    EXPECT_TRUE(f.host.ending());
}

TEST(RosterForm, ClosingTheWindowWhileTheResultsFileIsWaitedForEndsWithoutAWord) {
    // The shared folder renamed away after the form came up: a new grade group's statistics
    // pass waits for it, and the pupil closes the window meanwhile.
    ScreenHarness f{Classroom{}};
    ClosingWaiter waiter(f.host);
    AppContext context{f.clock, f.random, f.dialogs,         f.launcher,
                       waiter,  f.host,   f.context.navigate};
    auto* form = f.show(new Namesel(context, f.rosterParts()));
    const QString folder = f.install.dataRoot() + QStringLiteral("calc");
    ASSERT_TRUE(QDir().rename(folder, folder + QStringLiteral("-moved")));
    chooseGroup(control<QComboBox>(form, "Combo1"), QStringLiteral("小３"));
    f.processEvents();
    EXPECT_GE(waiter.waits, 1);
    EXPECT_TRUE(f.host.ending());
    EXPECT_EQ(f.host.current(), nullptr);
    EXPECT_TRUE(f.dialogs.shown.empty()) << f.dialogs.shown.front().text.toStdString();
}

} // namespace
