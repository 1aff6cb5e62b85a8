#include "window_system.h"

#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace desktop {

namespace {

xcb_connection_t* x11Connection(const QWidget& window) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !window.testAttribute(Qt::WA_WState_Created)) {
        return nullptr;
    }
    return x11->connection();
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

template <class Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

// The 32-bit items of a window property, none when it is not set.
std::optional<std::vector<std::uint32_t>> property32(xcb_connection_t* connection,
                                                     xcb_window_t window, xcb_atom_t name,
                                                     xcb_atom_t type) {
    const Owned<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, window, name, type, 0, 1024), nullptr),
        &std::free);
    if (!reply || reply->type != type || reply->format != 32) {
        return std::nullopt;
    }
    const auto* items = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return std::vector<std::uint32_t>(items,
                                      items + xcb_get_property_value_length(reply.get()) / 4);
}

}  // namespace

QMargins frameMargins(const QWidget& window) {
    return window.windowHandle() ? window.windowHandle()->frameMargins() : QMargins();
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

std::optional<ServerGeometry> serverGeometry(const QWidget& window) {
    xcb_connection_t* connection = x11Connection(window);
    if (!connection) {
        return std::nullopt;
    }
    const auto id = xcb_window_t(window.winId());
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen) {
        return std::nullopt;
    }
    // Both requests go out before either answer is awaited: one round trip.
    const auto positionCookie = xcb_translate_coordinates(connection, id, screen->root, 0, 0);
    const auto sizeCookie = xcb_get_geometry(connection, id);
    std::unique_ptr<xcb_translate_coordinates_reply_t, decltype(&std::free)> position(
        xcb_translate_coordinates_reply(connection, positionCookie, nullptr), &std::free);
    std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> size(
        xcb_get_geometry_reply(connection, sizeCookie, nullptr), &std::free);
    if (!position || !size) {
        return std::nullopt;
    }
    return ServerGeometry{QPoint(position->dst_x, position->dst_y),
                          QSize(size->width, size->height)};
}

std::optional<QMargins> frameExtentsBeforeMapping(const QWidget& window, int timeoutMs) {
    xcb_connection_t* connection = x11Connection(window);
    const xcb_screen_t* screen =
        connection ? xcb_setup_roots_iterator(xcb_get_setup(connection)).data : nullptr;
    if (!screen) {
        return std::nullopt;
    }
    const xcb_atom_t request = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = atom(connection, "_NET_FRAME_EXTENTS");
    const auto supported =
        property32(connection, screen->root, atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    if (!supported ||
        std::find(supported->begin(), supported->end(), request) == supported->end()) {
        return std::nullopt;
    }
    const auto id = xcb_window_t(window.winId());
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(connection, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
    QElapsedTimer waited;
    waited.start();
    do {
        if (const auto edges = property32(connection, id, extents, XCB_ATOM_CARDINAL);
            edges && edges->size() == 4) {
            // Left, right, top, bottom.
            return QMargins(int((*edges)[0]), int((*edges)[2]), int((*edges)[1]), int((*edges)[3]));
        }
        QThread::msleep(2);
    } while (waited.elapsed() < timeoutMs);
    return std::nullopt;
}

ConfigureAnswers::ConfigureAnswers(const QWidget& window) {
    if (x11Connection(window)) {
        m_window = unsigned(window.winId());
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
}

ConfigureAnswers::~ConfigureAnswers() {
    if (m_window && QCoreApplication::instance()) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

bool ConfigureAnswers::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType == "xcb_generic_event_t") {
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        // The high bit marks an event that a client (the window manager) sent.
        if ((event->response_type & 0x7f) == XCB_CONFIGURE_NOTIFY &&
            reinterpret_cast<const xcb_configure_notify_event_t*>(event)->window == m_window) {
            ++m_count;
        }
    }
    return false;
}

}  // namespace desktop
