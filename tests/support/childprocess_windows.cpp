// Children as this program started again in a child mode; a gate is an inheritable event whose
// handle the child finds on its command line.
#include "support/childprocess.h"

#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace zanfolio::testing {

namespace {

HANDLE asHandle(std::intptr_t value) {
    return reinterpret_cast<HANDLE>(value);
}

} // namespace

ChildGate::ChildGate() {
    SECURITY_ATTRIBUTES inherited{};
    inherited.nLength = sizeof inherited;
    inherited.bInheritHandle = TRUE;
    if (HANDLE event = CreateEventW(&inherited, TRUE, FALSE, nullptr))
        handles_[0] = reinterpret_cast<std::intptr_t>(event);
}

ChildGate::~ChildGate() {
    if (handles_[0] != -1)
        CloseHandle(asHandle(handles_[0]));
}

bool ChildGate::open() {
    waiting_ = 0;
    return handles_[0] != -1 && SetEvent(asHandle(handles_[0]));
}

ChildProcess ChildProcess::start(const QString& mode, const QStringList& arguments,
                                 ChildGate* gate) {
    if (!childMode(mode) || (gate && gate->handles_[0] == -1))
        return ChildProcess(-1);
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    QStringList words{QStringLiteral("--child"), mode};
    if (gate)
        words << QStringLiteral("--gate") << QString::number(gate->handles_[0]);
    words << arguments;
    QString commandLine = u'"' + QString::fromWCharArray(self) + u'"';
    for (const QString& word : words)
        commandLine += QStringLiteral(" \"") + word + u'"';
    std::wstring text = commandLine.toStdWString();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(self, text.data(), nullptr, nullptr, gate ? TRUE : FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return ChildProcess(-1);
    CloseHandle(process.hThread);
    if (gate)
        ++gate->waiting_;
    return ChildProcess(reinterpret_cast<std::intptr_t>(process.hProcess));
}

int ChildProcess::finish() {
    if (!started())
        return -1;
    const HANDLE process = asHandle(handle_);
    handle_ = -1;
    WaitForSingleObject(process, INFINITE);
    DWORD code = 0;
    const bool read = GetExitCodeProcess(process, &code);
    CloseHandle(process);
    return read ? int(code) : -1;
}

void ChildProcess::cut() {
    if (!started())
        return;
    TerminateProcess(asHandle(handle_), 9);
    finish();
}

void pauseBriefly(std::mt19937& random) {
    if (std::uniform_int_distribution<int>(0, 2)(random) == 0)
        Sleep(0);
}

int childModeOrTests(int argc, char** argv) {
    // A child's arguments come from the wide command line (the file names are Japanese).
    int wideCount = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &wideCount);
    QStringList words;
    for (int i = 0; i < wideCount; ++i)
        words << QString::fromWCharArray(wide[i]);
    LocalFree(wide);
    if (words.size() > 2 && words[1] == QStringLiteral("--child")) {
        const ChildMode run = childMode(words[2]);
        if (!run)
            return 2;
        QStringList arguments = words.mid(3);
        if (arguments.size() >= 2 && arguments[0] == QStringLiteral("--gate")) {
            if (WaitForSingleObject(asHandle(arguments[1].toLongLong()), INFINITE) != WAIT_OBJECT_0)
                return 3;
            arguments = arguments.mid(2);
        }
        return run(arguments);
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

} // namespace zanfolio::testing
