// The criteria editor's controls: the grid with the text box laid over its current cell, the
// column's explanation, the buttons, and the distribution panel; where each stands, how it
// looks, and which handler of frmtimedata.cpp it calls.

#include "frame/forms/controls.h"
#include "frame/forms/fonts.h"
#include "frame/forms/palette.h"
#include "frame/forms/screenhost.h"
#include "results/criteria.h"
#include "teacher/forms/frmtimedata.h"

#include <QButtonGroup>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <algorithm>
#include <array>
#include <cmath>

namespace zanfolio {

namespace {

// The grid's width for its thirteen columns (thirteen columns of 48 pixels).
constexpr int kColumnsWidth = FrmTimeData::kColumns * 48;
// The narrowest a column of a captioned field gets: five digits in the text box.
constexpr int kMinimumColumnWidth = 40;
// Room between a caption and the grid lines beside it, beyond the cell's own text margins.
constexpr int kCaptionRoom = 4;

} // namespace

QFont FrmTimeData::fixedCellFont() {
    return japaneseFont(9);
}

void FrmTimeData::sizeColumns() {
    // Each caption stands whole on one line (a caption wider than its column wraps in the
    // middle of the word): its column is as wide as the caption, the cell's text margin on
    // either side, the grid line and kCaptionRoom, and at least kMinimumColumnWidth. The three
    // spare fields have no caption and share what is left.
    const int textMargin =
        MSFlexGrid1->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, MSFlexGrid1) + 1;
    const int room = 2 * textMargin + 1 + kCaptionRoom;
    // In fractions of a pixel: a caption 52.2 pixels long does not fit 52.
    const QFontMetricsF metrics(fixedCellFont());
    const CriteriaRow fields = standardCriteriaCaptions();
    std::array<QString, kColumns> captions;
    captions[0] = kLevelCaption;
    std::copy(fields.begin(), fields.end(), captions.begin() + 1);

    std::array<int, kColumns> widths{};
    int used = 0;
    int spare = 0;
    for (size_t c = 0; c < captions.size(); ++c) {
        if (captions[c].isEmpty()) {
            ++spare;
            continue;
        }
        const int caption = int(std::ceil(metrics.horizontalAdvance(captions[c])));
        widths[c] = std::max(kMinimumColumnWidth, caption + room);
        used += widths[c];
    }
    const int spareWidth =
        spare > 0 ? std::max(kMinimumColumnWidth / 2, (kColumnsWidth - used) / spare) : 0;
    for (size_t c = 0; c < captions.size(); ++c)
        MSFlexGrid1->setColumnWidth(int(c), captions[c].isEmpty() ? spareWidth : widths[c]);
}

void FrmTimeData::buildControls() {
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(236, 240, 232));
    setPalette(pal);

    Label2 = makeLabel(this, "Label2",
                       QStringLiteral("成績の基準となるデータを変更できます。") + u'\n' +
                           QStringLiteral("プログラムを選んでください。"),
                       QRect(12, 6, 640, 48), japaneseFont(12));

    MSFlexGrid1 = new QTableWidget(this);
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->setColumnCount(kColumns);
    MSFlexGrid1->horizontalHeader()->hide();
    MSFlexGrid1->verticalHeader()->hide();
    MSFlexGrid1->horizontalHeader()->setMinimumSectionSize(10);
    MSFlexGrid1->verticalHeader()->setMinimumSectionSize(10);
    MSFlexGrid1->verticalHeader()->setDefaultSectionSize(kRowHeight);
    MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    MSFlexGrid1->setFocusPolicy(Qt::NoFocus);
    MSFlexGrid1->setTabKeyNavigation(false); // Tab leaves the text box for the buttons
    MSFlexGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MSFlexGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MSFlexGrid1->setFont(japaneseFont(10));
    MSFlexGrid1->setWordWrap(true);
    MSFlexGrid1->setTextElideMode(Qt::ElideNone);
    MSFlexGrid1->setStyleSheet(
        QStringLiteral("QTableWidget { gridline-color: #a0a0a0; }"
                       "QTableWidget::item:selected { background: #9cc3f0; color: black; }"));
    sizeColumns();
    const int frame = 2 * MSFlexGrid1->frameWidth();
    MSFlexGrid1->setGeometry(12, 58, MSFlexGrid1->horizontalHeader()->length() + frame + 18, 478);
    connect(MSFlexGrid1, &QTableWidget::cellClicked, this, &FrmTimeData::MSFlexGrid1_Click);
    connect(MSFlexGrid1->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { placeEditorGeometry(); });

    Gridinputtext = new QLineEdit(MSFlexGrid1->viewport());
    Gridinputtext->setObjectName(QStringLiteral("Gridinputtext"));
    Gridinputtext->setFont(japaneseFont(10));
    Gridinputtext->setFrame(false);
    Gridinputtext->setStyleSheet(
        QStringLiteral("QLineEdit { background: white; border: 2px solid #1d5fbf; }"));
    Gridinputtext->hide();
    Gridinputtext->installEventFilter(this);
    connect(Gridinputtext, &QLineEdit::textChanged, this, [this] { TextToGrid転送(); });

    Label6 = makeLabel(this, "Label6", QStringLiteral("列の説明"), QRect(12, 542, 200, 24),
                       japaneseFont(11));
    Label3 = makeLabel(this, "Label3", QString(), QRect(12, 566, 644, 76), japaneseFont(11),
                       Qt::AlignLeft | Qt::AlignTop);
    Label3->setWordWrap(true);
    Label3->setFrameShape(QFrame::Panel);
    Label3->setFrameShadow(QFrame::Sunken);
    Label3->setAutoFillBackground(true);
    Label3->setStyleSheet(QStringLiteral("QLabel { background: #ffffff; padding: 2px; }"));
    Label1 =
        makeLabel(this, "Label1", QStringLiteral("スペース：セルクリア　　Shift + ↓：セルコピー"),
                  QRect(12, 648, 644, 26), japaneseFont(11));

    Command3 = makeButton(this, "Command3", QStringLiteral("更新記録"), QRect(12, 690, 150, 48));
    Command2 = makeButton(this, "Command2", QStringLiteral("元に戻す"), QRect(176, 690, 150, 48));
    Command4 = makeButton(this, "Command4", QStringLiteral("戻る"), QRect(506, 690, 150, 48));
    // Tab reaches the buttons; a click leaves the typing in the text box.
    for (QPushButton* b : {Command2, Command3, Command4})
        b->setFocusPolicy(Qt::TabFocus);
    savedNotice = makeLabel(this, "savedNotice", QStringLiteral("記録しました。"),
                            QRect(336, 690, 164, 48), japaneseFont(12), Qt::AlignCenter);
    savedNotice->setStyleSheet(QStringLiteral("QLabel { color: #1a6b2a; }"));
    savedNotice->hide();
    connect(Command2, &QPushButton::clicked, this, &FrmTimeData::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &FrmTimeData::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &FrmTimeData::Command4_Click);

    auto* options = new QButtonGroup(this);
    const QString optionTexts[2] = {QStringLiteral("度数表示"), QStringLiteral("度数非表示")};
    for (int i = 0; i < 2; ++i) {
        Option1[i] = new QRadioButton(optionTexts[i], this);
        Option1[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        Option1[i]->setGeometry(676 + i * 150, 10, 140, 26);
        Option1[i]->setFocusPolicy(Qt::TabFocus);
        options->addButton(Option1[i], i);
    }
    Option1[0]->setChecked(true);
    connect(options, &QButtonGroup::idClicked, this, &FrmTimeData::Option1_Click);

    Picture3 = new QWidget(this);
    Picture3->setObjectName(QStringLiteral("Picture3"));
    Picture3->setGeometry(668, 42, 348, 718);
    Picture3->setAutoFillBackground(true);
    QPalette panel = Picture3->palette();
    panel.setColor(QPalette::Window, QColor(250, 248, 236));
    Picture3->setPalette(panel);
    Label7 = makeLabel(Picture3, "Label7", QStringLiteral("現在までの成績度数分布"),
                       QRect(8, 4, 332, 26), japaneseFont(12));
    Label9 = makeLabel(Picture3, "Label9", QStringLiteral("全成績"), QRect(8, 32, 332, 22));
    List3 = new QListWidget(Picture3);
    List3->setObjectName(QStringLiteral("List3"));
    List3->setGeometry(8, 56, 332, 300);
    Label10 = makeLabel(Picture3, "Label10", QStringLiteral("最高タイム"), QRect(8, 364, 332, 22));
    List4 = new QListWidget(Picture3);
    List4->setObjectName(QStringLiteral("List4"));
    List4->setGeometry(8, 388, 332, 322);
    for (QListWidget* l : {List3, List4}) {
        l->setFont(monospacedJapaneseFont(10));
        l->setFocusPolicy(Qt::NoFocus);
        l->setUniformItemSizes(true);
    }

    // No space after the comma: the installations' own text, kept on purpose.
    Picture6 = makeLabel(this, "Picture6", QStringLiteral("Just a moment,please."),
                         QRect((kScreenWidth - 420) / 2, (kScreenHeight - 110) / 2, 420, 110),
                         japaneseFont(20), Qt::AlignCenter);
    Picture6->setStyleSheet(
        QStringLiteral("QLabel { background: %1; color: %2; border: 2px solid %3; }")
            .arg(kNoticeBackground, kPanelText, kNoticeBorder));
    Picture6->hide();
}

} // namespace zanfolio
