#include "drill/forms/worksheetprint.h"

#include "drill/decimal.h"
#include "drill/worksheet.h"
#include "frame/forms/fonts.h"

#include <QPainter>
#include <QPrinter>

namespace zanfolio {

namespace {

constexpr int kPageWidth = 2100; // tenths of a millimetre
constexpr int kPageHeight = 2970;
constexpr int kMargin = 150;
constexpr int kColumns = 4;
constexpr int kRows = 5;

QFont sheetFont(double points, bool bold = false) {
    QFont f = japaneseFont(points);
    f.setBold(bold);
    return f;
}

// Column form needs every character the same width.
QFont columnFont(double points) {
    QFont f(QStringLiteral("Noto Sans Mono CJK JP"));
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
    f.setPointSizeF(points);
    return f;
}

// Sizes in the painter's window: a font is set by its height there, whatever the device.
void setFontHeight(QPainter& painter, QFont font, int height) {
    font.setPixelSize(height);
    painter.setFont(font);
}

void drawHeading(QPainter& painter, const Worksheet& sheet, const QString& title) {
    setFontHeight(painter, sheetFont(18, true), 75);
    painter.drawText(QRect(kMargin, kMargin, kPageWidth - 2 * kMargin, 100),
                     Qt::AlignLeft | Qt::AlignVCenter, title);
    setFontHeight(painter, sheetFont(11), 45);
    painter.drawText(QRect(kMargin, kMargin, kPageWidth - 2 * kMargin, 100),
                     Qt::AlignRight | Qt::AlignVCenter,
                     sheet.date.toString(QStringLiteral("yyyy/MM/dd")));
    setFontHeight(painter, sheetFont(13), 55);
    painter.drawText(QRect(kMargin, kMargin + 120, kPageWidth - 2 * kMargin, 80),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("なまえ：%1　　%2").arg(sheet.name.trimmed(), sheet.levelText));
}

void drawProblems(QPainter& painter, const Worksheet& sheet) {
    drawHeading(painter, sheet, QString::fromUtf16(kWorksheetName));
    // What to mind, in a box.
    const QRect box(kMargin, kMargin + 230, kPageWidth - 2 * kMargin, 190);
    painter.setPen(QPen(Qt::black, 4));
    painter.drawRoundedRect(box, 20, 20);
    setFontHeight(painter, sheetFont(13, true), 55);
    painter.drawText(box.adjusted(40, 20, -40, -box.height() / 2), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("れんしゅうすること：") + misconceptionTitle(sheet.kind));
    setFontHeight(painter, sheetFont(12), 50);
    painter.drawText(box.adjusted(40, box.height() / 2, -40, -20),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                     misconceptionAdvice(sheet.kind));

    // Twenty problems, four to a row, each with room to work below.
    const int top = box.bottom() + 60;
    const int cellWidth = (kPageWidth - 2 * kMargin) / kColumns;
    const int cellHeight = (kPageHeight - kMargin - top) / kRows;
    const QFont digits = columnFont(14);
    for (size_t i = 0; i < sheet.problems.size() && i < size_t(kColumns * kRows); ++i) {
        const Problem& p = sheet.problems[i];
        const int x = kMargin + int(i % kColumns) * cellWidth;
        const int y = top + int(i / kColumns) * cellHeight;
        setFontHeight(painter, sheetFont(11), 42);
        painter.drawText(QRect(x, y, cellWidth, 60), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("(%1)").arg(i + 1));
        // The numbers in column form, the points one above the other.
        setFontHeight(painter, digits, 70);
        const int charWidth = painter.fontMetrics().horizontalAdvance(u'0');
        const int numbersLeft = x + 60 + charWidth * 2;
        const int lineHeight = 90;
        painter.drawText(QPoint(numbersLeft, y + 60 + lineHeight), Aligned(p.first));
        painter.drawText(QPoint(numbersLeft, y + 60 + 2 * lineHeight), Aligned(p.second));
        painter.drawText(QPoint(x + 60, y + 60 + 2 * lineHeight), p.sign);
        const int rule = y + 60 + 2 * lineHeight + 25;
        painter.setPen(QPen(Qt::black, 5));
        painter.drawLine(x + 50, rule, numbersLeft + charWidth * 8, rule);
    }
}

void drawAnswers(QPainter& painter, const Worksheet& sheet) {
    drawHeading(painter, sheet, QString::fromUtf16(kWorksheetName) + QStringLiteral("　こたえ"));
    setFontHeight(painter, sheetFont(12), 50);
    painter.drawText(QRect(kMargin, kMargin + 230, kPageWidth - 2 * kMargin, 70),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("先生用　れんしゅうすること：") +
                         misconceptionTitle(sheet.kind));
    const int top = kMargin + 350;
    const int columnWidth = (kPageWidth - 2 * kMargin) / 2;
    const int perColumn = (int(sheet.problems.size()) + 1) / 2;
    for (size_t i = 0; i < sheet.problems.size(); ++i) {
        const Problem& p = sheet.problems[i];
        const int x = kMargin + int(i) / std::max(perColumn, 1) * columnWidth;
        const int y = top + int(i) % std::max(perColumn, 1) * 110;
        painter.drawText(QRect(x, y, columnWidth, 100), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("(%1)　%2 %3 %4 ＝ %5")
                             .arg(i + 1)
                             .arg(Text(p.first), p.sign, Text(p.second), Text(p.answer)));
    }
}

} // namespace

Worksheet makeWorksheet(const ProgramDefinition& program, const RosterTables& roster, int pupil,
                        int level, MistakeKind kind, const QDate& date, RandomSource& random) {
    Worksheet sheet;
    if (pupil >= 0 && size_t(pupil) < roster.RosterNames.size())
        sheet.name = roster.RosterNames[size_t(pupil)];
    sheet.levelText = QStringLiteral("レベル%1").arg(level);
    if (level >= 0 && level < int(program.LevelNames.size()))
        sheet.levelText += QStringLiteral("　") + program.LevelNames[size_t(level)];
    sheet.kind = kind;
    sheet.date = date;
    sheet.problems = aimedProblems(level, kind, kWorksheetProblems, random);
    return sheet;
}

void paintWorksheetPage(QPainter& painter, const Worksheet& sheet, int page) {
    painter.save();
    painter.setPen(Qt::black);
    if (page == 0)
        drawProblems(painter, sheet);
    else
        drawAnswers(painter, sheet);
    painter.restore();
}

Status printWorksheet(const Worksheet& sheet, int pupil, SheetPrinterPort& port) {
    Result<std::unique_ptr<QPrinter>> printer = port.openJob(
        QString::fromUtf16(kWorksheetName),
        QString::fromUtf16(kWorksheetName) + QStringLiteral(" ") + sheet.name.trimmed(), pupil,
        sheet.name);
    if (!printer)
        return printer.error();
    QPainter painter;
    if (!painter.begin(printer->get()))
        return makeError(QString(), QStringLiteral("印刷を始められませんでした。"));
    for (int page = 0; page < 2; ++page) {
        if (page > 0 && !(*printer)->newPage()) {
            painter.end();
            return makeError(QString(), QStringLiteral("印刷を続けられませんでした。"));
        }
        // A4 in tenths of a millimetre, whatever the printer's resolution.
        const QRect area = painter.viewport();
        const double scale =
            std::min(double(area.width()) / kPageWidth, double(area.height()) / kPageHeight);
        painter.setViewport(area.x(), area.y(), int(kPageWidth * scale), int(kPageHeight * scale));
        painter.setWindow(0, 0, kPageWidth, kPageHeight);
        paintWorksheetPage(painter, sheet, page);
    }
    painter.end();
    return Ok{};
}

} // namespace zanfolio
