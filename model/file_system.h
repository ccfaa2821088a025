#pragma once
// The file system, through the system's own calls: the only unit of the core that uses POSIX.
// Failures come back as Failure with the text the user is shown.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nutrient {

// Saves the bytes under the name, so that a failure never leaves a half-written file or
// destroys the previous one.  A symbolic link is followed: the file it points to is replaced;
// in a sticky folder that anyone may write (/tmp) only a link of the saver's or of the
// folder's owner is, as the kernel protects such folders, and any other is refused ("File
// access denied").  Only a regular file or a new name is saved to; a device, a pipe or a
// socket is refused.
//
// The bytes go into a new file beside the target (an unnamed one where the file system has
// them), which takes the target's name only when it is complete and on disk: a new target by a
// link, which leaves nothing behind whenever the process dies and never replaces a file that
// appeared meanwhile; an existing one by a rename, from a hidden name with the saver's process
// id in it, with the owner, group and mode of the file it replaces.  Each save first removes
// the hidden files that the saver's killed saves left in the folder.  When a rename would
// change the file for someone else (the saver cannot give it its owner and group, other names
// link to it, an access list grants others access to it, or the folder takes no new file), the
// file is overwritten in place instead, once the room for the new bytes is reserved.
void replaceFile(const std::string& fileName, std::string_view bytes);

// A load reads at most readLimit() bytes, kReadLimit unless lowered for tests: a parameters
// file is forty short lines, and the limit keeps a device or a huge file without line ends
// from exhausting the memory.
inline constexpr std::size_t kReadLimit = std::size_t{64} << 20;
std::size_t readLimit();

// What a read does when a pipe or a device has nothing to give yet.  The windows never wait:
// a FIFO chosen in a dialog must not freeze them (it fails with "I/O error 11" while its
// writer has written nothing, and reads as empty when nothing writes to it).  A computation
// without a window waits as a shell's tools do, for a writer and for its bytes.
enum class Waiting { Never, ForTheWriter };

// Reads the first `count` lines.  A line ends at CR LF, LF or a lone CR; the last line may
// lack its end.  Reading stops as soon as the lines are complete, so whatever follows them,
// however large, is never read; when the read limit passes before they are complete, the
// file is too large.  A name with a NUL byte is an invalid file name.
std::vector<std::string> readLines(const std::string& fileName, std::size_t count, Waiting waiting = Waiting::Never);
// The same from the process's standard input, waiting for it as long as it takes.
std::vector<std::string> readStandardInputLines(std::size_t count);
// The whole file, when it is within the read limit; else the file is too large.
std::string readFile(const std::string& fileName);

// True when something, of any kind, has the name; a symbolic link counts even when it leads
// nowhere.  For choosing a new file's name that takes nothing's place.
bool pathExists(const std::string& fileName);
// A text file read line by line as the lines are needed, waiting for a pipe's writer as a
// shell's tools do, so that a list of any length takes no more memory than its longest line.
// A line ends at LF; a CR before it is dropped.  A line is kept to its first kLongestLine + 1
// bytes: no file name is longer than kLongestLine, so a name cut so is still one the system
// refuses ("Invalid filename").  "-" reads standard input.
class LineReader {
public:
    static constexpr std::size_t kLongestLine = 4096;
    // Throws Failure when the file cannot be opened.
    explicit LineReader(const std::string& fileName);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;
    // The next line; nothing after the last.  Throws Failure when reading fails.
    std::optional<std::string> next();

private:
    bool refill();

    int fd_;
    bool ownsFd_;
    std::string buffer_;  // bytes read, of which those from position_ on are not yet returned
    std::size_t position_ = 0;
};

// For tests and fuzzing: a lower read limit reaches its error without huge inputs, and saves
// can be made to take the named temporary file of file systems without unnamed ones.
void setReadLimitForTests(std::size_t bytes);
void setNamedTemporaryFilesForTests(bool named);

}  // namespace nutrient
