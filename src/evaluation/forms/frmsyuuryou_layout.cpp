// The evaluation screen's controls: the background picture, the card with the results, the
// two buttons and the congratulation; where each stands, how it looks, and which handler of
// frmsyuuryou.cpp it calls.

#include "evaluation/forms/evaluationbackground.h"
#include "evaluation/forms/frmsyuuryou.h"
#include "frame/forms/controls.h"
#include "frame/forms/fonts.h"
#include "frame/forms/palette.h"
#include "frame/forms/screenhost.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace zanfolio {

namespace {

// The two large buttons, white on `colour`, framed in ink while they have the focus.
QPushButton* makeColouredButton(QWidget* parent, const char* name, const QString& caption,
                                const QRect& geometry, QLatin1StringView colour) {
    QPushButton* button = makeButton(parent, name, caption, geometry, 22);
    button->setStyleSheet(
        QStringLiteral(
            "QPushButton { background: %1; color: white; border: none; border-radius: 14px; }"
            "QPushButton:focus { border: 3px solid %2; }"
            "QPushButton:disabled { background: #b8b8b8; }")
            .arg(colour, kInk));
    return button;
}

} // namespace

void FrmSyuuryou::buildControls() {
    setFixedSize(kScreenWidth, kScreenHeight);

    // Form load: the background picture at the top-left corner, 15360 × 11520 twips.
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, twips(15360), twips(11520));
    Image1->setPixmap(paintEvaluationBackground(Image1->size()));

    card = new QFrame(this);
    card->setObjectName(QStringLiteral("card"));
    // Below the card a band stays free for the wait notice.
    card->setGeometry(152, 16, 720, 676);
    card->setStyleSheet(
        QStringLiteral(
            "QFrame#card { background: rgba(255, 255, 255, 225); border: 3px solid #f0b060; "
            "border-radius: 24px; }"
            "QLabel { background: transparent; color: %1; }")
            .arg(kInk));
    QWidget* c = card;
    const int w = card->width();

    Label15 = makeLabel(c, "Label15", QString(), QRect(20, 18, w - 40, 34), japaneseFont(16),
                        Qt::AlignCenter);
    Label15->setStyleSheet(QStringLiteral("color: #7a5a30;"));
    Label16 = makeLabel(c, "Label16", QString(), QRect(20, 56, w - 40, 56), japaneseFont(28),
                        Qt::AlignCenter);
    Label16->setStyleSheet(QStringLiteral("font-weight: bold;"));
    Label17 = makeLabel(c, "Label17", QString(), QRect(20, 114, w - 40, 44), japaneseFont(22),
                        Qt::AlignCenter);

    auto* line = new QFrame(c);
    line->setGeometry(60, 168, w - 120, 2);
    line->setStyleSheet(QStringLiteral("background: #f0c890;"));

    Label18 = makeLabel(c, "Label18", QString(), QRect(20, 184, w - 40, 84), japaneseFont(40),
                        Qt::AlignCenter);
    Label19 = makeLabel(c, "Label19", QString(), QRect(20, 272, w - 40, 52), japaneseFont(24),
                        Qt::AlignCenter);
    Label13 = makeLabel(c, "Label13", QString(), QRect(60, 332, 330, 40), japaneseFont(17),
                        Qt::AlignRight | Qt::AlignVCenter);
    makeLabel(c, nullptr, QStringLiteral("本日"), QRect(410, 332, 70, 40), japaneseFont(17),
              Qt::AlignRight | Qt::AlignVCenter);
    Label14 = makeLabel(c, "Label14", QString(), QRect(480, 332, 180, 40), japaneseFont(17),
                        Qt::AlignLeft | Qt::AlignVCenter);

    Label20 = makeLabel(c, "Label20", QString(), QRect(20, 386, w - 40, 70), japaneseFont(32),
                        Qt::AlignCenter);
    Label20->setStyleSheet(QStringLiteral("color: #d62828; font-weight: bold;"));
    Label20->hide();
    Label2 = makeLabel(c, "Label2", QStringLiteral("このレベルクリア"),
                       QRect(120, 466, w - 240, 60), japaneseFont(24), Qt::AlignCenter);
    Label2->setStyleSheet(QStringLiteral("QLabel { color: white; background: %1; "
                                         "border-radius: 12px; }")
                              .arg(kGoal));
    Label2->hide();

    Command4 = makeColouredButton(c, "Command4", QStringLiteral("メニューへ"),
                                  QRect(110, 566, 230, 84), kAccent);
    Command5 = makeColouredButton(c, "Command5", QStringLiteral("もう一度"),
                                  QRect(380, 566, 230, 84), QLatin1StringView("#e07b39"));
    Command4->hide();
    Command5->hide();
    connect(Command4, &QPushButton::clicked, this, &FrmSyuuryou::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &FrmSyuuryou::Command5_Click);

    // The congratulation, where the buttons come once the timer has ticked: it hides no result.
    Picture1 = new QFrame(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(card->x() + 20, card->y() + 556, w - 40, 104);
    Picture1->setStyleSheet(QStringLiteral(
        "QFrame#Picture1 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fff6c8, "
        "stop:1 #ffd77a); border: 4px solid #e0a020; border-radius: 24px; }"
        "QLabel { background: transparent; }"));
    const QString starStyle = QStringLiteral("color: #f08c00;");
    makeLabel(Picture1, nullptr, QStringLiteral("★"), QRect(14, 12, 56, 80), japaneseFont(28),
              Qt::AlignCenter)
        ->setStyleSheet(starStyle);
    Label1 =
        makeLabel(Picture1, "Label1", QStringLiteral("目標レベルクリア。おめでとう！"),
                  QRect(70, 12, Picture1->width() - 140, 80), japaneseFont(28), Qt::AlignCenter);
    Label1->setStyleSheet(QStringLiteral("color: #b3261e; font-weight: bold;"));
    makeLabel(Picture1, nullptr, QStringLiteral("★"), QRect(Picture1->width() - 70, 12, 56, 80),
              japaneseFont(28), Qt::AlignCenter)
        ->setStyleSheet(starStyle);
    Picture1->hide();

    // While the sounds play: below the card, where it hides no result (the program's own
    // notice stands in the middle of the window, over the points).
    waitNotice = makeLabel(this, "waitNotice", QStringLiteral("Just a moment, please."),
                           QRect((kScreenWidth - 420) / 2, card->y() + card->height() + 12, 420,
                                 kScreenHeight - card->y() - card->height() - 24),
                           japaneseFont(18), Qt::AlignCenter);
    waitNotice->setStyleSheet(
        QStringLiteral("QLabel { background: %1; color: %2; border: 2px solid %3; }")
            .arg(kNoticeBackground, kPanelText, kNoticeBorder));
    waitNotice->hide();
}

} // namespace zanfolio
