#pragma once
// Sub-catchments and basin files in a scratch folder: the standard set saved under a name with
// some of its texts replaced, and a basin file's text.

#include "model/parameter_set.h"
#include "standard_set.h"
#include "temp_folder.h"

#include <string>
#include <utility>
#include <vector>

using TextChanges = std::vector<std::pair<nutrient::Parameter, std::string>>;

class BasinFolder : public TempFolder {
public:
    // The standard set's file bytes with the changed lines (ASCII texts); returns the path.
    std::string writeParameters(const std::string& name, const TextChanges& changes = {}) const {
        std::vector<std::string> lines;
        for (std::size_t start = 0; start < kStandardFileBytes.size();) {
            const std::size_t end = kStandardFileBytes.find("\r\n", start);
            lines.push_back(kStandardFileBytes.substr(start, end - start));
            start = end + 2;
        }
        for (const auto& [parameter, text] : changes) lines[static_cast<int>(parameter)] = text;
        std::string bytes;
        for (const std::string& line : lines) bytes += line + "\r\n";
        writeBytes(*this / name, bytes);
        return *this / name;
    }
    std::string writeBasin(const std::string& text, const std::string& name = "basin.csv") const {
        writeBytes(*this / name, text);
        return *this / name;
    }
};
