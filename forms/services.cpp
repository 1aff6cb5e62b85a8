#include "services.h"

#include "runtime_services.h"
#include "text.h"

#include <QApplication>
#include <QFont>
#include <QMessageBox>
#include <QStyleFactory>
#include <QWidget>

namespace forms {

namespace {
bool g_programEnded = false;
}

void QtServices::showMessage(std::u16string_view text, int style, std::u16string_view title) {
    const QMessageBox::Icon icon =
        style & core::kStopIcon ? QMessageBox::Critical : QMessageBox::NoIcon;
    QMessageBox box(icon, toQString(title), toQString(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void QtServices::beep() {
    QApplication::beep();
}

void QtServices::endProgram() {
    g_programEnded = true;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        window->hide();
    }
    QCoreApplication::exit(0);
}

bool programEnded() {
    return g_programEnded;
}

void resetProgramEnded() {
    g_programEnded = false;
}

void installFontSubstitutes() {
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
}

void prepareApplication(QApplication& app) {
    // One look on every desktop: the layouts place every control themselves.
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion"))) {
        app.setStyle(style);
    }
    installFontSubstitutes();
    static QtServices services;
    core::installServices(&services);
}

}  // namespace forms
