#pragma once
// A fresh folder under the system's temporary folder for the files a test writes.

#include <stdlib.h>

#include <filesystem>
#include <set>
#include <string>
#include <system_error>

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "nutrient-file-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
        std::filesystem::permissions(path_, std::filesystem::perms(0755));  // others may enter: saves as another user
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     ignored);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored))
            if (!entry.is_symlink())
                std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }
    std::set<std::string> names() const {
        std::set<std::string> result;
        for (const auto& entry : std::filesystem::directory_iterator(path_))
            result.insert(entry.path().filename().string());
        return result;
    }

private:
    std::filesystem::path path_;
};
