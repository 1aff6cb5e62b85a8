#include "window_system.h"

#include <QtGui/qguiapplication_platform.h>
#include <xcb/randr.h>
#include <xcb/xcb.h>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace desktop {

namespace {

xcb_connection_t* applicationConnection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_connection_t* x11Connection(const QWidget& window) {
    return window.testAttribute(Qt::WA_WState_Created) ? applicationConnection() : nullptr;
}

// Atoms are the server's for as long as it runs: those this file uses are
// asked for together, once per connection, so that the first queries wait
// on the server once rather than once an atom; internAtomsAhead asks before
// any query needs them, and then none waits.
struct Atoms {
    static constexpr std::array kUsed{"_NET_CURRENT_DESKTOP",
                                      "_NET_FRAME_EXTENTS",
                                      "_NET_REQUEST_FRAME_EXTENTS",
                                      "_NET_SUPPORTED",
                                      "_NET_SUPPORTING_WM_CHECK",
                                      "_NET_WM_ICON_NAME",
                                      "_NET_WM_NAME",
                                      "_NET_WORKAREA",
                                      "UTF8_STRING"};
    xcb_connection_t* askedOn = nullptr;
    std::array<xcb_intern_atom_cookie_t, kUsed.size()> asked{};
    bool awaited = true;
    std::map<std::string, xcb_atom_t, std::less<>> known;

    static xcb_intern_atom_cookie_t intern(xcb_connection_t* connection, const char* name) {
        return xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name);
    }
    void keep(const char* name, xcb_intern_atom_cookie_t cookie) {
        const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(askedOn, cookie, nullptr), &std::free);
        if (reply) {
            known.emplace(name, reply->atom);
        }
    }
    void ask(xcb_connection_t* connection) {
        if (connection == askedOn) {
            return;
        }
        // Those asked on a connection before (one that is gone) are left.
        known.clear();
        askedOn = connection;
        for (std::size_t i = 0; i < kUsed.size(); ++i) {
            asked[i] = intern(connection, kUsed[i]);
        }
        awaited = false;
        xcb_flush(connection);
    }
    xcb_atom_t operator()(xcb_connection_t* connection, const char* name) {
        ask(connection);
        if (!awaited) {
            awaited = true;
            for (std::size_t i = 0; i < kUsed.size(); ++i) {
                keep(kUsed[i], asked[i]);
            }
        }
        if (!known.contains(std::string_view(name))) {
            keep(name, intern(connection, name));
        }
        const auto found = known.find(std::string_view(name));
        return found != known.end() ? found->second : xcb_atom_t(XCB_ATOM_NONE);
    }
};

Atoms& atoms() {
    static Atoms theAtoms;
    return theAtoms;
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    return atoms()(connection, name);
}

template <class Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

// The requests a QueriesAhead sent, each read at most once, by the query it
// stands for: about the root window it was sent for, or about the window
// itself.
struct Ahead {
    xcb_connection_t* connection = nullptr;
    xcb_window_t root = XCB_WINDOW_NONE;
    xcb_window_t window = XCB_WINDOW_NONE;
    std::optional<xcb_get_property_cookie_t> supported;
    std::optional<xcb_get_property_cookie_t> workAreas;
    std::optional<xcb_get_property_cookie_t> currentDesktop;
    std::optional<xcb_get_property_cookie_t> frameExtents;
    std::optional<xcb_randr_get_monitors_cookie_t> monitors;
    std::optional<xcb_query_pointer_cookie_t> pointer;
    std::optional<xcb_query_tree_cookie_t> tree;

    template <class Cookie>
    std::optional<Cookie> take(std::optional<Cookie> Ahead::*which, xcb_connection_t* asking,
                               xcb_window_t about) {
        if (asking != connection || about == XCB_WINDOW_NONE ||
            (about != root && about != window)) {
            return std::nullopt;
        }
        return std::exchange(this->*which, std::nullopt);
    }

    // The request sent ahead, else one sent now by `ask`.
    template <class Cookie, class Ask>
    Cookie takeOr(std::optional<Cookie> Ahead::*which, xcb_connection_t* asking, xcb_window_t about,
                  Ask ask) {
        const std::optional<Cookie> sent = take(which, asking, about);
        return sent ? *sent : ask();
    }

    template <class Cookie>
    void drop(std::optional<Cookie> Ahead::*which) {
        if (const std::optional<Cookie> cookie = std::exchange(this->*which, std::nullopt)) {
            xcb_discard_reply(connection, cookie->sequence);
        }
    }

    void dropAll() {
        drop(&Ahead::supported);
        drop(&Ahead::workAreas);
        drop(&Ahead::currentDesktop);
        drop(&Ahead::frameExtents);
        drop(&Ahead::monitors);
        drop(&Ahead::pointer);
        drop(&Ahead::tree);
        connection = nullptr;
        root = XCB_WINDOW_NONE;
        window = XCB_WINDOW_NONE;
    }
};

Ahead& ahead() {
    static Ahead sent;
    return sent;
}

xcb_get_property_cookie_t askProperty(xcb_connection_t* connection, xcb_window_t window,
                                      xcb_atom_t name, xcb_atom_t type) {
    return xcb_get_property(connection, 0, window, name, type, 0, 1024);
}

// The 32-bit items of a window property asked for, none when it is not set.
std::optional<std::vector<std::uint32_t>> property32(xcb_connection_t* connection,
                                                     xcb_get_property_cookie_t asked,
                                                     xcb_atom_t type) {
    const Owned<xcb_get_property_reply_t> reply(xcb_get_property_reply(connection, asked, nullptr),
                                                &std::free);
    if (!reply || reply->type != type || reply->format != 32) {
        return std::nullopt;
    }
    const auto* items = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return std::vector<std::uint32_t>(items,
                                      items + xcb_get_property_value_length(reply.get()) / 4);
}

std::optional<std::vector<std::uint32_t>> property32(xcb_connection_t* connection,
                                                     xcb_window_t window, xcb_atom_t name,
                                                     xcb_atom_t type) {
    return property32(connection, askProperty(connection, window, name, type), type);
}

// The root window of the window's own screen (not always the first screen's):
// it never changes, so the last one asked for is kept.
xcb_window_t rootOf(xcb_connection_t* connection, xcb_window_t window) {
    // A display of one screen, as nearly all are, has one root: no need to
    // ask the server.
    const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    if (screens.rem == 1) {
        return screens.data->root;
    }
    static xcb_window_t lastWindow = XCB_WINDOW_NONE;
    static xcb_window_t lastRoot = XCB_WINDOW_NONE;
    if (window != lastWindow) {
        const Owned<xcb_get_geometry_reply_t> geometry(
            xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr),
            &std::free);
        if (!geometry) {
            return XCB_WINDOW_NONE;
        }
        lastWindow = window;
        lastRoot = geometry->root;
    }
    return lastRoot;
}

// How the window manager reads the place asked for: the client's own corner
// (static gravity, which Qt sets for windows placed by their client area) or
// the frame's top-left corner.
bool placedByClientCorner(xcb_connection_t* connection, xcb_window_t window) {
    constexpr std::uint32_t kGravityGiven = 1u << 9;
    constexpr std::size_t kGravity = 17;
    const auto hints =
        property32(connection, window, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS);
    return hints && hints->size() > kGravity && ((*hints)[0] & kGravityGiven) &&
           (*hints)[kGravity] == XCB_GRAVITY_STATIC;
}

// Where the queries about a window's surroundings go: the connection, the
// root window of its screen and the window itself. Before the window is
// made, the root of the display's only screen, where it will be made; none
// on a display of several screens, where only the window tells its screen.
struct Surroundings {
    xcb_connection_t* connection = nullptr;
    xcb_window_t root = XCB_WINDOW_NONE;
    xcb_window_t window = XCB_WINDOW_NONE;  // none before it is made
};

std::optional<Surroundings> surroundingsOf(const QWidget& window) {
    xcb_connection_t* connection = applicationConnection();
    if (!connection) {
        return std::nullopt;
    }
    if (window.testAttribute(Qt::WA_WState_Created)) {
        const auto id = xcb_window_t(window.winId());
        const xcb_window_t root = rootOf(connection, id);
        if (root == XCB_WINDOW_NONE) {
            return std::nullopt;
        }
        return Surroundings{connection, root, id};
    }
    const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    if (screens.rem != 1) {
        return std::nullopt;
    }
    return Surroundings{connection, screens.data->root, XCB_WINDOW_NONE};
}

}  // namespace

void internAtomsAhead() {
    if (xcb_connection_t* connection = applicationConnection()) {
        atoms().ask(connection);
    }
}

void clearWindowName(const QWidget& window) {
    xcb_connection_t* connection = x11Connection(window);
    if (!connection) {
        return;
    }
    const auto id = xcb_window_t(window.winId());
    const xcb_atom_t utf8 = atom(connection, "UTF8_STRING");
    for (const xcb_atom_t name :
         {xcb_atom_t(XCB_ATOM_WM_NAME), xcb_atom_t(XCB_ATOM_WM_ICON_NAME)}) {
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, name, XCB_ATOM_STRING, 8, 0,
                            nullptr);
    }
    for (const char* name : {"_NET_WM_NAME", "_NET_WM_ICON_NAME"}) {
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, atom(connection, name), utf8, 8,
                            0, nullptr);
    }
    xcb_flush(connection);
}

bool placeableBeforeMade(const QWidget& window) {
    return surroundingsOf(window).has_value();
}

bool onX11(const QWidget& window) {
    return x11Connection(window) != nullptr;
}

std::optional<ServerGeometry> serverGeometry(const QWidget& window) {
    xcb_connection_t* connection = x11Connection(window);
    if (!connection) {
        return std::nullopt;
    }
    const auto id = xcb_window_t(window.winId());
    const xcb_window_t root = rootOf(connection, id);
    if (root == XCB_WINDOW_NONE) {
        return std::nullopt;
    }
    // Both requests go out before either answer is awaited: one round trip.
    const auto positionCookie = xcb_translate_coordinates(connection, id, root, 0, 0);
    const auto sizeCookie = xcb_get_geometry(connection, id);
    const Owned<xcb_translate_coordinates_reply_t> position(
        xcb_translate_coordinates_reply(connection, positionCookie, nullptr), &std::free);
    const Owned<xcb_get_geometry_reply_t> size(
        xcb_get_geometry_reply(connection, sizeCookie, nullptr), &std::free);
    if (!position || !size) {
        return std::nullopt;
    }
    return ServerGeometry{QPoint(position->dst_x, position->dst_y),
                          QSize(size->width, size->height)};
}

std::optional<QMargins> frameExtents(const QWidget& window) {
    xcb_connection_t* connection = x11Connection(window);
    if (!connection) {
        return std::nullopt;
    }
    const auto id = xcb_window_t(window.winId());
    const auto asked = ahead().takeOr(&Ahead::frameExtents, connection, id, [&] {
        return askProperty(connection, id, atom(connection, "_NET_FRAME_EXTENTS"),
                           XCB_ATOM_CARDINAL);
    });
    const auto edges = property32(connection, asked, XCB_ATOM_CARDINAL);
    if (!edges || edges->size() != 4) {
        return std::nullopt;
    }
    // Left, right, top, bottom.
    return QMargins(int((*edges)[0]), int((*edges)[2]), int((*edges)[1]), int((*edges)[3]));
}

bool offersFrameExtents(const QWidget& window) {
    const std::optional<Surroundings> at = surroundingsOf(window);
    if (!at) {
        return false;
    }
    const auto asked = ahead().takeOr(&Ahead::supported, at->connection, at->root, [&] {
        return askProperty(at->connection, at->root, atom(at->connection, "_NET_SUPPORTED"),
                           XCB_ATOM_ATOM);
    });
    const auto supported = property32(at->connection, asked, XCB_ATOM_ATOM);
    const xcb_atom_t request = atom(at->connection, "_NET_REQUEST_FRAME_EXTENTS");
    return supported &&
           std::find(supported->begin(), supported->end(), request) != supported->end();
}

void requestFrameExtents(const QWidget& window) {
    xcb_connection_t* connection = x11Connection(window);
    if (!connection) {
        return;
    }
    const auto id = xcb_window_t(window.winId());
    const xcb_window_t root = rootOf(connection, id);
    if (root == XCB_WINDOW_NONE) {
        return;
    }
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
    // A frame asked for ahead of this may be told differently now.
    ahead().drop(&Ahead::frameExtents);
    ahead().drop(&Ahead::tree);
}

std::optional<unsigned> configureClient(const QWidget& window, const QRect& client,
                                        const QMargins& frame) {
    xcb_connection_t* connection = x11Connection(window);
    if (!connection) {
        return std::nullopt;
    }
    const auto id = xcb_window_t(window.winId());
    const QPoint corner = placedByClientCorner(connection, id)
                              ? client.topLeft()
                              : client.topLeft() - QPoint(frame.left(), frame.top());
    const std::uint32_t values[] = {std::uint32_t(corner.x()), std::uint32_t(corner.y()),
                                    std::uint32_t(std::max(1, client.width())),
                                    std::uint32_t(std::max(1, client.height()))};
    const xcb_void_cookie_t request =
        xcb_configure_window(connection, id,
                             XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH |
                                 XCB_CONFIG_WINDOW_HEIGHT,
                             values);
    xcb_flush(connection);
    return request.sequence;
}

std::vector<MonitorInfo> monitors(const QWidget& window) {
    const std::optional<Surroundings> at = surroundingsOf(window);
    if (!at) {
        return {};
    }
    xcb_connection_t* connection = at->connection;
    const xcb_query_extension_reply_t* randr = xcb_get_extension_data(connection, &xcb_randr_id);
    if (!randr || !randr->present) {
        return {};
    }
    const auto asked = ahead().takeOr(&Ahead::monitors, connection, at->root, [&] {
        return xcb_randr_get_monitors(connection, at->root, 1);
    });
    const Owned<xcb_randr_get_monitors_reply_t> reply(
        xcb_randr_get_monitors_reply(connection, asked, nullptr), &std::free);
    if (!reply) {
        return {};
    }
    std::vector<MonitorInfo> found;
    for (auto it = xcb_randr_get_monitors_monitors_iterator(reply.get()); it.rem;
         xcb_randr_monitor_info_next(&it)) {
        found.push_back({QRect(it.data->x, it.data->y, it.data->width, it.data->height),
                         it.data->primary != 0});
    }
    return found;
}

bool onXwayland(const QWidget& window) {
    xcb_connection_t* connection = x11Connection(window);
    if (!connection) {
        return false;
    }
    const xcb_window_t root = rootOf(connection, xcb_window_t(window.winId()));
    const xcb_query_extension_reply_t* randr = xcb_get_extension_data(connection, &xcb_randr_id);
    if (root == XCB_WINDOW_NONE || !randr || !randr->present) {
        return false;
    }
    const Owned<xcb_randr_get_monitors_reply_t> reply(
        xcb_randr_get_monitors_reply(connection, xcb_randr_get_monitors(connection, root, 1),
                                     nullptr),
        &std::free);
    if (!reply) {
        return false;
    }
    for (auto it = xcb_randr_get_monitors_monitors_iterator(reply.get()); it.rem;
         xcb_randr_monitor_info_next(&it)) {
        const Owned<xcb_get_atom_name_reply_t> name(
            xcb_get_atom_name_reply(connection, xcb_get_atom_name(connection, it.data->name),
                                    nullptr),
            &std::free);
        if (name && std::string_view(xcb_get_atom_name_name(name.get()),
                                     std::size_t(xcb_get_atom_name_name_length(name.get())))
                        .starts_with("XWAYLAND")) {
            return true;
        }
    }
    return false;
}

std::optional<QRect> workArea(const QWidget& window) {
    const std::optional<Surroundings> at = surroundingsOf(window);
    if (!at) {
        return std::nullopt;
    }
    xcb_connection_t* connection = at->connection;
    // Both asked before either answer is awaited: one round trip.
    const auto areasAsked = ahead().takeOr(&Ahead::workAreas, connection, at->root, [&] {
        return askProperty(connection, at->root, atom(connection, "_NET_WORKAREA"),
                           XCB_ATOM_CARDINAL);
    });
    const auto currentAsked = ahead().takeOr(&Ahead::currentDesktop, connection, at->root, [&] {
        return askProperty(connection, at->root, atom(connection, "_NET_CURRENT_DESKTOP"),
                           XCB_ATOM_CARDINAL);
    });
    const auto areas = property32(connection, areasAsked, XCB_ATOM_CARDINAL);
    const auto current = property32(connection, currentAsked, XCB_ATOM_CARDINAL);
    if (!areas || areas->size() < 4) {
        return std::nullopt;
    }
    std::size_t desktop = current && !current->empty() ? (*current)[0] : 0;
    if ((desktop + 1) * 4 > areas->size()) {
        desktop = 0;
    }
    const std::uint32_t* area = areas->data() + desktop * 4;
    return QRect(int(area[0]), int(area[1]), int(area[2]), int(area[3]));
}

std::optional<QPoint> pointerPosition(const QWidget& window) {
    const std::optional<Surroundings> at = surroundingsOf(window);
    if (!at) {
        return std::nullopt;
    }
    const auto asked = ahead().takeOr(&Ahead::pointer, at->connection, at->root,
                                      [&] { return xcb_query_pointer(at->connection, at->root); });
    const Owned<xcb_query_pointer_reply_t> pointer(
        xcb_query_pointer_reply(at->connection, asked, nullptr), &std::free);
    if (!pointer || !pointer->same_screen) {
        return std::nullopt;
    }
    return QPoint(pointer->root_x, pointer->root_y);
}

std::optional<QMargins> measuredFrame(const QWidget& window) {
    xcb_connection_t* connection = x11Connection(window);
    if (!connection) {
        return std::nullopt;
    }
    // The window's ancestor just below the root is what the window manager
    // put round it.
    xcb_window_t top = xcb_window_t(window.winId());
    for (int depth = 0; depth < 8; ++depth) {
        const auto asked = ahead().takeOr(&Ahead::tree, connection, top,
                                          [&] { return xcb_query_tree(connection, top); });
        const Owned<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(connection, asked, nullptr),
                                                 &std::free);
        if (!tree) {
            return std::nullopt;
        }
        if (tree->parent == tree->root) {
            break;
        }
        top = tree->parent;
    }
    const auto id = xcb_window_t(window.winId());
    if (top == id) {
        return std::nullopt;
    }
    const xcb_window_t root = rootOf(connection, id);
    const auto clientCookie = xcb_translate_coordinates(connection, id, root, 0, 0);
    const auto clientSize = xcb_get_geometry(connection, id);
    const auto frameCookie = xcb_get_geometry(connection, top);
    const Owned<xcb_translate_coordinates_reply_t> client(
        xcb_translate_coordinates_reply(connection, clientCookie, nullptr), &std::free);
    const Owned<xcb_get_geometry_reply_t> size(
        xcb_get_geometry_reply(connection, clientSize, nullptr), &std::free);
    const Owned<xcb_get_geometry_reply_t> frame(
        xcb_get_geometry_reply(connection, frameCookie, nullptr), &std::free);
    if (!client || !size || !frame) {
        return std::nullopt;
    }
    const int left = client->dst_x - frame->x;
    const int above = client->dst_y - frame->y;
    return QMargins(left, above, frame->width - size->width - left,
                    frame->height - size->height - above);
}

QueriesAhead::QueriesAhead(const QWidget& window) {
    const std::optional<Surroundings> at = surroundingsOf(window);
    if (!at) {
        return;
    }
    xcb_connection_t* connection = at->connection;
    Ahead& sent = ahead();
    sent.dropAll();
    sent.connection = connection;
    sent.root = at->root;
    sent.window = at->window;
    const auto rootProperty = [&](const char* name, xcb_atom_t type) {
        return askProperty(connection, at->root, atom(connection, name), type);
    };
    sent.supported = rootProperty("_NET_SUPPORTED", XCB_ATOM_ATOM);
    sent.workAreas = rootProperty("_NET_WORKAREA", XCB_ATOM_CARDINAL);
    sent.currentDesktop = rootProperty("_NET_CURRENT_DESKTOP", XCB_ATOM_CARDINAL);
    if (const xcb_query_extension_reply_t* randr =
            xcb_get_extension_data(connection, &xcb_randr_id);
        randr && randr->present) {
        sent.monitors = xcb_randr_get_monitors(connection, at->root, 1);
    }
    sent.pointer = xcb_query_pointer(connection, at->root);
    if (at->window != XCB_WINDOW_NONE) {
        sent.frameExtents = askProperty(connection, at->window,
                                        atom(connection, "_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL);
        sent.tree = xcb_query_tree(connection, at->window);
    }
    xcb_flush(connection);
}

QueriesAhead::~QueriesAhead() {
    ahead().dropAll();
}

WatchedAtoms watchedAtoms(const QWidget& window) {
    xcb_connection_t* connection = x11Connection(window);
    if (!connection) {
        return {};
    }
    return {atom(connection, "_NET_FRAME_EXTENTS"), atom(connection, "_NET_SUPPORTING_WM_CHECK")};
}

unsigned rootWindow(const QWidget& window) {
    xcb_connection_t* connection = x11Connection(window);
    return connection ? rootOf(connection, xcb_window_t(window.winId())) : 0;
}

}  // namespace desktop
