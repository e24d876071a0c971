#include "tools/datacommands.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    const int status = zanfolio::runDataCommand(arguments, out, err);
    out.flush();
    err.flush();
    return status;
}
