#pragma once
// Errors are values: every reader and writer returns Result<T>. The screens decide which
// message box to show; the texts in Error are ready to be shown to a Japanese user.

#include <QString>
#include <optional>
#include <utility>
#include <variant>

namespace zanfolio {

// What kind of failure an input/output error was: the retry rules differ.
enum class ErrorKind {
    Other,
    NotFound, // the file or its folder does not exist
    Sharing,  // another computer holds the file (locked, in use): it will be released
    Denied,   // the system refuses access: a read-only file or share, no permission
};

struct Error {
    QString file;             // the file the operation was working on (may be empty)
    QString message;          // Japanese text for the message box, naming the file and the fault
    bool endsProgram = false; // the program must end after showing the message
    ErrorKind kind = ErrorKind::Other;
    int code = 0; // the platform's error number, 0 when none
};

template <class T> class [[nodiscard]] Result {
  public:
    Result(T value) : v_(std::move(value)) {}
    Result(Error error) : v_(std::move(error)) {}
    bool ok() const { return v_.index() == 0; }
    explicit operator bool() const { return ok(); }
    T& value() { return std::get<0>(v_); }
    const T& value() const { return std::get<0>(v_); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    const Error& error() const { return std::get<1>(v_); }

  private:
    std::variant<T, Error> v_;
};

struct Ok {};
using Status = Result<Ok>;

inline Error makeError(QString file, QString message, bool endsProgram = false) {
    return Error{std::move(file), std::move(message), endsProgram};
}

} // namespace zanfolio
