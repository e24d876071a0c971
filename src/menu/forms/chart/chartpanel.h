#pragma once
// The chart panel `Picture11` of the results menu: the pupil list `List2` (hidden until
// "他の人のデータを見る"), the level list `List3` (several levels at once), "表示"
// (`Command24` 0), "印刷" (`Command24` 1, teachers only), "他の人のデータを見る" (`Command25`),
// "戻る" (`Command18`) and the drawing surface `Picture12`, which shows the last page of the
// chart (a fourth level clears the surface, as the screen has room for three blocks).
//
// For a teacher the panel also shows, right of the chart, the chart pupil's mistakes with
// decimals (MistakesBox, "mistakesBox"), and the printed sheets carry a line of them under
// every level's texts. The mistakes file is read once for every display and every print, the
// whole file into memory; choosing another window in the box reads nothing.
//
// Object names are the control names ("Command24_0", "Command24_1" for the pair).
//
// Use from the results menu:
//   fillLists()    before the personal list is built (FillChartPupilList, levels 1..LevelCount)
//   showFor(p)     the "グラフ" button: the chart of pupil p for levels 1 to 3
//   setTeacher()   offers "印刷" and the mistakes box
//   setArea(r)     where the panel stands on the menu (by default the design's place, top 1740
//                  and left 120 twips, 1008 × 644 pixels)
//   setGradeGroupText(), setPointsRankingKind()  the menu's grade group and points kind
//   closed()       emitted by "戻る" after the panel has hidden itself

#include "menu/chartmodel.h"
#include "menu/forms/chart/chartprint.h"
#include "menu/forms/menuparts.h"
#include "menu/mistakeviews.h"
#include "results/mistakerecord.h"

#include <QRect>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class QListWidget;
class QPushButton;

namespace zanfolio {

struct AppContext;
class Clock;
class Dialogs;
class MistakesBox;
class Waiter;

// `Picture12`: paints one page of primitives, white behind them.
class ChartSurface : public QWidget {
    Q_OBJECT

  public:
    using QWidget::QWidget;
    void setPage(std::vector<ChartPrimitive> primitives);
    void clear() { setPage({}); }

  signals:
    void resized();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // Tests read the page painted.
    friend class ChartPanelTestPeer;

    const std::vector<ChartPrimitive>& page() const { return page_; }

    std::vector<ChartPrimitive> page_;
};

class ChartPanel : public QWidget {
    Q_OBJECT

  public:
    // Prints through `printer` (the caller keeps it alive).
    ChartPanel(const MenuParts& state, const Clock& clock, Waiter& waiter, Dialogs& dialogs,
               ChartPrinterPort& printer, QWidget* parent = nullptr);
    // Prints on the default printer, or to PDF files in the data root's "印刷" folder.
    ChartPanel(AppContext& context, const MenuParts& state, QWidget* parent = nullptr);
    ~ChartPanel() override;

    // Fills List2 from the roster file and List3 with the levels 1..LevelCount; the chart
    // pupil becomes CurrentStudent. A roster that cannot be read is reported and leaves List2
    // empty.
    void fillLists();
    // Command17 click ("グラフ").
    void showFor(int pupil);
    void setTeacher(bool teacher);
    // The panel's place on its parent, taken whenever the panel shows.
    void setArea(const QRect& area);
    void setGradeGroupText(const QString& text) { groupText_ = text; }
    void setPointsRankingKind(RankingKind kind) { pointsKind_ = kind; }
    // How 弱点プリント prints a worksheet (pupil, level, a MistakeKind, the printer); without it
    // the button is not offered.
    using WorksheetPrinter = std::function<Status(int, int, int, SheetPrinterPort&)>;
    void setWorksheetPrinter(WorksheetPrinter print) { printWorksheet_ = std::move(print); }

  signals:
    void closed();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // Tests read the chart's pupil and drawing.
    friend class ChartPanelTestPeer;

    int chartPupil() const { return ChartPupil; }
    // The drawing the surface shows (all its pages; the surface paints the last one).
    const ChartDrawing& drawing() const { return drawing_; }

    void build();
    void Command24_Click(int k);
    // False when the panel is gone meanwhile (a wait for a file, the window closed).
    bool Command21_Click(int k);
    void Command25_Click();
    void Command18_Click();
    void List2_Click();
    void List3_Click();
    std::vector<int> selectedLevels() const;
    ChartRequest request() const;
    void redrawForSize();
    void place();
    bool report(const Error& error); // false when the panel is gone meanwhile
    // The mistakes: read from the file (teachers only), shown for the chart pupil, and the
    // window of days the box has chosen.
    bool readMistakes(); // false when the panel is gone meanwhile
    // Reads what the mistakes box's window needs, when it is not held yet; false when the panel
    // is gone meanwhile.
    bool coverMistakeWindow();
    void showMistakes();
    int mistakeWindowDays() const;

    MenuParts state_;
    const Clock& clock_;
    Waiter& waiter_;
    Dialogs& dialogs_;
    std::unique_ptr<ChartPrinterPort> ownPrinter_;
    ChartPrinterPort& printer_;

    int ChartPupil = 0;
    int ChartLevelOffset = 1;
    double ChartFontSize = kChartFontSize;
    QString groupText_ = QStringLiteral("全学年");
    RankingKind pointsKind_ = RankingKind::TotalPoints;
    QRect area_;
    bool teacher_ = false;

    std::vector<ChartRun> records_; // the last display's records, for redraws on resize
    ChartDrawing drawing_;
    bool printedToPdf_ = false;
    WindowedMistakes mistakes_;         // the mistakes file read back to the box's window
    QString mistakesFailure_;           // why it could not be read, or empty
    std::vector<AnswerRecord> answers_; // the answers file read back to the box's window

    QListWidget* List2;
    QListWidget* List3;
    std::array<QPushButton*, 2> Command24{};
    QPushButton* Command25;
    QPushButton* worksheetButton; // 弱点プリント: for a teacher, when the pupil has a 定着 kind
    WorksheetPrinter printWorksheet_;
    void worksheetButton_Click();
    QPushButton* Command18;
    ChartSurface* Picture12;
    MistakesBox* mistakesBox;
};

} // namespace zanfolio
