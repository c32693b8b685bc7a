// Files that are only ever replaced whole: read at once, written beside themselves,
// flushed to disk and renamed over the old one, so a crash or a full disk leaves the
// old content or the new, never a mix. Writers take an exclusive lock on a lock file
// beside the file, which also counts the replacements. Failures return the errno.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Which file a path names now: a replacement is a new inode, so the same device,
// inode, size and modification time mean the same content (the replacement count
// under the lock settles the rare case of all four repeating).
struct TFileIdentity {
    unsigned long long Device = 0, Inode = 0, Size = 0;
    long long ModifiedNs = 0;
    bool operator==(const TFileIdentity&) const = default;
};

// The identity of the file now; nothing when it is missing or cannot be examined.
std::optional<TFileIdentity> FileIdentity(const std::string& path);

// Reads the whole file and its identity. 0 on success; ENOENT when it is missing;
// EISDIR or EINVAL for what is no regular file; otherwise the error of the read.
int ReadWholeFile(const std::string& path, std::string& content, TFileIdentity& identity);

// The folder that holds the path: "." for a bare name, "/" at the root.
std::string FolderOf(const std::string& path);

// Creates the folder and its missing parents, each with mode 0700.
int MakeFolders(const std::string& folder);

// Puts content in place of the file: a temporary file in the same folder (mode
// 0600, or the old file's mode), written, flushed, renamed over the file, then the
// folder flushed. On failure the old file is untouched and the temporary one gone.
// Call it holding the file's lock: it removes what writers killed earlier left.
int ReplaceFile(const std::string& path, const std::string& content);

// The exclusive lock of one file's writers, held for the object's life.
class TFileLock {
public:
    // Opens (creating with mode 0600) path + ".lock" and waits for the lock;
    // Error() tells whether that failed.
    explicit TFileLock(const std::string& path);
    TFileLock(const TFileLock&) = delete;
    TFileLock& operator=(const TFileLock&) = delete;
    ~TFileLock();

    int Error() const noexcept { return FError; }
    // How many replacements the lock file has counted (0 for a new one).
    std::uint64_t Generation() const;
    // Counts one more replacement; false when the count could not be written.
    bool CountReplacement();
    // The count as a reader sees it without the lock (0 when there is none yet).
    static std::uint64_t ReadGeneration(const std::string& path);

private:
    int FFd = -1;
    int FError = 0;
};
