// Buffered, checked output.
#include "cli/output_channel.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {
constexpr std::size_t BufferSize = 1 << 16;
}

TOutputChannel::TOutputChannel(int fd) : FFd(fd), FBuffer(BufferSize) {}

void TOutputChannel::Append(std::string_view text) {
    if (FSize + text.size() > FBuffer.size()) {
        Flush();
        if (text.size() > FBuffer.size()) {
            Write(text);
            return;
        }
    }
    std::memcpy(FBuffer.data() + FSize, text.data(), text.size());
    FSize += text.size();
}

void TOutputChannel::Append(char c) {
    if (FSize == FBuffer.size()) Flush();
    FBuffer[FSize++] = c;
}

void TOutputChannel::Flush() {
    Write({FBuffer.data(), FSize});
    FSize = 0;
}

int WriteAll(int fd, std::string_view text) noexcept {
    while (!text.empty()) {
        const ssize_t written = write(fd, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// After the first failure nothing more is written.
void TOutputChannel::Write(std::string_view text) {
    if (FError == 0) FError = WriteAll(FFd, text);
}

std::string TOutputChannel::FailureReason() const {
    return std::strerror(FError);
}
