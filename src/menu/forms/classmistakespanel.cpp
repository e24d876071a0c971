#include "menu/forms/classmistakespanel.h"

#include "frame/clock.h"
#include "frame/datafiles.h"
#include "frame/forms/controls.h"
#include "frame/forms/fonts.h"
#include "frame/forms/palette.h"
#include "frame/forms/screen.h"
#include "menu/datewindow.h"
#include "menu/mistakeviews.h"
#include "results/answersfile.h"
#include "results/mistakesfile.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>

namespace zanfolio {

namespace {

// The table's columns: the level, its count of mistakes and of pupils, the kinds made most
// one to a column, and the rest together.
enum Column { kLevel, kTotal, kPupils, kFirstKind, kRest = kFirstKind + kClassViewKinds, kColumns };
// A kind column takes "繰り上がり・繰り下がり" on one line, and the rest column the same
// with its count in the rest's smaller size.
constexpr int kLevelWidth = 120;
constexpr int kCountWidth = 60;
constexpr int kKindWidth = 180;
constexpr double kRestPointSize = 10;
constexpr int kRowPadding = 6; // below a cell's last line

const QString kSystematicHeading =
    QStringLiteral("同じ間違いをくり返している生徒（その間違いが出やすい問題４問以上の"
                   "うち、半分以上で同じ間違い）");
const QString kSystematicNote = QStringLiteral("「4/5」は、その間違いが出やすい問題5問のうち"
                                               "4問で同じ間違いをしたことを表します。");
const QString kReadingNote = QStringLiteral("誤答記録と解答記録を読んでいます。お待ちください。");
const QString kSystematicButtonText = QStringLiteral("くり返す間違い");
const QString kCountsButtonText = QStringLiteral("間違いの数");

const QString kNote = QStringLiteral("「間違い」は期間中の誤答の数、「人数」は誤答のあった生徒"
                                     "の数です。（　）はそのレベルの誤答の中の割合です。");

} // namespace

ClassMistakesPanel::ClassMistakesPanel(const MenuParts& state, const Clock& clock, Waiter& waiter,
                                       QWidget* parent)
    : QWidget(parent), state_(state), clock_(clock), waiter_(waiter) {
    setObjectName(QStringLiteral("classMistakesPanel"));
    setAutoFillBackground(true);
    QPalette look = palette();
    look.setColor(QPalette::Window, QColor(0xfb, 0xfa, 0xf4));
    setPalette(look);

    classMistakesHeading = new QLabel(this);
    classMistakesHeading->setObjectName(QStringLiteral("classMistakesHeading"));
    classMistakesHeading->setFont(japaneseFont(15));
    classMistakesHeading->setStyleSheet(QStringLiteral("color: %1; font-weight: bold;").arg(kInk));
    classMistakeWindow = new QComboBox(this);
    classMistakeWindow->setObjectName(QStringLiteral("classMistakeWindow"));
    classMistakeWindow->setFont(japaneseFont(11));
    classMistakeWindow->addItems(mistakeWindowEntries());
    classMistakeWindow->setToolTip(QStringLiteral("数える期間を選びます"));
    connect(classMistakeWindow, &QComboBox::activated, this, [this] {
        if (readWindow())
            showFigures();
    });
    classMistakesBack = makeButton(this, "classMistakesBack", QStringLiteral("戻る"), QRect());
    classMistakesBack->setFixedSize(120, 36);
    connect(classMistakesBack, &QPushButton::clicked, this, [this] {
        hide();
        emit closed();
    });

    classMistakesTable = new QTableWidget(0, kColumns, this);
    classMistakesTable->setObjectName(QStringLiteral("classMistakesTable"));
    classMistakesTable->setFont(japaneseFont(11));
    classMistakesTable->setHorizontalHeaderLabels(
        {QStringLiteral("レベル"), QStringLiteral("間違い"), QStringLiteral("人数"),
         QStringLiteral("いちばん多い"), QStringLiteral("２番目"), QStringLiteral("３番目"),
         QStringLiteral("そのほか")});
    classMistakesTable->horizontalHeader()->setFont(japaneseFont(11));
    classMistakesTable->verticalHeader()->hide();
    classMistakesTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    classMistakesTable->setSelectionMode(QAbstractItemView::NoSelection);
    classMistakesTable->setFocusPolicy(Qt::NoFocus);
    classMistakesTable->setWordWrap(true);
    classMistakesTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    classMistakesTable->setColumnWidth(kLevel, kLevelWidth);
    classMistakesTable->setColumnWidth(kTotal, kCountWidth);
    classMistakesTable->setColumnWidth(kPupils, kCountWidth);
    for (int i = 0; i < kClassViewKinds; ++i)
        classMistakesTable->setColumnWidth(kFirstKind + i, kKindWidth);
    classMistakesTable->horizontalHeader()->setStretchLastSection(true);
    // Rows are as tall as their text at the columns' widths, which the layout settles only
    // once the panel shows.
    connect(classMistakesTable->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this] { fitRows(); });

    classSystematicHeading = new QLabel(kSystematicHeading, this);
    classSystematicHeading->setObjectName(QStringLiteral("classSystematicHeading"));
    classSystematicHeading->setFont(japaneseFont(11));
    classSystematicHeading->setStyleSheet(
        QStringLiteral("color: %1; font-weight: bold;").arg(kInk));
    classSystematicList = new QTextEdit(this);
    classSystematicList->setObjectName(QStringLiteral("classSystematicList"));
    classSystematicList->setFont(japaneseFont(11));
    classSystematicList->setReadOnly(true);
    classSystematicList->setTabChangesFocus(true);
    classSystematicButton =
        makeButton(this, "classSystematicButton", kSystematicButtonText, QRect());
    classSystematicButton->setFixedSize(180, 36);
    classSystematicButton->setToolTip(
        QStringLiteral("同じ間違いをくり返している生徒と、間違いの数を切り替えます"));
    connect(classSystematicButton, &QPushButton::clicked, this,
            [this] { showSystematic(classPages->currentIndex() == 0); });

    classMistakesNote = new QLabel(kNote, this);
    classMistakesNote->setObjectName(QStringLiteral("classMistakesNote"));
    classMistakesNote->setFont(japaneseFont(10));
    classMistakesNote->setWordWrap(true);

    auto* top = new QHBoxLayout;
    top->addWidget(classMistakesHeading, 1);
    top->addWidget(classMistakeWindow);
    top->addSpacing(12);
    top->addWidget(classSystematicButton);
    top->addSpacing(12);
    top->addWidget(classMistakesBack);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->addLayout(top);
    // The counts, or in their place the pupils who go wrong the same way.
    auto* systematicPage = new QWidget;
    auto* systematicLayout = new QVBoxLayout(systematicPage);
    systematicLayout->setContentsMargins(0, 0, 0, 0);
    systematicLayout->addWidget(classSystematicHeading);
    systematicLayout->addWidget(classSystematicList, 1);
    classPages = new QStackedWidget(this);
    classPages->addWidget(classMistakesTable);
    classPages->addWidget(systematicPage);
    layout->addWidget(classPages, 1);
    layout->addWidget(classMistakesNote);
}

void ClassMistakesPanel::showFor(const QString& groupText) {
    groupText_ = groupText;
    const bool known = state_.menu.DateWindowChoice >= 1 &&
                       state_.menu.DateWindowChoice <= classMistakeWindow->count();
    classMistakeWindow->setCurrentIndex(
        (known ? state_.menu.DateWindowChoice : kDefaultDateWindowChoice) - 1);
    // Read afresh each time the panel opens, at the counts.
    showSystematic(false);
    mistakes_.clear();
    if (!readWindow())
        return; // the window was closed during the wait
    showFigures();
    show();
    raise();
}

bool ClassMistakesPanel::readWindow() {
    const ScreenWatch watch(this);
    // A long window of a big school's files takes a moment: said before it starts.
    classMistakesNote->setStyleSheet(QString());
    classMistakesNote->setText(kReadingNote);
    classMistakesNote->repaint();
    const Status read = mistakes_.cover(
        mistakesFile(state_.installation), waiter_,
        mistakeWindowFirstDate(classMistakeWindow->currentIndex() + 1, clock_.now().date()));
    if (watch.gone())
        return false;
    failure_ = read ? QString() : read.error().message;
    Result<AnswersRead> answers = readAnswersSince(
        answersFile(state_.installation), waiter_,
        mistakeWindowFirstDate(classMistakeWindow->currentIndex() + 1, clock_.now().date()));
    if (watch.gone())
        return false;
    answers_ = answers ? std::move(answers->records) : std::vector<AnswerRecord>{};
    answersFailure_ = answers ? QString() : answers.error().message;
    return true;
}

void ClassMistakesPanel::showSystematic(bool systematic) {
    classPages->setCurrentIndex(systematic ? 1 : 0);
    if (failure_.isEmpty())
        classMistakesNote->setText(systematic ? kSystematicNote : kNote);
    classSystematicButton->setText(systematic ? kCountsButtonText : kSystematicButtonText);
}

void ClassMistakesPanel::setGroupText(const QString& groupText) {
    groupText_ = groupText;
    showFigures();
}

void ClassMistakesPanel::showFigures() {
    const ClassMistakesView view =
        classMistakesView(state_.program, state_.roster, mistakes_.records(), groupText_,
                          clock_.now(), classMistakeWindow->currentIndex() + 1);
    classMistakesHeading->setText(view.heading);
    if (!failure_.isEmpty()) {
        classMistakesTable->setRowCount(0);
        classMistakesNote->setStyleSheet(QStringLiteral("color: #a00000;"));
        classMistakesNote->setText(QStringLiteral("誤答記録を読めません。\n") + failure_);
        return;
    }
    classMistakesNote->setStyleSheet(QString());
    classMistakesNote->setText(classPages->currentIndex() == 1 ? kSystematicNote : kNote);
    QStringList systematic;
    for (const ClassSystematicRow& r :
         classSystematicView(state_.program, state_.roster, answers_, groupText_, clock_.now(),
                             classMistakeWindow->currentIndex() + 1))
        systematic << r.levelText + QStringLiteral("　") + r.kinds.join(QStringLiteral("　"));
    if (!answersFailure_.isEmpty())
        classSystematicList->setPlainText(QStringLiteral("解答記録を読めません。\n") +
                                          answersFailure_);
    else if (systematic.isEmpty())
        classSystematicList->setPlainText(QStringLiteral("この期間にはいません。"));
    else
        classSystematicList->setPlainText(systematic.join(u'\n'));
    classMistakesTable->setRowCount(int(view.rows.size()));
    for (int row = 0; row < int(view.rows.size()); ++row) {
        const ClassMistakesRow& r = view.rows[size_t(row)];
        QStringList cells{r.levelText, r.total, r.pupils};
        for (int i = 0; i < kClassViewKinds; ++i)
            cells << r.top.value(i);
        cells << r.rest.join(u'\n'); // one kind to a line: a name never breaks
        for (int column = 0; column < kColumns; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column == kTotal || column == kPupils)
                item->setTextAlignment(Qt::AlignCenter);
            else
                item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            if (column == kFirstKind && !r.top.isEmpty())
                item->setForeground(QColor(0xa0, 0x20, 0x20));
            if (column == kRest)
                item->setFont(japaneseFont(kRestPointSize));
            classMistakesTable->setItem(row, column, item);
        }
    }
    fitRows();
}

void ClassMistakesPanel::fitRows() {
    classMistakesTable->resizeRowsToContents();
    for (int row = 0; row < classMistakesTable->rowCount(); ++row)
        classMistakesTable->setRowHeight(row, classMistakesTable->rowHeight(row) + kRowPadding);
}

} // namespace zanfolio
