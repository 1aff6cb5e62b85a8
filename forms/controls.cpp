#include "controls.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>

namespace forms {

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
    // Every character must pass KeyPress, so no input method or drop may
    // insert text behind its back.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setAcceptDrops(false);
}

std::u16string TextBox::Text() const {
    return text().toStdU16String();
}

void TextBox::SetText(std::u16string_view text) {
    ++m_revision;
    setText(QStringView(text).toString());
}

void TextBox::SetFocus() {
    setFocus(Qt::OtherFocusReason);
}

std::vector<char16_t> TextBox::characterCodes(const QKeyEvent& event) {
    const int key = event.key();
    const Qt::KeyboardModifiers mods = event.modifiers();
    switch (key) {
        case Qt::Key_Backspace:
            return {8};
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return {13};
        case Qt::Key_Escape:
            return {27};
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Delete:
            return {};
        default:
            break;
    }
    // Ctrl with a letter types its control code, whatever text the platform
    // attached to the event.
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier) && key >= Qt::Key_A &&
        key <= Qt::Key_Z) {
        return {char16_t(key - Qt::Key_A + 1)};
    }
    std::vector<char16_t> codes;
    for (const QChar c : event.text()) {
        codes.push_back(c.unicode());
    }
    return codes;
}

void TextBox::keyPressEvent(QKeyEvent* event) {
    const std::vector<char16_t> codes = characterCodes(*event);
    if (!m_keyPress) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (codes.empty()) {
        // A key that types nothing may move the caret or delete, but not
        // insert: Shift+Insert would paste behind KeyPress's back.
        if (!event->matches(QKeySequence::Paste)) {
            QLineEdit::keyPressEvent(event);
        }
        event->accept();
        return;
    }
    if (codes.size() == 1) {
        std::int16_t code = std::int16_t(codes.front());
        if (!m_keyPress(code) || code == 0) {
            event->accept();
            return;
        }
        if (char16_t(code) == codes.front()) {
            QLineEdit::keyPressEvent(event);
        } else {
            insert(QString(QChar(char16_t(code))));
        }
        return;
    }
    // Several characters at once: each passes KeyPress on its own.
    QString passed;
    for (const char16_t original : codes) {
        std::int16_t code = std::int16_t(original);
        if (m_keyPress(code) && code != 0) {
            passed += QChar(char16_t(code));
        }
    }
    if (!passed.isEmpty()) {
        insert(passed);
    }
    event->accept();
}

QString displayedCaption(std::u16string_view caption) {
    QString shown;
    shown.reserve(qsizetype(caption.size()));
    for (std::size_t i = 0; i < caption.size(); ++i) {
        const char16_t c = caption[i];
        if (c == u'\n' || c == u'\r') {
            const char16_t partner = c == u'\n' ? u'\r' : u'\n';
            if (i + 1 < caption.size() && caption[i + 1] == partner) {
                ++i;
            }
            shown += QChar(u'\n');
        } else {
            shown += QChar(c);
        }
    }
    return shown;
}

Label::Label(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::NoFocus);
}

void Label::SetCaption(std::u16string_view caption) {
    ++m_revision;
    m_caption.assign(caption);
    setText(displayedCaption(caption));
}

CommandButton::CommandButton(QWidget* parent) : QPushButton(parent) {}

void CommandButton::paintEvent(QPaintEvent* event) {
    if (!m_graphical) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter painter(this);
    const QColor face = palette().color(QPalette::Button);
    const QColor ink = palette().color(QPalette::ButtonText);
    const QColor light = face.lighter(160);
    const QColor shadow = face.darker(160);
    const QColor darkest = face.darker(400);
    const bool down = isDown();
    QRect r = rect();
    painter.fillRect(r, face);
    // Outer edge, then inner edge: light above and to the left, dark below
    // and to the right; the other way round while pressed.
    const auto edge = [&](const QRect& box, const QColor& topLeft, const QColor& bottomRight) {
        painter.setPen(topLeft);
        painter.drawLine(box.topLeft(), box.topRight());
        painter.drawLine(box.topLeft(), box.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(box.bottomLeft(), box.bottomRight());
        painter.drawLine(box.topRight(), box.bottomRight());
    };
    edge(r, down ? darkest : light, down ? light : darkest);
    r.adjust(1, 1, -1, -1);
    edge(r, down ? shadow : face, down ? face : shadow);
    r.adjust(1, 1, -1, -1);
    // The face's content sinks with it.
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

MenuItem::MenuItem(QObject* parent) : QAction(parent) {}

std::u16string MenuItem::Caption() const {
    return text().toStdU16String();
}

void MenuItem::SetCaption(std::u16string_view caption) {
    setText(QStringView(caption).toString());
}

}  // namespace forms
