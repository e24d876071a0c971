// The roster form driven as a pupil would: the list, the grade groups, the display modes, the
// confirmation, the way back to the launcher and the version box.

#include "roster/forms/formfixture.h"
#include "roster/forms/launchercommand.h"
#include "roster/forms/namesel.h"
#include "version/forms/frmver.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using namespace zanfolio;
using zanfolio::testing::FormFixture;

namespace {

int rowOf(QListWidget* list, const QString& name) {
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text().contains(name))
            return i;
    return -1;
}

void chooseGroup(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text);
    QVERIFY(index >= 0);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

QStringList entries(QComboBox* combo) {
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

} // namespace

class NameselTest : public QObject {
    Q_OBJECT

  private slots:
    void listShowsPlaceholderAndPupilsAndEnterSignsIn();
    void doubleClickConfirmsAndOneKeyConfirms();
    void gradeGroupFiltersAndActivationResetsIt();
    void modeChangeRebuildsTheRowsAndResetsTheChoice();
    void confirmingWithoutANamePlaysTheWrongSoundOnly();
    void launcherFailureShowsTheMessageAndStays();
    void launcherPathKeepsTheFolderSeparator();
    void versionBoxReactivationKeepsTwelveGradeGroups();
    // Last: ending the program stops every later event loop of this process.
    void zeroStartsTheLauncherAndEndsTheProgram();
};

void NameselTest::listShowsPlaceholderAndPupilsAndEnterSignsIn() {
    FormFixture f;
    auto* form = f.show(new Namesel(f.context));
    auto* list = form->findChild<QListWidget*>(QStringLiteral("List1"));
    QCOMPARE(f.host.windowTitle(), QStringLiteral("Velmont"));
    QCOMPARE(list->count(), 6);
    QCOMPARE(list->item(0)->text(), QStringLiteral("－－－－－－"));
    QCOMPARE(list->currentRow(), 0);
    // The teacher (born 1980) is the oldest and comes first, then 中２, 小６, the two 小３.
    QVERIFY(list->item(1)->text().contains(QStringLiteral("山田先生")));
    QVERIFY(list->item(2)->text().contains(QStringLiteral("田中")));
    QCOMPARE(form->findChild<QLabel*>(QStringLiteral("Label4"))->text(),
             QStringLiteral("Zanfolio"));
    QCOMPARE(form->findChild<QLabel*>(QStringLiteral("Label4"))->font().pointSize(), 48);
    QCOMPARE(form->findChild<QComboBox*>(QStringLiteral("Combo1"))->toolTip(),
             QStringLiteral("表示する学年を選びなさい"));
    QVERIFY(!form->findChild<QLabel*>(QStringLiteral("Picture5"))->isVisible());
    f.snapshot(QStringLiteral("namesel"));

    list->setCurrentRow(rowOf(list, QStringLiteral("佐藤")));
    QCOMPARE(form->findChild<QLabel*>(QStringLiteral("Label1"))->text().left(5),
             QStringLiteral("小3 佐藤"));
    QCOMPARE(form->findChild<QLabel*>(QStringLiteral("Label2"))->text(), QStringLiteral("1"));
    f.clock.advanceMs(5500);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(f.went.resultsMenu, 1);
    QCOMPARE(f.state->CurrentStudent, FormFixture::kSato);
    QCOMPARE(f.state->StudentName, QStringLiteral("佐藤").leftJustified(20));
    QCOMPARE(f.state->StudentGrade, QStringLiteral("小３"));
    QCOMPARE(f.state->SignInTime, 10 * 3600 + 5);
    QCOMPARE(f.state->LevelCount, 5);
    QCOMPARE(f.state->LevelNames[1], QStringLiteral("足し算１"));
    QVERIFY(!form->findChild<QPushButton*>(QStringLiteral("Command14"))->isVisible());
}

void NameselTest::doubleClickConfirmsAndOneKeyConfirms() {
    {
        FormFixture f;
        auto* form = f.show(new Namesel(f.context));
        auto* list = form->findChild<QListWidget*>(QStringLiteral("List1"));
        const int row = rowOf(list, QStringLiteral("高橋"));
        list->setCurrentRow(row);
        emit list->itemDoubleClicked(list->item(row));
        QCOMPARE(f.went.resultsMenu, 1);
        QCOMPARE(f.state->CurrentStudent, FormFixture::kTakahashi);
        // The double-click shows the name with its padding and first figure, up to the "/".
        const QString label = form->findChild<QLabel*>(QStringLiteral("Label1"))->text();
        QVERIFY(!label.contains(u'/'));
        QVERIFY(label.startsWith(QStringLiteral("小6 高橋")));
    }
    {
        FormFixture f;
        auto* form = f.show(new Namesel(f.context));
        auto* list = form->findChild<QListWidget*>(QStringLiteral("List1"));
        list->setCurrentRow(rowOf(list, QStringLiteral("鈴木")));
        // "1" typed anywhere on the form, here on the grade-group box.
        QTest::keyClicks(form->findChild<QComboBox*>(QStringLiteral("Combo1")),
                         QStringLiteral("1"));
        QCOMPARE(f.went.resultsMenu, 1);
        QCOMPARE(f.state->CurrentStudent, FormFixture::kSuzuki);
    }
}

void NameselTest::gradeGroupFiltersAndActivationResetsIt() {
    FormFixture f;
    auto* form = f.show(new Namesel(f.context));
    auto* list = form->findChild<QListWidget*>(QStringLiteral("List1"));
    auto* combo = form->findChild<QComboBox*>(QStringLiteral("Combo1"));
    list->setCurrentRow(rowOf(list, QStringLiteral("田中")));
    chooseGroup(combo, QStringLiteral("小３"));
    QCOMPARE(list->count(), 3);
    QVERIFY(list->item(1)->text().contains(QStringLiteral("佐藤")) ||
            list->item(1)->text().contains(QStringLiteral("鈴木")));
    QCOMPARE(rowOf(list, QStringLiteral("田中")), -1);
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(form->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
             QStringLiteral("名前を選びなさい"));
    QCOMPARE(f.state->GradeGroupFilter, QStringLiteral("小３"));

    chooseGroup(combo, QStringLiteral("中学生全体"));
    QCOMPARE(list->count(), 2);
    QVERIFY(list->item(1)->text().contains(QStringLiteral("田中")));

    form->activate();
    QCOMPARE(f.state->GradeGroupFilter, QStringLiteral("全学年"));
    QCOMPARE(combo->currentText(), QStringLiteral("全学年"));
    QCOMPARE(list->count(), 6);
}

void NameselTest::modeChangeRebuildsTheRowsAndResetsTheChoice() {
    FormFixture f;
    auto* form = f.show(new Namesel(f.context));
    auto* list = form->findChild<QListWidget*>(QStringLiteral("List1"));
    QVERIFY(form->findChild<QRadioButton*>(QStringLiteral("Option1_1"))->isChecked());
    // Mode 1: points today / points so far; 佐藤 has 9 points today, 9 in all.
    QVERIFY(list->item(rowOf(list, QStringLiteral("佐藤")))
                ->text()
                .endsWith(QStringLiteral("   9/      9")));
    list->setCurrentRow(rowOf(list, QStringLiteral("佐藤")));

    QTest::mouseClick(form->findChild<QRadioButton*>(QStringLiteral("Option1_0")), Qt::LeftButton);
    QCOMPARE(form->displayMode(), 0);
    QCOMPARE(list->currentRow(), 0);
    // Mode 0: runs today / runs so far.
    QVERIFY(list->item(rowOf(list, QStringLiteral("佐藤")))
                ->text()
                .endsWith(QStringLiteral("  2回/    2回")));
    QVERIFY(list->item(rowOf(list, QStringLiteral("鈴木")))
                ->text()
                .endsWith(QStringLiteral("     /    1回")));

    // The next activation goes back to mode 1.
    form->activate();
    QCOMPARE(form->displayMode(), 1);
    QVERIFY(form->findChild<QRadioButton*>(QStringLiteral("Option1_1"))->isChecked());
}

void NameselTest::confirmingWithoutANamePlaysTheWrongSoundOnly() {
    FormFixture f;
    auto* form = f.show(new Namesel(f.context));
    auto* ok = form->findChild<QPushButton*>(QStringLiteral("Command14"));
    QTest::mouseClick(ok, Qt::LeftButton);
    QCOMPARE(f.device.commands.size(), 1);
    QVERIFY(f.device.commands.front().contains(QStringLiteral("不正解")));
    QCOMPARE(f.went.resultsMenu, 0);
    QVERIFY(ok->isVisible());
    QCOMPARE(f.state->CurrentStudent, 0);
}

void NameselTest::zeroStartsTheLauncherAndEndsTheProgram() {
    FormFixture f;
    auto* form = f.show(new Namesel(f.context));
    QTest::keyClicks(form->findChild<QListWidget*>(QStringLiteral("List1")), QStringLiteral("0"));
    QCOMPARE(int(f.launcher.started.size()), 1);
    QString folder = f.state->AppDir;
    folder.chop(1);
    QCOMPARE(f.launcher.started[0].first,
             folder + QStringLiteral("/../起動/プログラムメニューc.exe"));
    QCOMPARE(f.launcher.started[0].second, QStringList{QStringLiteral("001")});
    QVERIFY(f.host.ending());
}

void NameselTest::launcherFailureShowsTheMessageAndStays() {
    FormFixture f;
    f.launcher.fails = true;
    auto* form = f.show(new Namesel(f.context));
    QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("Command7")), Qt::LeftButton);
    QCOMPARE(int(f.launcher.started.size()), 1);
    QCOMPARE(int(f.dialogs.shown.size()), 1);
    QCOMPARE(f.dialogs.shown[0].text,
             QStringLiteral("プログラムメニューを起動できません。起動できません"));
    QVERIFY(!f.host.ending());
    QCOMPARE(f.host.current(), form);
}

void NameselTest::launcherPathKeepsTheFolderSeparator() {
    const LauncherCommand windows = launcherCommand(QStringLiteral("C:\\juku\\calc\\"));
    QCOMPARE(windows.program, QStringLiteral("C:\\juku\\calc\\..\\起動\\プログラムメニューc.exe"));
    QCOMPARE(windows.arguments, QStringList{QStringLiteral("001")});
    QCOMPARE(launcherCommand(QStringLiteral("/srv/juku/calc/")).program,
             QStringLiteral("/srv/juku/calc/../起動/プログラムメニューc.exe"));
}

void NameselTest::versionBoxReactivationKeepsTwelveGradeGroups() {
    FormFixture f;
    // The program's way to the version box: modal over the window.
    f.context.navigate.showVersionBox = [&f] {
        Frmver box(f.context.state, &f.host);
        f.host.runModal(box);
    };
    auto* form = f.show(new Namesel(f.context));
    auto* combo = form->findChild<QComboBox*>(QStringLiteral("Combo1"));
    const QStringList twelve{
        QStringLiteral("全学年"), QStringLiteral("中学生全体"), QStringLiteral("小学生全体"),
        QStringLiteral("中３"),   QStringLiteral("中２"),       QStringLiteral("中１"),
        QStringLiteral("小６"),   QStringLiteral("小５"),       QStringLiteral("小４"),
        QStringLiteral("小３"),   QStringLiteral("小２"),       QStringLiteral("小１")};
    QCOMPARE(entries(combo), twelve);
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
            if (!qEnvironmentVariable("ZANFOLIO_SCREENSHOT_DIR").isEmpty())
                box->grab().save(qEnvironmentVariable("ZANFOLIO_SCREENSHOT_DIR") +
                                 QStringLiteral("/frmver.png"));
            seen << box->windowTitle() << box->findChild<QLabel*>(QStringLiteral("Label2"))->text();
            QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("Command1")),
                              Qt::LeftButton);
        });
        poll.start();
        QTest::mouseClick(form->findChild<QLabel*>(QStringLiteral("Label4")), Qt::LeftButton);
        QCOMPARE(seen,
                 (QStringList{QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"), QStringLiteral("Version1.0.14")}));
        QCOMPARE(entries(combo), twelve);
        QCOMPARE(f.state->GradeGroupFilter, QStringLiteral("全学年"));
        QCOMPARE(form->findChild<QListWidget*>(QStringLiteral("List1"))->count(), 6);
    }
}

QTEST_MAIN(NameselTest)
#include "namesel_test.moc"
