// The version box: its texts come from the program's title and the project's version number,
// and "O.K." closes it.

#include "frame/programdefinition.h"
#include "frame/sharedstate.h"
#include "version/forms/frmver.h"
#include "version/versiontext.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace zanfolio;

class FrmverTest : public QObject {
    Q_OBJECT

  private slots:
    void showsTitleVersionAndProductName();
    void okClosesTheBoxAndTheOtherButtonDoesNothing();
};

void FrmverTest::showsTitleVersionAndProductName() {
    QCOMPARE(VersionText(), QStringLiteral("Version1.0.14"));
    auto state = std::make_unique<SharedState>();
    SetProgramTitle(*state);
    Frmver box(*state);
    box.show();
    QCOMPARE(box.windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    QCOMPARE(box.findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("Zanfolio"));
    QCOMPARE(box.findChild<QLabel*>(QStringLiteral("Label2"))->text(),
             QStringLiteral("Version1.0.14"));
    QCOMPARE(box.findChild<QLabel*>(QStringLiteral("Label4"))->text(),
             QStringLiteral("Tovrelin44"));
    QVERIFY(!box.findChild<QLabel*>(QStringLiteral("Label5"))->text().isEmpty());
    QCOMPARE(box.findChild<QPushButton*>(QStringLiteral("Command1"))->text(),
             QStringLiteral("O.K."));
}

void FrmverTest::okClosesTheBoxAndTheOtherButtonDoesNothing() {
    auto state = std::make_unique<SharedState>();
    Frmver box(*state);
    box.show();
    QTest::mouseClick(box.findChild<QPushButton*>(QStringLiteral("Command2")), Qt::LeftButton);
    QVERIFY(box.isVisible());
    QTest::mouseClick(box.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    QVERIFY(!box.isVisible());
    QCOMPARE(box.result(), int(QDialog::Accepted));
}

QTEST_MAIN(FrmverTest)
#include "frmver_test.moc"
