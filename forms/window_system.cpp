#include "window_system.h"

#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#include <QGuiApplication>
#include <QWidget>
#include <cstdlib>
#include <memory>

namespace forms {

std::optional<ServerGeometry> serverGeometry(const QWidget& window) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection() || !window.testAttribute(Qt::WA_WState_Created)) {
        return std::nullopt;
    }
    xcb_connection_t* connection = x11->connection();
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
