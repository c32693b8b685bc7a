// The platform's exception classes: one base class carrying a message, and the
// runtime errors the engine relies on (conversion, floating-point faults, list
// index, assertion). Messages are fixed texts with at most one placeholder.
#pragma once

#include <exception>
#include <string>
#include <string_view>

// Message texts of the runtime errors, word for word.
namespace RuntimeMessages {
inline constexpr std::string_view InvalidFloat = "'%s' is not a valid floating point value";
inline constexpr std::string_view Overflow = "Floating point overflow";
inline constexpr std::string_view ZeroDivide = "Floating point division by zero";
inline constexpr std::string_view InvalidOp = "Invalid floating point operation";
inline constexpr std::string_view ListIndex = "List index out of bounds (%d)";
inline constexpr std::string_view AssertionFailure = "Assertion failure";
} // namespace RuntimeMessages

// Replaces the first "%s" or "%d" of a message pattern by the argument.
std::string FormatMessage(std::string_view pattern, std::string_view argument);
std::string FormatMessage(std::string_view pattern, long long argument);

// Base of every exception the system raises; what() is the message exactly.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : FMessage(std::move(message)) {}
    const char* what() const noexcept override { return FMessage.c_str(); }
    const std::string& Message() const noexcept { return FMessage; }

private:
    std::string FMessage;
};

// A text that is not a number of the accepted form.
class EConvertError : public Exception {
public:
    using Exception::Exception;
    static EConvertError InvalidFloat(std::string_view text);
};

// Base of the three floating-point faults that are reported.
class EFloatingPointError : public Exception {
public:
    using Exception::Exception;
};

class EOverflow : public EFloatingPointError {
public:
    EOverflow() : EFloatingPointError(std::string(RuntimeMessages::Overflow)) {}
};

class EZeroDivide : public EFloatingPointError {
public:
    EZeroDivide() : EFloatingPointError(std::string(RuntimeMessages::ZeroDivide)) {}
};

class EInvalidOp : public EFloatingPointError {
public:
    EInvalidOp() : EFloatingPointError(std::string(RuntimeMessages::InvalidOp)) {}
};

class EListError : public Exception {
public:
    explicit EListError(long long index)
        : Exception(FormatMessage(RuntimeMessages::ListIndex, index)) {}
};

// A refused argument that no caller of the system passes.
class EAssertionFailed : public Exception {
public:
    using Exception::Exception;
};

// Raises EAssertionFailed with "Assertion failure" (or the given message) when the
// condition does not hold.
void Assert(bool condition, std::string_view message = RuntimeMessages::AssertionFailure);
