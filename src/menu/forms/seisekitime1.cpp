#include "menu/forms/seisekitime1.h"

#include "frame/datafiles.h"
#include "frame/daycount.h"
#include "frame/dialogs.h"
#include "frame/forms/controls.h"
#include "frame/forms/fonts.h"
#include "frame/forms/palette.h"
#include "frame/forms/screenhost.h"
#include "frame/programdefinition.h"
#include "frame/sharedstate.h"
#include "menu/columnlayout.h"
#include "menu/datewindow.h"
#include "menu/forms/chart/chartpanel.h"
#include "menu/keyshortcuts.h"
#include "menu/levelrules.h"
#include "menu/menulabels.h"
#include "results/resultsfile.h"
#include "results/statistics.h"
#include "roster/grades.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
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

const QString kToolNotReady = QStringLiteral("この機能はまだ使えません。");

} // namespace

// ---------------------------------------------------------------------------------------------
// Building the menu

Seisekitime1::Seisekitime1(AppContext& context) : context_(context) {
    setObjectName(QStringLiteral("seisekitime1"));
    // The form takes the keys when none of its controls has the focus (key shortcuts).
    setFocusPolicy(Qt::StrongFocus);
    SharedState& state = context_.state;
    state.DateWindowChoice = kDefaultDateWindowChoice;
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(
        QStringLiteral("#seisekitime1 { background: %1; }").arg(cssColour(state.SeasonColour)));

    buildHeader();
    buildViewControls();
    buildColumns();
    buildPanels();

    // Key preview: every control hands its typed keys to the form first.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
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

    SharedState& state = context_.state;
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
    Combo1->setEditText(state.GradeGroupFilter.isEmpty() ? kAllGrades : state.GradeGroupFilter);
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
    Picture11 = new ChartPanel(context_, this);
    Picture11->hide();
    connect(Picture11, &ChartPanel::closed, this, [this] { Picture11->hide(); });
    Command27 = makeButton(this, "Command27", QStringLiteral("印刷"), QRect(386, 720, 150, 40));
    Command27->hide();
}

void Seisekitime1::buildColumns() {
    SharedState& state = context_.state;
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
        c.Label3->setText(state.LevelNames[size_t(level)]);
        c.Label3->setToolTip(state.LevelNames[size_t(level)]);
        c.Command4->setText(QStringLiteral("ｽﾀｰﾄ(&%1)").arg(level));
        c.Command4->setToolTip(
            QStringLiteral("クリックしてスタートします。番号を押してもよろしい"));
        c.Label9->setText(QString::number(level));
        c.Label10->setText(QString::number(level));
        if (state.LevelPresent[size_t(level)] == 1) {
            c.Label8->setText(ClearWindowTallyText(state, level));
            c.Label7->setText(TargetText(state, level));
        }
        connect(c.Command4, &QPushButton::clicked, this, [this, level] { Command4_Click(level); });
        c.List5->raise();
        columns_[size_t(level)] = c;
    }
}

void Seisekitime1::buildPanels() {
    const QString season = cssColour(context_.state.SeasonColour);

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
    Picture6->setAttribute(Qt::WA_StyledBackground, true);
    Picture6->setStyleSheet(QStringLiteral("#Picture6 { background: %1; }").arg(season));
    Picture6->setGeometry(0, kLabel5Top, kScreenWidth, kScrollTop - kLabel5Top);
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
    Picture2->setAttribute(Qt::WA_StyledBackground, true);
    Picture2->setStyleSheet(QStringLiteral("#Picture2 { background: %1; }").arg(season));
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

// ---------------------------------------------------------------------------------------------
// Activation

void Seisekitime1::activate() {
    if (context_.host.ending())
        return;
    SharedState& state = context_.state;
    context_.host.setWindowTitle(QStringLiteral("Velmont"));
    const int levels = offeredLevelCount();

    const bool teacher = IsTeacherName(state.StudentName);
    Command27->setVisible(teacher && state.TeacherPrintButton.toNumber() == 1);
    Command8->setVisible(teacher);
    Picture11->setTeacher(teacher);

    Label17->setText(
        MinutesSinceSignInText(state.SignInTime, secondsSinceMidnight(context_.clock.now())));

    MenuKeysEnabled = 0;
    Picture2->setGeometry(0, 0, width(), kScreenHeight);
    Picture2->show();
    Picture2->raise();
    ProgressBar1->show();
    QCoreApplication::processEvents();

    Option1[1]->setText(QStringLiteral("累計順"));
    Option1[2]->setText(QStringLiteral("本日順"));

    {
        ResultsFile file(resultsFile(state), context_.waiter);
        const Status computed = ComputePupilStatistics(state, file, context_.clock);
        if (!computed && reportFailure(computed.error()))
            return;
    }

    state.TodayRunTotal = TodayRunTotalOf(state);
    Label18->setText(TodayRunTotalText(state.TodayRunTotal));
    ProgressBar1->setRange(0, std::max(levels, 1));

    ResultsDisplayMode = 2;
    ActivationInProgress = 1;
    if (!Option1[1]->isChecked()) {
        Option1[1]->setChecked(true);
        Option1_Click(1);
    }
    Option2_Click(1);
    Option2[1]->setChecked(true);
    Command1->setEnabled(true);
    ActivationInProgress = 0;

    for (int level : offeredLevels()) {
        if (isPracticeLevel(state, level)) {
            // Practice runs are neither recorded nor timed against the criteria.
            state.Criteria.StandardTime[size_t(level)] = 600;
            state.Criteria.MinimumLineTime[size_t(level)] = 600;
        } else {
            columns_[size_t(level)].List5->show();
        }
    }
    Picture6->hide();

    Label12->setText(PupilHeaderText(state));
    Label13->setText(SchoolHeaderText(state));
    Label11->setFont(japaneseFont(state.ProgramTitle.size() > 9 ? 20 : 24));
    Label11->setText(state.ProgramTitle);

    state.FirstVisibleLevel = NormalizedFirstVisibleLevel(state.FirstVisibleLevel, levels);
    {
        const QSignalBlocker block(HScroll1);
        HScroll1->setValue(state.FirstVisibleLevel);
    }
    pageColumns();
    QCoreApplication::processEvents();

    for (int level : offeredLevels()) {
        const MenuColumn& c = columns_[size_t(level)];
        for (QLabel* l : {c.Label7, c.Label8})
            l->setStyleSheet(QStringLiteral("background: #e0e0e0; color: %1;").arg(kPanelText));
        if (isPracticeLevel(state, level))
            hideColumnResults(c);
        c.Label15->setText(TotalTallyText(state, level));
        c.Label14->setText(TodayTallyText(state, level));
    }

    for (int level : offeredLevels())
        columns_[size_t(level)].Command4->setEnabled(false);
    Command9_Click();

    Picture2->hide();
    ProgressBar1->hide();
    context_.host.hideWaitNotice();
    QWidget* focused = QApplication::focusWidget();
    if (!focused || (focused != this && !isAncestorOf(focused)))
        setFocus();
    QCoreApplication::processEvents();
    MenuKeysEnabled = 1;
}

int Seisekitime1::offeredLevelCount() const {
    return std::clamp(context_.state.LevelCount, 0, kMaxLevel);
}

std::ranges::iota_view<int, int> Seisekitime1::offeredLevels() const {
    return std::views::iota(1, offeredLevelCount() + 1);
}

bool Seisekitime1::isOfferedLevel(int level) const {
    return level >= 1 && level <= offeredLevelCount();
}

bool Seisekitime1::reportFailure(const Error& error) {
    context_.dialogs.show(context_.state.ProgramTitle, error.message, Dialogs::Buttons::Ok,
                          Dialogs::Icon::Critical);
    if (error.endsProgram) {
        context_.host.endProgram(1);
        return true;
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// Column operations

void Seisekitime1::回数など表示() {
    for (int level : offeredLevels()) {
        const MenuColumn& c = columns_[size_t(level)];
        c.Label9->setText(QStringLiteral("今日"));
        c.Label10->setText(QStringLiteral("今まで"));
        c.List5->clear();
    }
}

void Seisekitime1::成績リスト色表示() {
    if (ResultsDisplayMode != 1 && ResultsDisplayMode != 2)
        return;
    for (int level : offeredLevels())
        成績リスト色表示単独(level);
}

void Seisekitime1::成績リスト色表示単独(int level) {
    if (!isOfferedLevel(level))
        return;
    columns_[size_t(level)].List5->clearSelection();
    columns_[size_t(level)].List5->setCurrentRow(-1, QItemSelectionModel::Clear);
}

void Seisekitime1::pageColumns() {
    const SharedState& state = context_.state;
    const ColumnPartWidths parts = ColumnParts(columnWidth_);
    const ColumnRows rows;
    for (int level : offeredLevels()) {
        const PagedColumn paged = PagedColumnLeft(referenceLeft_, kFormWidthTwips, level,
                                                  state.FirstVisibleLevel, columnWidth_);
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

void Seisekitime1::HScroll1_Change() {
    SharedState& state = context_.state;
    state.FirstVisibleLevel = ScrolledFirstVisibleLevel(HScroll1->value(), state.LevelCount);
    pageColumns();
}

// ---------------------------------------------------------------------------------------------
// The level rules

void Seisekitime1::Command9_Click() {
    SharedState& state = context_.state;
    const LevelButtons buttons = ApplyLevelRules(state);
    state.LastLevelCleared = buttons.lastLevelCleared ? 1 : 0;
    for (int level : offeredLevels()) {
        const MenuColumn& c = columns_[size_t(level)];
        c.Command4->setEnabled(buttons.enabled[size_t(level)]);
        if (buttons.notice[size_t(level)]) {
            c.Text1->setText(kOveruseNotice);
            c.Text1->raise();
            c.Text1->show();
        } else {
            c.Text1->hide();
        }
    }
    Picture6->raise();
}

// ---------------------------------------------------------------------------------------------
// Starting a level, leaving, the password panel

void Seisekitime1::Command4_Click(int level) {
    if (Picture7->isVisible())
        return;
    if (!isOfferedLevel(level) || !columns_[size_t(level)].Command4->isEnabled())
        return;
    Picture2->raise();
    Picture2->show();
    context_.state.CurrentLevel = level;
    Picture2->repaint();
    QCoreApplication::processEvents();
    MenuKeysEnabled = 0;
    if (context_.navigate.startRun)
        context_.navigate.startRun();
}

void Seisekitime1::Label3_Click(int level) {
    if (Picture7->isVisible())
        return;
    if (!isOfferedLevel(level) || !columns_[size_t(level)].Command4->isEnabled())
        return;
    context_.state.CurrentLevel = level;
    MenuKeysEnabled = 0;
    if (context_.navigate.startRun)
        context_.navigate.startRun();
}

void Seisekitime1::Command1_Click() {
    Picture2->raise();
    Picture2->show();
    Picture2->repaint();
    QCoreApplication::processEvents();
    MenuKeysEnabled = 0;
    if (context_.navigate.showRosterForm)
        context_.navigate.showRosterForm();
}

void Seisekitime1::Command8_Click() {
    Picture7->show();
    Picture7->raise();
    Text3->setFocus();
}

void Seisekitime1::Command12_Click() {
    Picture7->hide();
}

void Seisekitime1::Command10_Click(int index) {
    const SharedState& state = context_.state;
    // A numeric password compares by its decimal digits; an empty one admits an empty box.
    if (Text3->text() != state.TeacherPassword.toText()) {
        context_.dialogs.show(state.ProgramTitle, QStringLiteral("パスワードを入力して下さい"),
                              Dialogs::Buttons::Ok, Dialogs::Icon::Warning);
        return;
    }
    const std::function<void()>& tool =
        index == 0 ? context_.navigate.showRecordsBrowser : context_.navigate.showCriteriaEditor;
    if (!tool) {
        context_.dialogs.show(state.ProgramTitle, kToolNotReady, Dialogs::Buttons::Ok,
                              Dialogs::Icon::Information);
        return;
    }
    tool();
}

void Seisekitime1::Combo1_Click() {
    Option2_Click(Option2[0]->isChecked() ? 0 : 1);
    QPushButton* first = columns_[1].Command4;
    if (first && first->isEnabled() && first->isVisible())
        first->setFocus();
}

void Seisekitime1::Combo2_Click() {
    if (!Option1[3]->isChecked())
        return;
    context_.state.DateWindowChoice = Combo2->currentIndex() + 1;
    Option1_Click(3);
}

// ---------------------------------------------------------------------------------------------
// The views

void Seisekitime1::Option2_Click(int index) {
    Command17->hide();
    Picture11->hide();
    Command1->setEnabled(false);
    for (int level : offeredLevels()) {
        columns_[size_t(level)].Command4->setEnabled(false);
        columns_[size_t(level)].List5->hide();
    }
    Picture6->show();
    Picture6->raise();
    Picture6->repaint();
    if (ActivationInProgress == 1)
        return;
    if (index == 0) {
        Option1[1]->setText(QStringLiteral("BEST表示"));
        Option1[2]->setText(QStringLiteral("本日のみ"));
        Option1[3]->setEnabled(true);
        ResultsDisplayMode = 1;
        for (int k = 1; k <= 3; ++k) {
            if (Option1[size_t(k)]->isChecked()) {
                Option1_Click(k);
                break;
            }
        }
    } else if (index == 1) {
        Combo2->hide();
        Option1[1]->setText(QStringLiteral("合計累計"));
        Option1[2]->setText(QStringLiteral("合計本日"));
        Option1[3]->setText(QStringLiteral("すべて"));
        Option1[3]->setEnabled(true);
        ResultsDisplayMode = 2;
        Picture6->repaint();
        if (Option1[1]->isChecked()) {
            PointsRankingKind = 1;
            Option1_Click(1);
        } else if (Option1[3]->isChecked()) {
            Option1_Click(3);
        } else if (Option1[2]->isChecked()) {
            PointsRankingKind = 2;
            Option1_Click(2);
        }
    } else {
        Command17->show();
        Combo2->hide();
        // The chart's pupil and level lists are filled before the personal list is built.
        Picture11->fillLists();
        showRunList(RunListView::Personal);
    }
}

void Seisekitime1::beginView() {
    Command1->setEnabled(false);
    for (int level : offeredLevels()) {
        columns_[size_t(level)].Command4->setEnabled(false);
        columns_[size_t(level)].List5->hide();
    }
    Picture6->show();
    Picture6->raise();
    Combo2->hide();
    Picture1->setEnabled(false);
    Picture6->repaint();
}

void Seisekitime1::showListsOfOfferedLevels() {
    for (int level : offeredLevels()) {
        if (!isPracticeLevel(context_.state, level))
            columns_[size_t(level)].List5->show();
    }
}

void Seisekitime1::finishView() {
    Command1->setEnabled(true);
    Command9_Click();
    showListsOfOfferedLevels();
    Picture6->hide();
}

void Seisekitime1::Option1_Click(int index) {
    beginView();
    if (ResultsDisplayMode == 0)
        ResultsDisplayMode = 1;
    if (ResultsDisplayMode == 1) {
        if (index == 1)
            showRanking(RankingKind::Time);
        else if (index == 2)
            showRunList(RunListView::Today);
        else
            showRunList(RunListView::AllRuns);
    } else {
        if (PointsRankingKind == 0)
            PointsRankingKind = 1;
        if (index == 1) {
            PointsRankingKind = 1;
            ProgressBar1->setValue(0);
            showRanking(RankingKind::TotalPoints);
        } else if (index == 2) {
            PointsRankingKind = 2;
            showRanking(RankingKind::TodayPoints);
        } else {
            showRunList(RunListView::AllRuns);
        }
        Picture1->setEnabled(true);
    }
    finishView();
}

void Seisekitime1::showRanking(RankingKind kind) {
    const SharedState& state = context_.state;
    const RankingView view = BuildRankingView(state, kind, Combo1->currentText());
    Label5->setText(view.title);
    ProgressBar2->setRange(0, std::max(offeredLevelCount(), 1));
    ProgressBar2->setValue(0);
    for (int level : offeredLevels()) {
        ProgressBar2->setValue(level);
        if (kind != RankingKind::Time)
            ProgressBar1->setValue(level);
        const MenuColumn& c = columns_[size_t(level)];
        const RankingViewLevel& ranked = view.levels[size_t(level)];
        if (kind == RankingKind::Time && isPracticeLevel(state, level)) {
            hideColumnResults(c);
            continue;
        }
        c.Label9->setText(QStringLiteral("今日"));
        c.Label10->setText(QStringLiteral("今まで"));
        c.List5->clear();
        c.List5->addItems(ranked.ranking.lines);
        // Keep the signed-in pupil's line in view: the line above it at the top of the list.
        if (ranked.ranking.scrollIndex) {
            if (QListWidgetItem* item = c.List5->item(*ranked.ranking.scrollIndex))
                c.List5->scrollToItem(item, QAbstractItemView::PositionAtTop);
        }
        成績リスト色表示単独(level);
    }
    Picture1->setEnabled(true);
}

void Seisekitime1::showRunList(RunListView view) {
    SharedState& state = context_.state;
    回数など表示();
    RunListRequest request;
    request.view = view;
    request.dateWindowChoice = state.DateWindowChoice;
    request.mode = ResultsDisplayMode == 2 ? RunLineMode::Points : RunLineMode::Time;
    request.groupText = Combo1->currentText();
    ResultsFile file(resultsFile(state), context_.waiter);
    Result<RunLists> lists = ReadRunLists(state, file, context_.clock, request);
    if (!lists) {
        // The view only stops; the lists stay empty.
        reportFailure(lists.error());
    } else {
        ProgressBar2->setRange(0, int((lists->recordCount + 1) * 1.1));
        ProgressBar2->setValue(lists->recordCount);
        Label5->setText(lists->title);
        state.DateWindowDays = lists->dateWindowDays;
        for (int level : offeredLevels())
            columns_[size_t(level)].List5->addItems(lists->levels[size_t(level)]);
    }
    if (view == RunListView::Personal) {
        Picture6->hide();
        Command9_Click();
        showListsOfOfferedLevels();
        Command1->setEnabled(true);
        return;
    }
    成績リスト色表示();
    Picture1->setEnabled(true);
    if (view == RunListView::AllRuns && lists.ok() && lists->dateWindowBoxShown)
        Combo2->show();
}

void Seisekitime1::Command17_Click() {
    Picture11->setGradeGroupText(Combo1->currentText());
    Picture11->setPointsRankingKind(PointsRankingKind == 2 ? RankingKind::TodayPoints
                                                           : RankingKind::TotalPoints);
    Picture11->show();
    Picture11->raise();
    Picture11->showFor(context_.state.CurrentStudent);
}

// ---------------------------------------------------------------------------------------------
// Key shortcuts and clicks on labels

bool Seisekitime1::formKeyPress(const QString& text) {
    // Keys are off while the menu is prepared, after a start, and while the password panel is
    // open (a password may well contain digits, and "0" must not leave the menu then).
    if (MenuKeysEnabled != 1 || Picture7->isVisible() || text.size() != 1)
        return false;
    const MenuShortcut shortcut = ShortcutFor(text.at(0), context_.state.LevelCount);
    switch (shortcut.action) {
    case MenuShortcut::Action::StartLevel:
        Command4_Click(shortcut.level);
        return true;
    case MenuShortcut::Action::BackToRoster:
        if (Command1->isEnabled())
            Command1_Click();
        return true;
    case MenuShortcut::Action::None:
        break;
    }
    return false;
}

bool Seisekitime1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && formKeyPress(static_cast<QKeyEvent*>(event)->text()))
        return true;
    if (event->type() == QEvent::MouseButtonRelease) {
        for (int level : offeredLevels()) {
            if (watched == columns_[size_t(level)].Label3) {
                Label3_Click(level);
                return true;
            }
        }
    }
    return Screen::eventFilter(watched, event);
}

void Seisekitime1::keyPressEvent(QKeyEvent* event) {
    if (!formKeyPress(event->text()))
        Screen::keyPressEvent(event);
}

} // namespace zanfolio
