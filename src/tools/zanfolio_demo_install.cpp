// zanfolio-demo-install DIR: lays out a demonstration installation in DIR (see
// demoinstallation.h); scripts/demo then copies the program into DIR/calc and starts it.

#include "tools/demoinstallation.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        err << "使い方: zanfolio-demo-install DIR\n";
        return 2;
    }
    zanfolio::DemoSettings settings;
    settings.root = args[1];
    settings.now = QDateTime::currentDateTime();
    const zanfolio::Status done = zanfolio::writeDemoInstallation(settings);
    if (!done) {
        err << done.error().message << "\n";
        return 1;
    }
    return 0;
}
