#pragma once

#include "accessible/screen_reader.h"
#include "command_button.h"
#include "event_boundary.h"
#include "label.h"
#include "layout.h"
#include "menu_item.h"
#include "outer_window.h"
#include "tab_order.h"
#include "text_box.h"

#include <QMainWindow>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

class QMenuBar;

namespace forms {

// A window built from a layout table: the controls stand in its client area,
// below the menu bar when it has one. Delivers Load, Unload, Click and
// KeyPress to the handlers of the form that derives from it, each inside the
// event boundary.
class Form : public QMainWindow {
public:
    explicit Form(const FormSpec& spec);
    ~Form() override;

    // Raises Load, then shows the window with the focus on its first control
    // in tab order.
    void start();

    QWidget& clientArea() const { return *m_client; }
    // None when the layout has no menu.
    QMenuBar* formMenuBar() const { return m_menuBar; }

    // The control or menu item of that name. A name the layout lacks is a
    // programming error: it throws std::invalid_argument naming it.
    QWidget& control(std::string_view name) const;
    MenuItem& menuItem(std::string_view name) const;

    // The outer window in twips, as the handlers and the closing animation
    // move and size it.
    desktop::OuterWindow& outerWindow() { return m_outerWindow; }

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload(std::int16_t& Cancel) { (void)Cancel; }

    TextBox& textBox(std::string_view name) const;
    Label& label(std::string_view name) const;
    CommandButton& commandButton(std::string_view name) const;

    void onClick(CommandButton& button, std::function<void()> handler);
    void onClick(MenuItem& item, std::function<void()> handler);
    void onKeyPress(TextBox& box, std::function<void(std::int16_t&)> handler);

    // A change of state that a screen reader is to hear after the event,
    // wherever the focus is.
    void tellScreenReader(const QString& note) { m_readerNotes.addNote(note); }
    // What F1 tells while the window is in a state of its own, in place of
    // its labels' notices; none in its usual state.
    void setStateNotice(const QString& notice) { m_readerNotes.setStateNotice(notice); }

    // Shows or hides a control; hiding the focused control moves the focus
    // on in tab order, as the toolkit does.
    void setControlVisible(QWidget& control, bool visible) { control.setVisible(visible); }

    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    template <class Control>
    Control& typed(std::string_view name) const;
    void giveFocusBackIfLost();

    QWidget* m_client = nullptr;
    QMenuBar* m_menuBar = nullptr;
    StartUpPosition m_startUpPosition;
    std::map<std::string, QWidget*, std::less<>> m_controls;
    std::map<std::string, MenuItem*, std::less<>> m_menuItems;
    TabOrder m_tabOrder;
    ScreenReaderNotes m_readerNotes{*this};
    EventBoundary m_events{[this] { m_readerNotes.beforeEvent(); },
                           [this](bool completed) {
                               giveFocusBackIfLost();
                               m_readerNotes.afterEvent(completed);
                           }};
    desktop::OuterWindow m_outerWindow{*this};
};

}  // namespace forms
