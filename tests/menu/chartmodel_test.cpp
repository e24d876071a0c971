#include "app/sharedstate.h"
#include "frame/daycount.h"
#include "menu/chartmodel.h"
#include "menu/chartpupillist.h"
#include "menu/chartranking.h"
#include "menu/menufixture.h"
#include "support/fakes.h"
#include "support/testfolder.h"
#include "support/testrecords.h"

#include <QLineF>
#include <algorithm>
#include <gtest/gtest.h>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

const QDateTime kNow(QDate(2026, 12, 9), QTime(10, 0));
// An 800 × 600 surface: U = 400, V = 200, the first block at N = 30.
constexpr double kW = 800;
constexpr double kH = 600;
constexpr double kU = kW / 2;
constexpr double kV = kH / 3;
constexpr double kN = 0.05 * kH;

constexpr int kPupil = 7;

ResultsRecord run(int pupil, int level, int time, QDate date = kNow.date()) {
    return testRecord(pupil, level, time).date(dayCount(date));
}

std::vector<ChartPrimitive> ofRole(const ChartDrawing& d, ChartRole role) {
    std::vector<ChartPrimitive> out;
    for (const ChartPrimitive& p : d.primitives)
        if (p.role == role)
            out.push_back(p);
    return out;
}

class ChartModelTest : public ::testing::Test {
  protected:
    ChartModelTest() {
        s.addPupil(kPupil, QStringLiteral("山田"));
        s.addPupil(8, QStringLiteral("佐藤"));
        s->session.CurrentStudent = kPupil;
    }
    ChartDrawing chart(std::vector<int> levels = {1}, ChartTarget target = ChartTarget::Screen,
                       const QString& group = QStringLiteral("全学年")) {
        ChartRequest r;
        r.pupil = kPupil;
        r.levels = std::move(levels);
        r.width = kW;
        r.height = kH;
        r.target = target;
        r.groupText = group;
        return BuildChart(ChartParts{s->program, s->roster, s->Stats, s->session.CurrentStudent},
                          records, kNow, r);
    }
    void runs(std::initializer_list<int> times, int pupil = kPupil, int level = 1) {
        int day = 0;
        for (int t : times)
            records.push_back(run(pupil, level, t, kNow.date().addDays(-100 + day++)));
    }
    MenuState s;
    std::vector<ResultsRecord> records;
};

TEST_F(ChartModelTest, NewPersonalBestsRedOthersBlueAtTheirPlaces) {
    runs({60, 55, 58, 50});
    runs({45}, 8); // another pupil: school figures only, never plotted
    const ChartDrawing d = chart();
    const std::vector<ChartPrimitive> points = ofRole(d, ChartRole::RunPoint);
    ASSERT_EQ(points.size(), 4u);
    const int scale = 70; // slowest 60 s
    ASSERT_EQ(d.blocks.at(0).yScale, scale);
    const int times[] = {60, 55, 58, 50};
    const uint32_t colours[] = {kNewBestColour, kNewBestColour, kRunColour, kNewBestColour};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_DOUBLE_EQ(points[size_t(i)].at.x(), kU * (0.7 * (i + 1) / 4 + 0.2));
        EXPECT_DOUBLE_EQ(points[size_t(i)].at.y(), kN + kV * (0.8 - 0.7 * times[i] / scale));
        EXPECT_EQ(points[size_t(i)].colour, colours[i]);
        EXPECT_EQ(points[size_t(i)].width, kScreenLineWidth);
    }
    // The three bests joined in order: 1 → 2 → 4.
    const std::vector<ChartPrimitive> joins = ofRole(d, ChartRole::BestLine);
    ASSERT_EQ(joins.size(), 2u);
    EXPECT_EQ(joins[0].at, points[0].at);
    EXPECT_EQ(joins[0].to, points[1].at);
    EXPECT_EQ(joins[1].to, points[3].at);
    EXPECT_EQ(joins[1].width, kBestLineWidth);
    EXPECT_EQ(d.blocks[0].bests.size(), 3u);
    EXPECT_EQ(d.blocks[0].schoolBestTime, 45);
}

TEST(ChartYScale, TopOfTheTimeAxisAboveTheSlowestRunAndCapped) {
    const std::pair<int, int> cases[] = {{83, 90}, {80, 90}, {995, 1000}, {1790, 1000}, {0, 10}};
    for (auto [max, scale] : cases)
        EXPECT_EQ(YScale(max), scale) << max;
}

TEST_F(ChartModelTest, AxisLabelsNameZeroAndTheScale) {
    runs({83, 70});
    const std::vector<ChartPrimitive> labels = ofRole(chart(), ChartRole::AxisLabel);
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].text, QStringLiteral("0秒"));
    EXPECT_EQ(labels[0].at, QPointF(0.12 * kU, kN + 0.79 * kV));
    EXPECT_EQ(labels[1].text, QStringLiteral("90秒"));
    EXPECT_EQ(labels[1].at, QPointF(0.12 * kU, kN + 0.1 * kV));
}

TEST_F(ChartModelTest, WithoutPlottedRunsOnlyAxesAndABlankCount) {
    // Nothing at all, and only runs of 1800 s or more (which once divided by zero).
    for (bool slowRuns : {false, true}) {
        SCOPED_TRACE(slowRuns);
        records.clear();
        if (slowRuns)
            runs({1800, 2500, kNoTime});
        const ChartDrawing d = chart();
        EXPECT_TRUE(ofRole(d, ChartRole::RunPoint).empty());
        EXPECT_TRUE(ofRole(d, ChartRole::BestLine).empty());
        EXPECT_TRUE(ofRole(d, ChartRole::AxisLabel).empty());
        EXPECT_TRUE(ofRole(d, ChartRole::BestLabel).empty());
        EXPECT_EQ(ofRole(d, ChartRole::Axis).size(), 2u);
        const QStringList& text = d.blocks.at(0).textLines;
        EXPECT_EQ(text.value(0),
                  QStringLiteral("回数\u3000\u3000\u3000\u3000\u3000\u3000\u3000   回"));
        // The school's best is blank without any run, and counts slow runs too.
        EXPECT_EQ(text.value(3),
                  QStringLiteral("\u3000\u3000最高\u3000\u3000\u3000\u3000       /") +
                      (slowRuns ? QStringLiteral(" 1800秒") : QStringLiteral("     秒")));
        for (const QString& line : text)
            EXPECT_FALSE(line.startsWith(QStringLiteral("\u3000\u3000平均"))) << line.toStdString();
    }
}

TEST_F(ChartModelTest, SlowRunsLeftOutOfThePlotButCountedForTheSchoolBest) {
    runs({1800, 60, 2000, 50});
    const ChartDrawing d = chart();
    const std::vector<ChartPrimitive> points = ofRole(d, ChartRole::RunPoint);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_DOUBLE_EQ(points[0].at.x(), kU * (0.7 * 1 / 2 + 0.2));
    EXPECT_DOUBLE_EQ(points[1].at.x(), kU * (0.7 * 2 / 2 + 0.2));
    EXPECT_EQ(d.blocks[0].personalRunCount, 2);
    EXPECT_EQ(d.blocks[0].schoolTimeCount, 2);
}

TEST_F(ChartModelTest, TextBlockLinesWithRanksTimesAndPoints) {
    runs({60, 50});
    runs({40, 41}, 8);
    s->Stats.PersonalBestTimes(1, kPupil) = 50;
    s->Stats.PersonalBestTimes(1, 8) = 40;
    s->Stats.TotalPoints(1, kPupil) = 12;
    s->Stats.TotalPoints(1, 8) = 31;
    const QStringList text = chart().blocks.at(0).textLines;
    const QStringList expected{
        QStringLiteral("回数\u3000\u3000\u3000\u3000\u3000\u3000\u3000  2回"),
        QStringLiteral("タイム  \u3000\u3000 \u3000    本人 / 塾全体"),
        QStringLiteral("\u3000\u3000順位\u3000\u3000\u3000\u3000    2位"),
        QStringLiteral("\u3000\u3000最高\u3000\u3000\u3000\u3000   50秒 /   40秒"),
        QStringLiteral("\u3000\u3000平均\u3000\u3000\u3000\u3000   55秒 /   48秒"), // 191 / 4
        QStringLiteral("ポイント  \u3000\u3000\u3000"),
        QStringLiteral("\u3000\u3000順位\u3000\u3000\u3000\u3000    2位"),
        QStringLiteral("\u3000\u3000獲得ポイント   12点"),
        QStringLiteral("\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000/"
                       "   22点"), // 43 / 2 = 21.5, rounded up
        QStringLiteral("\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000"
                       " (塾平均)"),
    };
    EXPECT_EQ(text, expected);
}

// Where the block has room for them: on the chart panel's surface and on paper.
TEST_F(ChartModelTest, TextBlockLinesStepDownAndTheLastHalfALineMore) {
    runs({60});
    struct Case {
        ChartTarget target;
        double width, height, dpi, lineHeight;
    };
    for (const Case& c : {Case{ChartTarget::Screen, 826, 640, 96, 0.08},
                          Case{ChartTarget::Printer, 4960, 7016, 600, 0.06}}) {
        ChartRequest r;
        r.pupil = kPupil;
        r.levels = {1};
        r.width = c.width;
        r.height = c.height;
        r.dpi = c.dpi;
        r.target = c.target;
        const double v = c.height / 3;
        const double n = 0.05 * c.height;
        const double h = c.lineHeight * v;
        const std::vector<ChartPrimitive> lines = ofRole(
            BuildChart(ChartParts{s->program, s->roster, s->Stats, s->session.CurrentStudent},
                       records, kNow, r),
            ChartRole::TextBlock);
        ASSERT_EQ(lines.size(), 9u); // no school points average without points
        EXPECT_DOUBLE_EQ(lines[0].at.y(), n + 0.05 * v + h);
        EXPECT_DOUBLE_EQ(lines[7].at.y(), n + 0.05 * v + 8 * h);
        EXPECT_DOUBLE_EQ(lines[8].at.y(), n + 0.05 * v + 9.5 * h);
        EXPECT_DOUBLE_EQ(lines[0].at.x(), 1.05 * c.width / 2);
        EXPECT_EQ(lines[0].fontSize, 9);
    }
}

TEST_F(ChartModelTest, ChartRanksFromTheChartStyleLines) {
    s.addPupil(9, QStringLiteral("長い名前の生徒")); // longer than the five-character name field
    s->Stats.PersonalBestTimes(1, 8) = 40;
    s->Stats.PersonalBestTimes(1, 9) = 45;
    s->Stats.TotalPoints(1, 9) = 20;
    s->Stats.TotalPoints(1, 8) = 10;
    ChartRankTexts long9 = ChartRankings(s->roster, s->Stats, s->session.CurrentStudent, 1, 9,
                                         QStringLiteral("全学年"), RankingKind::TotalPoints);
    EXPECT_EQ(long9.timeRankText, QStringLiteral("  2"));
    EXPECT_EQ(long9.pointsRankText, QStringLiteral("  1"));
    EXPECT_EQ(long9.pupilPoints, 20);
    EXPECT_EQ(long9.schoolPointPupils, 2);
    EXPECT_EQ(long9.schoolPointSum, 30);

    // No record: "---" stays as text in the rank line.
    ChartRankTexts none = ChartRankings(s->roster, s->Stats, s->session.CurrentStudent, 1, kPupil,
                                        QStringLiteral("全学年"), RankingKind::TotalPoints);
    EXPECT_EQ(none.timeRankText, QStringLiteral("---"));
    ChartBlock b;
    b.ranks = none;
    EXPECT_EQ(ChartTextBlock(b).value(2),
              QStringLiteral("\u3000\u3000順位\u3000\u3000\u3000\u3000  ---位"));

    // Outside the grade group: no line, so blank ranks and no points.
    ChartRankTexts hidden = ChartRankings(s->roster, s->Stats, s->session.CurrentStudent, 1, 9,
                                          QStringLiteral("中１"), RankingKind::TotalPoints);
    EXPECT_TRUE(hidden.timeRankText.isEmpty());
    EXPECT_TRUE(hidden.pointsRankText.isEmpty());
    EXPECT_EQ(hidden.pupilPoints, 0);
}

TEST_F(ChartModelTest, OneNameBeginningAnotherFindsItsOwnLine) {
    s.addPupil(20, QStringLiteral("山田花子")); // contains "山田", ranked first
    s->Stats.PersonalBestTimes(1, 20) = 30;
    s->Stats.PersonalBestTimes(1, kPupil) = 50;
    EXPECT_EQ(ChartRankings(s->roster, s->Stats, s->session.CurrentStudent, 1, kPupil,
                            QStringLiteral("全学年"), RankingKind::TotalPoints)
                  .timeRankText,
              QStringLiteral("  2"));
}

TEST(ChartPatternText, WholeRoundedNumbersAndBlankZero) {
    EXPECT_EQ(chartPatternText(21.5), QStringLiteral("22"));
    EXPECT_EQ(chartPatternText(0.4), QString());
    EXPECT_EQ(chartPatternText(0.0), QString());
    EXPECT_EQ(chartPatternText(QStringLiteral("  3")), QStringLiteral("3"));
    EXPECT_EQ(chartPatternText(QStringLiteral("---")), QStringLiteral("---"));
    EXPECT_EQ(chartPatternText(QString()), QString());
}

TEST_F(ChartModelTest, FourthLevelStartsANewPageWithTheNameAgain) {
    runs({60});
    for (ChartTarget target : {ChartTarget::Screen, ChartTarget::Printer}) {
        const ChartDrawing d = chart({1, 2, 3, 4}, target);
        EXPECT_EQ(d.pages, 2);
        ASSERT_EQ(d.blocks.size(), 4u);
        EXPECT_DOUBLE_EQ(d.blocks[0].top, 0.05 * kH);
        EXPECT_NEAR(d.blocks[1].top, 0.35 * kH, 1e-9);
        EXPECT_NEAR(d.blocks[2].top, 0.65 * kH, 1e-9);
        EXPECT_DOUBLE_EQ(d.blocks[3].top, 0.05 * kH);
        EXPECT_EQ(ofRole(d, ChartRole::PupilName).size(), 2u);
        const std::vector<ChartPrimitive> second = ChartPage(d, 1);
        for (const ChartPrimitive& p : second)
            EXPECT_EQ(p.level, 4);
        EXPECT_EQ(second.front().role, ChartRole::PupilName);
        EXPECT_EQ(second.front().text, QStringLiteral("山田"));
        EXPECT_EQ(second.front().fontSize, ofRole(d, ChartRole::PupilName).front().fontSize);
    }
}

TEST_F(ChartModelTest, LevelAboveTheLevelCountStopsTheDrawing) {
    const ChartDrawing d = chart({1, s->program.LevelCount + 1, 2});
    ASSERT_EQ(d.blocks.size(), 1u);
    EXPECT_EQ(d.pages, 1);
}

// The sizes asked for (three times the chart's font on paper, twice on the screen) where the
// title band holds them; smaller where it is too narrow (the panel's surface).
TEST_F(ChartModelTest, PaperSizesDifferFromTheScreen) {
    runs({60});
    const ChartDrawing paper = chart({1}, ChartTarget::Printer);
    EXPECT_EQ(ofRole(paper, ChartRole::Axis).at(0).width, kPrinterLineWidth);
    EXPECT_EQ(ofRole(paper, ChartRole::RunPoint).at(0).width, kPrinterLineWidth);
    EXPECT_EQ(ofRole(paper, ChartRole::HeaderRule).at(0).width, kRuleLineWidth);
    const ChartDrawing screen = chart({1});
    EXPECT_EQ(ofRole(screen, ChartRole::Title).at(0).text,
              s->program.ProgramTitle + QStringLiteral(" ") + s->program.LevelNames[1]);

    const auto titleSize = [&](ChartTarget target, double width, double height, double dpi) {
        ChartRequest r;
        r.pupil = kPupil;
        r.levels = {1};
        r.width = width;
        r.height = height;
        r.dpi = dpi;
        r.target = target;
        return ofRole(BuildChart(
                          ChartParts{s->program, s->roster, s->Stats, s->session.CurrentStudent},
                          records, kNow, r),
                      ChartRole::Title)
            .at(0)
            .fontSize;
    };
    EXPECT_EQ(titleSize(ChartTarget::Printer, 4960, 10000, 600), 18);
    EXPECT_EQ(titleSize(ChartTarget::Screen, 826, 1000, 96), 12);
    const double onPaper = titleSize(ChartTarget::Printer, 4960, 7016, 600);
    const double onThePanel = titleSize(ChartTarget::Screen, 826, 640, 96);
    EXPECT_GT(onPaper, 17);
    EXPECT_LE(onPaper, 18);
    EXPECT_GT(onThePanel, 9);
    EXPECT_LE(onThePanel, 12);
}

TEST_F(ChartModelTest, BestLabelsShortenDatesWithinTheSameYear) {
    // Seven successive bests, the last two in a new year.
    const QDate days[] = {{2025, 10, 1}, {2025, 10, 2}, {2025, 10, 3}, {2025, 10, 4},
                          {2025, 10, 5}, {2026, 1, 6},  {2026, 1, 7}};
    int time = 90;
    for (const QDate& day : days)
        records.push_back(run(kPupil, 1, time--, day));
    const std::vector<ChartPrimitive> labels = ofRole(chart(), ChartRole::BestLabel);
    QStringList texts;
    for (const ChartPrimitive& p : labels)
        texts << p.text;
    EXPECT_EQ(texts, (QStringList{QStringLiteral("90秒"), QStringLiteral("2025/10/01"),
                                  QStringLiteral("88秒"), QStringLiteral("10/03"),
                                  QStringLiteral("84秒"), QStringLiteral("01/07")}));
    const std::vector<ChartPrimitive> last = ofRole(chart(), ChartRole::LastDate);
    ASSERT_EQ(last.size(), 1u);
    EXPECT_EQ(last[0].text, QStringLiteral("2026/01/07"));
}

// The texts of a page never meet. Two used to: the axis-top label and the first best's time
// when the first run is the slowest (both at the top of the axis, one above the other), and
// the dates of the first and the last run of a pupil with a single run (at one place). The
// axis-top label keeps its place; the first best's time and the run's date are still there.
TEST_F(ChartModelTest, TextsOfAPageKeepClearOfEachOther) {
    struct Case {
        const char* name;
        std::vector<int> times;
        ChartTarget target = ChartTarget::Screen;
        double width = kW, height = kH, dpi = 96;
    };
    std::vector<int> manyBests;
    for (int t = 90; t >= 70; --t)
        manyBests.push_back(t);
    const Case cases[] = {
        {"one run", {60}},
        {"one run at the top of its axis", {89}},
        {"first run the slowest, at the top of the axis", {89, 70, 75}},
        {"first run 83 s on a 90 s axis", {83, 70}},
        {"first run the slowest, on the chart panel's surface",
         {89, 70, 75},
         ChartTarget::Screen,
         826,
         640},
        {"one run, on the chart panel's surface", {59}, ChartTarget::Screen, 826, 640},
        {"21 successive bests", manyBests},
        {"one run on paper", {89}, ChartTarget::Printer, 4960, 7016, 600},
        {"first run the slowest on paper", {89, 70, 75}, ChartTarget::Printer, 4960, 7016, 600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        records.clear();
        int day = 0;
        for (int t : c.times)
            records.push_back(run(kPupil, 1, t, kNow.date().addDays(-100 + day++)));
        ChartRequest r;
        r.pupil = kPupil;
        r.levels = {1, 2};
        r.width = c.width;
        r.height = c.height;
        r.dpi = c.dpi;
        r.target = c.target;
        const ChartDrawing d =
            BuildChart(ChartParts{s->program, s->roster, s->Stats, s->session.CurrentStudent},
                       records, kNow, r);
        std::vector<ChartPrimitive> texts;
        for (const ChartPrimitive& p : ChartPage(d, 0))
            if (p.kind == ChartPrimitive::Kind::Text && !p.text.trimmed().isEmpty())
                texts.push_back(p);
        for (size_t i = 0; i < texts.size(); ++i)
            for (size_t j = i + 1; j < texts.size(); ++j)
                EXPECT_FALSE(
                    ChartTextBox(texts[i], c.dpi).intersects(ChartTextBox(texts[j], c.dpi)))
                    << texts[i].text.toStdString() << " at " << texts[i].at.x() << ","
                    << texts[i].at.y() << " meets " << texts[j].text.toStdString() << " at "
                    << texts[j].at.x() << "," << texts[j].at.y();

        const double u = c.width / 2;
        const double v = c.height / 3;
        const double n = 0.05 * c.height;
        const ChartBlock& block = d.blocks.at(0);
        const QString top = QString::number(block.yScale) + QStringLiteral("秒");
        const QString firstTime = block.bests.at(0).timeText;
        const QString firstDate = block.bests.at(0).date;
        int tops = 0, firstTimes = 0, datesOnTheAxis = 0;
        for (const ChartPrimitive& p : texts) {
            if (p.level != 1)
                continue;
            tops += p.role == ChartRole::AxisLabel && p.text == top &&
                    p.at == QPointF(0.12 * u, n + 0.1 * v);
            firstTimes +=
                p.role == ChartRole::BestLabel && p.text == firstTime && p.at.x() == 0.12 * u;
            datesOnTheAxis += p.text == firstDate && p.at.y() == n + 0.815 * v;
        }
        EXPECT_EQ(tops, 1);
        EXPECT_EQ(firstTimes, 1);
        EXPECT_EQ(datesOnTheAxis, 1);
    }
}

// Whether a line of `width` pixels from `a` to `b` touches `box`.
bool lineMeets(QPointF a, QPointF b, double width, const QRectF& box) {
    const QRectF wide = box.adjusted(-width / 2, -width / 2, width / 2, width / 2);
    if (wide.contains(a) || wide.contains(b))
        return true;
    const QLineF segment(a, b);
    const QLineF edges[] = {{wide.topLeft(), wide.topRight()},
                            {wide.topRight(), wide.bottomRight()},
                            {wide.bottomRight(), wide.bottomLeft()},
                            {wide.bottomLeft(), wide.topLeft()}};
    for (const QLineF& edge : edges)
        if (segment.intersects(edge, nullptr) == QLineF::BoundedIntersection)
            return true;
    return false;
}

// No rule, axis, line joining the bests or run's point is drawn over a text, and every block's
// texts stay between its top rule and the next block's: the pupil's name above the first block, the
// title inside its band, "(塾平均)" above the next title, on the panel and on paper.
TEST_F(ChartModelTest, NothingDrawnCrossesAText) {
    s.addPupil(9, QStringLiteral("長谷川あいり"));
    s->program.ProgramTitle = QStringLiteral("Zanfolio");
    struct Case {
        const char* name;
        ChartTarget target;
        double width, height, dpi;
    };
    const Case cases[] = {
        {"the chart panel's surface", ChartTarget::Screen, 826, 640, 96},
        {"a smaller surface", ChartTarget::Screen, 800, 600, 96},
        {"the panel on a large screen", ChartTarget::Screen, 1548, 1200, 180},
        {"paper", ChartTarget::Printer, 4960, 7016, 600},
    };
    for (int level = 1; level <= 4; ++level) {
        int day = 0;
        for (int t : {999, 700, 800, 420, 300, 350, 200, 150, 120, 99, 98, 90})
            records.push_back(run(9, level, t, kNow.date().addDays(-300 + day++)));
        records.push_back(run(8, level, 80, kNow.date().addDays(-1)));
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChartRequest r;
        r.pupil = 9;
        r.levels = {1, 2, 3, 4};
        r.width = c.width;
        r.height = c.height;
        r.dpi = c.dpi;
        r.target = c.target;
        r.mistakeTrend = [](int, int) {
            return QStringLiteral("間違いの傾向：繰り上がり・繰り下がり 12回、小数点の位置 11回、"
                                  "打ち間違い 10回、位取り 10回、ゼロ 10回、逆算 10回");
        };
        const ChartDrawing d =
            BuildChart(ChartParts{s->program, s->roster, s->Stats, s->session.CurrentStudent},
                       records, kNow, r);
        const double v = c.height / 3;
        const double penScale = chartPenScale(c.target, c.dpi);
        for (int page = 0; page < d.pages; ++page) {
            const std::vector<ChartPrimitive> primitives = ChartPage(d, page);
            for (const ChartPrimitive& t : primitives) {
                if (t.kind != ChartPrimitive::Kind::Text || t.text.trimmed().isEmpty())
                    continue;
                const QRectF box = ChartTextBox(t, c.dpi);
                for (const ChartPrimitive& l : primitives) {
                    if (l.kind != ChartPrimitive::Kind::Line &&
                        l.kind != ChartPrimitive::Kind::Point)
                        continue;
                    const QPointF to = l.kind == ChartPrimitive::Kind::Point ? l.at : l.to;
                    EXPECT_FALSE(lineMeets(l.at, to, std::max(l.width * penScale, 1.0), box))
                        << t.text.toStdString() << " (top " << box.top() << ", bottom "
                        << box.bottom() << ") crossed by a line at " << l.at.y() << "–" << l.to.y();
                }
                const auto block =
                    std::find_if(d.blocks.begin(), d.blocks.end(),
                                 [&](const ChartBlock& b) { return b.level == t.level; });
                ASSERT_NE(block, d.blocks.end());
                if (t.role == ChartRole::PupilName) {
                    EXPECT_LT(box.bottom(), block->top) << "the name above the first block";
                    EXPECT_GE(box.top(), 0);
                } else {
                    EXPECT_GT(box.top(), block->top) << t.text.toStdString();
                    EXPECT_LT(box.bottom(), block->top + 0.9 * v)
                        << t.text.toStdString() << " reaches into the next block";
                }
                if (t.role == ChartRole::Title) {
                    EXPECT_LT(box.bottom(), block->top + 0.09 * v) << "inside the title band";
                }
            }
        }
    }
}

// On paper every block ends with the pupil's mistakes on its level, under the text block and
// clear of every other text, inside the page and above the next block, as large as the text
// block's figures; a line too long for the width right of the plot breaks after a "、".
TEST_F(ChartModelTest, OnPaperEachBlockEndsWithItsMistakesLineClearOfEverything) {
    const QString shortLine = QStringLiteral("間違いの傾向：小数点の位置 4回、位取り 2回");
    const QString longLine = QStringLiteral(
        "間違いの傾向：繰り上がり・繰り下がり 12回、小数点の位置 11回、打ち間違い 10回、"
        "位取り 10回、ゼロ 10回、逆算 10回、未入力 10回、その他 10回");
    struct Case {
        const char* name;
        QString line;
        ChartTarget target;
        int linesPerBlock;
        double fontSize;
    };
    const Case cases[] = {
        {"a short line", shortLine, ChartTarget::Printer, 1, 9},
        {"every kind, many times", longLine, ChartTarget::Printer, 3, 9},
        {"nothing to say", QString(), ChartTarget::Printer, 0, 0},
        {"on the screen", shortLine, ChartTarget::Screen, 0, 0},
    };
    for (int level = 1; level <= 3; ++level)
        runs({89, 70, 75, 72, 60, 65, 58}, kPupil, level);
    const double w = 4960, h = 7016, dpi = 600;
    const double u = w / 2, v = h / 3;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChartRequest r;
        r.pupil = kPupil;
        r.levels = {1, 2, 3};
        r.width = w;
        r.height = h;
        r.dpi = dpi;
        r.target = c.target;
        std::vector<std::pair<int, int>> asked;
        r.mistakeTrend = [&](int pupil, int level) {
            asked.emplace_back(pupil, level);
            return c.line;
        };
        const ChartDrawing d =
            BuildChart(ChartParts{s->program, s->roster, s->Stats, s->session.CurrentStudent},
                       records, kNow, r);
        const std::vector<ChartPrimitive> trend = ofRole(d, ChartRole::MistakeTrend);
        ASSERT_EQ(int(trend.size()), 3 * c.linesPerBlock);
        if (c.linesPerBlock == 0)
            continue;
        EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{kPupil, 1}, {kPupil, 2}, {kPupil, 3}}));
        for (const ChartBlock& block : d.blocks) {
            SCOPED_TRACE(block.level);
            QString joined;
            double textBlockBottom = 0;
            for (const ChartPrimitive& p : d.primitives)
                if (p.level == block.level && p.role == ChartRole::TextBlock)
                    textBlockBottom = std::max(textBlockBottom, ChartTextBox(p, dpi).bottom());
            for (const ChartPrimitive& p : trend) {
                if (p.level != block.level)
                    continue;
                joined += p.text;
                EXPECT_EQ(p.fontSize, c.fontSize);
                const QRectF box = ChartTextBox(p, dpi);
                EXPECT_GE(box.left(), u) << "right of the plot";
                EXPECT_LE(box.right(), w) << p.text.toStdString() << " runs off the page";
                EXPECT_GT(box.top(), textBlockBottom) << "under the text block";
                EXPECT_LT(box.bottom(), block.top + 0.9 * v) << "above the next block";
                for (const ChartPrimitive& other : d.primitives) {
                    if (other.kind != ChartPrimitive::Kind::Text || &other == &p ||
                        (other.role == p.role && other.at == p.at))
                        continue;
                    EXPECT_FALSE(box.intersects(ChartTextBox(other, dpi)))
                        << p.text.toStdString() << " meets " << other.text.toStdString();
                }
            }
            EXPECT_EQ(joined, c.line);
        }
    }
}

TEST_F(ChartModelTest, LastDateIsThePupilsLastRunNotTheFilesLastRecord) {
    runs({60});
    records.push_back(run(8, 2, 40, kNow.date()));
    const std::vector<ChartPrimitive> last = ofRole(chart(), ChartRole::LastDate);
    ASSERT_EQ(last.size(), 1u);
    EXPECT_EQ(last[0].text, QStringLiteral("2026/08/31")); // 100 days before 9 Dec
}

TEST_F(ChartModelTest, RunsOlderThanTenYearsOrOfLevelsWithoutColumnAreLeftOut) {
    records.push_back(run(kPupil, 1, 60, kNow.date().addDays(-3650)));
    records.push_back(run(kPupil, 1, 70, kNow.date().addDays(-3649)));
    const ChartDrawing d = chart();
    EXPECT_EQ(d.blocks.at(0).personalRunCount, 1);
    EXPECT_EQ(d.blocks.at(0).personalMaxTime, 70);
}

TEST(FillChartPupilList, EntriesOfListedPupilsAndGradeOfTheSchoolYear) {
    TestInstallation inst;
    inst.writeLines(inst.rosterPath(), {QStringLiteral("12,2017,0,0,\" 山田太郎 \",0,\"\",\"\""),
                                        QStringLiteral("13,2014,0,0,\"休会中\",1,\"\",\"\""),
                                        QStringLiteral("14,1990,0,0,\"★先生\",0,\"\",\"\"")});
    SharedState state;
    state.installation.DataRoot = inst.dataRoot();
    state.installation.SchoolYearStartMonth = 4;
    state.roster.RosterGradeLabels[14] = QStringLiteral("前の値");
    // 15 March 2027 is still school year 2026: born 2017 is in grade 3 ("小３"), not grade 2.
    FakeClock clock(QDateTime(QDate(2027, 3, 15), QTime(9, 0)));
    Result<QStringList> list = FillChartPupilList(state.roster, state.installation, clock);
    ASSERT_TRUE(list.ok());
    EXPECT_EQ(*list, (QStringList{QStringLiteral("小３ /  山田太郎/12"),
                                  QStringLiteral("前の値 /  ★先生/14")}));
    EXPECT_EQ(state.roster.RosterNames[13], QStringLiteral("休会中"));
    EXPECT_EQ(state.roster.RosterGradeLabels[13], QStringLiteral("小６"));
    EXPECT_EQ(state.roster.RosterBirthYears[12], 2017);
    EXPECT_EQ(chartListPupil(list->at(0)), 12);
}

} // namespace
