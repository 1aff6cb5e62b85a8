#include "menu_bar.h"

#include "readable_colours.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <utility>

namespace forms {

MenuBar::MenuBar(QWidget* parent) : QMenuBar(parent) {
    setNativeMenuBar(false);
}

void MenuBar::paintEvent(QPaintEvent* event) {
    QMenuBar::paintEvent(event);
    if (hasFocus() && activeAction()) {
        QPainter painter(this);
        // A pixel in from the item's edges, so that the bar's own colour
        // lies around it on every side, not the window's below it.
        drawFocusRing(
            painter, actionGeometry(activeAction()).adjusted(1, 1, -1, -1),
            focusMarkOn(palette().color(QPalette::Window), palette().color(QPalette::WindowText)));
    }
}

// Alt alone, pressed and released with no other key between, gives the menu
// bar the keyboard. A screen reader holds each key until it has heard it,
// and Qt then hands over the held press of Alt after its Alt+letter chord
// has chosen a command: the menu bar would take that for a new Alt and take
// the keyboard from the box the command just focused.
bool MenuBar::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::WindowDeactivate) {
        m_chord = false;
    } else if (type == QEvent::ShortcutOverride || type == QEvent::KeyPress ||
               type == QEvent::KeyRelease) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        const int code = key.key();
        const bool alt = code == Qt::Key_Alt || code == Qt::Key_Meta;
        const bool modifier = alt || code == Qt::Key_Shift || code == Qt::Key_Control ||
                              code == Qt::Key_AltGr || code == Qt::Key_Super_L ||
                              code == Qt::Key_Super_R;
        if (alt) {
            if (type == QEvent::KeyPress && event->spontaneous()) {
                // Alt pressed now; a held one handed over comes as a sent event.
                m_chord = false;
            } else if (type == QEvent::KeyRelease && std::exchange(m_chord, false)) {
                // The menu bar forgets its Alt as it does when the focus
                // moves; the release then means nothing to it.
                QFocusEvent forget(QEvent::FocusOut);
                QMenuBar::eventFilter(watched, &forget);
            }
        } else if (!(key.modifiers() & (Qt::AltModifier | Qt::MetaModifier))) {
            m_chord = false;
        } else if (type != QEvent::KeyRelease && !modifier) {
            m_chord = true;
        }
    }
    return QMenuBar::eventFilter(watched, event);
}

}  // namespace forms
