#pragma once

#include "ChildProgram.h"
#include "Timer.h"

#include <map>
#include <memory>

namespace korvo {

// Children started with posix_spawn and watched through a pidfd: the event loop hears of their
// end on the descriptor, and waitid on it reads the status and reaps them, so no process id can
// be mistaken for another's.
class ChildPrograms : public Programs {
public:
    ChildPrograms();
    ~ChildPrograms() override;
    ChildPrograms(const ChildPrograms&) = delete;
    ChildPrograms& operator=(const ChildPrograms&) = delete;

    long long start(const std::string& path, const std::vector<std::string>& arguments,
                    std::function<void(ExitStatus)> ended) override;

private:
    struct Child;
    void reap(long long pid);
    std::map<long long, std::unique_ptr<Child>> m_children;
};

// Timers of Qt's event loop.
class QtTimers : public Timers {
public:
    std::unique_ptr<Timer> make() override;
};

} // namespace korvo
