// Watches one X window until it goes away, printing each new position and
// size as "ms x y width height" (root coordinates of the client area), and
// optionally asks it to close first, as a window manager's close box does.
//
//   window_watch WINDOW_ID [--close | --close-only] [--follow]
//
// --close-only sends the request and leaves at once, so that nothing loads
// the X server while the window closes.
//
// Positions are read from the window's own events and those of the frame a
// window manager puts round it, not sampled, so that none is missed however
// fast the window moves, the last one before it goes included. It stops
// after 10 s, or as soon as the window is unmapped or handed to another
// parent (a window manager gives the window back to the root as it goes).
// --follow watches on through a window manager that goes away or is
// replaced: nothing is printed while the window is unmapped, a new parent is
// told as a line "parent MS ID" and an unmapping as "unmapped MS", until the
// window is destroyed or 30 s pass.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool g_failed = false;

int noteErrors(Display*, XErrorEvent*) {
    g_failed = true;
    return 0;
}

void sendCloseRequest(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

// The client area on the root, as its events and its frame's tell it.
class Tracker {
public:
    Tracker(Display* display, Window window) : m_display(display), m_window(window) {
        XSelectInput(display, window, StructureNotifyMask);
        XSync(display, False);
        m_exists = !g_failed;
        refresh();
    }

    bool exists() const { return m_exists; }
    bool mapped() const { return m_mapped; }
    Window parent() const { return m_parent; }
    int x() const { return m_x; }
    int y() const { return m_y; }
    int width() const { return m_width; }
    int height() const { return m_height; }

    // Returns false for events about other windows.
    bool take(const XEvent& event) {
        switch (event.type) {
            case ConfigureNotify: {
                const XConfigureEvent& change = event.xconfigure;
                // Only what the events say: a read of the window now would
                // run ahead of the events still queued.
                if (change.window == m_window) {
                    m_width = change.width;
                    m_height = change.height;
                    if (change.send_event || m_parent == m_root) {
                        // The window manager's own word, or the server's about
                        // a window on the root: root coordinates.
                        m_x = change.x + change.border_width;
                        m_y = change.y + change.border_width;
                    }
                    return true;
                }
                if (change.window == m_frame && m_offsetKnown) {
                    m_x = change.x + change.border_width + m_offsetX;
                    m_y = change.y + change.border_width + m_offsetY;
                    return true;
                }
                return false;
            }
            case MapNotify:
                if (event.xmap.window != m_window) {
                    return false;
                }
                m_mapped = true;
                refresh();
                return true;
            case UnmapNotify:
                if (event.xunmap.window != m_window) {
                    return false;
                }
                m_mapped = false;
                return true;
            case ReparentNotify:
                if (event.xreparent.window != m_window) {
                    return false;
                }
                refresh();
                return true;
            case DestroyNotify:
                if (event.xdestroywindow.window != m_window) {
                    return false;
                }
                m_exists = false;
                return true;
            default:
                return false;
        }
    }

private:
    // Reads where the window is now, and which frame holds it, where it can:
    // it may be gone already.
    void refresh() {
        g_failed = false;
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(m_display, m_window, &root, &parent, &children, &count)) {
            return;
        }
        if (children) {
            XFree(children);
        }
        XWindowAttributes attributes{};
        int x = 0, y = 0;
        Window child = 0;
        if (!XGetWindowAttributes(m_display, m_window, &attributes) ||
            !XTranslateCoordinates(m_display, m_window, root, 0, 0, &x, &y, &child) || g_failed) {
            return;
        }
        m_root = root;
        m_parent = parent;
        m_mapped = attributes.map_state == IsViewable;
        m_x = x, m_y = y, m_width = attributes.width, m_height = attributes.height;
        Window frame = m_window;
        for (Window up = parent; up && up != root;) {
            frame = up;
            Window r = 0, p = 0, *c = nullptr;
            unsigned n = 0;
            if (!XQueryTree(m_display, up, &r, &p, &c, &n)) {
                break;
            }
            if (c) {
                XFree(c);
            }
            up = p;
        }
        if (frame != m_frame && frame != m_window) {
            XSelectInput(m_display, frame, StructureNotifyMask);
        }
        m_frame = frame;
        XWindowAttributes outside{};
        int fx = 0, fy = 0;
        if (frame != m_window && XGetWindowAttributes(m_display, frame, &outside) &&
            XTranslateCoordinates(m_display, frame, root, 0, 0, &fx, &fy, &child) && !g_failed) {
            m_offsetX = x - fx;
            m_offsetY = y - fy;
            m_offsetKnown = true;
        }
    }

    Display* m_display;
    Window m_window;
    Window m_root = 0;
    Window m_parent = 0;
    Window m_frame = 0;
    bool m_exists = false;
    bool m_mapped = false;
    int m_x = 0, m_y = 0, m_width = 0, m_height = 0;
    int m_offsetX = 0, m_offsetY = 0;
    bool m_offsetKnown = false;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: window_watch WINDOW_ID [--close | --close-only] [--follow]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "cannot open display\n");
        return 2;
    }
    XSetErrorHandler(noteErrors);
    const Window window = Window(std::strtoul(argv[1], nullptr, 0));
    bool closeOnly = false, close = false, follow = false;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        closeOnly = closeOnly || arg == "--close-only";
        close = close || arg == "--close" || arg == "--close-only";
        follow = follow || arg == "--follow";
    }

    const auto start = std::chrono::steady_clock::now();
    const auto msNow = [&] {
        return static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now() - start)
                                          .count());
    };
    // Watched before the request goes, so that no move escapes.
    Tracker tracker(display, window);
    if (close) {
        sendCloseRequest(display, window);
    }
    if (closeOnly) {
        XCloseDisplay(display);
        return 0;
    }
    const Window firstParent = tracker.parent();
    Window lastParent = firstParent;
    int lastX = -1, lastY = -1, lastW = -1, lastH = -1;
    const auto print = [&] {
        if (tracker.x() != lastX || tracker.y() != lastY || tracker.width() != lastW ||
            tracker.height() != lastH) {
            std::printf("%lld %d %d %d %d\n", msNow(), tracker.x(), tracker.y(), tracker.width(),
                        tracker.height());
            lastX = tracker.x(), lastY = tracker.y();
            lastW = tracker.width(), lastH = tracker.height();
        }
    };
    if (tracker.exists() && tracker.mapped()) {
        print();
    }
    const long long limitMs = follow ? 30000 : 10000;
    bool wasMapped = tracker.mapped();
    while (tracker.exists() && msNow() < limitMs) {
        if (!XPending(display)) {
            pollfd wait{ConnectionNumber(display), POLLIN, 0};
            poll(&wait, 1, int(limitMs - msNow()));
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (!tracker.take(event) || !tracker.exists()) {
            continue;
        }
        const bool handedOn = tracker.parent() != firstParent;
        if (!follow && (!tracker.mapped() || handedOn)) {
            break;
        }
        if (follow && wasMapped && !tracker.mapped()) {
            std::printf("unmapped %lld\n", msNow());
        }
        wasMapped = tracker.mapped();
        if (follow && tracker.parent() != lastParent) {
            std::printf("parent %lld 0x%lx\n", msNow(),
                        static_cast<unsigned long>(tracker.parent()));
            lastParent = tracker.parent();
        }
        if (tracker.mapped()) {
            print();
        }
    }
    std::printf("gone %lld\n", msNow());
    XCloseDisplay(display);
    return 0;
}
