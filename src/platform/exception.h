#pragma once
// Errors raised by the class-library stand-in. A handler that throws one ends
// there; the dispatch boundary hands it to the application's error box.
#include <stdexcept>
#include <string>

namespace vcl {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// Misuse of a component, e.g. showing a visible window modally.
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

// A refused or failed registry operation.
class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

// Format with one %s, the way the library's resource strings are used.
inline std::string FormatMessage1(const std::string& fmt, const std::string& arg) {
    std::string out;
    auto pos = fmt.find("%s");
    if (pos == std::string::npos) return fmt;
    out.reserve(fmt.size() + arg.size());
    out.append(fmt, 0, pos).append(arg).append(fmt, pos + 2, std::string::npos);
    return out;
}

} // namespace vcl
