#include "platform.h"

#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

namespace desktop {

namespace {

// The probe's connection stays open until the toolkit has its own: an X
// server with no other client resets when its last client leaves, just as
// the toolkit would connect.
xcb_connection_t* g_probe = nullptr;

// A server that resets as its last client leaves refuses connections for a
// moment: a refused probe is tried again a few times before the display
// counts as unreachable.
bool xDisplayReachable() {
    constexpr int kTries = 5;
    constexpr useconds_t kPauseMicroseconds = 50'000;
    // A display that takes the connection and drops it at once (a server
    // going down or resetting) turns the probe's first write into SIGPIPE,
    // which would end the program without a word: ignored while probing.
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    struct sigaction before {};
    sigaction(SIGPIPE, &ignore, &before);
    for (int attempt = 0; !g_probe && attempt < kTries; ++attempt) {
        if (attempt > 0) {
            usleep(kPauseMicroseconds);
        }
        xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection) == 0) {
            g_probe = connection;
        } else {
            xcb_disconnect(connection);
        }
    }
    sigaction(SIGPIPE, &before, nullptr);
    return g_probe != nullptr;
}

// The socket that a Wayland client connects to: WAYLAND_DISPLAY (wayland-0
// by default) in XDG_RUNTIME_DIR, unless it is a path of its own.
bool waylandDisplayReachable() {
    if (std::getenv("WAYLAND_SOCKET")) {
        return true;  // handed over already connected
    }
    const char* display = std::getenv("WAYLAND_DISPLAY");
    std::string path = display && *display ? display : "wayland-0";
    if (path.front() != '/') {
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        if (!runtime || !*runtime) {
            return false;
        }
        path = std::string(runtime) + '/' + path;
    }
    sockaddr_un address{};
    if (path.size() >= sizeof address.sun_path) {
        return false;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    const bool reachable =
        connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return reachable;
}

}  // namespace

void releaseDisplayProbe() {
    if (g_probe) {
        xcb_disconnect(std::exchange(g_probe, nullptr));
    }
}

std::optional<std::string> choosePlatform() {
    const char* asked = std::getenv("QT_QPA_PLATFORM");
    std::string_view platforms = asked ? asked : "";
    if (platforms.empty()) {
        if (xDisplayReachable()) {
            return "xcb";
        }
        if (waylandDisplayReachable()) {
            return "wayland";
        }
        return std::nullopt;
    }
    // A list such as "wayland;xcb" is tried in its order; platforms that
    // need no display (offscreen, for one) always start.
    const std::string all(platforms);
    while (!platforms.empty()) {
        const std::string_view platform = platforms.substr(0, platforms.find(';'));
        platforms.remove_prefix(std::min(platforms.size(), platform.size() + 1));
        const bool reachable = platform.starts_with("xcb")       ? xDisplayReachable()
                               : platform.starts_with("wayland") ? waylandDisplayReachable()
                                                                 : true;
        if (reachable) {
            return all;
        }
    }
    return std::nullopt;
}

}  // namespace desktop
