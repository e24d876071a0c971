#include "frame/forms/sheetprinter.h"

#include "frame/installation.h"
#include "frame/paths.h"

#include <QDateTime>
#include <QDir>
#include <QPageLayout>
#include <QPageSize>
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

PdfSheetPrinter::PdfSheetPrinter(QString folder, const Clock& clock)
    : folder_(std::move(folder)), clock_(clock) {}

Result<std::unique_ptr<QPrinter>> PdfSheetPrinter::openJob(const QString& fileStem,
                                                           const QString& documentName, int pupil,
                                                           const QString& name) {
    if (!QDir().mkpath(folder_))
        return makeError(folder_, QStringLiteral("印刷用のフォルダを作れません: ") + folder_);
    const QString file = QDir(folder_).filePath(
        QStringLiteral("%1_%2_%3_%4.pdf")
            .arg(fileStem)
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

SystemSheetPrinter::SystemSheetPrinter(QString fallbackFolder, const Clock& clock)
    : pdf_(std::move(fallbackFolder), clock) {}

Result<std::unique_ptr<QPrinter>> SystemSheetPrinter::openJob(const QString& fileStem,
                                                              const QString& documentName,
                                                              int pupil, const QString& name) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (QPrinterInfo::availablePrinters().isEmpty() || info.isNull()) {
        usedPdf_ = true;
        return pdf_.openJob(fileStem, documentName, pupil, name);
    }
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    setUpPage(*printer, documentName);
    return printer;
}

QString sheetPdfFolder(const Installation& installation) {
    return withTrailingSeparator(installation.DataRoot) + QStringLiteral("印刷");
}

QString sheetPdfNotice(const QString& what, const QString& folder) {
    return QStringLiteral("プリンターが見つからないため、印刷する") + what +
           QStringLiteral("をPDFファイルにして次のフォルダに保存しました。\n") +
           QDir::toNativeSeparators(folder);
}

} // namespace zanfolio
