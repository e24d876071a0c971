#pragma once
// Printed sheets (the chart sheets, the worksheets): one print job per pupil, A4 portrait.
//
// The printer is reached through SheetPrinterPort, so that tests print to PDF files. The
// program's port, SystemSheetPrinter, prints on the computer's default printer; a computer
// without any printer (none installed, or none marked as default) gets each job as a PDF file
// in a folder instead, and the caller tells the user where (sheetPdfNotice).

#include "frame/clock.h"
#include "frame/result.h"

#include <QString>
#include <QStringList>
#include <memory>

class QPrinter;

namespace zanfolio {

struct Installation;

class SheetPrinterPort {
  public:
    virtual ~SheetPrinterPort() = default;
    // A printer set up for one job (A4, portrait, the document named `documentName`), or an
    // error when none can be had. `fileStem` names the kind of sheet ("成績グラフ"), `pupil` and
    // `name` its pupil, for file names.
    virtual Result<std::unique_ptr<QPrinter>> openJob(const QString& fileStem,
                                                      const QString& documentName, int pupil,
                                                      const QString& name) = 0;
    // The folder PDF files went to, or empty when the jobs went to a printer.
    virtual QString pdfFolder() const = 0;
};

// Every job as a PDF file "<fileStem>_<number>_<name>_<yyyyMMdd-HHmmss>.pdf" in `folder`
// (created when missing).
class PdfSheetPrinter final : public SheetPrinterPort {
  public:
    PdfSheetPrinter(QString folder, const Clock& clock);
    Result<std::unique_ptr<QPrinter>> openJob(const QString& fileStem, const QString& documentName,
                                              int pupil, const QString& name) override;
    QString pdfFolder() const override { return folder_; }
    const QStringList& writtenFiles() const { return files_; }

  private:
    QString folder_;
    const Clock& clock_;
    QStringList files_;
};

// The default printer when there is one, else PDF files in `fallbackFolder`.
class SystemSheetPrinter final : public SheetPrinterPort {
  public:
    SystemSheetPrinter(QString fallbackFolder, const Clock& clock);
    Result<std::unique_ptr<QPrinter>> openJob(const QString& fileStem, const QString& documentName,
                                              int pupil, const QString& name) override;
    QString pdfFolder() const override { return usedPdf_ ? pdf_.pdfFolder() : QString(); }

  private:
    PdfSheetPrinter pdf_;
    bool usedPdf_ = false;
};

// The folder for sheets of a computer without a printer: the data root's "印刷" folder.
QString sheetPdfFolder(const Installation& installation);
// The message naming that folder, for sheets of the kind `what` ("成績グラフ").
QString sheetPdfNotice(const QString& what, const QString& folder);

} // namespace zanfolio
