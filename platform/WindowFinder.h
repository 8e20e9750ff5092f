#pragma once

#include <string>
#include <string_view>

namespace korvo {

// A top-level window of any program on the display; 0 names none.
using WindowId = unsigned long;

// Finds the windows of a process by their titles, so that the launcher can tell when a game it
// started has closed its window. Only the process's own windows count: other programs' never
// do, whatever their titles. Tests replace it with a fake.
class WindowFinder {
public:
    virtual ~WindowFinder() = default;
    // The topmost top-level window without an owner, shown or hidden, that the process with the
    // id pid made (its _NET_WM_PID) and whose title holds must and not mustNot (see
    // TitleMatches); 0 when there is none.
    virtual WindowId FindProcessWindow(long long pid, const std::string& must,
                                       const std::string& mustNot) = 0;
    // True while the window exists, shown or hidden.
    virtual bool IsWindow(WindowId window) = 0;
};

// The title rule: the upper-case title holds the upper-case must and not the upper-case
// mustNot; an empty mustNot stands for "###", which no title is expected to hold.
bool TitleMatches(std::string_view title, std::string_view must, std::string_view mustNot);

} // namespace korvo
