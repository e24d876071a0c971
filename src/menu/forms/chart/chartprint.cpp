#include "menu/forms/chart/chartprint.h"

#include "frame/paths.h"
#include "menu/forms/chart/chartpainter.h"
#include "roster/rosterfile.h"

#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace zanfolio {

namespace {

void setUpPage(QPrinter& printer, const QString& documentName) {
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(documentName);
}

// A name as part of a file name: characters Windows refuses in file names become "_".
QString fileNamePart(const QString& name) {
    QString out = name.trimmed();
    for (QChar& c : out) {
        if (QStringLiteral("\\/:*?\"<>|").contains(c) || c < u' ')
            c = u'_';
    }
    return out;
}

} // namespace

PdfChartPrinter::PdfChartPrinter(QString folder, const Clock& clock)
    : folder_(std::move(folder)), clock_(clock) {}

Result<std::unique_ptr<QPrinter>> PdfChartPrinter::openJob(const QString& documentName, int pupil,
                                                           const QString& name) {
    if (!QDir().mkpath(folder_))
        return makeError(folder_, QStringLiteral("印刷用のフォルダを作れません: ") + folder_);
    const QString file = QDir(folder_).filePath(
        QStringLiteral("成績グラフ_%1_%2_%3.pdf")
            .arg(pupil)
            .arg(fileNamePart(name), clock_.now().toString(QStringLiteral("yyyyMMdd-HHmmss"))));
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(file);
    printer->setResolution(600);
    setUpPage(*printer, documentName);
    files_ << file;
    return printer;
}

SystemChartPrinter::SystemChartPrinter(QString fallbackFolder, const Clock& clock)
    : pdf_(std::move(fallbackFolder), clock) {}

Result<std::unique_ptr<QPrinter>> SystemChartPrinter::openJob(const QString& documentName,
                                                              int pupil, const QString& name) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (QPrinterInfo::availablePrinters().isEmpty() || info.isNull()) {
        usedPdf_ = true;
        return pdf_.openJob(documentName, pupil, name);
    }
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    setUpPage(*printer, documentName);
    return printer;
}

QString chartPdfFolder(const SharedState& state) {
    return withTrailingSeparator(state.DataRoot) + QStringLiteral("印刷");
}

QString chartPdfNotice(const QString& folder) {
    return QStringLiteral("プリンターが見つからないため、印刷する成績グラフをPDFファイルにして次の"
                          "フォルダに保存しました。\n") +
           QDir::toNativeSeparators(folder);
}

Status PrintCharts(const SharedState& state, const std::vector<ChartRun>& records,
                   const QDateTime& now, const std::vector<int>& pupils, ChartRequest request,
                   ChartPrinterPort& port) {
    for (int pupil : pupils) {
        const QString name =
            isValidPupil(pupil) ? trimSpaces(state.RosterNames[size_t(pupil)]) : QString();
        Result<std::unique_ptr<QPrinter>> job =
            port.openJob(state.ProgramTitle + QStringLiteral(" ") + name, pupil, name);
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
