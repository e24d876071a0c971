#include "menu/forms/chart/chartpanel.h"

#include "frame/datafiles.h"
#include "frame/dialogs.h"
#include "frame/forms/appcontext.h"
#include "frame/forms/controls.h"
#include "frame/forms/readingprogress.h"
#include "frame/forms/screen.h"
#include "menu/chartpupillist.h"
#include "menu/forms/chart/chartpainter.h"
#include "menu/forms/chart/mistakesbox.h"
#include "menu/mistakefigures.h"
#include "menu/mistakeviews.h"
#include "results/answersfile.h"
#include "results/mistakesfile.h"
#include "results/resultsstore.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace zanfolio {

namespace {

// The panel's buttons, in its own font and placed by its layout; Return and Enter press them as
// every screen's buttons.
QPushButton* panelButton(QWidget* panel, const char* name, const QString& caption) {
    return makeButton(panel, name, caption, QRect(), panel->font().pointSizeF());
}

} // namespace

namespace {

// The panel's place in the design of the results menu, top 1740 and left 120 twips (15 twips a
// pixel), filling the menu below its header with the same margin at the right and the bottom.
constexpr int kPanelLeft = 120 / 15;
constexpr int kPanelTop = 1740 / 15;
constexpr QRect kDesignArea(kPanelLeft, kPanelTop, 1024 - 2 * kPanelLeft,
                            768 - kPanelTop - kPanelLeft);

} // namespace

void ChartSurface::setPage(std::vector<ChartPrimitive> primitives) {
    page_ = std::move(primitives);
    update();
}

void ChartSurface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    // Logical pixels: the pen units of the screen are pixels at 96 dpi.
    paintChart(painter, page_, ChartTarget::Screen, 96);
}

void ChartSurface::resizeEvent(QResizeEvent*) {
    emit resized();
}

ChartPanel::ChartPanel(const MenuParts& state, const Clock& clock, Waiter& waiter, Dialogs& dialogs,
                       ChartPrinterPort& printer, QWidget* parent)
    : QWidget(parent), state_(state), clock_(clock), waiter_(waiter), dialogs_(dialogs),
      printer_(printer) {
    build();
}

ChartPanel::ChartPanel(AppContext& context, const MenuParts& state, QWidget* parent)
    : QWidget(parent), state_(state), clock_(context.clock), waiter_(context.waiter),
      dialogs_(context.dialogs), ownPrinter_(std::make_unique<SystemChartPrinter>(
                                     chartPdfFolder(state.installation), context.clock)),
      printer_(*ownPrinter_) {
    build();
    setWorksheetPrinter(context.navigate.printWorksheet);
}

ChartPanel::~ChartPanel() = default;

void ChartPanel::build() {
    setObjectName(QStringLiteral("Picture11"));
    setAutoFillBackground(true);

    List2 = new QListWidget(this);
    List2->setObjectName(QStringLiteral("List2"));
    List2->setSelectionMode(QAbstractItemView::MultiSelection);
    List3 = new QListWidget(this);
    List3->setObjectName(QStringLiteral("List3"));
    List3->setSelectionMode(QAbstractItemView::MultiSelection);
    const QStringList captions{QStringLiteral("表示"), QStringLiteral("印刷")};
    for (int k = 0; k < 2; ++k) {
        Command24[size_t(k)] =
            panelButton(this, k == 0 ? "Command24_0" : "Command24_1", captions[k]);
        connect(Command24[size_t(k)], &QPushButton::clicked, this,
                [this, k] { Command24_Click(k); });
    }
    Command24[1]->hide();
    Command25 = panelButton(this, "Command25", QStringLiteral("他の人のデータを見る"));
    Command18 = panelButton(this, "Command18", QStringLiteral("戻る"));
    worksheetButton = panelButton(this, "worksheetButton", QStringLiteral("弱点プリント"));
    worksheetButton->setToolTip(
        QStringLiteral("この生徒がくり返している間違いに合わせた問題を印刷します"));
    worksheetButton->hide();
    Picture12 = new ChartSurface(this);
    Picture12->setObjectName(QStringLiteral("Picture12"));
    Picture12->setMinimumSize(400, 300);
    mistakesBox = new MistakesBox(this);
    mistakesBox->hide();

    auto* side = new QVBoxLayout;
    // The levels on top: the pupil list below them is hidden until "他の人のデータを見る".
    side->addWidget(List3, 1);
    side->addWidget(List2, 3);
    side->addWidget(Command24[0]);
    side->addWidget(Command24[1]);
    side->addWidget(Command25);
    side->addWidget(worksheetButton);
    side->addWidget(Command18);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(side);
    layout->addWidget(Picture12, 1);
    layout->addWidget(mistakesBox);
    List2->setFixedWidth(170);
    List3->setFixedWidth(170);
    area_ = kDesignArea;
    resize(area_.size());

    connect(Command25, &QPushButton::clicked, this, [this] { Command25_Click(); });
    connect(Command18, &QPushButton::clicked, this, [this] { Command18_Click(); });
    connect(worksheetButton, &QPushButton::clicked, this, [this] { worksheetButton_Click(); });
    connect(List2, &QListWidget::itemClicked, this, [this] { List2_Click(); });
    connect(List3, &QListWidget::itemClicked, this, [this] { List3_Click(); });
    connect(Picture12, &ChartSurface::resized, this, [this] { redrawForSize(); });
    connect(mistakesBox, &MistakesBox::windowChosen, this, [this] {
        if (coverMistakeWindow())
            showMistakes();
    });
}

void ChartPanel::fillLists() {
    List2->clear();
    Result<QStringList> pupils = FillChartPupilList(state_.roster, state_.installation, clock_);
    if (pupils)
        List2->addItems(*pupils);
    else if (!report(pupils.error()))
        return;
    List3->clear();
    for (int level = 1; level <= std::clamp(state_.program.LevelCount, 0, kMaxLevel); ++level)
        List3->addItem(QString::number(level));
    ChartPupil = state_.session.CurrentStudent;
}

void ChartPanel::showFor(int pupil) {
    ChartPupil = pupil;
    List2->hide();
    Command25->show();
    List2->clearSelection();
    for (int i = 0; i < 3 && i < List3->count(); ++i)
        List3->item(i)->setSelected(true);
    ChartFontSize = kChartFontSize;
    ChartLevelOffset = 1;
    // The personal view has no window of days: the box opens at the menu's.
    mistakesBox->setWindowChoice(state_.menu.DateWindowChoice);
    if (readMistakes())
        (void)Command21_Click(0);
}

void ChartPanel::setTeacher(bool teacher) {
    teacher_ = teacher;
    Command24[1]->setVisible(teacher);
    mistakesBox->setVisible(teacher);
}

void ChartPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    place();
}

void ChartPanel::setArea(const QRect& area) {
    area_ = area;
    if (parentWidget())
        setGeometry(area_);
    else
        resize(area_.size());
}

void ChartPanel::place() {
    if (parentWidget())
        setGeometry(area_);
}

void ChartPanel::Command24_Click(int k) {
    printedToPdf_ = false;
    if (!readMistakes())
        return;
    const QList<QListWidgetItem*> chosen = List2->selectedItems();
    if (chosen.isEmpty()) {
        if (!Command21_Click(k))
            return;
    } else {
        // In list order, not in the order of clicking.
        for (int row = 0; row < List2->count(); ++row) {
            if (!List2->item(row)->isSelected())
                continue;
            ChartPupil = chartListPupil(List2->item(row)->text());
            if (!Command21_Click(k))
                return;
        }
    }
    if (k == 1 && printedToPdf_)
        dialogs_.show(QStringLiteral("印刷"), chartPdfNotice(printer_.pdfFolder()),
                      Dialogs::Buttons::Ok, Dialogs::Icon::Information);
}

std::vector<int> ChartPanel::selectedLevels() const {
    std::vector<int> levels;
    for (int i = 0; i < List3->count(); ++i) {
        if (List3->item(i)->isSelected())
            levels.push_back(i + 1 + ChartLevelOffset - 1);
    }
    return levels;
}

ChartRequest ChartPanel::request() const {
    ChartRequest r;
    r.pupil = ChartPupil;
    r.levels = selectedLevels();
    r.target = ChartTarget::Screen;
    r.width = Picture12->width();
    r.height = Picture12->height();
    r.fontSize = ChartFontSize;
    r.groupText = groupText_;
    r.pointsKind = pointsKind_;
    if (teacher_ && mistakesFailure_.isEmpty()) {
        const QDateTime now = clock_.now();
        const int days = mistakeWindowDays();
        r.mistakeTrend = [this, now, days](int pupil, int level) {
            return pupilMistakeTrendLine(mistakes_.records(), pupil, level, now, days);
        };
    }
    return r;
}

bool ChartPanel::Command21_Click(int k) {
    place();
    show();
    raise();
    ResultsFile file = state_.store.results(waiter_);
    // Ten years of a big school on a slow share: the window paints and can be closed meanwhile.
    file.setReadProgress(ReadingProgress());
    const ScreenWatch watch(this);
    Result<std::vector<ChartRun>> records = ReadChartRecords(file, clock_.now().date());
    if (watch.gone())
        return false;
    if (!records)
        return report(records.error());
    records_ = std::move(*records);
    if (k == 1) {
        Status printed = PrintCharts(state_.chartParts(), records_, clock_.now(), {ChartPupil},
                                     request(), printer_);
        if (!printed && !report(printed.error()))
            return false;
        if (!printer_.pdfFolder().isEmpty())
            printedToPdf_ = true;
        return true;
    }
    drawing_ = BuildChart(state_.chartParts(), records_, clock_.now(), request());
    Picture12->setPage(ChartPage(drawing_, std::max(drawing_.pages - 1, 0)));
    showMistakes();
    return true;
}

bool ChartPanel::readMistakes() {
    if (!teacher_)
        return true;
    // Read afresh for every display or print: another computer may have added some.
    mistakes_.clear();
    return coverMistakeWindow();
}

bool ChartPanel::coverMistakeWindow() {
    const ScreenWatch watch(this);
    if (teacher_ && mistakesBox->isVisible())
        mistakesBox->showReading();
    const Status read =
        mistakes_.cover(mistakesFile(state_.installation), waiter_,
                        mistakeWindowFirstDate(mistakesBox->windowChoice(), clock_.now().date()));
    if (watch.gone())
        return false;
    mistakesFailure_ = read ? QString() : read.error().message;
    // The answers of the same window tell a way of working from a slip; without them the box
    // shows the counts alone.
    Result<AnswersRead> answers =
        readAnswersSince(answersFile(state_.installation), waiter_,
                         mistakeWindowFirstDate(mistakesBox->windowChoice(), clock_.now().date()));
    if (watch.gone())
        return false;
    answers_ = answers ? std::move(answers->records) : std::vector<AnswerRecord>{};
    return true;
}

void ChartPanel::showMistakes() {
    worksheetButton->setVisible(
        teacher_ && printWorksheet_ &&
        !pupilSystematicAims(answers_, ChartPupil, clock_.now(), mistakesBox->windowChoice())
             .empty());
    if (!teacher_)
        return;
    if (!mistakesFailure_.isEmpty()) {
        mistakesBox->showFailure(mistakesFailure_);
        return;
    }
    mistakesBox->showView(
        pupilMistakesView(state_.roster, mistakes_.records(), ChartPupil, clock_.now(),
                          mistakesBox->windowChoice()),
        pupilDiagnosisLines(answers_, ChartPupil, clock_.now(), mistakesBox->windowChoice()));
}

void ChartPanel::worksheetButton_Click() {
    if (!printWorksheet_)
        return;
    // One worksheet per level and way of working that is 定着 for the pupil.
    for (const auto& [level, kind] :
         pupilSystematicAims(answers_, ChartPupil, clock_.now(), mistakesBox->windowChoice())) {
        const Status printed = printWorksheet_(ChartPupil, level, int(kind), printer_);
        if (!printed) {
            dialogs_.show(QStringLiteral("弱点プリント"),
                          QStringLiteral("印刷できませんでした。\n") + printed.error().message,
                          Dialogs::Buttons::Ok, Dialogs::Icon::Warning);
            return;
        }
    }
    if (!printer_.pdfFolder().isEmpty())
        dialogs_.show(QStringLiteral("弱点プリント"),
                      sheetPdfNotice(QStringLiteral("弱点プリント"), printer_.pdfFolder()),
                      Dialogs::Buttons::Ok, Dialogs::Icon::Information);
}

int ChartPanel::mistakeWindowDays() const {
    return zanfolio::mistakeWindowDays(mistakesBox->windowChoice(), clock_.now().date());
}

void ChartPanel::redrawForSize() {
    if (drawing_.pages == 0)
        return;
    drawing_ = BuildChart(state_.chartParts(), records_, clock_.now(), request());
    Picture12->setPage(ChartPage(drawing_, std::max(drawing_.pages - 1, 0)));
}

void ChartPanel::Command25_Click() {
    Command25->hide();
    List2->show();
}

void ChartPanel::Command18_Click() {
    hide();
    emit closed();
}

void ChartPanel::List2_Click() {
    Command24_Click(0);
}

void ChartPanel::List3_Click() {
    if (isVisible())
        Command24_Click(0);
}

bool ChartPanel::report(const Error& error) {
    const ScreenWatch watch(this);
    dialogs_.show(QStringLiteral("成績グラフ"), error.message, Dialogs::Buttons::Ok,
                  Dialogs::Icon::Warning);
    return !watch.gone();
}

} // namespace zanfolio
