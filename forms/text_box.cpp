#include "text_box.h"

#include "readable_colours.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QSignalBlocker>

namespace forms {

// The editing line inside a box: every character it would insert passes the
// box's KeyPress first, however it was typed.
class TextBox::Editor : public QLineEdit {
public:
    Editor(TextBox& box) : QLineEdit(&box), m_box(box) {
        // A drop would insert text behind KeyPress's back.
        setAcceptDrops(false);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (m_box.filterKey(*event)) {
            QLineEdit::keyPressEvent(event);
        }
    }

    // Dead keys, compose sequences and input methods hand over their text
    // here, not as key events: it is typed character by character, each
    // through KeyPress. What they show while composing stays as it is.
    void inputMethodEvent(QInputMethodEvent* event) override {
        // The editing line itself would let an input method write into a
        // locked box.
        if (isReadOnly()) {
            event->accept();
            return;
        }
        if (event->commitString().isEmpty() || !m_box.m_keyPress) {
            QLineEdit::inputMethodEvent(event);
            return;
        }
        QInputMethodEvent composing(event->preeditString(), event->attributes());
        QLineEdit::inputMethodEvent(&composing);
        event->accept();
        // A KeyPress that moves the focus makes the input method commit
        // what it still holds to the box it leaves: the text just taken, or
        // the dead key that began it. Taking it would type it twice, and
        // the auto-advance would move the focus again, without end.
        if (TextBox::typing()) {
            return;
        }
        std::vector<char16_t> committed;
        for (const QChar c : event->commitString()) {
            committed.push_back(c.unicode());
        }
        m_box.typeCharacters(committed);
    }

    // Tab selects the text of the box it lands in. A screen reader hears of
    // that selection before it hears of the focus, and would read the text
    // twice: as selected, then with the box. The selection is made without
    // telling; the reader finds it when it reads the box.
    void focusInEvent(QFocusEvent* event) override {
        const QSignalBlocker quiet(lineControl());
        QLineEdit::focusInEvent(event);
    }

    // The editing line drops its selection as it loses the focus. Screen
    // readers say "unselected" for any box whose selection goes, focused or
    // not, so it goes without telling them: nothing was unselected by the
    // user.
    void focusOutEvent(QFocusEvent* event) override {
        const Qt::FocusReason reason = event->reason();
        if (!hasSelectedText() || reason == Qt::ActiveWindowFocusReason ||
            reason == Qt::PopupFocusReason) {
            QLineEdit::focusOutEvent(event);
            return;
        }
        {
            const QSignalBlocker quiet(lineControl());
            deselect();
        }
        update();
        QLineEdit::focusOutEvent(event);
    }

    // The style's focus frame is too faint on the form's grey: a ring that
    // stands out from the colour around the box.
    void paintEvent(QPaintEvent* event) override {
        QLineEdit::paintEvent(event);
        if (hasFocus()) {
            const QWidget* around = m_box.parentWidget() ? m_box.parentWidget() : &m_box;
            QPainter painter(this);
            drawFocusRing(painter, rect(),
                          focusMarkOn(around->palette().color(QPalette::Window),
                                      palette().color(QPalette::Highlight)));
        }
    }

private:
    // The line's own text engine, whose selection signal is what reports a
    // selection change on to assistive technologies; none if the line has
    // no such child, and then the change is reported as before.
    QObject* lineControl() {
        for (QObject* child : children()) {
            if (qstrcmp(child->metaObject()->className(), "QWidgetLineControl") == 0) {
                return child;
            }
        }
        return nullptr;
    }

    TextBox& m_box;
};

TextBox::TextBox(QWidget* parent, const QFont* font) : QWidget(parent) {
    if (font) {
        // Qt's line edit lays out its empty text in the application's font
        // before it takes the box's own: with the box's font the default for
        // that moment, no face is loaded (a fontconfig match, a font file)
        // for that alone. Qt's own setter leaves the fonts that the
        // application gives kinds of widget, and the widgets, untouched.
        setFont(*font);
        const QFont standard = QGuiApplication::font();
        QGuiApplication::setFont(*font);
        m_editor = new Editor(*this);
        QGuiApplication::setFont(standard);
    } else {
        m_editor = new Editor(*this);
    }
    setFocusPolicy(m_editor->focusPolicy());
    setFocusProxy(m_editor);
}

std::u16string TextBox::Text() const {
    return m_editor->text().toStdU16String();
}

void TextBox::SetText(std::u16string_view text) {
    ++m_revision;
    m_editor->setText(QStringView(text).toString());
}

void TextBox::SetFocus() {
    setFocus(Qt::OtherFocusReason);
}

void TextBox::setMaxLength(int characters) {
    m_editor->setMaxLength(characters);
}

int TextBox::maxLength() const {
    return m_editor->maxLength();
}

void TextBox::setLocked(bool locked) {
    m_editor->setReadOnly(locked);
}

bool TextBox::isLocked() const {
    return m_editor->isReadOnly();
}

void TextBox::setAlignment(Qt::Alignment alignment) {
    m_editor->setAlignment(alignment);
}

Qt::Alignment TextBox::alignment() const {
    return m_editor->alignment();
}

bool TextBox::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
            // What the editor leaves comes back to the box on its way to
            // the window, and goes on there.
            if (!m_forwarding) {
                m_forwarding = true;
                const bool handled = QCoreApplication::sendEvent(m_editor, event);
                m_forwarding = false;
                return handled;
            }
            return QWidget::event(event);
        default:
            return QWidget::event(event);
    }
}

void TextBox::resizeEvent(QResizeEvent* event) {
    m_editor->setGeometry(rect());
    QWidget::resizeEvent(event);
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

namespace {

// KeyPress handlers under way, in any box.
int g_typing = 0;

class Typing {
public:
    Typing() { ++g_typing; }
    ~Typing() { --g_typing; }
    Typing(const Typing&) = delete;
    Typing& operator=(const Typing&) = delete;
};

// The box whose editing line `focused` is, if it is one.
TextBox* boxOf(QWidget* focused) {
    QWidget* around = focused ? focused->parentWidget() : nullptr;
    return around && around->focusProxy() == focused ? qobject_cast<TextBox*>(around) : nullptr;
}

}  // namespace

bool TextBox::typing() {
    return g_typing > 0;
}

bool TextBox::filterKey(QKeyEvent& event) {
    const std::vector<char16_t> codes = characterCodes(event);
    if (!m_keyPress) {
        return true;
    }
    event.accept();
    if (codes.empty()) {
        // A key that types nothing may move the caret or delete, but not
        // insert: Shift+Insert would paste behind KeyPress's back.
        return !event.matches(QKeySequence::Paste);
    }
    if (codes.size() == 1) {
        std::int16_t code = std::int16_t(codes.front());
        {
            const Typing typing;
            if (!m_keyPress(code) || code == 0) {
                return false;
            }
        }
        if (char16_t(code) == codes.front()) {
            return true;
        }
        m_editor->insert(QString(QChar(char16_t(code))));
        return false;
    }
    typeCharacters(codes);
    return false;
}

void TextBox::typeCharacters(const std::vector<char16_t>& codes) {
    TextBox* into = this;
    for (const char16_t code : codes) {
        QWidget* focusedBefore = QApplication::focusWidget();
        into->typeCharacter(code);
        // A KeyPress that moved the focus sends the characters after it
        // where typed keys would go: to the box that has the focus now.
        if (QApplication::focusWidget() != focusedBefore) {
            into = boxOf(QApplication::focusWidget());
            if (!into) {
                return;
            }
        }
    }
}

void TextBox::typeCharacter(char16_t original) {
    if (m_editor->isReadOnly()) {
        return;
    }
    std::int16_t code = std::int16_t(original);
    if (m_keyPress) {
        const Typing typing;
        if (!m_keyPress(code) || code == 0) {
            return;
        }
    }
    // As the editing line treats typed keys: backspace erases, other
    // control characters go nowhere.
    const QChar passed{char16_t(code)};
    if (code == 8) {
        m_editor->backspace();
    } else if (passed.isPrint()) {
        m_editor->insert(QString(passed));
    }
}

}  // namespace forms
