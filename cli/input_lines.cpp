// Block-wise line reading.
#include "cli/input_lines.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>

namespace {
constexpr std::size_t BlockSize = 1 << 20;
}

TInputLines::TInputLines(int fd, TOutputChannel& output)
    : FFd(fd), FOutput(&output), FBuffer(BlockSize) {}

TInputLines::TStatus TInputLines::Next(std::string_view& line) {
    if (FLongReturned) {
        FLong.clear();
        FLongReturned = false;
    }
    for (;;) {
        if (FBegin < FEnd) {
            const char* start = FBuffer.data() + FBegin;
            const std::size_t available = FEnd - FBegin;
            const auto* newline = static_cast<const char*>(std::memchr(start, '\n', available));
            const std::size_t length =
                newline ? static_cast<std::size_t>(newline - start) : available;
            FBegin += newline ? length + 1 : length;
            if (newline && FLong.empty() && !FLongOverflow) {
                line = {start, length};
                return TStatus::Line;
            }
            // the line spans blocks: gather it, unless it has already outgrown memory
            if (!FLongOverflow) {
                try {
                    FLong.append(start, length);
                } catch (const std::bad_alloc&) {
                    FLong = std::string();
                    FLongOverflow = true;
                }
            }
            if (!newline) continue;
        } else if (!FAtEnd) {
            FBegin = FEnd = 0;
            FOutput->Flush(); // nothing complete is left: the reader may have to wait
            const ssize_t got = read(FFd, FBuffer.data(), FBuffer.size());
            if (got < 0) {
                if (errno == EINTR) continue;
                throw EReadError(std::strerror(errno));
            }
            if (got == 0)
                FAtEnd = true;
            else
                FEnd = static_cast<std::size_t>(got);
            continue;
        } else if (FLong.empty() && !FLongOverflow) {
            return TStatus::End;
        }
        // a complete long line (or the last line, without its newline)
        if (FLongOverflow) {
            FLongOverflow = false;
            return TStatus::TooLong;
        }
        line = FLong;
        FLongReturned = true;
        return TStatus::Line;
    }
}
