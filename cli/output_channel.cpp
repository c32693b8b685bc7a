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
            WriteAll(text.data(), text.size());
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
    WriteAll(FBuffer.data(), FSize);
    FSize = 0;
}

void TOutputChannel::WriteAll(const char* data, std::size_t size) {
    while (size > 0 && FError == 0) {
        const ssize_t written = write(FFd, data, size);
        if (written < 0) {
            if (errno != EINTR) FError = errno;
            continue;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}

std::string TOutputChannel::FailureReason() const {
    return std::strerror(FError);
}
