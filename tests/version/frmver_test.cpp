// The version box: its texts come from the program's title and the project's version number,
// and "O.K." closes it.

#include "app/sharedstate.h"
#include "frame/programdefinition.h"
#include "support/control.h"
#include "support/screenharness.h"
#include "version/forms/frmver.h"
#include "version/versiontext.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

class VersionBox : public ::testing::Test {
  protected:
    VersionBox() { ensureApplication(); }
    std::unique_ptr<SharedState> state = std::make_unique<SharedState>();
};

TEST_F(VersionBox, ShowsTitleVersionAndProductName) {
    EXPECT_EQ(VersionText(), QStringLiteral("Version1.0.14"));
    SetProgramTitle(state->program);
    Frmver box(state->program);
    box.show();
    EXPECT_EQ(box.windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    EXPECT_EQ(control<QLabel>(&box, "Label1")->text(), QStringLiteral("Zanfolio"));
    EXPECT_EQ(control<QLabel>(&box, "Label2")->text(), QStringLiteral("Version1.0.14"));
    EXPECT_EQ(control<QLabel>(&box, "Label4")->text(), QStringLiteral("Tovrelin44"));
    EXPECT_FALSE(control<QLabel>(&box, "Label5")->text().isEmpty());
    EXPECT_EQ(control<QPushButton>(&box, "Command1")->text(), QStringLiteral("O.K."));
}

TEST_F(VersionBox, OkClosesTheBoxAndTheOtherButtonDoesNothing) {
    Frmver box(state->program);
    box.show();
    QTest::mouseClick(control<QPushButton>(&box, "Command2"), Qt::LeftButton);
    EXPECT_TRUE(box.isVisible());
    QTest::mouseClick(control<QPushButton>(&box, "Command1"), Qt::LeftButton);
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), int(QDialog::Accepted));
}

} // namespace
