// Lines of standard input for zentavo-eval --table, read in large blocks. Before it
// may have to wait for more input it flushes the output, so a reader at a terminal
// or a pipe gets each result as soon as its row is complete. A line too long for
// memory is reported as such and skipped; a read error (not the end) is an error.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/output_channel.h"

// A read from standard input failed; the message is the system's reason.
class EReadError : public std::exception {
public:
    explicit EReadError(std::string reason) : FReason(std::move(reason)) {}
    const char* what() const noexcept override { return FReason.c_str(); }

private:
    std::string FReason;
};

class TInputLines {
public:
    enum class TStatus { Line, TooLong, End };

    TInputLines(int fd, TOutputChannel& output);

    // The next line without its newline, valid until the next call; TooLong when it
    // did not fit in memory; End at the end of input. Throws EReadError.
    TStatus Next(std::string_view& line);

private:
    int FFd;
    TOutputChannel* FOutput; // not owned
    std::vector<char> FBuffer;
    std::size_t FBegin = 0, FEnd = 0;
    bool FAtEnd = false;
    std::string FLong; // a line that spans blocks
    bool FLongOverflow = false;
    bool FLongReturned = false;
};
