#include "command_button.h"

#include "readable_colours.h"

#include <qdrawutil.h>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>

namespace forms {

CommandButton::CommandButton(QWidget* parent) : QPushButton(parent) {}

void CommandButton::paintEvent(QPaintEvent* event) {
    if (!m_graphical) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter painter(this);
    const QColor face = palette().color(QPalette::Button);
    const QColor ink = palette().color(QPalette::ButtonText);
    const QBrush faceBrush(face);
    const bool down = isDown();
    qDrawWinButton(&painter, rect(), QPalette(face), down, &faceBrush);
    // Inside the two-pixel border; the face's content sinks with it.
    const QRect r = rect().adjusted(2, 2, -2, -2);
    const QRect content = down ? r.translated(1, 1) : r;
    if (!icon().isNull()) {
        const QPixmap picture = icon().pixmap(iconSize());
        const QRect place = QStyle::alignedRect(layoutDirection(), Qt::AlignCenter,
                                                picture.deviceIndependentSize().toSize(), content);
        painter.drawPixmap(place, picture);
    }
    if (!text().isEmpty()) {
        painter.setPen(ink);
        painter.setFont(font());
        painter.drawText(content, Qt::AlignCenter | Qt::TextShowMnemonic, QPushButton::text());
    }
    if (hasFocus()) {
        QPen dotted(ink, 1, Qt::DotLine);
        painter.setPen(dotted);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r.adjusted(1, 1, -2, -2));
        // A picture may hide the dotted rectangle: the border itself turns
        // into a ring that stands out from the form around the button.
        const QWidget* around = parentWidget() ? parentWidget() : this;
        drawFocusRing(painter, rect(), focusMarkOn(around->palette().color(QPalette::Window), ink));
    }
}

void CommandButton::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !(event->modifiers() & ~Qt::KeypadModifier)) {
        click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

std::u16string CommandButton::Caption() const {
    return text().toStdU16String();
}

void CommandButton::SetCaption(std::u16string_view caption) {
    setText(QStringView(caption).toString());
}

}  // namespace forms
