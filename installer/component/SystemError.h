#pragma once

// Small helpers for the file system calls of the installer: failures worded for a person, and
// file descriptors that close themselves.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace korvo {

// "<what>: <why>." where why says in plain words what the system reported (a full disk, a
// read-only folder, ...).
std::string describeFailure(int error, const std::string& what);

class SystemError : public std::runtime_error {
public:
    SystemError(int error, const std::string& what)
        : std::runtime_error(describeFailure(error, what)), m_error(error) {}
    int error() const { return m_error; }

private:
    int m_error;
};

class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : m_fd(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(UniqueFd&& other) noexcept : m_fd(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return m_fd; }
    int release() {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }
    void reset(int fd = -1);

private:
    int m_fd = -1;
};

// Reads size bytes at offset; throws SystemError, or std::runtime_error when the file ends first.
void readExactly(int fd, void* buffer, std::size_t size, std::uint64_t offset);

} // namespace korvo
