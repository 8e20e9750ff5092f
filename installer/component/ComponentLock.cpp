#include "ComponentLock.h"

#include <cerrno>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>

namespace korvo {

ComponentLock::ComponentLock(const std::filesystem::path& componentsDir,
                             std::chrono::milliseconds timeout,
                             const std::function<void()>& waiting,
                             const std::function<bool()>& cancelled) {
    const auto file = componentsDir / kLockFileName;
    m_fd.reset(::open(file.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644));
    if (m_fd.get() < 0) {
        throw SystemError(errno, "Cannot write to the components folder " + componentsDir.string());
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    bool told = false;
    while (::flock(m_fd.get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            throw SystemError(errno, "Cannot lock the components folder " + componentsDir.string());
        }
        if (!told && waiting) {
            waiting();
            told = true;
        }
        if (cancelled && cancelled()) {
            throw std::runtime_error("Cancelled while waiting for another installation.");
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            throw std::runtime_error(
                "Another installation or removal of games is still running in " +
                componentsDir.string() + ". Try again when it has finished.");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

} // namespace korvo
