// Children by fork(): the child calls its mode at once and leaves with _exit(), so that nothing
// of the test program (its tests, its exit handlers) runs twice.
#include "support/childprocess.h"

#include <csignal>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace zanfolio::testing {

ChildGate::ChildGate() {
    int ends[2];
    if (pipe(ends) == 0) {
        handles_[0] = ends[0];
        handles_[1] = ends[1];
    }
}

ChildGate::~ChildGate() {
    for (std::intptr_t end : handles_) {
        if (end != -1)
            close(int(end));
    }
}

bool ChildGate::open() {
    // One byte for each child waiting.
    const std::string go(size_t(waiting_), 'g');
    waiting_ = 0;
    return write(int(handles_[1]), go.data(), go.size()) == ssize_t(go.size());
}

ChildProcess ChildProcess::start(const QString& mode, const QStringList& arguments,
                                 ChildGate* gate) {
    const ChildMode run = childMode(mode);
    if (!run || (gate && gate->handles_[0] == -1))
        return ChildProcess(-1);
    const pid_t pid = fork();
    if (pid < 0)
        return ChildProcess(-1);
    if (pid == 0) {
        if (gate) {
            close(int(gate->handles_[1]));
            char go = 0;
            if (read(int(gate->handles_[0]), &go, 1) != 1)
                _exit(3);
        }
        _exit(run(arguments));
    }
    if (gate)
        ++gate->waiting_;
    return ChildProcess(pid);
}

int ChildProcess::finish() {
    if (!started())
        return -1;
    const pid_t pid = pid_t(handle_);
    handle_ = -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void ChildProcess::cut() {
    if (!started())
        return;
    kill(pid_t(handle_), SIGKILL);
    finish();
}

void pauseBriefly(std::mt19937& random) {
    usleep(useconds_t(std::uniform_int_distribution<int>(0, 300)(random)));
}

int childModeOrTests(int argc, char** argv) {
    // By hand: PROGRAM --child MODE ARGUMENT... (the gate is for forked children only).
    if (argc > 2 && QString::fromLocal8Bit(argv[1]) == QStringLiteral("--child")) {
        const ChildMode run = childMode(QString::fromLocal8Bit(argv[2]));
        if (!run)
            return 2;
        QStringList arguments;
        for (int i = 3; i < argc; ++i)
            arguments << QString::fromLocal8Bit(argv[i]);
        return run(arguments);
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

} // namespace zanfolio::testing
