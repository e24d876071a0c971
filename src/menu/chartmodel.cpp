#include "menu/chartmodel.h"

#include "frame/daycount.h"
#include "frame/localetexts.h"
#include "frame/untyped.h"
#include "menu/gradegroups.h"
#include "menu/runlists.h"
#include "menu/textparts.h"

#include <algorithm>
#include <cmath>

namespace zanfolio {

namespace {

const QString kSixSpaces = QStringLiteral("      ");

// R(s, n): the last n characters of six spaces followed by s.
QString r(const QString& s, qsizetype n) {
    return lastChars(kSixSpaces, s, n);
}

// Builds the primitives of one drawing.
class ChartBuilder {
  public:
    ChartBuilder(const ChartParts& state, const std::vector<ChartRun>& records,
                 const QDateTime& now, const ChartRequest& request)
        : state_(state), records_(records), present_(presentMoment(now)), request_(request),
          u_(request.width / 2), v_(request.height / 3),
          levelCount_(std::clamp(state.program.LevelCount, 0, kMaxLevel)) {}

    ChartDrawing build() {
        const double h = request_.height;
        double chartY = 0.05 * h - 0.3 * h;
        for (int level : request_.levels) {
            // A level without a column ends the drawing here, before it could start a page
            // that would stay empty.
            if (level < 1 || level > levelCount_)
                break;
            chartY += 0.3 * h;
            if (drawing_.pages == 0) {
                drawing_.pages = 1;
            } else if (chartY > 0.9 * h) {
                ChartPrimitive p;
                p.kind = ChartPrimitive::Kind::PageBreak;
                p.role = ChartRole::PageBreak;
                drawing_.primitives.push_back(p);
                drawing_.pages += 1;
                chartY = 0.05 * h;
            }
            block(level, chartY);
        }
        return std::move(drawing_);
    }

  private:
    bool screen() const { return request_.target == ChartTarget::Screen; }

    // The record scan's selection: dated within ten years, a level with a column.
    bool selected(const ChartRun& r) const {
        return r.level >= 1 && r.level <= levelCount_ && r.pupil >= 0 && r.pupil <= kMaxPupil &&
               inDayWindow(r.date, present_, kChartDateWindowDays);
    }

    void line(ChartRole role, int level, QPointF from, QPointF to, double width) {
        ChartPrimitive p;
        p.kind = ChartPrimitive::Kind::Line;
        p.role = role;
        p.at = from;
        p.to = to;
        p.width = width;
        p.level = level;
        drawing_.primitives.push_back(p);
    }
    void point(int level, QPointF at, double width, uint32_t colour) {
        ChartPrimitive p;
        p.kind = ChartPrimitive::Kind::Point;
        p.role = ChartRole::RunPoint;
        p.at = at;
        p.width = width;
        p.colour = colour;
        p.level = level;
        drawing_.primitives.push_back(p);
    }
    void text(ChartRole role, int level, QPointF at, double size, const QString& s) {
        ChartPrimitive p;
        p.kind = ChartPrimitive::Kind::Text;
        p.role = role;
        p.at = at;
        p.fontSize = size;
        p.text = s;
        p.level = level;
        drawing_.primitives.push_back(p);
    }

    // A label of the plot (the axis labels, the dates, the bests' times): left out when the
    // very same text already stands at the very same place (the first and the last run's date
    // of a pupil with a single run), otherwise put at clearPlace().
    void label(ChartRole role, int level, QPointF at, double size, const QString& s);
    QPointF clearPlace(QPointF at, double size, const QString& s) const;
    QRectF obstacle(const ChartPrimitive& p, const QRectF& box) const;

    // One level's block at N = n: its figures, then its layout (the heading, the header band,
    // the axes, the pupil's runs, the text block), then the labels of the pupil's bests.
    void block(int level, double n);

    // A run of the pupil as plotted: x across the block, y down from its top N.
    struct PlottedRun {
        double x;
        double y;
        uint32_t colour;
    };
    // What a block shows, worked out before anything of it is drawn.
    struct BlockFigures {
        ChartBlock block; // all but its top
        std::vector<PlottedRun> points;
        double lastPlottedX = 0;
        QString lastPlottedDate;
    };
    BlockFigures blockFigures(int level) const;
    // Draws all of the block but the bests' lines and labels; returns where its points begin.
    size_t layBlockOut(int level, double n, const BlockFigures& figures);
    // The lines joining the pupil's bests, in front of the points from `firstPoint` on, and the
    // labels of the axis and the bests.
    void labelBests(int level, double n, const BlockFigures& figures, size_t firstPoint);
    // The text block and, under it on paper, the pupil's mistakes on the level, at the text
    // block's size, spaced to end above the next block.
    void textBlock(int level, double n, const QStringList& lines, double size);
    // The mistakes line broken after a "、" wherever the next kind would run past the edge.
    QStringList trendLines(int level, double size) const;

    double penWidth() const { return screen() ? kScreenLineWidth : kPrinterLineWidth; }
    double baseFont() const { return screen() ? request_.fontSize : kChartFontSize; }
    double em(double size) const { return size * request_.dpi / 72.0; }
    // Half the width of the header band's rules, in target units.
    double ruleHalfWidth() const {
        return std::max(kRuleLineWidth * chartPenScale(request_.target, request_.dpi), 1.0) / 2;
    }
    // The largest size up to `asked` whose text box, with a little air, is no taller than
    // `room`.
    double fittedSize(double asked, double room) const {
        const double ems = kChartTextBottomEms - kChartTextTopEms + 2 * kChartTextGapEms;
        return std::min(asked, std::max(room, 0.0) / ems * 72.0 / request_.dpi);
    }

    const ChartParts& state_;
    const std::vector<ChartRun>& records_;
    double present_;
    const ChartRequest& request_;
    double u_;
    double v_;
    int levelCount_;
    ChartDrawing drawing_;
    size_t blockStart_ = 0; // the first primitive of the block being drawn
    double blockTop_ = 0;   // its top N
};

void ChartBuilder::label(ChartRole role, int level, QPointF at, double size, const QString& s) {
    for (size_t i = blockStart_; i < drawing_.primitives.size(); ++i) {
        const ChartPrimitive& p = drawing_.primitives[i];
        if (p.kind == ChartPrimitive::Kind::Text && p.at == at && p.fontSize == size && p.text == s)
            return;
    }
    text(role, level, clearPlace(at, size, s), size, s);
}

// What of `p` stands in the way of a text box `box`: the box of a text, the disc of a point,
// the stretch of a line (with its width) across the box's columns; empty when nothing does.
QRectF ChartBuilder::obstacle(const ChartPrimitive& p, const QRectF& box) const {
    const double dpi = request_.dpi;
    const double half = std::max(p.width * chartPenScale(request_.target, dpi), 1.0) / 2;
    QRectF in;
    switch (p.kind) {
    case ChartPrimitive::Kind::Text:
        in = ChartTextBox(p, dpi);
        break;
    case ChartPrimitive::Kind::Point:
        in = QRectF(p.at.x() - half, p.at.y() - half, 2 * half, 2 * half);
        break;
    case ChartPrimitive::Kind::Line: {
        // The segment clipped to the box's columns, widened by half the pen.
        const double left = box.left() - half;
        const double right = box.right() + half;
        QPointF a = p.at;
        QPointF b = p.to;
        if (a.x() > b.x())
            std::swap(a, b);
        if (b.x() < left || a.x() > right)
            return {};
        const auto yAt = [&](double x) {
            return b.x() == a.x() ? a.y() : a.y() + (b.y() - a.y()) * (x - a.x()) / (b.x() - a.x());
        };
        const double y1 = yAt(std::max(a.x(), left));
        const double y2 = b.x() == a.x() ? b.y() : yAt(std::min(b.x(), right));
        in = QRectF(QPointF(std::max(a.x(), left), std::min(y1, y2) - half),
                    QPointF(std::min(b.x(), right), std::max(y1, y2) + half));
        break;
    }
    case ChartPrimitive::Kind::PageBreak:
        return {};
    }
    return in.intersects(box) ? in : QRectF();
}

// Where a label's box meets nothing drawn in the block so far (texts, lines, points): at `at`
// when it can, else moved straight down past what is in its way (a label names what lies above
// it), or, with no room down there, straight up past it. Moved labels keep to the block's plot
// band, below the header band (N + 0.09 V) and above the next block (N + 0.9 V). A label that finds
// no clear place stays where it was asked.
QPointF ChartBuilder::clearPlace(QPointF at, double size, const QString& s) const {
    ChartPrimitive probe;
    probe.kind = ChartPrimitive::Kind::Text;
    probe.fontSize = size;
    probe.text = s;
    probe.at = at;
    const double dpi = request_.dpi;
    const QRectF asked = ChartTextBox(probe, dpi);
    const double inkTop = asked.top() - at.y();
    const double gap = kChartTextGapEms * size * dpi / 72.0;
    const double bandTop = blockTop_ + 0.09 * v_;
    const double bandBottom = blockTop_ + 0.9 * v_;
    const size_t end = drawing_.primitives.size();
    for (int direction : {1, -1}) {
        double y = at.y();
        // Each move goes past at least one primitive, so there are no more moves than those.
        for (size_t moves = 0; moves <= end - blockStart_; ++moves) {
            const QRectF box = asked.translated(0, y - at.y());
            bool clear = true;
            double past = direction > 0 ? box.bottom() : box.top();
            for (size_t i = blockStart_; i < end; ++i) {
                const QRectF other = obstacle(drawing_.primitives[i], box);
                if (other.isEmpty())
                    continue;
                clear = false;
                past = direction > 0 ? std::max(past, other.bottom() + gap)
                                     : std::min(past, other.top() - gap);
            }
            if (clear)
                return {at.x(), y};
            y = direction > 0 ? past - inkTop : past - asked.height() - inkTop;
            if (y + inkTop < bandTop || y + inkTop + asked.height() > bandBottom)
                break;
        }
    }
    return at;
}

void ChartBuilder::block(int level, double n) {
    blockStart_ = drawing_.primitives.size();
    blockTop_ = n;
    BlockFigures figures = blockFigures(level);
    figures.block.top = n;
    const size_t firstPoint = layBlockOut(level, n, figures);
    labelBests(level, n, figures, firstPoint);
    drawing_.blocks.push_back(std::move(figures.block));
}

ChartBuilder::BlockFigures ChartBuilder::blockFigures(int level) const {
    const double u = u_;
    const double v = v_;
    const int pupil = request_.pupil;
    BlockFigures figures;
    ChartBlock& b = figures.block;
    b.level = level;
    b.ranks = ChartRankings(state_.roster, state_.stats, state_.signedIn, level, pupil,
                            request_.groupText, request_.pointsKind);

    // First scan: the pupil's plotted runs.
    for (const ChartRun& r : records_) {
        if (!selected(r) || r.level != level || r.pupil != pupil || r.time >= kChartSlowRunFrom)
            continue;
        b.personalRunCount += 1;
        b.personalTimeSum += r.time;
        b.personalMaxTime = std::max(b.personalMaxTime, int(r.time));
    }

    b.yScale = YScale(b.personalMaxTime);

    // Second scan: the school's times and the pupil's points.
    const int g = isValidPupil(pupil) ? pupilGradeNumber(state_.roster, pupil) : 0;
    const bool pupilShown = passesGradeGroup(request_.groupText, g);
    int t = 0;
    ChartBest sentinel;
    sentinel.y = -99999;
    for (const ChartRun& r : records_) {
        if (!selected(r) || r.level != level)
            continue;
        if (r.time < kChartSlowRunFrom) {
            b.schoolTimeSum += r.time;
            b.schoolTimeCount += 1;
        }
        b.schoolBestTime = std::min(b.schoolBestTime, int(r.time));
        if (r.pupil != pupil || r.time >= kChartSlowRunFrom)
            continue;
        t += 1;
        if (!pupilShown)
            continue;
        const double x = u * (0.7 * t / b.personalRunCount + 0.2);
        const double y = v * (0.8 - 0.7 * r.time / b.yScale);
        const ChartBest& previous = b.bests.empty() ? sentinel : b.bests.back();
        if (y > previous.y && int(b.bests.size()) < kMaxBestEntries) {
            b.bests.push_back({y, x, runTimeText(r.time), shortDateText(r.date)});
            figures.points.push_back({x, y, kNewBestColour});
        } else {
            figures.points.push_back({x, y, kRunColour});
        }
        figures.lastPlottedX = x;
        figures.lastPlottedDate = shortDateText(r.date);
    }

    b.textLines = ChartTextBlock(b);
    return figures;
}

size_t ChartBuilder::layBlockOut(int level, double n, const BlockFigures& figures) {
    const double u = u_;
    const double v = v_;
    const double fs = request_.fontSize;
    const int pupil = request_.pupil;

    // The page heading: the pupil's name, on the first block of every page, above its rule
    // (smaller when the page leaves too little room there).
    const double ruleHalf = ruleHalfWidth();
    if (n < 0.08 * request_.height) {
        const QString name = isValidPupil(pupil)
                                 ? trimmedSpaces(state_.roster.RosterNames[size_t(pupil)])
                                 : QString();
        const double top = 0.02 * v;
        const double room = n - ruleHalf - top;
        const double size =
            std::min(3 * fs, room / (kChartTextBottomEms + kChartTextGapEms) * 72.0 / request_.dpi);
        text(ChartRole::PupilName, level, {0.01 * u, top}, size, name);
    }

    // Header band.
    line(ChartRole::HeaderRule, level, {0, n}, {request_.width, n}, kRuleLineWidth);
    line(ChartRole::HeaderRule, level, {0, n + 0.09 * v}, {request_.width, n + 0.09 * v},
         kRuleLineWidth);
    // The title inside the band: where it is asked when it fits, else centred in the band
    // and as large as the band allows.
    const QString levelName = state_.program.LevelNames[size_t(level)];
    const double titleAsked = (screen() ? 2 : 3) * fs;
    const double bandTop = n + ruleHalf;
    const double bandBottom = n + 0.09 * v - ruleHalf;
    double titleY = n + 0.01 * v;
    double titleSize = titleAsked;
    if (titleY + (kChartTextBottomEms + kChartTextGapEms) * em(titleAsked) > bandBottom) {
        titleSize = fittedSize(titleAsked, bandBottom - bandTop);
        titleY = (bandTop + bandBottom) / 2 -
                 (kChartTextTopEms + kChartTextBottomEms) / 2 * em(titleSize);
    }
    text(ChartRole::Title, level, {0.7 * u, titleY}, titleSize,
         state_.program.ProgramTitle + QStringLiteral(" ") + levelName);

    // Axes.
    line(ChartRole::Axis, level, {0.2 * u, n + 0.8 * v}, {0.9 * u, n + 0.8 * v}, penWidth());
    line(ChartRole::Axis, level, {0.2 * u, n + 0.8 * v}, {0.2 * u, n + 0.1 * v}, penWidth());

    // The pupil's runs.
    const size_t firstPoint = drawing_.primitives.size();
    for (const PlottedRun& run : figures.points)
        point(level, {run.x, n + run.y}, penWidth(), run.colour);

    textBlock(level, n, figures.block.textLines, 1.5 * baseFont());
    return firstPoint;
}

void ChartBuilder::labelBests(int level, double n, const BlockFigures& figures, size_t firstPoint) {
    const ChartBlock& b = figures.block;
    if (b.bests.empty())
        return;
    const double u = u_;
    const double v = v_;
    const double baseFont = this->baseFont();
    const ChartBest& first = b.bests.front();
    const ChartBest& last = b.bests.back();
    label(ChartRole::LastDate, level, {figures.lastPlottedX - 0.025 * u, n + 0.815 * v}, baseFont,
          figures.lastPlottedDate);
    // The lines joining the bests go in front of the points, so that they never hide a best's
    // red mark.
    const size_t lastPrimitive = drawing_.primitives.size();
    for (size_t k = 1; k < b.bests.size(); ++k)
        line(ChartRole::BestLine, level, {b.bests[k - 1].x, n + b.bests[k - 1].y},
             {b.bests[k].x, n + b.bests[k].y}, kBestLineWidth);
    std::rotate(drawing_.primitives.begin() + std::ptrdiff_t(firstPoint),
                drawing_.primitives.begin() + std::ptrdiff_t(lastPrimitive),
                drawing_.primitives.end());
    label(ChartRole::AxisLabel, level, {0.12 * u, n + 0.79 * v}, baseFont, QStringLiteral("0秒"));
    label(ChartRole::AxisLabel, level, {0.12 * u, n + 0.1 * v}, baseFont,
          QString::number(b.yScale) + QStringLiteral("秒"));
    label(ChartRole::BestLabel, level, {0.12 * u, n + first.y - 0.01 * v}, baseFont,
          first.timeText);
    label(ChartRole::BestLabel, level, {first.x - 0.025 * u, n + 0.815 * v}, baseFont, first.date);

    // Entry k (1-based) with its date shortened to month/day when the year is that of
    // entry k − 1.
    auto dateOf = [&](size_t k) {
        const QString& date = b.bests[k - 1].date;
        const QString previous = k >= 2 ? b.bests[k - 2].date : QString();
        return date.left(5) == previous.left(5) ? date.right(5) : date;
    };
    const size_t count = b.bests.size();
    if (count > 5) {
        for (size_t k = 3; k + 2 <= count; k += 3) {
            const ChartBest& e = b.bests[k - 1];
            label(ChartRole::BestLabel, level, {e.x - 0.025 * u, n + e.y + 0.01 * v}, baseFont,
                  e.timeText);
            label(ChartRole::BestLabel, level, {e.x - 0.025 * u, n + e.y + 0.03 * v}, baseFont,
                  dateOf(k));
        }
    }
    label(ChartRole::BestLabel, level, {last.x - 0.025 * u, n + last.y + 0.04 * v}, baseFont,
          last.timeText);
    label(ChartRole::BestLabel, level, {last.x - 0.025 * u, n + last.y + 0.07 * v}, baseFont,
          dateOf(count));
}

void ChartBuilder::textBlock(int level, double n, const QStringList& lines, double size) {
    const double v = v_;
    const QStringList trend = trendLines(level, size);
    // Line tops, in line heights below N + 0.05 V: 1, 2, ... for the text block, the last line,
    // "(塾平均)", half a line lower still, and the mistakes half a line below that.
    const auto count = double(lines.size());
    const double lastTop = count + 0.5 + (trend.isEmpty() ? 0 : double(trend.size()) + 0.5);
    const double bottom = n + 0.9 * v - ruleHalfWidth() - kChartTextGapEms * em(size);
    double h = (screen() ? 0.08 : 0.06) * v;
    if (n + 0.05 * v + lastTop * h + kChartTextBottomEms * em(size) > bottom) {
        // Closer lines, and smaller ones once they would touch.
        const double room = bottom - n - 0.05 * v;
        const double pitchEms = kChartTextBottomEms - kChartTextTopEms + kChartTextGapEms;
        h = (room - kChartTextBottomEms * em(size)) / lastTop;
        if (h < pitchEms * em(size)) {
            size = room / (kChartTextBottomEms + pitchEms * lastTop) * 72.0 / request_.dpi;
            h = pitchEms * em(size);
        }
    }
    const double x = 1.05 * u_;
    double y = n + 0.05 * v;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        y += i + 1 == lines.size() ? 1.5 * h : h;
        text(ChartRole::TextBlock, level, {x, y}, size, lines[i]);
    }
    y += 0.5 * h;
    for (const QString& line : trend) {
        y += h;
        text(ChartRole::MistakeTrend, level, {x, y}, size, line);
    }
}

QStringList ChartBuilder::trendLines(int level, double size) const {
    if (screen() || !request_.mistakeTrend)
        return {};
    const QString line = request_.mistakeTrend(request_.pupil, level);
    if (line.isEmpty())
        return {};
    const double room = request_.width - 0.02 * u_ - 1.05 * u_;
    auto fits = [&](const QString& s) {
        ChartPrimitive probe;
        probe.kind = ChartPrimitive::Kind::Text;
        probe.text = s;
        probe.fontSize = size;
        return ChartTextBox(probe, request_.dpi).width() <= room;
    };
    const QStringList parts = line.split(u'、');
    QStringList out;
    QString current;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString part = parts[i] + (i + 1 < parts.size() ? QStringLiteral("、") : QString());
        if (!current.isEmpty() && !fits(current + part)) {
            out << current;
            current.clear();
        }
        current += part;
    }
    out << current;
    return out;
}

// East Asian wide and full-width characters: CJK ideographs, kana, hangul, the full-width
// forms and the ideographic space. Half-width katakana are narrow.
bool isWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || c >= 0x20000;
}

} // namespace

QRectF ChartTextBox(const ChartPrimitive& p, double dpi) {
    if (p.kind != ChartPrimitive::Kind::Text)
        return {};
    const double em = p.fontSize * dpi / 72.0;
    double ems = 0;
    for (uint c : p.text.toUcs4())
        ems += isWide(char32_t(c)) ? kChartWideCharEms : kChartNarrowCharEms;
    return {p.at.x() - kChartTextOverhangEms * em, p.at.y() + kChartTextTopEms * em,
            (ems + 2 * kChartTextOverhangEms) * em, (kChartTextBottomEms - kChartTextTopEms) * em};
}

double chartPenScale(ChartTarget target, double dpi) {
    return target == ChartTarget::Screen ? dpi / 96.0 : dpi / 600.0;
}

int YScale(int personalMaxTime) {
    const int scale = 10 * (std::max(personalMaxTime, 0) / 10 + 1);
    return std::min(scale, 1000);
}

QString chartPatternText(double value) {
    const double rounded = std::round(value); // half away from zero, as the pattern rounds
    if (rounded == 0 || !std::isfinite(rounded))
        return QString();
    return QString::number(static_cast<long long>(rounded));
}

QString chartPatternText(const QString& text) {
    if (!isNumericText(text))
        return text;
    return chartPatternText(leadingNumber(text));
}

QStringList ChartTextBlock(const ChartBlock& b) {
    QStringList lines;
    lines << QStringLiteral("回数\u3000\u3000\u3000\u3000\u3000\u3000\u3000") +
                 r(chartPatternText(b.personalRunCount), 3) + QStringLiteral("回");
    lines << QStringLiteral("タイム  \u3000\u3000 \u3000    本人 / 塾全体");
    lines << QStringLiteral("\u3000\u3000順位\u3000\u3000\u3000\u3000") +
                 r(chartPatternText(b.ranks.timeRankText), 5) + QStringLiteral("位");
    const QString best = b.bests.empty() ? QString() : b.bests.back().timeText;
    // Without any run on the level the school best is the "none" marker, shown blank rather
    // than as a time of 99999 seconds.
    const QString schoolBest =
        b.schoolBestTime >= kNoTime ? QString() : chartPatternText(b.schoolBestTime);
    lines << QStringLiteral("\u3000\u3000最高\u3000\u3000\u3000\u3000") + r(best, 6) +
                 QStringLiteral(" /") + r(schoolBest, 5) + QStringLiteral("秒");
    if (b.personalRunCount != 0) {
        const long long personalAverage = b.personalTimeSum / b.personalRunCount;
        const QString schoolAverage =
            b.schoolTimeCount == 0 ? QString()
                                   : chartPatternText(double(b.schoolTimeSum) / b.schoolTimeCount);
        lines << QStringLiteral("\u3000\u3000平均\u3000\u3000\u3000\u3000") +
                     r(chartPatternText(double(personalAverage)), 5) + QStringLiteral("秒") +
                     QStringLiteral(" /") + r(schoolAverage, 5) + QStringLiteral("秒");
    }
    lines << QStringLiteral("ポイント  \u3000\u3000\u3000");
    lines << QStringLiteral("\u3000\u3000順位\u3000\u3000\u3000\u3000") +
                 r(chartPatternText(b.ranks.pointsRankText), 5) + QStringLiteral("位");
    lines << QStringLiteral("\u3000\u3000獲得ポイント") +
                 r(chartPatternText(b.ranks.pupilPoints), 5) + QStringLiteral("点");
    if (b.ranks.schoolPointPupils != 0)
        lines << QStringLiteral("\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000"
                                "\u3000\u3000/") +
                     r(chartPatternText(double(b.ranks.schoolPointSum) / b.ranks.schoolPointPupils),
                       5) +
                     QStringLiteral("点");
    lines << QStringLiteral("\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000"
                            "\u3000 (塾平均)");
    return lines;
}

std::vector<ChartRun> chartRuns(const std::vector<ResultsRecord>& records) {
    std::vector<ChartRun> runs;
    runs.reserve(records.size());
    for (const ResultsRecord& r : records)
        runs.push_back({r.date, qint32(r.time), r.pupil, r.level});
    return runs;
}

ChartDrawing BuildChart(const ChartParts& state, const std::vector<ChartRun>& runs,
                        const QDateTime& now, const ChartRequest& request) {
    return ChartBuilder(state, runs, now, request).build();
}

ChartDrawing BuildChart(const ChartParts& state, const std::vector<ResultsRecord>& records,
                        const QDateTime& now, const ChartRequest& request) {
    return BuildChart(state, chartRuns(records), now, request);
}

Result<std::vector<ChartRun>> ReadChartRecords(ResultsFile& file, const QDate& today) {
    std::vector<ChartRun> runs;
    Result<WindowScan> scan = file.visitSince(
        dayCount(today.addDays(-(kChartDateWindowDays - 1))), [&] { runs.clear(); },
        [&](const ResultsRecord& r) {
            runs.push_back({r.date, qint32(r.time), r.pupil, r.level});
        });
    if (!scan)
        return scan.error();
    std::reverse(runs.begin(), runs.end());
    return runs;
}

std::vector<ChartPrimitive> ChartPage(const ChartDrawing& drawing, int page) {
    std::vector<ChartPrimitive> out;
    int current = 0;
    for (const ChartPrimitive& p : drawing.primitives) {
        if (p.kind == ChartPrimitive::Kind::PageBreak) {
            ++current;
            continue;
        }
        if (current == page)
            out.push_back(p);
    }
    return out;
}

} // namespace zanfolio
