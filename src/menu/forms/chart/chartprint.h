#pragma once
// The printed result sheets: one print job per pupil, A4 portrait, the chart blocks of the
// selected levels three to a page (chartmodel.h), each job ended before the next begins.
//
// The printer is reached through the sheets' port (frame/forms/sheetprinter.h), so that tests
// print to PDF files; a computer without a printer gets PDF files, and the caller tells the user
// where (chartPdfNotice).

#include "frame/clock.h"
#include "frame/forms/sheetprinter.h"
#include "frame/installation.h"
#include "frame/result.h"
#include "menu/chartmodel.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class QPrinter;

namespace zanfolio {

// The chart sheets go through the sheets' printer port.
using ChartPrinterPort = SheetPrinterPort;
using PdfChartPrinter = PdfSheetPrinter;
using SystemChartPrinter = SystemSheetPrinter;

inline constexpr char16_t kChartSheetName[] = u"成績グラフ";

// The folder for sheets of a computer without a printer: the data root's "印刷" folder.
QString chartPdfFolder(const Installation& installation);
// The message naming that folder.
QString chartPdfNotice(const QString& folder);

// One print job per pupil of `pupils`, in order, each with the levels of `request` (its pupil,
// size and target are set per job). Stops at the first job that fails.
Status PrintCharts(const ChartParts& parts, const std::vector<ChartRun>& records,
                   const QDateTime& now, const std::vector<int>& pupils, ChartRequest request,
                   ChartPrinterPort& port);

} // namespace zanfolio
