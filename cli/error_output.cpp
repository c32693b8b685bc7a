// Writing error lines without allocating.
#include "cli/error_output.h"

#include "cli/output_channel.h"

void WriteErrorLine(std::initializer_list<std::string_view> parts) noexcept {
    std::string_view last;
    for (const std::string_view part : parts) {
        WriteAll(2, part);
        if (!part.empty()) last = part;
    }
    if (!last.ends_with('\n')) WriteAll(2, "\n");
}

void WriteOutOfMemory() noexcept {
    static constexpr char Message[] = "zentavo-eval: out of memory\n";
    WriteAll(2, {Message, sizeof Message - 1});
}
