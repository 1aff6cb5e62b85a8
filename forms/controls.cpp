#include "controls.h"

#include <QKeyEvent>

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
    const QString text = event.text();
    if (text.isEmpty() || (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        return {};
    }
    std::vector<char16_t> codes;
    for (const QChar c : text) {
        codes.push_back(c.unicode());
    }
    return codes;
}

void TextBox::keyPressEvent(QKeyEvent* event) {
    const std::vector<char16_t> codes = characterCodes(*event);
    if (!m_keyPress || codes.empty()) {
        QLineEdit::keyPressEvent(event);
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
    m_caption.assign(caption);
    setText(displayedCaption(caption));
}

CommandButton::CommandButton(QWidget* parent) : QPushButton(parent) {}

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
