#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QKeyEvent;

namespace forms {

// A text box with the form runtime's own property names (Text, SetFocus) in
// the core's UTF-16 texts, so that handlers read like the forms they belong
// to. It holds its editing line privately: its text changes only through
// SetText, which keeps count of the changes.
class TextBox : public QWidget {
    Q_OBJECT

public:
    // Receives the 16-bit code of a typed character before the box does;
    // setting it to 0 discards the character. Returns false when the
    // handler stopped on a run-time error.
    using KeyPressHandler = std::function<bool(std::int16_t&)>;

    // `font`, when given, is the box's from the start: the editing line lays
    // out its text as it is made, and a font set later is one more to load.
    explicit TextBox(QWidget* parent, const QFont* font = nullptr);

    std::u16string Text() const;
    void SetText(std::u16string_view text);
    void SetFocus();
    // Counts the times the program has set the text.
    int revision() const { return m_revision; }

    void setKeyPressHandler(KeyPressHandler handler) { m_keyPress = std::move(handler); }

    // Design properties, set when the box is created.
    void setMaxLength(int characters);
    int maxLength() const;
    void setLocked(bool locked);
    bool isLocked() const;
    void setAlignment(Qt::Alignment alignment);
    Qt::Alignment alignment() const;

    // The character codes a key event types, in order, whatever modifiers
    // come with it (Alt, Meta, AltGr): none for keys that type nothing
    // (arrows, Delete, function keys...).
    static std::vector<char16_t> characterCodes(const QKeyEvent& event);

protected:
    // Keys sent to the box itself go to the editing line inside it.
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    class Editor;
    friend class Editor;

    // The key event's characters, each through KeyPress; true when the
    // editor is to handle the event as it came.
    bool filterKey(QKeyEvent& event);
    // Each character through KeyPress and, unless refused, into the box
    // before the next one passes, as if typed one by one: once a KeyPress
    // has moved the focus to another box, the rest go there.
    void typeCharacters(const std::vector<char16_t>& codes);
    void typeCharacter(char16_t original);
    // A KeyPress handler is running, in this box or another.
    static bool typing();

    Editor* m_editor = nullptr;
    KeyPressHandler m_keyPress;
    int m_revision = 0;
    bool m_forwarding = false;
};

}  // namespace forms
