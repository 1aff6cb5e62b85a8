#pragma once

#include "controls.h"
#include "form_window.h"
#include "layout.h"

#include <QWidget>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

class QMenuBar;

namespace forms {

// A window built from a layout table, delivering Load, Unload, Click and
// KeyPress to the handlers of the form that derives from it. Each handler
// runs inside the event boundary: a run-time error stops the handler where
// it arose, is reported in one message box, and the program goes on.
class Form : public QWidget {
public:
    explicit Form(const FormSpec& spec);
    ~Form() override;

    // Raises Load, then shows the window with the focus on its first control
    // in tab order.
    void start();

    // The outer frame, title bar included, in twips.
    double outerLeft() const;
    double outerTop() const;
    double outerWidth() const;
    double outerHeight() const;
    void setOuterLeft(double twips);
    void setOuterTop(double twips);
    void setOuterWidth(double twips);
    void setOuterHeight(double twips);
    double screenWidth() const;
    // Runs the window system's events, and no user input, until the window
    // system has carried out the last change of position or size, or for at
    // most timeoutMs: it answers late, and never answers a change it refuses.
    // Qt takes a change as done as soon as it is asked for, and each of its
    // requests carries the whole geometry, so a request made before the last
    // one is answered could carry stale values.
    void awaitWindowSystem(int timeoutMs);

    // Left and Top of a control, in twips from the client area's corner.
    Twips controlLeft(const QWidget& control) const;
    Twips controlTop(const QWidget& control) const;
    void setControlLeft(QWidget& control, Twips left);
    void setControlTop(QWidget& control, Twips top);
    // Left, then Top.
    void placeControl(QWidget& control, Twips left, Twips top);
    // Shows or hides a control. Hiding the control that has the focus moves
    // the focus to the next visible control in tab order.
    void setControlVisible(QWidget& control, bool visible);

    QWidget* clientArea() const { return m_client; }
    QMenuBar* menuBar() const { return m_menuBar; }
    QWidget* control(const char* name) const;
    MenuItem* menuItem(const char* name) const;

    // Runs one handler inside the event boundary; false when it stopped on a
    // run-time error.
    bool runEvent(const std::function<void()>& handler);

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload(std::int16_t& Cancel) { (void)Cancel; }

    TextBox& textBox(const char* name) const;
    Label& label(const char* name) const;
    CommandButton& commandButton(const char* name) const;

    void onClick(CommandButton& button, std::function<void()> handler);
    void onClick(MenuItem& item, std::function<void()> handler);
    void onKeyPress(TextBox& box, std::function<void(std::int16_t&)> handler);

    void closeEvent(QCloseEvent* event) override;

    // The window as the closing animation moves and shrinks it.
    core::AnimatedWindow& animatedWindow() { return m_animatedWindow; }

private:
    double dpiX() const;
    double dpiY() const;
    void createControl(const ControlSpec& spec);
    void applyTabOrder();
    std::vector<QWidget*> tabOrder() const;
    void focusFirstControl();
    void resizeClient(int width, int height);
    QSize frameExtra() const;
    QPoint framePosition() const;
    void requestFramePosition(QPoint frame);
    bool windowSystemAnswered() const;

    QWidget* m_client = nullptr;
    QMenuBar* m_menuBar = nullptr;
    StartUpPosition m_startUpPosition;
    std::map<std::string, QWidget*, std::less<>> m_controls;
    std::map<std::string, MenuItem*, std::less<>> m_menuItems;
    std::map<const QWidget*, int> m_tabIndex;
    FormWindow m_animatedWindow{*this};
    std::optional<QPoint> m_requestedFrame;
    std::optional<QSize> m_requestedClientSize;
    bool m_windowSystemRefusesSizes = false;
    bool m_unloading = false;
};

}  // namespace forms
