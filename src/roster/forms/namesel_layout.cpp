// The roster form's controls: the title band, the name list, the chosen pupil, the grade-group
// box, the display options, the two buttons and the wait panel; where each stands, how it
// looks, and which handler of namesel.cpp it calls.

#include "frame/forms/controls.h"
#include "frame/forms/fonts.h"
#include "frame/forms/palette.h"
#include "frame/forms/screenhost.h"
#include "frame/forms/textlist.h"
#include "roster/forms/namesel.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace zanfolio {

void Namesel::buildControls() {
    const QString background = cssColour(state_.installation.SeasonColour);
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("#namesel { background: %1; }").arg(background));
    setAttribute(Qt::WA_StyledBackground, true);

    // The title band: the program's title over a band of deep blue.
    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setAttribute(Qt::WA_StyledBackground, true);
    Picture1->setStyleSheet(
        QStringLiteral("#Picture1 { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 %1, "
                       "stop:1 #457b9d); }")
            .arg(kInk));
    Picture1->setGeometry(0, 0, kScreenWidth, 120);
    makeLabel(Picture1, nullptr, QStringLiteral("＋ － ＋ －"), QRect(30, 30, 220, 60),
              japaneseFont(24))
        ->setStyleSheet(QStringLiteral("color: rgba(255,255,255,120);"));
    Label4 = makeLabel(Picture1, "Label4", QString(), QRect(262, 6, 500, 108), Qt::AlignCenter);
    Label4->setStyleSheet(QStringLiteral("color: white;"));
    Label4->setCursor(Qt::PointingHandCursor);
    Label4->installEventFilter(this);

    Label1 = makeLabel(this, "Label1", kChooseYourName, QRect(60, 140, 560, 44), japaneseFont(20));
    Label1->setStyleSheet(
        QStringLiteral("background: white; border: 1px solid #606060; padding-left: 8px;"));
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->hide();

    List1 = new TextList(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setFont(monospacedJapaneseFont(15));
    List1->setGeometry(60, 196, 560, 540);
    List1->installEventFilter(this);
    connect(List1, &TextList::currentRowChanged, this, [this] { List1_Click(); });
    connect(List1, &TextList::rowDoubleClicked, this, [this] { List1_DblClick(); });

    makeLabel(this, nullptr, QStringLiteral("表示する学年"), QRect(660, 150, 300, 26),
              japaneseFont(12));
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setFont(japaneseFont(14));
    Combo1->setGeometry(660, 180, 220, 40);
    Combo1->setToolTip(QStringLiteral("表示する学年を選びなさい"));
    Combo1->setMaxVisibleItems(12);
    Combo1->installEventFilter(this);
    connect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });

    makeLabel(this, nullptr, QStringLiteral("表示する成績"), QRect(660, 250, 300, 26),
              japaneseFont(12));
    const QString captions[4] = {
        QStringLiteral("回数(今日／今まで）"), QStringLiteral("ポイント（今日／今まで）"),
        QStringLiteral("本日（ポイント／回数）"), QStringLiteral("今まで（ポイント／回数）")};
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        QRadioButton* option = new QRadioButton(captions[i], this);
        option->setObjectName(QStringLiteral("Option1_%1").arg(i));
        option->setFont(japaneseFont(13));
        option->setGeometry(670, 282 + i * 40, 320, 36);
        option->installEventFilter(this);
        group->addButton(option, i);
        connect(option, &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
        Option1[size_t(i)] = option;
    }
    Option1[1]->setChecked(true);

    Command14 = makeButton(this, "Command14", QStringLiteral("O.K."), QRect(660, 470, 300, 90), 22);
    Command14->installEventFilter(this);
    connect(Command14, &QPushButton::clicked, this, [this] { Command14_Click(); });

    // The doubled "ﾟ" is in the installations' own caption, kept on purpose: do not correct it.
    Command7 = makeButton(this, "Command7", QStringLiteral("ﾌﾟﾟﾛｸﾞﾗﾑメニューへ(0)"),
                          QRect(660, 676, 300, 60), 13);
    Command7->installEventFilter(this);
    connect(Command7, &QPushButton::clicked, this, [this] { Command7_Click(); });

    // The wait panel, at the top left corner and covering the form while it loads.
    Picture5 =
        makeLabel(this, "Picture5", QStringLiteral("Just a moment, please."),
                  QRect(0, 0, kScreenWidth, kScreenHeight), japaneseFont(24), Qt::AlignCenter);
    Picture5->setStyleSheet(
        QStringLiteral("background: %1; color: %2;").arg(background, kPanelText));
    Picture5->show();
    Picture5->raise();
}

} // namespace zanfolio
