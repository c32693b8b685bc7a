// Buffered output to a file descriptor with every write checked: standard output of
// zentavo-eval. A failed write (a full disk, a closed descriptor, a pipe whose
// reader has gone) is kept, never ignored, and later writes are dropped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Writes all of the text to the descriptor, going on after interrupted or partial
// writes; 0, or the system's error number of the write that failed.
int WriteAll(int fd, std::string_view text) noexcept;

class TOutputChannel {
public:
    explicit TOutputChannel(int fd);

    void Append(std::string_view text);
    void Append(char c);
    // Writes out what is buffered.
    void Flush();

    bool Failed() const noexcept { return FError != 0; }
    // The system's reason for the first failed write.
    std::string FailureReason() const;

private:
    void Write(std::string_view text);

    int FFd;
    std::vector<char> FBuffer;
    std::size_t FSize = 0;
    int FError = 0;
};
