#include "application.h"

#include "accessible/accessibility.h"
#include "accessible/range_request_guard.h"
#include "fonts.h"
#include "platform.h"
#include "services.h"
#include "window_system.h"

#include <QStyleFactory>
#include <cstdio>
#include <string>

namespace forms {

void prepareApplication(QApplication& /*app: the application, made first*/) {
    // One look on every desktop: the layouts place every control themselves.
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion"))) {
        QApplication::setStyle(style);
    }
    installFonts();
    installAccessibility();
    guardTextRangeRequests();
    static QtServices services;
    core::installServices(&services);
}

std::unique_ptr<QApplication> startApplication(char** argv, const char* desktopFileName) {
    const std::string path = argv && argv[0] ? argv[0] : "";
    const std::string name = path.substr(path.find_last_of('/') + 1);
    const std::optional<std::string> platform = desktop::choosePlatform();
    if (!platform) {
        std::fprintf(stderr,
                     "%s: no display found: DISPLAY or WAYLAND_DISPLAY must name a running X "
                     "server or Wayland compositor\n",
                     name.c_str());
        return nullptr;
    }
    // Started once the probe has its answer, which came up to 3 ms late
    // with the thread starting beside it.
    std::jthread fontConfiguration = loadFontConfigurationAhead();
    qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(*platform));
    // QApplication keeps a reference to its argument count for its lifetime.
    static int argumentCount = 1;
    static char unnamed[] = "program";
    static char* arguments[] = {argv && argv[0] ? argv[0] : unnamed, nullptr};
    auto app = std::make_unique<QApplication>(argumentCount, arguments);
    desktop::releaseDisplayProbe();
    // Answered while the form is built.
    desktop::internAtomsAhead();
    QGuiApplication::setDesktopFileName(QString::fromLatin1(desktopFileName));
    if (fontConfiguration.joinable()) {
        fontConfiguration.join();
    }
    prepareApplication(*app);
    return app;
}

}  // namespace forms
