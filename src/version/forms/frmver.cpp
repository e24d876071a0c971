#include "version/forms/frmver.h"

#include "frame/forms/controls.h"
#include "frame/forms/fonts.h"
#include "frame/programdefinition.h"
#include "version/versiontext.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace zanfolio {

Frmver::Frmver(const ProgramDefinition& program, QWidget* parent)
    : QDialog(parent), program_(program) {
    setObjectName(QStringLiteral("frmver"));
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    setFixedSize(420, 250);

    auto* icon = makeLabel(this, nullptr, QStringLiteral("＋－"), QRect(20, 20, 64, 64),
                           japaneseFont(20), Qt::AlignCenter);
    icon->setStyleSheet(QStringLiteral("color: white; background: #2a6f97; border-radius: 8px;"));

    Label1 = makeLabel(this, "Label1", QString(), QRect(100, 16, 300, 36), japaneseFont(18));
    Label2 = makeLabel(this, "Label2", QString(), QRect(100, 56, 300, 26), japaneseFont(11));
    Label4 = makeLabel(this, "Label4", QString(), QRect(100, 84, 300, 26), japaneseFont(11));
    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setGeometry(20, 124, 380, 4);
    Label5 = makeLabel(this, "Label5", QString(), QRect(20, 136, 380, 44), japaneseFont(10));
    Label5->setWordWrap(true);

    Command1 = makeButton(this, "Command1", QStringLiteral("O.K."), QRect(300, 196, 100, 34), 11);
    Command1->setDefault(true);
    Command2 =
        makeButton(this, "Command2", QStringLiteral("ｼｽﾃﾑ情報..."), QRect(180, 196, 110, 34), 11);
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
    activate();
}

void Frmver::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    activate();
}

void Frmver::activate() {
    Label1->setText(program_.ProgramTitle);
    Label2->setText(VersionText());
    Label4->setText(kProductName);
    Label5->setText(kVersionNotice);
}

} // namespace zanfolio
