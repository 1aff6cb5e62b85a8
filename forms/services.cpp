#include "services.h"

#include "readable_colours.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

namespace forms {

namespace {

bool g_programEnded = false;

// The window a message box belongs to: the active one or, while the
// activation is on its way back from the last box, the program's window.
QWidget* ownerWindow() {
    if (QWidget* active = QApplication::activeWindow()) {
        return active;
    }
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->windowType() == Qt::Window) {
            return window;
        }
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<QMessageBox> messageBox(std::u16string_view text, int style,
                                        std::u16string_view title, QWidget* owner) {
    const QMessageBox::Icon icon =
        style & core::kStopIcon ? QMessageBox::Critical : QMessageBox::NoIcon;
    auto box = std::make_unique<QMessageBox>(icon, QStringView(title).toString(),
                                             QStringView(text).toString(), QMessageBox::Ok, owner);
    box->setTextFormat(Qt::PlainText);
    if (auto* picture = box->findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"))) {
        picture->setAccessibleName(icon == QMessageBox::Critical ? QStringLiteral("Error")
                                                                 : QString());
    }
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
        // Every box shows the one icon of the first box's OK button: each
        // new icon would leave its drawn pixmaps in Qt's pixmap cache.
        static const QIcon shared = ok->icon();
        ok->setIcon(shared);
        // The style's own focus mark is a faint line on a dark theme.
        ringFocus(*ok);
    }
    // The panel of buttons passes the focus on to OK, and would report it as
    // its own: a screen reader would hear two controls focused.
    if (auto* panel = box->findChild<QDialogButtonBox*>()) {
        panel->setFocusProxy(nullptr);
    }
    return box;
}

void QtServices::showMessage(std::u16string_view text, int style, std::u16string_view title) {
    QWidget* owner = ownerWindow();
    messageBox(text, style, title, owner)->exec();
    // The keyboard goes straight back to the window, so that its access keys
    // answer however soon the next one follows.
    if (owner && owner->isVisible() && !owner->isActiveWindow() && !programEnded()) {
        owner->activateWindow();
    }
}

void QtServices::beep() {
    QApplication::beep();
}

// The program ends at once: the window is taken down and what was written is
// flushed, but no toolkit teardown runs, since Qt's Wayland teardown can wait
// forever on its event thread (seen under sway).
void QtServices::endProgram() {
    g_programEnded = true;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        window->hide();
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    std::fflush(nullptr);
    std::_Exit(0);
}

bool programEnded() {
    return g_programEnded;
}

}  // namespace forms
