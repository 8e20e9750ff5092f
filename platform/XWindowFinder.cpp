#include "XWindowFinder.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <vector>

namespace korvo {

namespace {

// Windows vanish while we look at them: their errors are counted, never fatal. Xlib's error
// handler is global, so ours is only in place while a trap lives.
int g_errors = 0;

int countError(Display* /*display*/, XErrorEvent* /*event*/) {
    ++g_errors;
    return 0;
}

class ErrorTrap {
public:
    explicit ErrorTrap(Display* display) : m_display(display) {
        XSync(m_display, False);
        g_errors = 0;
        m_previous = XSetErrorHandler(countError);
    }
    ~ErrorTrap() {
        XSync(m_display, False);
        XSetErrorHandler(m_previous);
    }
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;
    bool failed() {
        XSync(m_display, False);
        return g_errors != 0;
    }

private:
    Display* m_display;
    XErrorHandler m_previous;
};

std::string latin1ToUtf8(const unsigned char* text, unsigned long length) {
    std::string out;
    for (unsigned long i = 0; i < length; ++i) {
        const unsigned char c = text[i];
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

} // namespace

struct XWindowFinder::Connection {
    Display* display = nullptr;
    Atom wmState = None;
    Atom netWmName = None;
    Atom utf8String = None;
    Atom netWmPid = None;

    ~Connection() {
        if (display != nullptr) {
            XCloseDisplay(display);
        }
    }

    bool hasWmState(Window window) const {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        const int status =
            XGetWindowProperty(display, window, wmState, 0, 0, False, AnyPropertyType, &type,
                               &format, &count, &after, &data);
        if (data != nullptr) {
            XFree(data);
        }
        return status == Success && type != None;
    }

    std::vector<Window> children(Window window) const {
        Window root = 0;
        Window parent = 0;
        Window* list = nullptr;
        unsigned int count = 0;
        std::vector<Window> result;
        if (XQueryTree(display, window, &root, &parent, &list, &count) != 0 && list != nullptr) {
            result.assign(list, list + count);
        }
        if (list != nullptr) {
            XFree(list);
        }
        return result;
    }

    // A window manager's frame holds the client, the window that carries WM_STATE; without a
    // window manager nobody sets WM_STATE and the top-level window is the client itself.
    Window clientOf(Window topLevel) const {
        if (hasWmState(topLevel)) {
            return topLevel;
        }
        std::vector<Window> level = children(topLevel);
        for (int depth = 0; depth < 8 && !level.empty(); ++depth) {
            std::vector<Window> next;
            for (Window w : level) {
                if (hasWmState(w)) {
                    return w;
                }
                for (Window c : children(w)) {
                    next.push_back(c);
                }
            }
            level = std::move(next);
        }
        return topLevel;
    }

    // The process that made the window, as it says itself; 0 when it does not say.
    long long pid(Window window) const {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        long long value = 0;
        if (XGetWindowProperty(display, window, netWmPid, 0, 1, False, XA_CARDINAL, &type, &format,
                               &count, &after, &data) == Success &&
            data != nullptr && type == XA_CARDINAL && format == 32 && count == 1) {
            // Xlib hands 32-bit items over as longs.
            value = static_cast<long long>(*reinterpret_cast<const unsigned long*>(data));
        }
        if (data != nullptr) {
            XFree(data);
        }
        return value;
    }

    bool owned(Window window) const {
        Window owner = 0;
        return XGetTransientForHint(display, window, &owner) != 0;
    }

    std::string title(Window window) const {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, window, netWmName, 0, 16384, False, utf8String, &type,
                               &format, &count, &after, &data) == Success &&
            data != nullptr && type == utf8String && format == 8) {
            std::string text(reinterpret_cast<const char*>(data), count);
            XFree(data);
            return text;
        }
        if (data != nullptr) {
            XFree(data);
        }
        XTextProperty property{};
        if (XGetWMName(display, window, &property) == 0 || property.value == nullptr) {
            return {};
        }
        std::string text;
        if (property.encoding == XA_STRING && property.format == 8) {
            text = latin1ToUtf8(property.value, property.nitems);
        } else if (property.encoding == utf8String && property.format == 8) {
            text.assign(reinterpret_cast<const char*>(property.value), property.nitems);
        } else {
            char** list = nullptr;
            int n = 0;
            if (Xutf8TextPropertyToTextList(display, &property, &list, &n) >= Success &&
                list != nullptr) {
                if (n > 0 && list[0] != nullptr) {
                    text = list[0];
                }
                XFreeStringList(list);
            }
        }
        XFree(property.value);
        return text;
    }
};

XWindowFinder::XWindowFinder() = default;
XWindowFinder::~XWindowFinder() = default;

XWindowFinder::Connection* XWindowFinder::connection() {
    if (!m_opened) {
        m_opened = true;
        Display* display = XOpenDisplay(nullptr);
        if (display != nullptr) {
            m_connection = std::make_unique<Connection>();
            m_connection->display = display;
            m_connection->wmState = XInternAtom(display, "WM_STATE", False);
            m_connection->netWmName = XInternAtom(display, "_NET_WM_NAME", False);
            m_connection->utf8String = XInternAtom(display, "UTF8_STRING", False);
            m_connection->netWmPid = XInternAtom(display, "_NET_WM_PID", False);
        }
    }
    return m_connection.get();
}

WindowId XWindowFinder::FindProcessWindow(long long pid, const std::string& must,
                                          const std::string& mustNot) {
    Connection* x = connection();
    if (x == nullptr) {
        return 0;
    }
    ErrorTrap trap(x->display);
    const std::vector<Window> topLevels = x->children(DefaultRootWindow(x->display));
    // The stacking order runs bottom to top; the topmost match wins.
    for (auto it = topLevels.rbegin(); it != topLevels.rend(); ++it) {
        const Window client = x->clientOf(*it);
        if (pid == 0 || x->pid(client) != pid || x->owned(client)) {
            continue;
        }
        if (TitleMatches(x->title(client), must, mustNot)) {
            return client;
        }
    }
    return 0;
}

bool XWindowFinder::IsWindow(WindowId window) {
    Connection* x = connection();
    if (x == nullptr || window == 0) {
        return false;
    }
    ErrorTrap trap(x->display);
    XWindowAttributes attributes{};
    const Status status = XGetWindowAttributes(x->display, window, &attributes);
    return status != 0 && !trap.failed();
}

} // namespace korvo
