// The drill form's controls: the problem card, the column layout of the hint, the "+" prompt,
// the status panel with its time bar, and the overlay at the end of a run; where each stands,
// how it looks, and which handler of mainfrm.cpp it calls.

#include "drill/forms/mainfrm.h"
#include "frame/forms/controls.h"
#include "frame/forms/fonts.h"
#include "frame/forms/palette.h"
#include "frame/forms/screenhost.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace zanfolio {

namespace {

// The drill's own colours, each used more than once (the shared ones are in palette.h).
// The cards' and the status panel's frame.
constexpr QLatin1StringView kCardBorder{"#9db4c8"};
// The correction and "時間切れ".
constexpr QLatin1StringView kCorrection{"#c62828"};
// The column layout's figures and its line.
constexpr QLatin1StringView kColumnInk{"#3a3a3a"};
// The "+" prompt's frame, its button and the end-of-run overlay's frame.
constexpr QLatin1StringView kAmber{"#e0a030"};
// Notes to the pupil: the "+" prompt's text, the wait for the record.
constexpr QLatin1StringView kNoteText{"#8a4b00"};
// The minimum-line mark and its legend.
constexpr QLatin1StringView kMinimumLine{"#d64545"};

// Bar and marks share the frame's left edge and top (inside the frame's border).
constexpr QRect kBarFrame(17, 318, MainFrm::kBarWidth, 26);

const QString kPlusPrompt = QStringLiteral("\"+\"を２回押しなさい");
const QString kInstruction = QStringLiteral("スペース＝１回目：小数点　２回目：判定");

// A rectangle drawn by its style sheet alone: the card frames, the line, the bar and marks.
QFrame* makeShape(QWidget* parent, const char* name, const QRect& geometry, const QString& style) {
    auto* shape = new QFrame(parent);
    shape->setObjectName(QString::fromLatin1(name));
    shape->setGeometry(geometry);
    shape->setStyleSheet(QStringLiteral("QFrame#%1 { %2 }").arg(QString::fromLatin1(name), style));
    return shape;
}

} // namespace

void MainFrm::buildControls() {
    setFixedSize(kScreenWidth, kScreenHeight);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0xee, 0xf5, 0xfb));
    setPalette(palette);

    buildProblemArea();
    buildStatusPanel();
    buildOverlay();
}

void MainFrm::buildProblemArea() {
    const QFont row = japaneseFont(40);
    const QString boxStyle =
        QStringLiteral("QLabel { background: white; color: %1; border: 2px solid %2; "
                       "border-radius: 10px; }")
            .arg(kInk, kCardBorder);

    auto* rowCard = new QFrame(this);
    rowCard->setObjectName(QStringLiteral("problemCard"));
    rowCard->setGeometry(24, 24, 676, 128);
    rowCard->setStyleSheet(QStringLiteral("QFrame#problemCard { background: white; border: 2px "
                                          "solid %1; border-radius: 14px; }")
                               .arg(kCardBorder));
    qLabel1 = makeLabel(this, "qLabel1", QString(), QRect(40, 44, 260, 88), row,
                        Qt::AlignRight | Qt::AlignVCenter);
    Label6 = makeLabel(this, "Label6", QString(), QRect(310, 44, 100, 88), row, Qt::AlignCenter);
    qlabel2 = makeLabel(this, "qlabel2", QString(), QRect(420, 44, 260, 88), row,
                        Qt::AlignLeft | Qt::AlignVCenter);
    for (QLabel* l : {qLabel1, Label6, qlabel2})
        l->setStyleSheet(QStringLiteral("color: %1;").arg(kInk));

    makeLabel(this, nullptr, QStringLiteral("こたえ"), QRect(40, 184, 120, 84), japaneseFont(20),
              Qt::AlignCenter)
        ->setStyleSheet(QStringLiteral("color: #3a5a78;"));
    inputLabel = makeLabel(this, "inputLabel", QString(), QRect(170, 180, 330, 92), row,
                           Qt::AlignLeft | Qt::AlignVCenter);
    inputLabel->setStyleSheet(boxStyle);
    inputLabel->setContentsMargins(18, 0, 8, 0);

    // The correction, with its caption inside it so both show and hide together.
    seitouLabel = makeLabel(this, "seitouLabel", QString(), QRect(516, 170, 184, 112),
                            japaneseFont(36), Qt::AlignHCenter | Qt::AlignBottom);
    seitouLabel->setStyleSheet(
        QStringLiteral("QLabel#seitouLabel { background: #fff1f0; color: %1; border: 2px "
                       "solid #e57373; border-radius: 10px; }")
            .arg(kCorrection));
    seitouLabel->setContentsMargins(4, 26, 4, 6);
    makeLabel(seitouLabel, nullptr, QStringLiteral("正しい答え"), QRect(2, 4, 180, 26),
              japaneseFont(12), Qt::AlignCenter)
        ->setStyleSheet(
            QStringLiteral("color: %1; background: transparent; border: none;").arg(kCorrection));
    seitouLabel->hide();

    // The column layout: both numbers aligned on their points, the sign before the second,
    // a line under it, and a frame around the sum.
    const QFont column = monospacedJapaneseFont(36);
    Shape3 = makeShape(this, "Shape3", QRect(196, 300, 332, 190),
                       QStringLiteral("background: #fffdf2; border: 2px solid #c9b458; "
                                      "border-radius: 8px;"));
    Label1 = makeLabel(this, "Label1", QString(), QRect(280, 316, 230, 64), column,
                       Qt::AlignLeft | Qt::AlignVCenter);
    Label9 = makeLabel(this, "Label9", QString(), QRect(212, 388, 64, 64), japaneseFont(34),
                       Qt::AlignCenter);
    Label5 = makeLabel(this, "Label5", QString(), QRect(280, 388, 230, 64), column,
                       Qt::AlignLeft | Qt::AlignVCenter);
    Shape2 = makeShape(this, "Shape2", QRect(212, 460, 300, 4),
                       QStringLiteral("background: %1;").arg(kColumnInk));
    for (QLabel* l : {Label1, Label9, Label5})
        l->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(kColumnInk));
    showColumnLayout(false);

    Commandkakunin2 = makeLabel(this, "Commandkakunin2", kPlusPrompt, QRect(64, 530, 420, 64),
                                japaneseFont(22), Qt::AlignCenter);
    Commandkakunin2->setStyleSheet(
        QStringLiteral("QLabel { background: #fff3cd; color: %1; border: 2px solid %2; "
                       "border-radius: 10px; }")
            .arg(kNoteText, kAmber));
    Commandkakunin =
        makeButton(this, "Commandkakunin", QStringLiteral("確認"), QRect(504, 530, 156, 64), 20);
    Commandkakunin->setFocusPolicy(Qt::NoFocus);
    Commandkakunin->setStyleSheet(
        QStringLiteral("QPushButton { background: %1; color: white; border: none; "
                       "border-radius: 10px; }"
                       "QPushButton:pressed { background: #b87d1c; }")
            .arg(kAmber));
    connect(Commandkakunin, &QPushButton::clicked, this, &MainFrm::Commandkakunin_Click);
    showConfirmPrompt(false);

    auto* instruction = makeLabel(this, "instructionLabel", kInstruction, QRect(24, 660, 676, 64),
                                  japaneseFont(18), Qt::AlignCenter);
    instruction->setStyleSheet(
        QStringLiteral("QLabel { background: #dcebf7; color: %1; border-radius: 10px; }")
            .arg(kInk));
}

void MainFrm::buildStatusPanel() {
    statusPanel = new QFrame(this);
    statusPanel->setObjectName(QStringLiteral("statusPanel"));
    statusPanel->setGeometry(724, 24, 284, 700);
    statusPanel->setStyleSheet(
        QStringLiteral("QFrame#statusPanel { background: white; border: 2px solid %1; "
                       "border-radius: 14px; }"
                       "QLabel { color: %2; background: transparent; }")
            .arg(kCardBorder, kInk));
    QWidget* p = statusPanel;

    sLabel2 = makeLabel(p, "sLabel2", QString(), QRect(12, 12, 260, 44), japaneseFont(16.8),
                        Qt::AlignCenter);
    sLabel2->setWordWrap(true);
    sLabel2->setStyleSheet(QStringLiteral("QLabel { color: white; background: %1; "
                                          "border-radius: 8px; }")
                               .arg(kAccent));
    sLabel7 = makeLabel(p, "sLabel7", QString(), QRect(12, 64, 260, 40), japaneseFont(18),
                        Qt::AlignCenter);
    sLabel14 = makeLabel(p, "sLabel14", QString(), QRect(12, 106, 260, 28), japaneseFont(11),
                         Qt::AlignCenter);

    const QFont caption = japaneseFont(13);
    const QFont value = japaneseFont(20);
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    // One row: caption, value, unit.
    auto rowAt = [&](int y, const QString& captionText, const char* name, const QString& unit,
                     const QFont& valueFont) {
        makeLabel(p, nullptr, captionText, QRect(16, y, 96, 44), caption, left);
        QLabel* v = makeLabel(p, name, QString(), QRect(112, y, 110, 44), valueFont, right);
        if (!unit.isEmpty())
            makeLabel(p, nullptr, unit, QRect(228, y, 48, 44), caption, left);
        return v;
    };

    makeLabel(p, nullptr, QStringLiteral("レベル"), QRect(16, 150, 96, 44), caption, left);
    sLabel8 = makeLabel(p, "sLabel8", QString(), QRect(104, 150, 168, 44), japaneseFont(17), right);
    sLabel9 = rowAt(204, QStringLiteral("残り"), "sLabel9", QStringLiteral("問"), japaneseFont(26));
    sLabel10 = rowAt(258, QStringLiteral("タイム"), "sLabel10", QStringLiteral("秒"), value);

    sShape5 = makeShape(p, "sShape5", kBarFrame,
                        QStringLiteral("background: #f2f5f8; border: 1px solid #7a8a99;"));
    sShape2 = makeShape(p, "sShape2", QRect(kBarFrame.topLeft(), QSize(0, kBarFrame.height())),
                        QStringLiteral("background: #4f9ddc; border: none;"));
    // The marks are rectangles from the frame's left edge; their right edge is the mark.
    sShape3 = makeShape(p, "sShape3", QRect(kBarFrame.topLeft(), QSize(0, kBarFrame.height())),
                        QStringLiteral("background: transparent; border: none; "
                                       "border-right: 3px solid %1;")
                            .arg(kGoal));
    sShape4 = makeShape(p, "sShape4", QRect(kBarFrame.topLeft(), QSize(0, kBarFrame.height())),
                        QStringLiteral("background: transparent; border: none; "
                                       "border-right: 3px solid %1;")
                            .arg(kMinimumLine));
    auto* legend =
        makeLabel(p, "barLegend", QString(), QRect(16, 348, 256, 24), japaneseFont(10), left);
    legend->setTextFormat(Qt::RichText);
    // In the marks' own colours.
    legend->setText(QStringLiteral("<span style='color:%1'>┃目標タイム</span>　"
                                   "<span style='color:%2'>┃最低ライン</span>")
                        .arg(kGoal, kMinimumLine));

    sLabel11 = rowAt(392, QStringLiteral("このレベル"), "sLabel11", QStringLiteral("回目"), value);
    sLabel12 = rowAt(446, QStringLiteral("本日"), "sLabel12", QStringLiteral("回目"), value);
    sLabel13 = rowAt(500, QStringLiteral("起動後"), "sLabel13", QStringLiteral("分"), value);
}

void MainFrm::buildOverlay() {
    // Over the whole working area below the problem, so that nothing of the finished run
    // shows through; its text stands above the middle, where the wait notice comes next.
    sPicture2 = new QFrame(this);
    sPicture2->setObjectName(QStringLiteral("sPicture2"));
    sPicture2->setGeometry(24, 168, 676, 472);
    sPicture2->setStyleSheet(
        QStringLiteral("QFrame#sPicture2 { background: #fffbea; border: 3px solid %1; "
                       "border-radius: 16px; }"
                       "QLabel { background: transparent; }")
            .arg(kAmber));
    lblsss1 = makeLabel(sPicture2, "lblsss1", QStringLiteral("成績記録中"), QRect(10, 24, 656, 100),
                        japaneseFont(44), Qt::AlignCenter);
    lblsss1->setStyleSheet(QStringLiteral("color: #1d6b3a;"));
    lblsss2 = makeLabel(sPicture2, "lblsss2", QStringLiteral("時間切れ"), QRect(10, 24, 656, 100),
                        japaneseFont(44), Qt::AlignCenter);
    lblsss2->setStyleSheet(QStringLiteral("color: %1;").arg(kCorrection));
    recordNotice = makeLabel(sPicture2, "recordNotice", QString(), QRect(40, 130, 596, 60),
                             japaneseFont(14), Qt::AlignCenter);
    recordNotice->setWordWrap(true);
    recordNotice->setStyleSheet(QStringLiteral("color: %1;").arg(kNoteText));
    recordNotice->hide();
    sPicture2->hide();
}

} // namespace zanfolio
