#include "support/childprocess.h"

#include <map>

namespace zanfolio::testing {

namespace {

std::map<QString, ChildMode>& registeredModes() {
    static std::map<QString, ChildMode> modes;
    return modes;
}

} // namespace

ChildModeRegistration::ChildModeRegistration(const char* name, ChildMode mode) {
    registeredModes()[QString::fromLatin1(name)] = mode;
}

ChildMode childMode(const QString& name) {
    const auto found = registeredModes().find(name);
    return found == registeredModes().end() ? nullptr : found->second;
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept : handle_(other.handle_) {
    other.handle_ = -1;
}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        if (started())
            cut();
        handle_ = other.handle_;
        other.handle_ = -1;
    }
    return *this;
}

ChildProcess::~ChildProcess() {
    if (started())
        cut();
}

} // namespace zanfolio::testing
