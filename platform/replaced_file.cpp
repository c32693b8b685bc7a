// Whole-file replacement, reading and the writers' lock, on the C library's calls.
#include "platform/replaced_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

namespace {

constexpr std::string_view TemporarySuffix = ".tmp-";
constexpr std::string_view LockSuffix = ".lock";

// An open file descriptor, closed at the end of its scope.
class TDescriptor {
public:
    explicit TDescriptor(int fd) noexcept : FFd(fd) {}
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    ~TDescriptor() {
        if (FFd >= 0) ::close(FFd);
    }
    int Get() const noexcept { return FFd; }
    // Closes now and reports the error of close (a delayed write error shows here).
    int Close() noexcept {
        const int result = ::close(FFd);
        FFd = -1;
        return result;
    }

private:
    int FFd;
};

TFileIdentity IdentityOf(const struct stat& info) {
    return {info.st_dev, info.st_ino, static_cast<unsigned long long>(info.st_size),
            static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec};
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Removes the temporary files that writers killed before their rename left behind.
void RemoveLeftovers(const std::string& folder, const std::string& prefix) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir))
        if (std::string_view(entry->d_name).starts_with(prefix))
            ::unlink((folder + '/' + entry->d_name).c_str());
    ::closedir(dir);
}

} // namespace

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::optional<TFileIdentity> FileIdentity(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return IdentityOf(info);
}

int ReadWholeFile(const std::string& path, std::string& content, TFileIdentity& identity) {
    TDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) return errno;
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0) return errno;
    if (!S_ISREG(info.st_mode)) return S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    identity = IdentityOf(info);
    content.clear();
    content.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(file.Get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (got == 0) return 0;
        content.append(buffer, static_cast<std::size_t>(got));
    }
}

int MakeFolders(const std::string& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0) return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
    if (errno != ENOENT) return errno;
    const std::string parent = FolderOf(folder);
    if (parent != folder)
        if (const int error = MakeFolders(parent)) return error;
    return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST ? 0 : errno;
}

int ReplaceFile(const std::string& path, const std::string& content) {
    const std::string folder = FolderOf(path);
    const std::string baseName = path.substr(folder.size() + (folder == "/" ? 0 : 1));
    RemoveLeftovers(folder, baseName + std::string(TemporarySuffix));
    std::string temporary = path + std::string(TemporarySuffix) + "XXXXXX";
    TDescriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (file.Get() < 0) return errno;
    struct stat old {};
    const bool keepMode = ::stat(path.c_str(), &old) == 0;
    const bool written = (!keepMode || ::fchmod(file.Get(), old.st_mode & 07777) == 0) &&
                         WriteAll(file.Get(), content) && ::fsync(file.Get()) == 0 &&
                         file.Close() == 0 && ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!written) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return error;
    }
    // The rename itself reaches the disk with the folder.
    TDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) ::fsync(dir.Get());
    return 0;
}

TFileLock::TFileLock(const std::string& path)
    : FFd(::open((path + std::string(LockSuffix)).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
    if (FFd < 0) {
        FError = errno;
        return;
    }
    while (::flock(FFd, LOCK_EX) != 0)
        if (errno != EINTR) {
            FError = errno;
            return;
        }
}

TFileLock::~TFileLock() {
    if (FFd >= 0) ::close(FFd); // releases the lock
}

namespace {

std::uint64_t GenerationOf(int fd) {
    std::uint64_t generation = 0;
    if (::pread(fd, &generation, sizeof generation, 0) != static_cast<ssize_t>(sizeof generation))
        return 0;
    return generation;
}

} // namespace

std::uint64_t TFileLock::Generation() const {
    return GenerationOf(FFd);
}

bool TFileLock::CountReplacement() {
    const std::uint64_t next = Generation() + 1;
    return ::pwrite(FFd, &next, sizeof next, 0) == static_cast<ssize_t>(sizeof next);
}

std::uint64_t TFileLock::ReadGeneration(const std::string& path) {
    TDescriptor lock(::open((path + std::string(LockSuffix)).c_str(), O_RDONLY | O_CLOEXEC));
    return lock.Get() < 0 ? 0 : GenerationOf(lock.Get());
}
