#include "file_system.h"

#include "messages.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <memory>
#include <optional>
#include <string>

#include <dirent.h>
#include <fcntl.h>
#include <locale.h>
#include <signal.h>
#include <string.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace nutrient {

namespace {

std::size_t currentReadLimit = kReadLimit;
bool namedTemporaryFiles = false;

// The system's own description of an error, in English like the program's other failure texts
// whatever the language of the desktop.
std::string systemDescription(int error) {
    static const locale_t cLocale = ::newlocale(LC_ALL_MASK, "C", locale_t{});
    return ::strerror_l(error, cLocale);
}

// The user sees the same few texts for file failures that the desktop runtime has always
// shown; anything unusual is given with its system code and the system's description.
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
    default:
        return "I/O error " + std::to_string(error) + ": " + systemDescription(error);
    }
}

[[noreturn]] void throwIoFailure(int error) { throw Failure(ioErrorText(error)); }

// The system reads a name up to its first NUL byte: a name that holds one would reach another file.
void refuseNul(const std::string& fileName) {
    if (fileName.find('\0') != std::string::npos) throwIoFailure(EINVAL);
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    void reset(int fd) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }
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

// The target of a symbolic link.  The size the link reports is not trusted: the system's own
// links (/proc/self/exe) report none.
std::string linkTarget(const std::string& path) {
    std::string target(256, '\0');
    for (;;) {
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length < 0) throwIoFailure(errno);
        if (static_cast<std::size_t>(length) < target.size()) {
            target.resize(static_cast<std::size_t>(length));
            return target;
        }
        target.resize(target.size() * 2);
    }
}

// The kernel's protection of sticky world-writable folders such as /tmp (fs.protected_symlinks):
// there a link is followed only when the saver or the folder's owner owns it, so that a link
// another user planted cannot lead a save to a file of the saver's.  The program resolves the
// links of a save itself, so it applies the rule itself.
void refuseLinkPlantedByAnother(const std::string& link, const struct stat& linkStatus) {
    struct stat folder;
    if (::stat(folderOf(link).c_str(), &folder) != 0) throwIoFailure(errno);
    const bool sharedFolder = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
    if (sharedFolder && linkStatus.st_uid != ::geteuid() && linkStatus.st_uid != folder.st_uid) throwIoFailure(EACCES);
}

// Saving over a symbolic link replaces the file it points to and keeps the link.
std::string followLinks(std::string path) {
    constexpr int kMaxLinks = 40;
    for (int hops = 0; hops < kMaxLinks; ++hops) {
        struct stat status;
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
        refuseLinkPlantedByAnother(path, status);
        const std::string target = linkTarget(path);
        path = target.starts_with('/') ? target : folderOf(path) + "/" + target;
    }
    throwIoFailure(ELOOP);
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

// A new file waiting to replace its target has a hidden name that says whose it is,
// ".nutrient-<process id>-<six letters>", so that later saves can tell the files of saves
// killed before their rename from those of saves still running.
constexpr std::string_view kHiddenPrefix = ".nutrient-";
constexpr std::string_view kHiddenLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kHiddenLetterCount = 6;

// A hidden name of this process in the folder that no file has yet, for as long as it takes to
// open it with O_EXCL or to link a file to it.
std::string hiddenName(const std::string& folder) {
    unsigned char random[kHiddenLetterCount];
    if (::getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random)) throwIoFailure(errno);
    std::string name = folder + "/" + std::string(kHiddenPrefix) + std::to_string(::getpid()) + "-";
    for (unsigned char r : random) name += kHiddenLetters[r % kHiddenLetters.size()];
    return name;
}

// The process whose save gave a file this name; nothing for a name of any other pattern.
std::optional<pid_t> saverOfHiddenName(std::string_view name) {
    if (!name.starts_with(kHiddenPrefix)) return std::nullopt;
    name.remove_prefix(kHiddenPrefix.size());
    const std::size_t dash = name.find('-');
    if (dash == std::string_view::npos || name.size() - dash - 1 != kHiddenLetterCount) return std::nullopt;
    if (name.find_first_not_of(kHiddenLetters, dash + 1) != std::string_view::npos) return std::nullopt;
    const std::string_view digits = name.substr(0, dash);
    if (digits.empty() || digits.front() < '1' || digits.front() > '9') return std::nullopt;  // as written
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return pid;
}

// A process that exists, whoever runs it.
bool processExists(pid_t pid) { return ::kill(pid, 0) == 0 || errno == EPERM; }

// Removes what saves of this user left in the folder when they were killed between naming their
// new file and the rename: regular files of the hidden pattern, the saver's own, whose process
// is gone.  Nothing else is touched, and what cannot be removed waits for a later save.
void removeStaleHiddenFiles(const std::string& folder) {
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(folder.c_str()), ::closedir);
    if (!listing) return;
    const int directory = ::dirfd(listing.get());
    while (const dirent* entry = ::readdir(listing.get())) {
        const std::optional<pid_t> saver = saverOfHiddenName(entry->d_name);
        if (!saver || processExists(*saver)) continue;
        struct stat status;
        if (::fstatat(directory, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(status.st_mode) &&
            status.st_uid == ::geteuid())
            ::unlinkat(directory, entry->d_name, 0);
    }
}

// An unnamed file is given its name through /proc; without it, saves take named files.
bool unnamedFilesAvailable() {
    static const bool available = ::access("/proc/self/fd", X_OK) == 0;
    return available && !namedTemporaryFiles;
}

// The new file a save writes, beside its target, with the mode the user's umask gives a new
// file.  It is unnamed (O_TMPFILE) where the file system allows, so that a crash leaves
// nothing behind; elsewhere it is a hidden named file, removed when the save fails.  It takes
// the target's name only when complete.
class NewFile {
public:
    // False, errno set, when the folder takes no new file.
    bool create(const std::string& folder) {
        folder_ = folder;
        if (unnamedFilesAvailable()) {
            file_.reset(::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
            if (file_.get() >= 0) return true;
            if (errno != EOPNOTSUPP && errno != EISDIR) return false;  // EISDIR: a kernel without them
        }
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string name = hiddenName(folder);
            file_.reset(::open(name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666));
            if (file_.get() >= 0) {
                name_ = std::move(name);
                return true;
            }
            if (errno != EEXIST) return false;
        }
        return false;
    }
    NewFile() = default;
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;
    ~NewFile() {
        if (!name_.empty()) ::unlink(name_.c_str());
    }

    int fd() const { return file_.get(); }

    // Puts the bytes written on disk and gives the file the name of a target that does not
    // exist, by a link, which never replaces a file: false, with nothing changed, when a file
    // took the name meanwhile.
    bool linkAs(const std::string& target) {
        if (::fsync(file_.get()) != 0) throwIoFailure(errno);
        const bool unnamed = name_.empty();
        const std::string source = unnamed ? selfLink() : name_;
        if (::linkat(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), unnamed ? AT_SYMLINK_FOLLOW : 0) != 0) {
            if (errno == EEXIST) return false;
            throwIoFailure(errno);
        }
        if (file_.close() != 0) throwIoFailure(errno);
        return true;
    }

    // Puts the bytes written on disk and renames the file over the target.
    void renameOver(const std::string& target) {
        if (::fsync(file_.get()) != 0) throwIoFailure(errno);
        if (name_.empty()) giveName();
        if (file_.close() != 0) throwIoFailure(errno);
        if (::rename(name_.c_str(), target.c_str()) != 0) throwIoFailure(errno);
        name_.clear();
    }

private:
    // The unnamed file as /proc shows it, a name that linkat can follow.
    std::string selfLink() const { return "/proc/self/fd/" + std::to_string(file_.get()); }

    // Links the unnamed file to a hidden name of its folder, from which it is renamed.
    void giveName() {
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string name = hiddenName(folder_);
            if (::linkat(AT_FDCWD, selfLink().c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                name_ = std::move(name);
                return;
            }
            if (errno != EEXIST) throwIoFailure(errno);
        }
        throwIoFailure(EEXIST);
    }

    std::string folder_;
    FileDescriptor file_;
    std::string name_;  // empty while the file is unnamed
};

// Gives the new file the owner and group of the file it replaces; false when the saver may not
// (a member of the file's group saving another user's file).
bool tookOwnerAndGroup(int fd, const struct stat& replaced) {
    struct stat created;
    if (::fstat(fd, &created) != 0) throwIoFailure(errno);
    if (created.st_uid == replaced.st_uid && created.st_gid == replaced.st_gid) return true;
    return ::fchown(fd, replaced.st_uid, replaced.st_gid) == 0;
}

// Writes the bytes into a new file and gives it the name of a target that does not exist: an
// atomic create that leaves nothing behind whenever the process dies.  False, with nothing
// changed, when a file took the name meanwhile.
bool createdByNewFile(const std::string& target, std::string_view bytes) {
    NewFile file;
    if (!file.create(folderOf(target))) throwIoFailure(errno);
    writeAll(file.fd(), bytes);
    return file.linkAs(target);
}

// Writes the bytes into a new file that then replaces the target, with the owner, group and
// mode of the file replaced.  False, with nothing changed, when the file replaced would not
// keep them: the folder takes no new file, or the new file cannot be given the owner and group.
bool replacedByNewFile(const std::string& target, const struct stat& replaced, std::string_view bytes) {
    NewFile file;
    if (!file.create(folderOf(target))) {
        if (errno == EACCES || errno == EPERM) return false;
        throwIoFailure(errno);
    }
    if (!tookOwnerAndGroup(file.fd(), replaced)) return false;
    // After the owner: a change of owner clears the set-user and set-group bits.
    if (::fchmod(file.fd(), replaced.st_mode & 07777) != 0) throwIoFailure(errno);
    writeAll(file.fd(), bytes);
    file.renameOver(target);
    return true;
}

// Overwrites the file itself, which keeps its owner, group, mode and other names.  The room for
// the new bytes is reserved first, so that a full disk or a size limit stops the save before a
// byte changes; the new bytes are written over the old before the file is cut to their length,
// so that even a save cut short there leaves the new forty lines first (and lines beyond the
// fortieth are never read).
void overwrittenInPlace(const std::string& target, std::string_view bytes) {
    FileDescriptor file(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (file.get() < 0) throwIoFailure(errno);
    struct stat opened;
    if (::fstat(file.get(), &opened) != 0) throwIoFailure(errno);
    if (!S_ISREG(opened.st_mode)) throw Failure(notRegularFileMessage(target));
    const auto size = static_cast<off_t>(bytes.size());
    if (size > opened.st_size && ::fallocate(file.get(), 0, 0, size) != 0 && errno != EOPNOTSUPP) throwIoFailure(errno);
    writeAll(file.get(), bytes);
    if (::ftruncate(file.get(), size) != 0 || ::fsync(file.get()) != 0 || file.close() != 0) throwIoFailure(errno);
}

// An access control list can grant others access beyond the mode; a new file would not have it.
bool hasAccessList(const std::string& path) {
    return ::getxattr(path.c_str(), "system.posix_acl_access", nullptr, 0) >= 0;
}

// The rename reaches the disk with the folder; the file is saved either way.
void syncFolder(const std::string& folder) {
    FileDescriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.get() >= 0) ::fsync(directory.get());
}

}  // namespace

namespace {

// One attempt at a save; false when a file took the name of a new target meanwhile.
bool savedOnce(const std::string& fileName, std::string_view bytes) {
    const std::string target = followLinks(fileName);
    const std::string folder = folderOf(target);
    removeStaleHiddenFiles(folder);
    struct stat existing;
    if (::lstat(target.c_str(), &existing) != 0) {
        if (errno != ENOENT) throwIoFailure(errno);
        if (!createdByNewFile(target, bytes)) return false;
    } else {
        if (S_ISDIR(existing.st_mode)) throwIoFailure(EISDIR);
        if (!S_ISREG(existing.st_mode)) throw Failure(notRegularFileMessage(target));
        // A file the user may not write stays as it is, as if it had been opened for writing.
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) throwIoFailure(errno);
        // A rename would leave the file's other names with the old bytes, and its access list behind.
        if (existing.st_nlink > 1 || hasAccessList(target) || !replacedByNewFile(target, existing, bytes)) {
            overwrittenInPlace(target, bytes);
            return true;
        }
    }
    syncFolder(folder);
    return true;
}

}  // namespace

void replaceFile(const std::string& fileName, std::string_view bytes) {
    refuseNul(fileName);
    // A file that appears under a new name while the bytes are written is never clobbered: the
    // save starts over and replaces it as an existing file, with all the checks that takes.
    constexpr int kAttempts = 2;
    for (int attempt = 0; attempt < kAttempts; ++attempt)
        if (savedOnce(fileName, bytes)) return;
    throwIoFailure(EEXIST);
}

namespace {

// Reads what is there, up to `size` bytes; 0 at the end.
std::size_t readSome(int fd, char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t received = ::read(fd, buffer, size);
        if (received >= 0) return static_cast<std::size_t>(received);
        if (errno != EINTR) throwIoFailure(errno);
    }
}

std::vector<std::string> readLinesFrom(int fd, std::size_t count, std::string_view name) {
    std::vector<std::string> lines;
    std::string line;
    bool lineStarted = false;
    bool afterCarriageReturn = false;
    // Left uninitialised: clearing 64 KiB for a file of a few hundred bytes was most of the
    // time a load took.
    constexpr std::size_t kChunkSize = 64 * 1024;
    const std::unique_ptr<char[]> chunk(new char[kChunkSize]);
    std::size_t allowed = currentReadLimit;
    while (lines.size() < count) {
        if (allowed == 0) {
            // The limit is reached with lines missing: one byte more makes the file too large.
            char probe;
            if (readSome(fd, &probe, 1) != 0) throw Failure(fileTooLargeMessage(name));
            break;
        }
        const std::size_t received = readSome(fd, chunk.get(), std::min(kChunkSize, allowed));
        if (received == 0) break;
        allowed -= received;
        const char* p = chunk.get();
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

// A file opened for reading; without waiting, a pipe or a device gives what it has at once.
int openForReading(const std::string& fileName, Waiting waiting) {
    refuseNul(fileName);
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | (waiting == Waiting::Never ? O_NONBLOCK : 0));
    if (fd < 0) throwIoFailure(errno);
    return fd;
}

}  // namespace

std::vector<std::string> readLines(const std::string& fileName, std::size_t count, Waiting waiting) {
    FileDescriptor file(openForReading(fileName, waiting));
    return readLinesFrom(file.get(), count, fileName);
}

std::string readFile(const std::string& fileName) {
    FileDescriptor file(openForReading(fileName, Waiting::Never));
    std::string bytes;
    constexpr std::size_t kChunkSize = 64 * 1024;
    for (;;) {
        const std::size_t start = bytes.size();
        bytes.resize(start + kChunkSize);
        const std::size_t received = readSome(file.get(), bytes.data() + start, kChunkSize);
        bytes.resize(start + received);
        if (received == 0) return bytes;
        if (bytes.size() > currentReadLimit) throw Failure(fileTooLargeMessage(fileName));
    }
}

std::vector<std::string> readStandardInputLines(std::size_t count) {
    return readLinesFrom(STDIN_FILENO, count, kStandardInputName);
}

bool pathExists(const std::string& fileName) {
    struct stat status;
    return ::lstat(fileName.c_str(), &status) == 0;
}

LineReader::LineReader(const std::string& fileName)
    : fd_(fileName == "-" ? STDIN_FILENO : openForReading(fileName, Waiting::ForTheWriter)), ownsFd_(fileName != "-") {}

LineReader::~LineReader() {
    if (ownsFd_) ::close(fd_);
}

bool LineReader::refill() {
    constexpr std::size_t kChunkSize = 64 * 1024;
    buffer_.resize(kChunkSize);
    buffer_.resize(readSome(fd_, buffer_.data(), kChunkSize));
    position_ = 0;
    return !buffer_.empty();
}

std::optional<std::string> LineReader::next() {
    std::string line;
    for (;;) {
        const std::size_t end = buffer_.find('\n', position_);
        const std::size_t length = (end == std::string::npos ? buffer_.size() : end) - position_;
        if (line.size() <= kLongestLine)
            line.append(buffer_, position_, std::min(length, kLongestLine + 1 - line.size()));
        if (end != std::string::npos) {
            position_ = end + 1;
            break;
        }
        if (!refill()) {
            if (line.empty()) return std::nullopt;
            break;
        }
    }
    if (line.ends_with('\r')) line.pop_back();
    return line;
}

std::size_t readLimit() { return currentReadLimit; }

void setReadLimitForTests(std::size_t bytes) { currentReadLimit = bytes; }

void setNamedTemporaryFilesForTests(bool named) { namedTemporaryFiles = named; }

}  // namespace nutrient
