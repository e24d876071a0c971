// The results menu's controls: where each stands, how it looks, and which handler of
// seisekitime1.cpp it calls. The column positions come from the designs in twips
// (menu/columnlayout.h).

#include "frame/forms/controls.h"
#include "frame/forms/fonts.h"
#include "frame/forms/palette.h"
#include "frame/forms/screenhost.h"
#include "frame/forms/textlist.h"
#include "menu/columnlayout.h"
#include "menu/datewindow.h"
#include "menu/forms/chart/chartpanel.h"
#include "menu/forms/classmistakespanel.h"
#include "menu/forms/seisekitime1.h"
#include "menu/menulabels.h"
#include "roster/grades.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace zanfolio {

namespace {

// The form in twips (15 to the pixel).
constexpr double kFormWidthTwips = kScreenWidth * 15.0;
// Label5, the view title above the columns, in pixels.
constexpr int kLabel5Top = 100;
constexpr int kLabel5Height = 30;
constexpr int kScrollTop = 692;

} // namespace

void Seisekitime1::buildControls() {
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(QStringLiteral("#seisekitime1 { background: %1; }")
                      .arg(cssColour(state_.installation.SeasonColour)));

    buildHeader();
    buildViewControls();
    buildColumns();
    buildPanels();
}

void Seisekitime1::buildHeader() {
    Label11 = makeLabel(this, "Label11", QString(), QRect(10, 6, 240, 44), japaneseFont(24));
    Label11->setStyleSheet(QStringLiteral("color: %1; font-weight: bold;").arg(kInk));
    Label12 = makeLabel(this, "Label12", QString(), QRect(260, 12, 290, 34), japaneseFont(15));
    Label12->setStyleSheet(QStringLiteral("background: white; padding-left: 6px;"));
    Label13 = makeLabel(this, "Label13", QString(), QRect(560, 12, 190, 34), japaneseFont(11));
    Label17 = makeLabel(this, "Label17", QString(), QRect(760, 12, 110, 34), japaneseFont(11));
    Label18 = makeLabel(this, "Label18", QString(), QRect(870, 12, 150, 34), japaneseFont(11));
    Label5 = makeLabel(this, "Label5", QStringLiteral("ベスト成績"),
                       QRect(20, kLabel5Top, 600, kLabel5Height), japaneseFont(14));
    Label5->setStyleSheet(QStringLiteral("color: %1; font-weight: bold;").arg(kInk));
}

void Seisekitime1::buildViewControls() {
    const QString modes[3] = {QStringLiteral("ﾀｲﾑ表示"), QStringLiteral("ﾎﾟｲﾝﾄ表示"),
                              QStringLiteral("個人ﾀｲﾑ")};
    auto* modeGroup = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(modes[i], this);
        option->setObjectName(QStringLiteral("Option2_%1").arg(i));
        option->setFont(japaneseFont(11));
        option->setGeometry(10 + i * 105, 60, 102, 30);
        modeGroup->addButton(option, i);
        connect(option, &QRadioButton::clicked, this, [this, i] { Option2_Click(i); });
        Option2[size_t(i)] = option;
    }

    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setAttribute(Qt::WA_StyledBackground, true);
    Picture1->setStyleSheet(
        QStringLiteral("#Picture1 { background: #eef2f5; border: 1px solid #9aa; }"));
    Picture1->setGeometry(330, 56, 360, 38);
    const QString subViews[3] = {QStringLiteral("BEST表示"), QStringLiteral("本日のみ"),
                                 QStringLiteral("オール表示")};
    auto* subGroup = new QButtonGroup(this);
    for (int k = 1; k <= 3; ++k) {
        auto* option = new QRadioButton(subViews[k - 1], Picture1);
        option->setObjectName(QStringLiteral("Option1_%1").arg(k));
        option->setFont(japaneseFont(11));
        option->setGeometry(8 + (k - 1) * 118, 4, 114, 30);
        subGroup->addButton(option, k);
        connect(option, &QRadioButton::clicked, this, [this, k] { Option1_Click(k); });
        Option1[size_t(k)] = option;
    }

    const MenuParts state = state_;
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setFont(japaneseFont(11));
    Combo1->setGeometry(700, 60, 120, 30);
    Combo1->setToolTip(QStringLiteral("表示する学年を選びます"));
    Combo1->setMaxVisibleItems(12);
    Combo1->addItems(nameListGradeGroups());
    // The grade group last chosen on the roster form (that form always sets one).
    Combo1->setEditText(state.session.GradeGroupFilter.isEmpty() ? kAllGrades
                                                                 : state.session.GradeGroupFilter);
    connect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });

    Combo2 = new QComboBox(this);
    Combo2->setObjectName(QStringLiteral("Combo2"));
    Combo2->setFont(japaneseFont(11));
    Combo2->setGeometry(830, 60, 186, 30);
    Combo2->addItems(dateWindowEntries());
    Combo2->setCurrentIndex(kDefaultDateWindowChoice - 1);
    Combo2->hide();
    connect(Combo2, &QComboBox::activated, this, [this] { Combo2_Click(); });

    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setGeometry(20, kScrollTop, 4 * twips(3456), 20);
    HScroll1->setRange(1, 1);
    HScroll1->setPageStep(1);
    HScroll1->hide();
    connect(HScroll1, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });

    Command1 =
        makeButton(this, "Command1", QStringLiteral("戻る(0)"), QRect(866, 720, 150, 40), 13);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    Command8 = makeButton(this, "Command8", QStringLiteral("データ処理"), QRect(706, 720, 150, 40));
    Command8->hide();
    connect(Command8, &QPushButton::clicked, this, [this] { Command8_Click(); });
    // The chart button and the print button exist but are not offered here.
    Command17 = makeButton(this, "Command17", QStringLiteral("グラフ"), QRect(546, 720, 150, 40));
    Command17->hide();
    connect(Command17, &QPushButton::clicked, this, [this] { Command17_Click(); });
    Picture11 = new ChartPanel(context_, state_, this);
    // Below the view title, which names the pupil's view, and out to the form's right edge,
    // where the last column in view runs past it.
    Picture11->setArea(QRect(twips(120), kLabel5Top + kLabel5Height, kScreenWidth - twips(120),
                             kScreenHeight - kLabel5Top - kLabel5Height - twips(120)));
    Picture11->hide();
    connect(Picture11, &ChartPanel::closed, this, [this] { Picture11->hide(); });
    Command27 = makeButton(this, "Command27", QStringLiteral("印刷"), QRect(386, 720, 150, 40));
    Command27->hide();
    mistakesButton = makeButton(this, "mistakesButton", QStringLiteral("間違いの傾向"),
                                QRect(226, 720, 150, 40));
    mistakesButton->setToolTip(QStringLiteral("学年ごとに、小数の間違いの種類を見ます"));
    mistakesButton->hide();
    connect(mistakesButton, &QPushButton::clicked, this, [this] { mistakesButton_Click(); });
    // Left of the teacher's buttons, in the same row; reached with Tab like the other buttons.
    aimedPracticeButton = makeButton(this, "aimedPracticeButton", QStringLiteral("弱点練習"),
                                     QRect(66, 720, 150, 40));
    aimedPracticeButton->setFocusPolicy(Qt::StrongFocus);
    aimedPracticeButton->hide();
    connect(aimedPracticeButton, &QPushButton::clicked, this,
            [this] { aimedPracticeButton_Click(); });
    mistakesPanel = new ClassMistakesPanel(state_, context_.clock, context_.waiter, this);
    // Over the view title, whose view it hides, and the columns, out to the form's edges.
    mistakesPanel->setGeometry(twips(120), kLabel5Top, kScreenWidth - twips(120),
                               kScreenHeight - kLabel5Top - twips(120));
    mistakesPanel->hide();
}

void Seisekitime1::buildColumns() {
    const MenuParts state = state_;
    const int levels = offeredLevelCount();
    columnWidth_ = ColumnWidth(levels);
    if (ColumnScrollShown(levels)) {
        HScroll1->setRange(1, ColumnScrollMaximum(levels));
        HScroll1->show();
    }
    referenceLeft_ = 0.02 * kFormWidthTwips;
    // y0 = top of Label5 + 1.05 × its height.
    columnTop_ = twips((kLabel5Top + 1.05 * kLabel5Height) * 15.0);
    const ColumnPartWidths parts = ColumnParts(columnWidth_);
    const ColumnRows rows;
    for (int level : offeredLevels()) {
        MenuColumn c = createMenuColumn(this, level);
        const int left = twips(ColumnLeft(kFormWidthTwips, level, columnWidth_));
        placeMenuColumn(c,
                        ColumnPlace{.top = columnTop_,
                                    .left = left,
                                    .nameLeft = left + twips(parts.number),
                                    .rightLeft = left + twips(parts.half),
                                    .width = twips(columnWidth_),
                                    .numberWidth = twips(parts.number),
                                    .half = twips(parts.half)},
                        rows);
        c.Label1->setText(QString::number(level));
        c.Label3->setText(state.program.LevelNames[size_t(level)]);
        c.Label3->setToolTip(state.program.LevelNames[size_t(level)]);
        c.Command4->setText(QStringLiteral("ｽﾀｰﾄ(&%1)").arg(level));
        c.Command4->setToolTip(
            QStringLiteral("クリックしてスタートします。番号を押してもよろしい"));
        c.Label9->setText(QString::number(level));
        c.Label10->setText(QString::number(level));
        if (state.program.LevelPresent[size_t(level)] == 1) {
            c.Label8->setText(ClearWindowTallyText(state.Criteria, state.Stats,
                                                   state.session.CurrentStudent, level));
            c.Label7->setText(TargetText(state.Criteria, level));
        }
        connect(c.Command4, &QPushButton::clicked, this, [this, level] { Command4_Click(level); });
        c.List5->raise();
        columns_[size_t(level)] = c;
    }
}

void Seisekitime1::buildPanels() {
    const QString season = cssColour(state_.installation.SeasonColour);

    Picture7 = new QWidget(this);
    Picture7->setObjectName(QStringLiteral("Picture7"));
    Picture7->setAttribute(Qt::WA_StyledBackground, true);
    Picture7->setStyleSheet(
        QStringLiteral("#Picture7 { background: #f4f1e8; border: 2px solid #5a5a5a; }"));
    Picture7->setGeometry(312, 240, 400, 230);
    Label28 = makeLabel(Picture7, "Label28", QStringLiteral("データ変更パスワード"),
                        QRect(20, 14, 360, 32), japaneseFont(14));
    Text3 = new QLineEdit(Picture7);
    Text3->setObjectName(QStringLiteral("Text3"));
    Text3->setEchoMode(QLineEdit::Password);
    // One "*" for every character typed, as the classroom program showed it.
    Text3->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    Text3->setFont(japaneseFont(16));
    Text3->setGeometry(20, 54, 360, 40);
    Command10[0] =
        makeButton(Picture7, "Command10_0", QStringLiteral("データ変更"), QRect(20, 110, 175, 46));
    Command10[1] = makeButton(Picture7, "Command10_1", QStringLiteral("合格タイムデータ変更"),
                              QRect(205, 110, 175, 46), 11);
    Command12 = makeButton(Picture7, "Command12", QStringLiteral("戻る"), QRect(140, 170, 120, 42));
    for (int i = 0; i < 2; ++i)
        connect(Command10[size_t(i)], &QPushButton::clicked, this,
                [this, i] { Command10_Click(i); });
    connect(Command12, &QPushButton::clicked, this, [this] { Command12_Click(); });
    Picture7->hide();

    // The views' busy panel, over the columns from the view title down to the scroll bar.
    Picture6 = new QWidget(this);
    Picture6->setObjectName(QStringLiteral("Picture6"));
    // An opaque panel: what it covers is not painted beneath it while it is up.
    fillOpaque(Picture6, state_.installation.SeasonColour);
    Picture6->setGeometry(0, kLabel5Top, kScreenWidth, kScrollTop - kLabel5Top);
    // "momento" is the installations' own spelling, kept on purpose: do not correct it.
    makeLabel(Picture6, "Label20", QStringLiteral("Just a momento, please."),
              QRect(0, 200, kScreenWidth, 50), japaneseFont(22), Qt::AlignCenter);
    ProgressBar2 = new QProgressBar(Picture6);
    ProgressBar2->setObjectName(QStringLiteral("ProgressBar2"));
    ProgressBar2->setGeometry(262, 270, 500, 24);
    ProgressBar2->setTextVisible(false);
    Picture6->hide();

    // The wait panel over the whole screen while the menu is prepared and after a start.
    Picture2 = new QWidget(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    // An opaque panel: what it covers is not painted beneath it while it is up.
    fillOpaque(Picture2, state_.installation.SeasonColour);
    Picture2->setGeometry(0, 0, kScreenWidth, kScreenHeight);
    Label19 = makeLabel(Picture2, "Label19", QStringLiteral("Just a moment, please."),
                        QRect(0, 320, kScreenWidth, 56), japaneseFont(24), Qt::AlignCenter);
    ProgressBar1 = new QProgressBar(Picture2);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(262, 400, 500, 24);
    ProgressBar1->setTextVisible(false);
    Picture2->raise();
    Picture2->show();
}

void Seisekitime1::pageColumns() {
    const MenuParts state = state_;
    const ColumnPartWidths parts = ColumnParts(columnWidth_);
    const ColumnRows rows;
    for (int level : offeredLevels()) {
        const PagedColumn paged = PagedColumnLeft(referenceLeft_, kFormWidthTwips, level,
                                                  state.menu.FirstVisibleLevel, columnWidth_);
        placeMenuColumn(columns_[size_t(level)],
                        ColumnPlace{.top = columnTop_,
                                    .left = twips(paged.left),
                                    .nameLeft = twips(paged.nameLeft),
                                    .rightLeft = twips(paged.rightLeft),
                                    .width = twips(columnWidth_),
                                    .numberWidth = twips(parts.number),
                                    .half = twips(parts.half)},
                        rows);
    }
}

} // namespace zanfolio
