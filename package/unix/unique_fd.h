// A POSIX file descriptor closed with its owner. Move-only: a copy would
// close it twice.
#ifndef PACKAGE_UNIX_UNIQUE_FD_H
#define PACKAGE_UNIX_UNIQUE_FD_H

#include <unistd.h>

#include <utility>

class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        reset(other.release());
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { reset(); }

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release() { return std::exchange(fd_, -1); }
    void reset(int fd = -1) {
        if (valid()) close(fd_);
        fd_ = fd;
    }

private:
    int fd_ = -1;
};

#endif
