#pragma once

// One installer or uninstaller at a time works in a components directory: each holds an
// exclusive lock (flock) on the file ".components.lock" there while it changes anything. The
// name does not start with "korvo's", so nothing takes it for a game. The file stays: removing
// a lock file lets a waiting process lock a file that is no longer the lock.

#include "SystemError.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <string_view>

namespace korvo {

inline constexpr std::string_view kLockFileName = ".components.lock";

class ComponentLock {
public:
    // Waits until the lock is free; calls waiting() once if it has to wait, and gives up with a
    // std::runtime_error after timeout or when cancelled() turns true. A directory that cannot
    // be written (and holds no lock file yet) throws SystemError.
    ComponentLock(const std::filesystem::path& componentsDir, std::chrono::milliseconds timeout,
                  const std::function<void()>& waiting = {},
                  const std::function<bool()>& cancelled = {});

private:
    UniqueFd m_fd; // closing it releases the lock
};

} // namespace korvo
