#pragma once

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace forms {

// The controls offer the form runtime's own property names (Text, Caption,
// SetFocus) in the core's UTF-16 texts, so that handlers read like the forms
// they belong to.

class TextBox : public QLineEdit {
public:
    // Receives the 16-bit code of a typed character before the box does;
    // setting it to 0 discards the character. Returns false when the
    // handler stopped on a run-time error.
    using KeyPressHandler = std::function<bool(std::int16_t&)>;

    explicit TextBox(QWidget* parent);

    std::u16string Text() const;
    void SetText(std::u16string_view text);
    void SetFocus();

    void setKeyPressHandler(KeyPressHandler handler) { m_keyPress = std::move(handler); }

    // The character codes a key event types, in order: none for keys that type
    // nothing (arrows, Delete, function keys...).
    static std::vector<char16_t> characterCodes(const QKeyEvent& event);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    KeyPressHandler m_keyPress;
};

class Label : public QLabel {
public:
    explicit Label(QWidget* parent);

    // The caption exactly as given; LF CR, CR LF, LF and CR each show as one
    // line break.
    const std::u16string& Caption() const { return m_caption; }
    void SetCaption(std::u16string_view caption);

private:
    std::u16string m_caption;
};

class CommandButton : public QPushButton {
public:
    explicit CommandButton(QWidget* parent);

    std::u16string Caption() const;
    void SetCaption(std::u16string_view caption);
};

// A top-level menu item with no sub-items.
class MenuItem : public QAction {
public:
    explicit MenuItem(QObject* parent);

    std::u16string Caption() const;
    void SetCaption(std::u16string_view caption);
};

// The text a label shows for a caption.
QString displayedCaption(std::u16string_view caption);

}  // namespace forms
