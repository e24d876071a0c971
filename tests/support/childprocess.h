#pragma once
// Child processes for the tests that play several computers at once: each child runs one of the
// test program's child modes and ends with its exit code. On Linux a child is a fork of the
// test program that calls the mode at once; on Windows it is the test program started again as
//
//   PROGRAM --child MODE [--gate HANDLE] ARGUMENT...
//
// (the Japanese file names come through the wide command line). A test program with child
// modes has childModeOrTests() as its main(). Modes are registered at start-up by a
// ChildModeRegistration at namespace level in the test's file.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <random>

namespace zanfolio::testing {

// A child mode: its arguments in, the exit code out (0: everything went well).
using ChildMode = int (*)(const QStringList& arguments);

struct ChildModeRegistration {
    ChildModeRegistration(const char* name, ChildMode mode);
};

// Children started with one gate wait until it is opened, to start their work together.
class ChildGate {
  public:
    ChildGate();
    ~ChildGate();
    ChildGate(const ChildGate&) = delete;
    ChildGate& operator=(const ChildGate&) = delete;
    // Lets every child started with this gate go; false when it cannot.
    bool open();

  private:
    friend class ChildProcess;
    std::intptr_t handles_[2] = {-1, -1}; // the pipe's ends (Windows: the event, unused)
    int waiting_ = 0;
};

class ChildProcess {
  public:
    // Starts mode `mode` with `arguments`; started() is false when the child could not start.
    static ChildProcess start(const QString& mode, const QStringList& arguments,
                              ChildGate* gate = nullptr);
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    // A child still running is cut.
    ~ChildProcess();

    bool started() const { return handle_ != -1; }
    // Waits for the child to end: its exit code, or -1 when it did not exit by itself.
    int finish();
    // Ends the child at once, as the power going would (SIGKILL, TerminateProcess), and waits
    // for it.
    void cut();

  private:
    explicit ChildProcess(std::intptr_t handle) : handle_(handle) {}
    std::intptr_t handle_ = -1; // the pid (Windows: the process handle)
};

// A pause of a child between two of its writes, to mix them with the other children's: up to
// 300 µs (drawn from `random`); on Windows, whose sleeps are whole milliseconds at least, the
// rest of the time slice, given up one time in three.
void pauseBriefly(std::mt19937& random);

// main() of a test program with child modes: the mode named on the command line, or else the
// tests.
int childModeOrTests(int argc, char** argv);

// For the platform files: the mode registered under `name`, or nullptr.
ChildMode childMode(const QString& name);

} // namespace zanfolio::testing
