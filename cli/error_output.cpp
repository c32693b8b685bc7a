// Writing error lines without allocating.
#include "cli/error_output.h"

#include <unistd.h>

#include <cerrno>

namespace {

void WriteAll(std::string_view text) noexcept {
    while (!text.empty()) {
        const ssize_t written = write(2, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

} // namespace

void WriteErrorLine(std::initializer_list<std::string_view> parts) noexcept {
    std::string_view last;
    for (const std::string_view part : parts) {
        WriteAll(part);
        if (!part.empty()) last = part;
    }
    if (!last.ends_with('\n')) WriteAll("\n");
}

void WriteOutOfMemory() noexcept {
    static constexpr char Message[] = "zentavo-eval: out of memory\n";
    WriteAll({Message, sizeof Message - 1});
}
