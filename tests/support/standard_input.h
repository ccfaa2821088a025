#pragma once
// Standard input read from a file while the object lives.

#include <string>

#include <fcntl.h>
#include <unistd.h>

class StandardInputFrom {
public:
    explicit StandardInputFrom(const std::string& path) : saved_(::dup(STDIN_FILENO)) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        ::dup2(fd, STDIN_FILENO);
        ::close(fd);
    }
    ~StandardInputFrom() {
        ::dup2(saved_, STDIN_FILENO);
        ::close(saved_);
    }
    StandardInputFrom(const StandardInputFrom&) = delete;
    StandardInputFrom& operator=(const StandardInputFrom&) = delete;

private:
    int saved_;
};
