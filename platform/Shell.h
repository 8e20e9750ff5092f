#pragma once

#include <string>
#include <vector>

namespace korvo {

// What the programs ask of the desktop shell. Tests replace it with setShell().
class Shell {
public:
    virtual ~Shell() = default;
    // Opens a file or an address ("http://...") with the program the desktop associates with
    // it; false when nothing could be started.
    virtual bool OpenDocument(const std::string& document) = 0;
    // Starts a program in a window of its own and does not wait for it; the process id, 0 when
    // it could not be started.
    virtual long long StartProgram(const std::string& path,
                                   const std::vector<std::string>& arguments = {}) = 0;
};

// The shell in use: the desktop's own unless a test has set another (nullptr restores it).
Shell& shell();
void setShell(Shell* replacement);

} // namespace korvo
