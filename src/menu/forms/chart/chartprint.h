#pragma once
// The printed result sheets: one print job per pupil, A4 portrait, the chart blocks of the
// selected levels three to a page (chartmodel.h), each job ended before the next begins.
//
// The printer is reached through ChartPrinterPort, so that tests print to PDF files. The
// program's port, SystemChartPrinter, prints on the computer's default printer; a computer
// without any printer (none installed, or none marked as default) gets each job as a PDF file
// in a folder instead, and the caller tells the user where (chartPdfNotice).

#include "frame/clock.h"
#include "frame/result.h"
#include "frame/sharedstate.h"
#include "menu/chartmodel.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class QPrinter;

namespace zanfolio {

class ChartPrinterPort {
  public:
    virtual ~ChartPrinterPort() = default;
    // A printer set up for one job (A4, portrait, the document named `documentName`), or an
    // error when none can be had. `pupil` and `name` identify the sheet's pupil, for file names.
    virtual Result<std::unique_ptr<QPrinter>> openJob(const QString& documentName, int pupil,
                                                      const QString& name) = 0;
    // The folder PDF files went to, or empty when the jobs went to a printer.
    virtual QString pdfFolder() const = 0;
};

// Every job as a PDF file "成績グラフ_<number>_<name>_<yyyyMMdd-HHmmss>.pdf" in `folder`
// (created when missing).
class PdfChartPrinter final : public ChartPrinterPort {
  public:
    PdfChartPrinter(QString folder, const Clock& clock);
    Result<std::unique_ptr<QPrinter>> openJob(const QString& documentName, int pupil,
                                              const QString& name) override;
    QString pdfFolder() const override { return folder_; }
    const QStringList& writtenFiles() const { return files_; }

  private:
    QString folder_;
    const Clock& clock_;
    QStringList files_;
};

// The default printer when there is one, else PDF files in `fallbackFolder`.
class SystemChartPrinter final : public ChartPrinterPort {
  public:
    SystemChartPrinter(QString fallbackFolder, const Clock& clock);
    Result<std::unique_ptr<QPrinter>> openJob(const QString& documentName, int pupil,
                                              const QString& name) override;
    QString pdfFolder() const override { return usedPdf_ ? pdf_.pdfFolder() : QString(); }

  private:
    PdfChartPrinter pdf_;
    bool usedPdf_ = false;
};

// The folder for sheets of a computer without a printer: the data root's "印刷" folder.
QString chartPdfFolder(const SharedState& state);
// The message naming that folder.
QString chartPdfNotice(const QString& folder);

// One print job per pupil of `pupils`, in order, each with the levels of `request` (its pupil,
// size and target are set per job). Stops at the first job that fails.
Status PrintCharts(const SharedState& state, const std::vector<ChartRun>& records,
                   const QDateTime& now, const std::vector<int>& pupils, ChartRequest request,
                   ChartPrinterPort& port);

} // namespace zanfolio
