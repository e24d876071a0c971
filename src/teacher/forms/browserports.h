#pragma once
// The two platform dialogs of the records browser, behind a port so that tests neither open a
// print dialog nor a file dialog.

#include <QString>

class QTextEdit;
class QWidget;

namespace zanfolio {

class BrowserPorts {
  public:
    virtual ~BrowserPorts() = default;

    // "印刷": the print dialog for `box` (no page numbers; "selection" offered when
    // `offerSelection`), then the box's text, or only its selection when the teacher chose
    // that, on the chosen printer. False when the teacher cancelled.
    virtual bool printTextBox(QWidget* parent, QTextEdit& box, bool offerSelection) = 0;

    // "ファイル化": the file to write, chosen in a save dialog starting at `suggested`; empty
    // when the teacher cancelled.
    virtual QString chooseExportFile(QWidget* parent, const QString& suggested) = 0;
};

// QPrintDialog and QFileDialog.
class PlatformBrowserPorts final : public BrowserPorts {
  public:
    bool printTextBox(QWidget* parent, QTextEdit& box, bool offerSelection) override;
    QString chooseExportFile(QWidget* parent, const QString& suggested) override;
};

} // namespace zanfolio
