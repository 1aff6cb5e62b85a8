#include "window_system.h"

#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#include <QGuiApplication>
#include <QWidget>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace forms {

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

}  // namespace

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

}  // namespace forms
