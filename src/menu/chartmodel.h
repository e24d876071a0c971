#pragma once
// The results chart of the results menu: WHAT to draw for one pupil and the selected levels,
// as a list of primitives placed in the target's own units. The same list is painted on the
// chart surface (Picture12) and on printer pages; only a few sizes differ between the two
// (see ChartTarget). Nothing here paints: the forms turn the primitives into pixels.
//
// Layout of a page: W × H is the target's size, U = W ÷ 2 and V = H ÷ 3. Blocks start at
// 0.05 H, 0.35 H and 0.65 H; a fourth block starts a new page at 0.05 H again. Inside a block
// with top N every position is N + k × V:
//   header rules at N and N + 0.09 V, the program title and level name at (0.7 U, N + 0.01 V)
//   x axis (0.2 U .. 0.9 U) at N + 0.8 V; time axis from N + 0.8 V (0 s) up to N + 0.1 V
//   (YScale seconds); the runs spread evenly from 0.2 U to 0.9 U in recorded order
//   the text block ("本人 / 塾全体") from x = 1.05 U
// The pupil's name heads every page at (0.01 U, 0.02 V).
//
// On paper a block may end with the pupil's mistakes with decimals on its level, the line
// "間違いの傾向：小数点の位置 4回、位取り 2回" (ChartRequest::mistakeTrend): under the text
// block, from x = 1.05 U, in the text block's size when it fits the width left of the
// page's edge, else in the size of the plot's labels, broken after a "、" into as many lines
// as it takes.
//
// The plot's labels (the axis labels, the dates under the x axis, the bests' times and dates)
// stand at these places unless a text of the block is already in the way: a label then moves
// straight down past it (up when the block has no room below), and a label that would repeat
// the very same text at the very same place (the single run's date) is left out. So the
// first best's time moves below the axis-top label when the first run is the slowest, and a
// best's date below its time.
//
// Texts take a box of the target's units (ChartTextBox): their size in points becomes target
// units through the target's dots per inch (96 for the screen's logical pixels, the printer's
// resolution on paper).
//
// Runs of 1800 seconds or more are left out of the chart altogether (no point, not counted
// among the plotted runs), so a pupil whose only runs are that slow gets an empty chart.

#include "frame/clock.h"
#include "frame/programdefinition.h"
#include "frame/result.h"
#include "menu/chartranking.h"
#include "results/resultsfile.h"

#include <QDateTime>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

namespace zanfolio {

// DrawTargetMode 0 (the chart surface) or 1 (the printer).
enum class ChartTarget { Screen, Printer };

inline constexpr double kChartFontSize = 6;    // ChartFontSize, points
inline constexpr int kChartSlowRunFrom = 1800; // runs from here on are not plotted
inline constexpr int kChartDateWindowDays = 3650;
inline constexpr int kMaxBestEntries = 10000;        // the best-point table, sentinel excluded
inline constexpr uint32_t kNewBestColour = 0x0000FF; // red, 0x00BBGGRR
inline constexpr uint32_t kRunColour = 0xFF0000;     // blue, 0x00BBGGRR

// Line widths in the target's pen units: on screen the surface's pixels at 96 dpi, on paper
// printer dots at 600 dpi (the painter converts; see chartpainter.h).
inline constexpr double kScreenLineWidth = 5;
inline constexpr double kPrinterLineWidth = 30;
inline constexpr double kRuleLineWidth = 2; // the header band's rules
inline constexpr double kBestLineWidth = 3; // the lines joining the personal bests

// Device pixels of one pen unit on a device of `dpi` dots per inch.
double chartPenScale(ChartTarget target, double dpi);

// What a primitive is for, so tests and the painter can tell them apart.
enum class ChartRole {
    PageBreak,    // on screen: clear the surface; on paper: a new page
    PupilName,    // the page heading
    HeaderRule,   // the two rules of a block's header band
    Title,        // program title and level name
    Axis,         // the x axis and the time axis
    RunPoint,     // one run: red for a new personal best, blue otherwise
    TextBlock,    // the lines of "本人 / 塾全体"
    LastDate,     // the date under the last plotted run
    BestLine,     // the lines joining the personal bests
    AxisLabel,    // "0秒" and YScale "秒"
    BestLabel,    // time texts and dates of labelled personal bests
    MistakeTrend, // on paper: the pupil's mistakes with decimals on the level
};

struct ChartPrimitive {
    enum class Kind { Line, Point, Text, PageBreak };
    Kind kind = Kind::Line;
    ChartRole role = ChartRole::Axis;
    QPointF at;          // line start, point centre, text top-left corner
    QPointF to;          // line end
    double width = 0;    // lines and points: pen width in the target's pen units
    uint32_t colour = 0; // 0x00BBGGRR; lines and texts are black
    double fontSize = 0; // texts: points
    QString text;
    int level = 0; // the block's level (0 for page breaks)
};

// One personal best of a block: offsets inside the block (y from the block's top N).
struct ChartBest {
    double y = 0;
    double x = 0;
    QString timeText; // "83秒"
    QString date;     // "2004/05/12"
};

// What a block worked out besides its primitives.
struct ChartBlock {
    int level = 0;
    double top = 0; // N
    int personalRunCount = 0;
    long long personalTimeSum = 0;
    int personalMaxTime = 0;
    int yScale = 0;
    std::vector<ChartBest> bests; // entries 1..b (the sentinel is not kept)
    int schoolBestTime = kNoTime;
    long long schoolTimeSum = 0;
    int schoolTimeCount = 0;
    ChartRankTexts ranks;
    QStringList textLines; // the text block as drawn, in order
};

struct ChartRequest {
    int pupil = 0;           // ChartPupil
    std::vector<int> levels; // the selected entries of the level list, as level numbers
    double width = 0;        // W, target units
    double height = 0;       // H, target units
    double dpi = 96;         // target units to the inch, for the size of texts
    ChartTarget target = ChartTarget::Screen;
    double fontSize = kChartFontSize;                  // ChartFontSize
    QString groupText = QStringLiteral("全学年");      // the menu's grade-group box
    RankingKind pointsKind = RankingKind::TotalPoints; // the menu's PointsRankingKind
    // On paper: the line of the pupil's mistakes on a level ("間違いの傾向：…", menu/
    // mistakefigures.h), drawn under the text block; none when empty or for the screen.
    std::function<QString(int pupil, int level)> mistakeTrend;
};

struct ChartDrawing {
    std::vector<ChartPrimitive> primitives;
    std::vector<ChartBlock> blocks;
    int pages = 0; // pages the drawing spans (0 when no level was drawn)
};

// Text boxes, in ems of the text's size, from the text's top-left corner: the band its glyphs
// ink, from kChartTextTopEms down to kChartTextBottomEms (the program's Japanese fonts put
// their line's ascent above the baseline at 1.16 em and ink from 0.28 em, and brackets and
// descenders reach 1.4 em), a full-width character one em wide and any other 0.6 em, with
// kChartTextOverhangEms more at either end for glyphs that reach past their advance.
inline constexpr double kChartTextTopEms = 0.15;
inline constexpr double kChartTextBottomEms = 1.45;
inline constexpr double kChartWideCharEms = 1.0;
inline constexpr double kChartNarrowCharEms = 0.6;
inline constexpr double kChartTextOverhangEms = 0.15;
// The least air between a text box and a neighbouring text or rule.
inline constexpr double kChartTextGapEms = 0.05;

// The box a text primitive's glyphs stay inside when painted on a target of `dpi` target units
// to the inch; the empty box for anything but a text.
QRectF ChartTextBox(const ChartPrimitive& text, double dpi);

// YScale for the slowest plotted run: 10 × (max ÷ 10 rounded down + 1), at most 1000.
int YScale(int personalMaxTime);

// A number as the digit pattern "#######" writes it: rounded half away from zero, no
// separators, the empty text for 0. A text that is not numeric stays as it is ("---").
QString chartPatternText(double value);
QString chartPatternText(const QString& text);

// The text block of a block whose counts and ranks are filled (the 本人 / 塾全体 lines).
QStringList ChartTextBlock(const ChartBlock& block);

// A run as the chart needs it: what a record of ten years costs in memory stays small (a big
// school's ten years are millions of runs).
struct ChartRun {
    double date = 0;
    qint32 time = 0;
    qint16 pupil = 0;
    qint16 level = 0;
};
std::vector<ChartRun> chartRuns(const std::vector<ResultsRecord>& records);

// The blocks for runs already read (file order). `now` is the present moment (the date window
// of ten years). Levels above LevelCount stop the drawing at that entry.
// What the chart reads besides the runs: the program's title and levels, the pupils' names
// and grades, the statistics of the rankings, and the pupil signed in (marked in them).
struct ChartParts {
    const ProgramDefinition& program;
    const RosterTables& roster;
    const PupilStatistics& stats;
    int signedIn = 0;
};

ChartDrawing BuildChart(const ChartParts& parts, const std::vector<ChartRun>& runs,
                        const QDateTime& now, const ChartRequest& request);
ChartDrawing BuildChart(const ChartParts& parts, const std::vector<ResultsRecord>& records,
                        const QDateTime& now, const ChartRequest& request);

// The runs of the chart's ten years, read back from the end of the results file to their
// first day (results/windowread.h).
Result<std::vector<ChartRun>> ReadChartRecords(ResultsFile& file, const QDate& today);

// The primitives of one page (0-based), without the page break that starts it. The chart
// surface shows the last page only: on screen a page break clears what was drawn before.
std::vector<ChartPrimitive> ChartPage(const ChartDrawing& drawing, int page);

} // namespace zanfolio
