// Watches one X window until it goes away, printing each new position and
// size as "ms x y width height" (root coordinates of the client area), and
// optionally asks it to close first, as a window manager's close box does.
//
//   window_watch WINDOW_ID [--close | --close-only]
//
// --close-only sends the request and leaves at once, so that nothing loads
// the X server while the window closes.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

bool g_gone = false;

int ignoreErrors(Display*, XErrorEvent*) {
    g_gone = true;
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

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: window_watch WINDOW_ID [--close | --close-only]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "cannot open display\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);
    const Window window = Window(std::strtoul(argv[1], nullptr, 0));
    const bool closeOnly = argc > 2 && std::strcmp(argv[2], "--close-only") == 0;
    const bool close = closeOnly || (argc > 2 && std::strcmp(argv[2], "--close") == 0);

    const auto start = std::chrono::steady_clock::now();
    if (close) {
        sendCloseRequest(display, window);
    }
    if (closeOnly) {
        XCloseDisplay(display);
        return 0;
    }
    // A window manager gives the window back to the root window as it goes;
    // from then on its position is no longer the one the user saw.
    const auto parentOf = [&](Window w) {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (XQueryTree(display, w, &root, &parent, &children, &count) && children) {
            XFree(children);
        }
        return parent;
    };
    const Window firstParent = parentOf(window);
    int lastX = -1, lastY = -1, lastW = -1, lastH = -1;
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(10)) {
        // One sample is taken with the server held, so that the window
        // manager cannot reparent or unmap the window halfway through it.
        XGrabServer(display);
        XWindowAttributes attributes{};
        const Status ok = XGetWindowAttributes(display, window, &attributes);
        XSync(display, False);
        const bool shown =
            ok && !g_gone && attributes.map_state == IsViewable && parentOf(window) == firstParent;
        int x = 0, y = 0;
        Window child = 0;
        if (shown) {
            XTranslateCoordinates(display, window, attributes.root, 0, 0, &x, &y, &child);
        }
        XUngrabServer(display);
        XSync(display, False);
        if (!shown) {
            break;
        }
        if (x != lastX || y != lastY || attributes.width != lastW || attributes.height != lastH) {
            const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now() - start)
                                .count();
            std::printf("%lld %d %d %d %d\n", static_cast<long long>(ms), x, y, attributes.width,
                        attributes.height);
            lastX = x, lastY = y, lastW = attributes.width, lastH = attributes.height;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    std::printf("gone %lld\n", static_cast<long long>(ms));
    XCloseDisplay(display);
    return 0;
}
