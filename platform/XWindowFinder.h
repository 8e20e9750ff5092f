#pragma once

#include "WindowFinder.h"

#include <memory>

namespace korvo {

// The window finder of an X display (the one DISPLAY names), on a connection of its own. It
// looks at every top-level client window, shown or hidden, topmost first: the root's children
// in reverse stacking order and, under a reparenting window manager, the client inside each
// frame. Without a display it finds nothing.
class XWindowFinder : public WindowFinder {
public:
    XWindowFinder();
    ~XWindowFinder() override;
    XWindowFinder(const XWindowFinder&) = delete;
    XWindowFinder& operator=(const XWindowFinder&) = delete;

    WindowId FindProcessWindow(long long pid, const std::string& must,
                               const std::string& mustNot) override;
    bool IsWindow(WindowId window) override;

private:
    struct Connection;
    Connection* connection();
    std::unique_ptr<Connection> m_connection;
    bool m_opened = false;
};

} // namespace korvo
