#include "teacher/forms/browserports.h"

#include "frame/forms/screenhost.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextEdit>

namespace zanfolio {

bool PlatformBrowserPorts::printTextBox(QWidget* parent, QTextEdit& box, bool offerSelection) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, dialogParentOf(parent));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, offerSelection);
    if (offerSelection)
        printer.setPrintRange(QPrinter::Selection);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    // QTextEdit::print prints only the selection when the range chosen is Selection.
    box.print(&printer);
    return true;
}

QString PlatformBrowserPorts::chooseExportFile(QWidget* parent, const QString& suggested) {
    return QFileDialog::getSaveFileName(dialogParentOf(parent), QStringLiteral("ファイル化"),
                                        suggested, QStringLiteral("CSV (*.csv)"));
}

} // namespace zanfolio
