#pragma once
// The file system, through the system's own calls: the only unit of the core that uses POSIX.
// Failures come back as Failure with the text the user is shown.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace nutrient {

// Writes the bytes into a new file beside the target and renames it over the target only when
// it is complete and on disk, so that a failure never leaves a half-written file or destroys
// the previous one.  A symbolic link is followed: the file it points to is replaced.
void replaceFile(const std::string& fileName, std::string_view bytes);

// Reads the first `count` lines.  A line ends at CR LF, LF or a lone CR; the last line may
// lack its end.  Reading stops as soon as the lines are complete, so whatever follows them,
// however large, is never read.
std::vector<std::string> readLines(const std::string& fileName, std::size_t count);
// The same from the process's standard input, waiting for it as long as it takes.
std::vector<std::string> readStandardInputLines(std::size_t count);

}  // namespace nutrient
