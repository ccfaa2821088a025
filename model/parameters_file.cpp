#include "model/parameters_file.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nutrient {

namespace {

// ---------------------------------------------------------------------------------------------
// Windows-1251

// Unicode code points of the bytes 0x80..0xFF.  0x98 is unassigned in the code page; it maps
// to U+0098 so that any byte read from a file is written back unchanged.
constexpr std::array<char32_t, 128> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
    // C0..FF: А..я, in alphabetical order, exactly U+0410..U+044F.
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

constexpr char kUnencodable = '?';

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char toWindows1251(char32_t c) {
    if (c < 0x80) return static_cast<char>(c);
    if (c >= 0x0410 && c <= 0x044F) return static_cast<char>(0xC0 + (c - 0x0410));
    for (std::size_t i = 0; i < 0x40; ++i) {
        if (kUpperHalf[i] == c) return static_cast<char>(0x80 + i);
    }
    return kUnencodable;
}

// Decodes one well-formed UTF-8 sequence at s[i] (shortest form, no surrogates, at most
// U+10FFFF) and advances i past it; returns false, leaving i alone, for an ill-formed one.
bool nextCodePoint(std::string_view s, std::size_t& i, char32_t& c) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i);
    std::size_t length;
    char32_t min;
    if (lead < 0x80) {
        c = lead;
        ++i;
        return true;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, c = lead & 0x1F, min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, c = lead & 0x0F, min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, c = lead & 0x07, min = 0x10000;
    } else {
        return false;
    }
    if (s.size() - i < length) return false;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return false;
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    i += length;
    return true;
}

// ---------------------------------------------------------------------------------------------
// File system

// The user sees the same few texts for file failures that the desktop runtime has always
// shown; anything unusual is given with its system code.
std::string ioErrorText(int error) {
    switch (error) {
    case ENOENT:
        return "File not found";
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
        return "Invalid filename";
    case EMFILE:
    case ENFILE:
        return "Too many open files";
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return "File access denied";
    case ENOSPC:
    case EDQUOT:
        return "Disk full";
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

// Writes the bytes into a new file beside the target and renames it over the target only
// when it is complete and on disk, so that a failure (a full disk, a lost medium) never leaves
// a half-written parameters file or destroys the previous one.
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

// Reads the first `count` lines.  A line ends at CR LF, LF or a lone CR; the last line may
// lack its end.  Reading stops as soon as the lines are complete, so whatever follows them,
// however large, is never read.
std::vector<std::string> readLines(const std::string& fileName, std::size_t count) {
    // Non-blocking: a pipe given a ".txt" name fails or reads as empty instead of hanging the
    // window; regular files read as usual.
    FileDescriptor file(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) throwIoFailure(errno);
    std::vector<std::string> lines;
    std::string line;
    bool lineStarted = false;
    bool afterCarriageReturn = false;
    std::vector<char> chunk(64 * 1024);
    while (lines.size() < count) {
        const ssize_t received = ::read(file.get(), chunk.data(), chunk.size());
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

// The text a field shows for a line of the file.  A text field ends its text at a NUL
// character, so a NUL byte in a line ends the field's text there.
std::string fieldTextOf(const std::string& line) {
    return decodeWindows1251(std::string_view(line).substr(0, line.find('\0')));
}

// The line written for a field's text.  Line breaks (which a text field cannot hold, but a
// text set otherwise might) are written as blanks, so that the file keeps its 40 lines.
std::string lineOf(const std::string& text) {
    std::string line = encodeWindows1251(text);
    for (char& c : line) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return line + "\r\n";
}

}  // namespace

std::string decodeWindows1251(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const char b : bytes) {
        const auto byte = static_cast<unsigned char>(b);
        if (byte < 0x80) text += b;
        else appendUtf8(text, kUpperHalf[byte - 0x80]);
    }
    return text;
}

// Each code point outside the code page becomes one "?", each byte of an ill-formed UTF-8
// sequence one "?".
std::string encodeWindows1251(std::string_view utf8) {
    std::string bytes;
    bytes.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t c;
        if (nextCodePoint(utf8, i, c)) {
            bytes += toWindows1251(c);
        } else {
            bytes += kUnencodable;
            ++i;
        }
    }
    return bytes;
}

std::string withTextExtension(const std::string& fileName) {
    // Characters, not bytes, are counted: the name is UTF-8, and a Cyrillic extension such as
    // ".тхт" has its dot fourth from the end like ".txt".
    std::size_t start = fileName.size();
    for (int characters = 0; characters < 3 && start > 0; ++characters) {
        do --start;
        while (start > 0 && (static_cast<unsigned char>(fileName[start]) & 0xC0) == 0x80);
    }
    const bool dotFourthFromEnd = start > 0 && fileName[start - 1] == '.';
    return dotFourthFromEnd ? fileName : fileName + ".txt";
}

bool hasTextExtension(std::string_view fileName) { return fileName.ends_with("txt"); }

void saveParameters(const ParameterSet& parameters, std::string& fileName) {
    fileName = withTextExtension(fileName);
    if (!hasTextExtension(fileName)) {
        parameters.messages().warning(kWarnNotTextFile);
        return;
    }
    std::string bytes;
    for (const ParameterInfo& p : kParameters) bytes += lineOf(parameters.getText(p.field));
    replaceFile(fileName, bytes);
}

void loadParameters(ParameterSet& parameters, const std::string& fileName) {
    if (!hasTextExtension(fileName)) {
        parameters.messages().warning(kWarnNotTextFile);
        return;
    }
    // The whole file is read before the first field changes: a file that cannot be read
    // leaves the parameters as they were.
    const std::vector<std::string> lines = readLines(fileName, kParameters.size());
    for (std::size_t i = 0; i < kParameters.size(); ++i) {
        // Each assignment fires the field's change rule; y (line 40) comes last, so a changed
        // runoff layer recomputes q after line 18 has set it.
        parameters.setText(kParameters[i].field, i < lines.size() ? fieldTextOf(lines[i]) : std::string());
    }
}

}  // namespace nutrient
