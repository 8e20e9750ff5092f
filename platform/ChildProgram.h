#pragma once

#include <functional>
#include <string>
#include <vector>

namespace korvo {

// How a started program ended.
struct ExitStatus {
    bool signalled = false; // ended by a signal; code is then the signal's number
    int code = 0;
    bool exitedWith(int status) const { return !signalled && code == status; }
};

// Starts programs as children of this process and learns of their end through their process
// handles, never by looking for their windows. Leaving the program does not end its children.
// Tests replace it with a fake.
class Programs {
public:
    virtual ~Programs() = default;
    // Starts path with the arguments as a child; ended is called once, from the event loop,
    // when it has ended. The process id, 0 when it could not be started (ended is then never
    // called).
    virtual long long start(const std::string& path, const std::vector<std::string>& arguments,
                            std::function<void(ExitStatus)> ended) = 0;
};

// The id of this process, to tell its own windows from other programs'.
long long ownProcessId();

} // namespace korvo
