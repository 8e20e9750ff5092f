#include "SystemError.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace korvo {

std::string describeFailure(int error, const std::string& what) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return what + ": the disk is full.";
    case EROFS:
        return what + ": the disk is read-only.";
    case EACCES:
    case EPERM:
        return what + ": you do not have permission.";
    default:
        return what + ": " + std::strerror(error) + ".";
    }
}

void UniqueFd::reset(int fd) {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
    m_fd = fd;
}

void readExactly(int fd, void* buffer, std::size_t size, std::uint64_t offset) {
    auto* out = static_cast<char*>(buffer);
    while (size > 0) {
        const ssize_t n = ::pread(fd, out, size, static_cast<off_t>(offset));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw SystemError(errno, "Cannot read the component");
        }
        if (n == 0) {
            throw std::runtime_error("The component ends too early: it was cut short.");
        }
        out += n;
        size -= static_cast<std::size_t>(n);
        offset += static_cast<std::uint64_t>(n);
    }
}

} // namespace korvo
