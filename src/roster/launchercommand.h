#pragma once
// The command line of the launcher the pupils return to: "プログラムメニューc.exe" in the folder
// "起動" beside the program's folder, with the single argument "001".

#include <QString>
#include <QStringList>

namespace zanfolio {

struct LauncherCommand {
    QString program;
    QStringList arguments;
};

// `appDir` is the program's folder with its trailing separator. The program path is the folder
// without that separator, then "..", "起動" and the file name, joined with the folder's own
// separator ("\" on the classroom computers, "/" elsewhere).
LauncherCommand launcherCommand(const QString& appDir);

} // namespace zanfolio
