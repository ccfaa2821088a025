#include "file_system.h"

#include "messages.h"

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nutrient {

namespace {

// The user sees the same few texts for file failures that the desktop runtime has always
// shown; anything unusual is given with its system code.
std::string ioErrorText(int error) {
    switch (error) {
    case ENOENT:
        return kFileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
        return kInvalidFileName;
    case EMFILE:
    case ENFILE:
        return kTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return kFileAccessDenied;
    case ENOSPC:
    case EDQUOT:
        return kDiskFull;
    default: {
        char text[32];
        std::snprintf(text, sizeof text, "I/O error %d", error);
        return text;
    }
    }
}

[[noreturn]] void throwIoFailure(int error) { throw Failure(ioErrorText(error)); }

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now, reporting the error a delayed write may only show here.
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Saving over a symbolic link replaces the file it points to and keeps the link.
std::string followLinks(std::string path) {
    constexpr int kMaxLinks = 40;
    for (int hops = 0; hops < kMaxLinks; ++hops) {
        struct stat status;
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
        std::string target(static_cast<std::size_t>(status.st_size) + 1, '\0');
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length < 0) throwIoFailure(errno);
        target.resize(static_cast<std::size_t>(length));
        path = target.starts_with('/') ? target : folderOf(path) + "/" + target;
    }
    throwIoFailure(ELOOP);
}

mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            throwIoFailure(errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

}  // namespace

void replaceFile(const std::string& fileName, std::string_view bytes) {
    const std::string target = followLinks(fileName);
    struct stat existing;
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    // A file the user may not write stays as it is, as if it had been opened for writing.
    if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) throwIoFailure(errno);

    std::string temporary = folderOf(target) + "/.nutrient-XXXXXX";
    FileDescriptor file(::mkstemp(temporary.data()));
    if (file.get() < 0) throwIoFailure(errno);
    try {
        if (exists) {
            // Keeps owner and group where the system allows it; the mode is kept in any case.
            [[maybe_unused]] const int ignored = ::fchown(file.get(), existing.st_uid, existing.st_gid);
        }
        if (::fchmod(file.get(), exists ? existing.st_mode & 07777 : newFileMode()) != 0) throwIoFailure(errno);
        writeAll(file.get(), bytes);
        if (::fsync(file.get()) != 0 || file.close() != 0) throwIoFailure(errno);
        if (::rename(temporary.c_str(), target.c_str()) != 0) throwIoFailure(errno);
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
    // The rename itself reaches the disk with the folder; the file is saved either way.
    FileDescriptor folder(::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) ::fsync(folder.get());
}

namespace {

std::vector<std::string> readLinesFrom(int fd, std::size_t count) {
    std::vector<std::string> lines;
    std::string line;
    bool lineStarted = false;
    bool afterCarriageReturn = false;
    std::vector<char> chunk(64 * 1024);
    while (lines.size() < count) {
        const ssize_t received = ::read(fd, chunk.data(), chunk.size());
        if (received < 0) {
            if (errno == EINTR) continue;
            throwIoFailure(errno);
        }
        if (received == 0) break;
        const char* p = chunk.data();
        const char* const end = p + received;
        if (afterCarriageReturn && *p == '\n') ++p;  // the LF of a CR LF split between chunks
        afterCarriageReturn = false;
        while (p < end && lines.size() < count) {
            const char* lineEnd = p;
            while (lineEnd < end && *lineEnd != '\r' && *lineEnd != '\n') ++lineEnd;
            line.append(p, lineEnd);
            lineStarted = true;
            if (lineEnd == end) break;
            lines.push_back(std::move(line));
            line.clear();
            lineStarted = false;
            p = lineEnd + 1;
            if (*lineEnd == '\r') {
                if (p == end) afterCarriageReturn = true;
                else if (*p == '\n') ++p;
            }
        }
    }
    if (lineStarted && lines.size() < count) lines.push_back(std::move(line));
    return lines;
}

}  // namespace

std::vector<std::string> readLines(const std::string& fileName, std::size_t count) {
    // Non-blocking: a pipe given a ".txt" name fails or reads as empty instead of hanging the
    // window; regular files read as usual.
    FileDescriptor file(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) throwIoFailure(errno);
    return readLinesFrom(file.get(), count);
}

std::vector<std::string> readStandardInputLines(std::size_t count) { return readLinesFrom(STDIN_FILENO, count); }

}  // namespace nutrient
