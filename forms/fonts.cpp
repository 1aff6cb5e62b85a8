#include "fonts.h"

#include <fontconfig/fontconfig.h>
#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <system_error>
#include <utility>
#include <vector>

namespace forms {

namespace {

QString findFace(const QString& named) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& face : QStringList{named} + QFont::substitutes(named)) {
        // Substitutes are kept in lower case; the database has the face's
        // own spelling.
        for (const QString& family : installed) {
            if (family.compare(face, Qt::CaseInsensitive) == 0) {
                return family;
            }
        }
    }
    return named;
}

// Each name's face once found, until the installed fonts or the
// substitutions change.
QHash<QString, QString>& answered() {
    static QHash<QString, QString> faces;
    return faces;
}

}  // namespace

void installFonts() {
    const QString sans = QStringLiteral("MS Sans Serif");
    QFont::insertSubstitution(sans, QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    answered().clear();
    // What no layout sets a face for (the menu bar, message boxes, tooltips)
    // would take fontconfig's sans-serif, or the desktop theme's face for its
    // kind of widget, which can be a fixed-pitch one: it takes the layouts'
    // sans face, at the size the desktop gives it.
    const QString face = installedFace(sans);
    const QFont standard = QApplication::font();
    const auto inLayoutFace = [&](QFont font) {
        font.setFamilies({face});
        return font;
    };
    std::vector<std::pair<const char*, QFont>> ownFaces;
    for (const char* kind :
         {"QMenuBar", "QMenu", "QMessageBoxLabel", "QLabel", "QPushButton", "QTipLabel"}) {
        if (const QFont own = QApplication::font(kind); own != standard) {
            ownFaces.emplace_back(kind, own);
        }
    }
    // Setting the default font forgets the fonts of the kinds of widget.
    QApplication::setFont(inLayoutFace(standard));
    for (const auto& [kind, own] : ownFaces) {
        QApplication::setFont(inLayoutFace(own), kind);
    }
}

std::jthread loadFontConfigurationAhead() {
    try {
        return std::jthread([] { FcInit(); });
    } catch (const std::system_error&) {
        return {};
    }
}

QString installedFace(const QString& named) {
    // Every control asks, and the database builds its list of families afresh
    // at each call: the answers are kept while this application's fonts stay
    // as they are.
    static const QMetaObject::Connection forget =
        qGuiApp ? QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, qGuiApp,
                                   [] { answered().clear(); })
                : QMetaObject::Connection();
    if (!forget) {
        return findFace(named);
    }
    const auto known = answered().constFind(named);
    return known != answered().cend() ? *known : *answered().insert(named, findFace(named));
}

}  // namespace forms
