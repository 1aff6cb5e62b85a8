#pragma once

#include <QAction>
#include <QMenuBar>
#include <QPushButton>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QKeyEvent;
class QLabel;
class QLineEdit;

namespace forms {

// The controls offer the form runtime's own property names (Text, Caption,
// SetFocus) in the core's UTF-16 texts, so that handlers read like the forms
// they belong to. A box or a label holds its Qt widget privately: its text
// changes only through the runtime's setters, which keep count of the changes
// and the caption as given.

class TextBox : public QWidget {
    Q_OBJECT

public:
    // Receives the 16-bit code of a typed character before the box does;
    // setting it to 0 discards the character. Returns false when the
    // handler stopped on a run-time error.
    using KeyPressHandler = std::function<bool(std::int16_t&)>;

    explicit TextBox(QWidget* parent);

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
    void typeCharacter(char16_t code);
    // A KeyPress handler is running, in this box or another.
    static bool typing();

    Editor* m_editor;
    KeyPressHandler m_keyPress;
    int m_revision = 0;
    bool m_forwarding = false;
};

class Label : public QWidget {
    Q_OBJECT

public:
    explicit Label(QWidget* parent);

    // The caption exactly as given; LF CR, CR LF, LF and CR each show as one
    // line break.
    const std::u16string& Caption() const { return m_caption; }
    void SetCaption(std::u16string_view caption);
    // Counts the times the program has set the caption.
    int revision() const { return m_revision; }

    // What the label shows.
    QString shownText() const;
    void setAlignment(Qt::Alignment alignment);
    Qt::Alignment alignment() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* m_text;
    std::u16string m_caption;
    int m_revision = 0;
};

class CommandButton : public QPushButton {
    Q_OBJECT

public:
    explicit CommandButton(QWidget* parent);

    std::u16string Caption() const;
    void SetCaption(std::u16string_view caption);

    // A graphical button is drawn flat in its own face colour (its BackColor,
    // or the system's button face) with a plain raised border, sunken while
    // pressed and with a dotted rectangle while it has the focus; its picture
    // or caption in the middle.
    void setGraphical(bool graphical) { m_graphical = graphical; }

protected:
    void paintEvent(QPaintEvent* event) override;
    // Return and Enter click a focused button, as Space does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_graphical = false;
};

// A window's menu bar, in the window. While it has the keyboard (after Alt
// alone) its item is ringed: the style marks it only while a menu is open.
class MenuBar : public QMenuBar {
    Q_OBJECT

public:
    explicit MenuBar(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A key other than a modifier went down while Alt was held.
    bool m_chord = false;
};

// A top-level menu item with no sub-items.
class MenuItem : public QAction {
    Q_OBJECT

public:
    explicit MenuItem(QObject* parent);

    std::u16string Caption() const;
    void SetCaption(std::u16string_view caption);
};

// The text a label shows for a caption.
QString displayedCaption(std::u16string_view caption);

}  // namespace forms
