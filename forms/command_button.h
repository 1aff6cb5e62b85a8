#pragma once

#include <QPushButton>
#include <string>
#include <string_view>

namespace forms {

// A command button with the form runtime's own Caption in the core's UTF-16
// texts.
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

}  // namespace forms
