#include "version/forms/frmver.h"

#include "frame/forms/fonts.h"
#include "frame/sharedstate.h"
#include "version/versiontext.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace zanfolio {

namespace {
QLabel* makeLabel(QWidget* parent, const char* name, const QRect& geometry, double points) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setFont(japaneseFont(points));
    return label;
}
} // namespace

Frmver::Frmver(const SharedState& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("frmver"));
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    setFixedSize(420, 250);

    auto* icon = new QLabel(QStringLiteral("＋－"), this);
    icon->setGeometry(20, 20, 64, 64);
    icon->setAlignment(Qt::AlignCenter);
    icon->setFont(japaneseFont(20));
    icon->setStyleSheet(QStringLiteral("color: white; background: #2a6f97; border-radius: 8px;"));

    Label1 = makeLabel(this, "Label1", QRect(100, 16, 300, 36), 18);
    Label2 = makeLabel(this, "Label2", QRect(100, 56, 300, 26), 11);
    Label4 = makeLabel(this, "Label4", QRect(100, 84, 300, 26), 11);
    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setGeometry(20, 124, 380, 4);
    Label5 = makeLabel(this, "Label5", QRect(20, 136, 380, 44), 10);
    Label5->setWordWrap(true);

    Command1 = new QPushButton(QStringLiteral("O.K."), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(300, 196, 100, 34);
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("ｼｽﾃﾑ情報..."), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(180, 196, 110, 34);
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
    activate();
}

void Frmver::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    activate();
}

void Frmver::activate() {
    Label1->setText(state_.ProgramTitle);
    Label2->setText(VersionText());
    Label4->setText(kProductName);
    Label5->setText(kVersionNotice);
}

} // namespace zanfolio
