#pragma once
// The fixture of the zanfolio-data tests: an installation with the standard files, and the
// command run in-process on it at a fixed moment, with what it prints.

#include "support/testfolder.h"
#include "tools/datacommands.h"

#include <QStringList>
#include <QTextStream>
#include <gtest/gtest.h>

namespace zanfolio::testing {

class CommandFixture : public ::testing::Test {
  protected:
    // `now` as the command's --now takes it; `command` put before the arguments of every run.
    explicit CommandFixture(QString now, QStringList command = {})
        : now_(std::move(now)), command_(std::move(command)) {
        install.writeStandardFiles();
    }

    // The command's exit status; what it printed is in `out` and `err`.
    int run(const QStringList& args) {
        out.clear();
        err.clear();
        QTextStream o(&out);
        QTextStream e(&err);
        const int status =
            runDataCommand(QStringList{QStringLiteral("--program-dir"), install.programDir(),
                                       QStringLiteral("--now"), now_} +
                               command_ + args,
                           o, e);
        o.flush();
        e.flush();
        return status;
    }

    TestInstallation install;
    QString out;
    QString err;

  private:
    QString now_;
    QStringList command_;
};

} // namespace zanfolio::testing
