// Any file named *.txt opened as a parameters file: loading fails only on a file that goes on
// past the read limit without its forty lines, and then changes nothing; saving fails only when
// the file would be too large to load; what is saved is a proper 40-line file that loads back
// with each field's text as Windows-1251 holds it (a file read as UTF-8 may hold characters it
// has not), unless its Windows-1251 bytes happen to read as UTF-8.
//
// The read limit is lowered to 96 KiB, and the input is written 1 + (first byte % 32) times over,
// so that inputs of a few kilobytes reach past the 64 KiB read chunk and past the limit.

#include "model/file_system.h"
#include "model/parameter_set.h"
#include "model/parameters_file.h"
#include "model/windows1251.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

using namespace nutrient;

void require(bool condition) {
    if (!condition) std::abort();
}

// One scratch folder per process, in memory where the system offers it: every save syncs.
class ScratchFolder {
public:
    ScratchFolder() {
        const std::filesystem::path base =
            std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
        path_ = (base / "nutrient-fuzz-XXXXXX").string();
        require(::mkdtemp(path_.data()) != nullptr);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string operator/(const char* name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

void writeFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    require(fd >= 0);
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        require(written > 0);
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    require(::close(fd) == 0);
}

// Exactly 40 lines, each ended by CR LF, no other CR or LF.
bool isParametersFile(const std::string& bytes) {
    int lines = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') return false;
        if (bytes[i] == '\r') {
            if (i + 1 == bytes.size() || bytes[i + 1] != '\n') return false;
            ++lines;
            ++i;
        }
    }
    return lines == kParameterCount && bytes.ends_with("\r\n");
}

constexpr std::size_t kFuzzReadLimit = 96 * 1024;

// The lines a reader completes within the first `limit` bytes (CR LF, LF or a lone CR each end
// one), counted without the reader's code.
std::size_t linesEndedWithin(const std::string& bytes, std::size_t limit) {
    std::size_t lines = 0;
    for (std::size_t i = 0; i < std::min(bytes.size(), limit); ++i) {
        if (bytes[i] == '\n') ++lines;
        if (bytes[i] == '\r') {
            ++lines;
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        }
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool limited = (setReadLimitForTests(kFuzzReadLimit), true);
    (void)limited;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // Every byte survives a decoding and an encoding unchanged.
    require(encodeWindows1251(decodeWindows1251(bytes)) == bytes);

    std::string content;
    const int copies = size ? 1 + data[0] % 32 : 1;
    for (int i = 0; i < copies; ++i) content += bytes;
    static const ScratchFolder scratch;
    const std::string input = scratch / "input.txt";
    writeFile(input, reinterpret_cast<const std::uint8_t*>(content.data()), content.size());
    MessageLog log;
    ParameterSet parameters(log);
    int loadChanges = 0;
    parameters.setChangeListener([&](Parameter) { ++loadChanges; });
    const bool tooLarge =
        content.size() > kFuzzReadLimit && linesEndedWithin(content, kFuzzReadLimit) < kParameterCount;
    try {
        loadParameters(parameters, input, log);
        require(!tooLarge);
    } catch (const Failure& failure) {
        require(tooLarge && failure.what() == fileTooLargeMessage(input) && loadChanges == 0);
    }
    parameters.setChangeListener(nullptr);

    // What is saved is refused exactly when it would be too large to load.
    std::size_t savedSize = 0;
    for (const ParameterInfo& p : kParameters) savedSize += encodeWindows1251(parameters.text(p.key)).size() + 2;
    std::string saved = scratch / "saved.txt";
    try {
        saveParameters(parameters, saved, log);
        require(savedSize <= kFuzzReadLimit);
    } catch (const Failure& failure) {
        require(savedSize > kFuzzReadLimit && failure.what() == fileTooLargeMessage(saved));
        return 0;
    }
    const std::string savedBytes = readFile(saved);
    require(isParametersFile(savedBytes));

    std::vector<std::string> heldTexts;
    for (const ParameterInfo& p : kParameters)
        heldTexts.push_back(decodeWindows1251(encodeWindows1251(parameters.text(p.key))));
    const bool readsAsUtf8 =
        isWellFormedUtf8(savedBytes) &&
        std::any_of(savedBytes.begin(), savedBytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    loadParameters(parameters, saved, log);
    for (std::size_t i = 0; i < kParameters.size() && !readsAsUtf8; ++i)
        require(parameters.text(kParameters[i].key) == heldTexts[i]);
    return 0;
}
