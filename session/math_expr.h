// The calculator's own error: a declared variable whose value cell is empty.
#pragma once

#include <string>
#include <string_view>

#include "platform/exceptions.h"

namespace SessionMessages {
inline constexpr std::string_view NothingAssigned = "Nothing assigned to one of the variables";
} // namespace SessionMessages

class TMathExpr : public Exception {
public:
    using Exception::Exception;
};
