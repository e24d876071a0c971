#include "menu/forms/chart/chartprint.h"

#include "frame/paths.h"
#include "menu/forms/chart/chartpainter.h"
#include "roster/rosterfile.h"

#include <QDir>
#include <QPainter>
#include <QPrinter>

namespace zanfolio {

QString chartPdfFolder(const Installation& installation) {
    return sheetPdfFolder(installation);
}

QString chartPdfNotice(const QString& folder) {
    return sheetPdfNotice(QString::fromUtf16(kChartSheetName), folder);
}

Status PrintCharts(const ChartParts& state, const std::vector<ChartRun>& records,
                   const QDateTime& now, const std::vector<int>& pupils, ChartRequest request,
                   ChartPrinterPort& port) {
    for (int pupil : pupils) {
        const QString name =
            isValidPupil(pupil) ? trimSpaces(state.roster.RosterNames[size_t(pupil)]) : QString();
        Result<std::unique_ptr<QPrinter>> job =
            port.openJob(QString::fromUtf16(kChartSheetName),
                         state.program.ProgramTitle + QStringLiteral(" ") + name, pupil, name);
        if (!job)
            return job.error();
        QPrinter& printer = **job;
        QPainter painter;
        if (!painter.begin(&printer))
            return makeError(QString(), QStringLiteral("印刷を始められません: ") + name);
        request.pupil = pupil;
        request.target = ChartTarget::Printer;
        request.fontSize = kChartFontSize;
        request.width = painter.device()->width();
        request.height = painter.device()->height();
        request.dpi = printer.resolution();
        const ChartDrawing drawing = BuildChart(state, records, now, request);
        paintChart(painter, drawing.primitives, ChartTarget::Printer, printer.resolution(),
                   [&printer] { return printer.newPage(); });
        // Ending the painter ends the document and sends the job.
        if (!painter.end())
            return makeError(QString(), QStringLiteral("印刷を終えられません: ") + name);
    }
    return Ok{};
}

} // namespace zanfolio
