// A scriptable test window manager: a minimal reparenting X11 window manager
// on xcb whose answer to a managed window's ConfigureRequest the command line
// chooses, so that the end-to-end runs can see how the programs' closing
// animation copes with window managers that answer oddly, late or not at all,
// or that go away halfway.
//
//   test_wm [--obey | --hold-edge | --refuse | --ignore | --elsewhere | --huge | --late MS[/N]]
//           [--frame L,R,T,B] [--extents L,R,T,B] [--exit-after N | --crash-after N]
//           [--replace] [--log FILE]
//
// Modes: --obey carries out what is asked; --hold-edge as well, but keeps the
// whole frame on the screen horizontally (as xfwm4, KWin and metacity do);
// --refuse changes nothing; --ignore changes nothing and does not answer;
// --elsewhere puts the window elsewhere than asked; --huge makes it
// 30000x30000; --late MS obeys MS milliseconds after the request came
// (--late MS/N: every Nth request, the others waiting behind it). All but
// --ignore answer with the ICCCM synthetic ConfigureNotify.
// --frame sets the real frame's borders (default 4,4,24,4); --extents the raw
// 32-bit values published as _NET_FRAME_EXTENTS (default: the frame's).
// --exit-after N gives every window back to the root and exits 0 after N
// ConfigureRequests of managed windows; --crash-after N _exit(1)s then.
// --replace takes over from a running window manager (ICCCM WM_S0); one that
// takes over from this one ends it as --exit-after does, and so does SIGTERM.
// --log FILE gets one line per ConfigureRequest of a managed window,
// "<ms since start> request <x> <y> <w> <h> -> <x> <y> <w> <h>" (the client
// area on the root, asked and resulting; "-> ignored" for --ignore), and the
// lines "manage <window>", "unmanage <window>" (decimal ids, as xdotool
// prints them), "exit" and "crash".
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

enum class Mode { Obey, HoldEdge, Refuse, Ignore, Elsewhere, Huge, Late };

struct Options {
    Mode mode = Mode::Obey;
    int lateMs = 0;
    long lateEvery = 1;                               // --late MS/N: every Nth request is late
    std::array<std::uint32_t, 4> frame{4, 4, 24, 4};  // left, right, top, bottom
    std::array<std::uint32_t, 4> extents{};
    bool extentsGiven = false;
    long exitAfter = -1;
    long crashAfter = -1;
    bool replace = false;
    std::string logPath;
};

// A managed window: its frame, and its client area on the root.
struct Client {
    xcb_window_t window = 0;
    xcb_window_t frame = 0;
    int x = 0, y = 0, width = 1, height = 1;
    bool staticGravity = false;  // WM_NORMAL_HINTS win_gravity StaticGravity
};

struct Geometry {
    int x, y, width, height;
};

// A request that --late carries out when it is due.
struct Late {
    Clock::time_point due;
    xcb_configure_request_event_t request;
};

Options g_options;
const Clock::time_point g_start = Clock::now();
FILE* g_log = nullptr;
xcb_connection_t* g_x = nullptr;
xcb_screen_t* g_screen = nullptr;
xcb_window_t g_root = 0;
xcb_window_t g_check = 0;  // _NET_SUPPORTING_WM_CHECK, and the owner of WM_S0
std::map<xcb_window_t, Client> g_clients;
std::deque<xcb_generic_event_t*> g_deferred;  // read while waiting for another event
std::deque<Late> g_late;
long g_requests = 0;
long g_elsewhereTurn = 0;
bool g_exitNow = false;   // --exit-after reached
bool g_replaced = false;  // another window manager took WM_S0

// ---- Options ----

[[noreturn]] void usage() {
    std::fprintf(stderr,
                 "usage: test_wm [--obey | --hold-edge | --refuse | --ignore | --elsewhere |"
                 " --huge | --late MS]\n"
                 "               [--frame L,R,T,B] [--extents L,R,T,B]"
                 " [--exit-after N | --crash-after N]\n"
                 "               [--replace] [--log FILE]\n");
    std::exit(2);
}

std::array<std::uint32_t, 4> parseFour(const char* text) {
    std::array<std::uint32_t, 4> values{};
    for (std::size_t i = 0; i < 4; ++i) {
        char* end = nullptr;
        const unsigned long long value = std::strtoull(text, &end, 10);
        if (end == text || value > 0xffffffffULL || *end != (i < 3 ? ',' : '\0')) {
            usage();
        }
        values[i] = std::uint32_t(value);
        text = end + 1;
    }
    return values;
}

long parseCount(const char* text) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 0) {
        usage();
    }
    return value;
}

Options parseOptions(int argc, char** argv) {
    static const std::map<std::string, Mode> kModes = {
        {"--obey", Mode::Obey},     {"--hold-edge", Mode::HoldEdge},  {"--refuse", Mode::Refuse},
        {"--ignore", Mode::Ignore}, {"--elsewhere", Mode::Elsewhere}, {"--huge", Mode::Huge}};
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&] { return i + 1 < argc ? argv[++i] : (usage(), nullptr); };
        if (const auto mode = kModes.find(arg); mode != kModes.end()) {
            options.mode = mode->second;
        } else if (arg == "--late") {
            options.mode = Mode::Late;
            const std::string late = value();
            const std::size_t slash = late.find('/');
            options.lateMs = int(parseCount(late.substr(0, slash).c_str()));
            if (slash != std::string::npos) {
                options.lateEvery = std::max(1L, parseCount(late.c_str() + slash + 1));
            }
        } else if (arg == "--frame") {
            options.frame = parseFour(value());
        } else if (arg == "--extents") {
            options.extents = parseFour(value());
            options.extentsGiven = true;
        } else if (arg == "--exit-after") {
            options.exitAfter = parseCount(value());
        } else if (arg == "--crash-after") {
            options.crashAfter = parseCount(value());
        } else if (arg == "--replace") {
            options.replace = true;
        } else if (arg == "--log") {
            options.logPath = value();
        } else {
            usage();
        }
    }
    if (std::any_of(options.frame.begin(), options.frame.end(), [](auto e) { return e > 1000; })) {
        usage();
    }
    if (!options.extentsGiven) {
        options.extents = options.frame;
    }
    return options;
}

// ---- X helpers ----

template <class T>
std::unique_ptr<T, decltype(&std::free)> owned(T* reply) {
    return {reply, &std::free};
}

xcb_atom_t atom(const char* name) {
    static std::map<std::string, xcb_atom_t> known;
    if (const auto found = known.find(name); found != known.end()) {
        return found->second;
    }
    const auto reply = owned(xcb_intern_atom_reply(
        g_x, xcb_intern_atom(g_x, 0, std::uint16_t(std::strlen(name)), name), nullptr));
    return known[name] = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

auto attributesOf(xcb_window_t window) {
    return owned(
        xcb_get_window_attributes_reply(g_x, xcb_get_window_attributes(g_x, window), nullptr));
}

auto property(xcb_window_t window, xcb_atom_t name, xcb_atom_t type, std::uint32_t longs) {
    return owned(xcb_get_property_reply(g_x, xcb_get_property(g_x, 0, window, name, type, 0, longs),
                                        nullptr));
}

// Sends an event (of fewer than 32 bytes) in the 32 bytes that X takes.
template <class Event>
void sendEvent(xcb_window_t to, std::uint32_t mask, const Event& event) {
    char bytes[32] = {};
    std::memcpy(bytes, &event, sizeof event);
    xcb_send_event(g_x, 0, to, mask, bytes);
}

void sync() {
    std::free(xcb_get_input_focus_reply(g_x, xcb_get_input_focus(g_x), nullptr));
}

long long msSinceStart() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - g_start).count();
}

__attribute__((format(printf, 1, 2))) void logLine(const char* format, ...) {
    if (!g_log) {
        return;
    }
    va_list args;
    va_start(args, format);
    std::vfprintf(g_log, format, args);
    va_end(args);
    std::fputc('\n', g_log);
    std::fflush(g_log);
}

// The next event that `wanted` takes, waiting at most timeoutMs in poll();
// the others are kept for the main loop. Null on time-out or a lost server.
xcb_generic_event_t* awaitEvent(int timeoutMs,
                                const std::function<bool(xcb_generic_event_t*)>& wanted) {
    const Clock::time_point until = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(g_x)) {
            if (wanted(event)) {
                return event;
            }
            g_deferred.push_back(event);
        }
        xcb_flush(g_x);
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
        if (xcb_connection_has_error(g_x) || left <= 0) {
            return nullptr;
        }
        pollfd fd{xcb_get_file_descriptor(g_x), POLLIN, 0};
        poll(&fd, 1, int(left) + 1);
    }
}

// The server's time (ICCCM: a selection is never taken at CurrentTime), from
// a PropertyNotify on our own window.
xcb_timestamp_t serverTime() {
    xcb_change_property(g_x, XCB_PROP_MODE_APPEND, g_check, atom("_NET_WM_NAME"),
                        atom("UTF8_STRING"), 8, 0, nullptr);
    const auto event = owned(awaitEvent(5000, [](xcb_generic_event_t* e) {
        return (e->response_type & 0x7f) == XCB_PROPERTY_NOTIFY &&
               reinterpret_cast<xcb_property_notify_event_t*>(e)->window == g_check;
    }));
    return event ? reinterpret_cast<xcb_property_notify_event_t*>(event.get())->time
                 : xcb_timestamp_t(XCB_CURRENT_TIME);
}

// ---- Windows ----

bool readStaticGravity(xcb_window_t window) {
    constexpr std::uint32_t kWinGravityGiven = 1u << 9;
    const auto hints = property(window, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 18);
    if (!hints || hints->format != 32 || xcb_get_property_value_length(hints.get()) < 18 * 4) {
        return false;
    }
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(hints.get()));
    return (values[0] & kWinGravityGiven) && values[17] == XCB_GRAVITY_STATIC;
}

void setFrameExtents(xcb_window_t window) {
    xcb_change_property(g_x, XCB_PROP_MODE_REPLACE, window, atom("_NET_FRAME_EXTENTS"),
                        XCB_ATOM_CARDINAL, 32, 4, g_options.extents.data());
}

void manage(xcb_window_t window, bool alreadyMapped) {
    const auto [left, right, top, bottom] = g_options.frame;
    const auto attributes = attributesOf(window);
    const auto geometry =
        owned(xcb_get_geometry_reply(g_x, xcb_get_geometry(g_x, window), nullptr));
    if (!attributes || !geometry) {
        return;
    }
    if (attributes->override_redirect) {
        xcb_map_window(g_x, window);
        return;
    }
    Client client{.window = window,
                  .frame = xcb_generate_id(g_x),
                  .x = geometry->x,
                  .y = geometry->y,
                  .width = geometry->width,
                  .height = geometry->height,
                  .staticGravity = readStaticGravity(window)};
    // A new window asks for its frame's corner unless it places its client
    // area (static gravity); a window already on the screen stays where it is.
    if (!alreadyMapped && !client.staticGravity) {
        client.x += int(left);
        client.y += int(top);
    }
    const std::uint32_t frameEvents =
        XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    const std::uint32_t values[] = {g_screen->black_pixel, frameEvents};
    xcb_create_window(
        g_x, XCB_COPY_FROM_PARENT, client.frame, g_root, std::int16_t(client.x - int(left)),
        std::int16_t(client.y - int(top)), std::uint16_t(client.width + int(left + right)),
        std::uint16_t(client.height + int(top + bottom)), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
        XCB_COPY_FROM_PARENT, XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    const std::uint32_t clientEvents = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(g_x, window, XCB_CW_EVENT_MASK, &clientEvents);
    xcb_change_save_set(g_x, XCB_SET_MODE_INSERT, window);
    xcb_reparent_window(g_x, window, client.frame, std::int16_t(left), std::int16_t(top));
    xcb_map_window(g_x, window);
    xcb_map_window(g_x, client.frame);
    const std::uint32_t state[] = {1 /* NormalState */, XCB_NONE};
    xcb_change_property(g_x, XCB_PROP_MODE_REPLACE, window, atom("WM_STATE"), atom("WM_STATE"), 32,
                        2, state);
    setFrameExtents(window);
    g_clients[window] = client;
    logLine("manage %u", window);
}

// The window went (destroyed) or withdrew (unmapped): off with its frame.
void unmanage(xcb_window_t window, bool destroyed) {
    const auto found = g_clients.find(window);
    if (found == g_clients.end()) {
        return;
    }
    const Client client = found->second;
    g_clients.erase(found);
    if (!destroyed) {
        xcb_reparent_window(g_x, window, g_root, std::int16_t(client.x), std::int16_t(client.y));
        xcb_change_save_set(g_x, XCB_SET_MODE_DELETE, window);
        xcb_delete_property(g_x, window, atom("WM_STATE"));  // Withdrawn
    }
    xcb_destroy_window(g_x, client.frame);
    logLine("unmanage %u", window);
}

// Gives the client area this place and size, the frame round it, as far as
// X can carry them: positions of the frame and the client area are 16-bit
// signed, sizes of the frame 16-bit unsigned.
void place(Client& client, const Geometry& geometry) {
    const auto [left, right, top, bottom] = g_options.frame;
    client.x = std::clamp(geometry.x, INT16_MIN + int(left), int(INT16_MAX));
    client.y = std::clamp(geometry.y, INT16_MIN + int(top), int(INT16_MAX));
    client.width = std::clamp(geometry.width, 1, int(UINT16_MAX - left - right));
    client.height = std::clamp(geometry.height, 1, int(UINT16_MAX - top - bottom));
    const std::uint32_t frame[] = {std::uint32_t(client.x - int(left)),
                                   std::uint32_t(client.y - int(top)),
                                   std::uint32_t(client.width + int(left + right)),
                                   std::uint32_t(client.height + int(top + bottom))};
    xcb_configure_window(g_x, client.frame,
                         XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH |
                             XCB_CONFIG_WINDOW_HEIGHT,
                         frame);
    const std::uint32_t size[] = {std::uint32_t(client.width), std::uint32_t(client.height)};
    xcb_configure_window(g_x, client.window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                         size);
}

// ICCCM 4.1.5: the client area's place on the root, which a moved frame does
// not tell the client; sent also when nothing changed.
void sendConfigureNotify(const Client& client) {
    xcb_configure_notify_event_t notify{};
    notify.response_type = XCB_CONFIGURE_NOTIFY;
    notify.event = notify.window = client.window;
    notify.above_sibling = XCB_NONE;
    notify.x = std::int16_t(client.x);
    notify.y = std::int16_t(client.y);
    notify.width = std::uint16_t(client.width);
    notify.height = std::uint16_t(client.height);
    sendEvent(client.window, XCB_EVENT_MASK_STRUCTURE_NOTIFY, notify);
}

// ---- Becoming and ceasing to be the window manager ----

// Owns WM_S0; with --replace, waits up to 5 s for the old owner's window to
// go, as ICCCM asks of a manager that takes over.
bool acquireSelection() {
    const xcb_atom_t selection = atom("WM_S0");
    const auto ownerOf = [selection] {
        const auto reply = owned(
            xcb_get_selection_owner_reply(g_x, xcb_get_selection_owner(g_x, selection), nullptr));
        return reply ? reply->owner : xcb_window_t(XCB_NONE);
    };
    const xcb_window_t old = ownerOf();
    if (old != XCB_NONE && !g_options.replace) {
        std::fprintf(stderr, "test_wm: another window manager owns WM_S0 (use --replace)\n");
        return false;
    }
    if (old != XCB_NONE) {
        const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(g_x, old, XCB_CW_EVENT_MASK, &mask);
    }
    const xcb_timestamp_t time = serverTime();
    xcb_set_selection_owner(g_x, g_check, selection, time);
    if (ownerOf() != g_check) {
        std::fprintf(stderr, "test_wm: could not own WM_S0\n");
        return false;
    }
    if (old != XCB_NONE) {
        const auto gone = owned(awaitEvent(5000, [old](xcb_generic_event_t* e) {
            return (e->response_type & 0x7f) == XCB_DESTROY_NOTIFY &&
                   reinterpret_cast<xcb_destroy_notify_event_t*>(e)->window == old;
        }));
        if (!gone) {
            std::fprintf(stderr, "test_wm: the old window manager did not go within 5 s\n");
        }
    }
    // ICCCM 2.8: the new manager announces itself.
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = g_root;
    message.type = atom("MANAGER");
    message.data.data32[0] = time;
    message.data.data32[1] = selection;
    message.data.data32[2] = g_check;
    sendEvent(g_root, XCB_EVENT_MASK_STRUCTURE_NOTIFY, message);
    return true;
}

// SubstructureRedirect on the root; a window manager being replaced may hold
// it a moment longer, so --replace tries again for up to 5 s.
bool redirectRoot() {
    const std::uint32_t mask =
        XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    const Clock::time_point until = Clock::now() + std::chrono::seconds(5);
    for (;;) {
        const auto error = owned(xcb_request_check(
            g_x, xcb_change_window_attributes_checked(g_x, g_root, XCB_CW_EVENT_MASK, &mask)));
        if (!error) {
            return true;
        }
        if (!g_options.replace || Clock::now() >= until) {
            std::fprintf(stderr, "test_wm: another window manager is running\n");
            return false;
        }
        poll(nullptr, 0, 20);
    }
}

void publish() {
    const xcb_atom_t check = atom("_NET_SUPPORTING_WM_CHECK");
    for (const xcb_window_t window : {g_root, g_check}) {
        xcb_change_property(g_x, XCB_PROP_MODE_REPLACE, window, check, XCB_ATOM_WINDOW, 32, 1,
                            &g_check);
    }
    xcb_change_property(g_x, XCB_PROP_MODE_REPLACE, g_check, atom("_NET_WM_NAME"),
                        atom("UTF8_STRING"), 8, 7, "test_wm");
    const xcb_atom_t supported[] = {atom("_NET_FRAME_EXTENTS"), atom("_NET_REQUEST_FRAME_EXTENTS"),
                                    check, atom("_NET_WM_NAME")};
    xcb_change_property(g_x, XCB_PROP_MODE_REPLACE, g_root, atom("_NET_SUPPORTED"), XCB_ATOM_ATOM,
                        32, 4, supported);
}

// Frames the windows already on the screen (after a manager that we replace).
void manageExisting() {
    const auto tree = owned(xcb_query_tree_reply(g_x, xcb_query_tree(g_x, g_root), nullptr));
    if (!tree) {
        return;
    }
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    const std::vector<xcb_window_t> windows(children,
                                            children + xcb_query_tree_children_length(tree.get()));
    for (const xcb_window_t window : windows) {
        const auto attributes = attributesOf(window);
        if (window != g_check && attributes && !attributes->override_redirect &&
            attributes->map_state == XCB_MAP_STATE_VIEWABLE) {
            manage(window, true);
        }
    }
}

bool takeScreen() {
    g_check = xcb_generate_id(g_x);
    const std::uint32_t values[] = {1, XCB_EVENT_MASK_PROPERTY_CHANGE};
    xcb_create_window(g_x, XCB_COPY_FROM_PARENT, g_check, g_root, -100, -100, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT,
                      XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
    if (!acquireSelection() || !redirectRoot()) {
        return false;
    }
    publish();
    manageExisting();
    return true;
}

// Gives every window back to the root where it is on the screen now and
// stops being the window manager, as a window manager that ends does.
int release() {
    g_late.clear();
    for (const auto& [window, client] : g_clients) {
        xcb_reparent_window(g_x, window, g_root, std::int16_t(client.x), std::int16_t(client.y));
        xcb_change_save_set(g_x, XCB_SET_MODE_DELETE, window);
        xcb_destroy_window(g_x, client.frame);
        logLine("unmanage %u", window);
    }
    g_clients.clear();
    const std::uint32_t none = XCB_EVENT_MASK_NO_EVENT;
    xcb_change_window_attributes(g_x, g_root, XCB_CW_EVENT_MASK, &none);
    // The root's properties are left to a manager that has set its own.
    const xcb_atom_t check = atom("_NET_SUPPORTING_WM_CHECK");
    const auto named = property(g_root, check, XCB_ATOM_WINDOW, 1);
    if (named && xcb_get_property_value_length(named.get()) == 4 &&
        *static_cast<xcb_window_t*>(xcb_get_property_value(named.get())) == g_check) {
        xcb_delete_property(g_x, g_root, check);
        xcb_delete_property(g_x, g_root, atom("_NET_SUPPORTED"));
    }
    if (!g_replaced) {
        xcb_set_selection_owner(g_x, XCB_NONE, atom("WM_S0"), XCB_CURRENT_TIME);
    }
    // Its end tells a manager that replaces us that we are gone.
    xcb_destroy_window(g_x, g_check);
    sync();
    logLine("exit");
    xcb_disconnect(g_x);
    return 0;
}

// ---- ConfigureRequests ----

void countRequest() {
    ++g_requests;
    if (g_options.crashAfter >= 0 && g_requests >= g_options.crashAfter) {
        // As a killed window manager: what was sent goes out, nothing is
        // tidied; the server's save-set puts the windows back on the root.
        xcb_flush(g_x);
        logLine("crash");
        _exit(1);
    }
    if (g_options.exitAfter >= 0 && g_requests >= g_options.exitAfter) {
        g_exitNow = true;
    }
}

void carryOut(Client& client, const xcb_configure_request_event_t& request, Mode mode) {
    const auto [left, right, top, bottom] = g_options.frame;
    const std::uint16_t mask = request.value_mask;
    // What is asked, as the client area on the root: x and y are the frame's
    // corner unless the window has static gravity.
    const bool corner = !client.staticGravity;
    const Geometry asked{
        mask & XCB_CONFIG_WINDOW_X ? request.x + (corner ? int(left) : 0) : client.x,
        mask & XCB_CONFIG_WINDOW_Y ? request.y + (corner ? int(top) : 0) : client.y,
        mask & XCB_CONFIG_WINDOW_WIDTH ? std::max(1, int(request.width)) : client.width,
        mask & XCB_CONFIG_WINDOW_HEIGHT ? std::max(1, int(request.height)) : client.height};
    const long long ms = msSinceStart();
    if (mode == Mode::Ignore) {
        logLine("%lld request %d %d %d %d -> ignored", ms, asked.x, asked.y, asked.width,
                asked.height);
        countRequest();
        return;
    }
    Geometry result = asked;
    if (mode == Mode::HoldEdge) {
        const int frameWidth = asked.width + int(left + right);
        const int frameX = std::min(asked.x - int(left), g_screen->width_in_pixels - frameWidth);
        result.x = std::max(frameX, 0) + int(left);
    } else if (mode == Mode::Elsewhere) {
        const bool shifted = g_elsewhereTurn++ % 2 == 0;
        result.x = shifted ? asked.x + 97 : 100;
        result.y = shifted ? asked.y - 41 : 100;
    } else if (mode == Mode::Huge) {
        result.width = result.height = 30000;
    }
    if (mode != Mode::Refuse) {
        place(client, result);
        if (mask & XCB_CONFIG_WINDOW_STACK_MODE) {
            const std::uint32_t stack = request.stack_mode;
            xcb_configure_window(g_x, client.frame, XCB_CONFIG_WINDOW_STACK_MODE, &stack);
        }
    }
    sendConfigureNotify(client);
    logLine("%lld request %d %d %d %d -> %d %d %d %d", ms, asked.x, asked.y, asked.width,
            asked.height, client.x, client.y, client.width, client.height);
    countRequest();
}

void configureRequest(const xcb_configure_request_event_t& request) {
    const auto found = g_clients.find(request.window);
    if (found == g_clients.end()) {
        // Not (yet) ours: carried out as asked.
        // The fields in the order of their bits, XCB_CONFIG_WINDOW_X first.
        const std::uint32_t fields[] = {std::uint32_t(std::int32_t(request.x)),
                                        std::uint32_t(std::int32_t(request.y)),
                                        request.width,
                                        request.height,
                                        request.border_width,
                                        request.sibling,
                                        request.stack_mode};
        std::uint32_t values[7];
        std::size_t n = 0;
        for (std::size_t bit = 0; bit < 7; ++bit) {
            if (request.value_mask & (1u << bit)) {
                values[n++] = fields[bit];
            }
        }
        xcb_configure_window(g_x, request.window, request.value_mask, values);
    } else if (g_options.mode == Mode::Late) {
        // In order, as a window manager works: a request behind a late one
        // waits for it.
        static long seen = 0;
        if (++seen % g_options.lateEvery == 0) {
            g_late.push_back({Clock::now() + std::chrono::milliseconds(g_options.lateMs), request});
        } else if (!g_late.empty()) {
            g_late.push_back({g_late.back().due, request});
        } else {
            carryOut(found->second, request, Mode::Obey);
        }
    } else {
        carryOut(found->second, request, g_options.mode);
    }
}

void runDueLate() {
    while (!g_late.empty() && g_late.front().due <= Clock::now() && !g_exitNow && !g_replaced) {
        const xcb_configure_request_event_t request = g_late.front().request;
        g_late.pop_front();
        if (const auto found = g_clients.find(request.window); found != g_clients.end()) {
            carryOut(found->second, request, Mode::Obey);
        }
    }
}

// How long poll() may sleep: until the next --late request is due.
int pollTimeoutMs() {
    if (g_late.empty()) {
        return -1;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(g_late.front().due - Clock::now());
    return int(std::max<long long>(0, left.count() + 1));
}

// ---- Events ----

void handle(xcb_generic_event_t* event) {
    switch (event->response_type & 0x7f) {
        case 0: {
            const auto* error = reinterpret_cast<xcb_generic_error_t*>(event);
            std::fprintf(stderr, "test_wm: X error %d (request %d.%d, resource 0x%x)\n",
                         error->error_code, error->major_code, error->minor_code,
                         error->resource_id);
            break;
        }
        case XCB_MAP_REQUEST: {
            const xcb_window_t window = reinterpret_cast<xcb_map_request_event_t*>(event)->window;
            if (g_clients.count(window)) {
                xcb_map_window(g_x, window);
            } else {
                manage(window, false);
            }
            break;
        }
        case XCB_CONFIGURE_REQUEST:
            configureRequest(*reinterpret_cast<xcb_configure_request_event_t*>(event));
            break;
        case XCB_UNMAP_NOTIFY: {
            // A withdrawal: the real unmap of the window in its frame, or the
            // synthetic one that ICCCM has clients send to the root. The unmap
            // that reparenting a mapped window brings is neither.
            const auto* unmap = reinterpret_cast<xcb_unmap_notify_event_t*>(event);
            const auto found = g_clients.find(unmap->window);
            const bool synthetic = event->response_type & 0x80;
            if (found != g_clients.end() &&
                (unmap->event == found->second.frame || (synthetic && unmap->event == g_root))) {
                unmanage(unmap->window, false);
            }
            break;
        }
        case XCB_DESTROY_NOTIFY:
            unmanage(reinterpret_cast<xcb_destroy_notify_event_t*>(event)->window, true);
            break;
        case XCB_PROPERTY_NOTIFY: {
            const auto* change = reinterpret_cast<xcb_property_notify_event_t*>(event);
            const auto found = g_clients.find(change->window);
            if (found != g_clients.end() && change->atom == XCB_ATOM_WM_NORMAL_HINTS) {
                found->second.staticGravity = readStaticGravity(change->window);
            }
            break;
        }
        case XCB_CLIENT_MESSAGE: {
            const auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
            if (message->type == atom("_NET_REQUEST_FRAME_EXTENTS")) {
                setFrameExtents(message->window);
            }
            break;
        }
        case XCB_SELECTION_CLEAR: {
            const auto* clear = reinterpret_cast<xcb_selection_clear_event_t*>(event);
            g_replaced =
                g_replaced || (clear->selection == atom("WM_S0") && clear->owner == g_check);
            break;
        }
        case XCB_SELECTION_REQUEST: {
            // WM_S0 converts to nothing: refused.
            const auto* request = reinterpret_cast<xcb_selection_request_event_t*>(event);
            xcb_selection_notify_event_t notify{};
            notify.response_type = XCB_SELECTION_NOTIFY;
            notify.time = request->time;
            notify.requestor = request->requestor;
            notify.selection = request->selection;
            notify.target = request->target;
            notify.property = XCB_NONE;
            sendEvent(request->requestor, XCB_EVENT_MASK_NO_EVENT, notify);
            break;
        }
        default:
            break;
    }
}

int run() {
    if (!g_options.logPath.empty() && !(g_log = std::fopen(g_options.logPath.c_str(), "a"))) {
        std::perror(g_options.logPath.c_str());
        return 2;
    }
    // SIGTERM (and SIGINT, SIGHUP) end it cleanly, read in the same poll().
    sigset_t signals;
    sigemptyset(&signals);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        sigaddset(&signals, signal);
    }
    sigprocmask(SIG_BLOCK, &signals, nullptr);
    const int signalFd = signalfd(-1, &signals, SFD_CLOEXEC);

    g_x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(g_x)) {
        std::fprintf(stderr, "test_wm: cannot open the display\n");
        return 1;
    }
    g_screen = xcb_setup_roots_iterator(xcb_get_setup(g_x)).data;  // screen 0
    g_root = g_screen->root;
    if (!takeScreen()) {
        return 1;
    }
    for (;;) {
        while (!g_exitNow && !g_replaced) {
            xcb_generic_event_t* event = nullptr;
            if (!g_deferred.empty()) {
                event = g_deferred.front();
                g_deferred.pop_front();
            } else if (!(event = xcb_poll_for_event(g_x))) {
                break;
            }
            handle(event);
            std::free(event);
        }
        runDueLate();
        if (g_exitNow || g_replaced) {
            return release();
        }
        xcb_flush(g_x);
        if (xcb_connection_has_error(g_x)) {
            std::fprintf(stderr, "test_wm: lost the X server\n");
            return 1;
        }
        pollfd fds[2] = {{xcb_get_file_descriptor(g_x), POLLIN, 0}, {signalFd, POLLIN, 0}};
        if (poll(fds, 2, pollTimeoutMs()) > 0 && (fds[1].revents & POLLIN)) {
            return release();
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    g_options = parseOptions(argc, argv);
    return run();
}
