#pragma once

#include "centring.h"
#include "closing_animation.h"
#include "frame.h"
#include "window_answers.h"

#include <QRect>
#include <QSize>
#include <optional>
#include <vector>

class QWidget;

namespace desktop {

// A top-level window seen from outside: its outer frame (title bar and borders
// included) in twips, as the closing animation and the handlers move and
// size it, measured from the top-left corner of the monitor it stands on,
// whose width is the screen's width. Every change throws when the window
// system cannot carry it out at all: moves on Wayland, where no client places
// its own window, and anything while the window is minimised.
//
// Twips become the window system's own pixels here and nowhere else: at the
// form's logical resolution times the scale at which Qt draws it, so that a
// scaled desktop scales the whole window.
class OuterWindow : public core::AnimatedWindow {
public:
    explicit OuterWindow(QWidget& window);
    ~OuterWindow() override;

    float top() override;
    float left() override;
    float width() override;
    float height() override;
    void setTop(float twips) override;
    void setLeft(float twips) override;
    void setWidth(float twips) override;
    void setHeight(float twips) override;
    float screenWidth() override;
    void showPass() override;
    // Not when the window changed hands during the pass, nor when all the
    // window system said was that nothing changed.
    bool passSettled() override {
        return m_handoversAtPass == m_answers.handovers() && !m_tentative;
    }

    // The frame's height above and below the client area, in twips.
    float frameHeight();

    // Sets the size of the client area in Qt's pixels; the user cannot resize
    // the window.
    void setClientSize(QSize size);
    // Places the whole window, frame included, in the middle of the screen,
    // before it is first shown (see Centring).
    void centreOnScreen();
    // Follows the window system's events from now on: a window that another
    // client takes away ends the program, as a close does.
    void followWindowSystem();
    // Shows no name in the title bar or task list where the window system
    // would otherwise put the program's name in place of an empty title.
    void clearName();
    // From now on the program alone changes the window's size, to any size,
    // and the changes go to the window system a pass at a time (showPass);
    // the monitor the window stands on now is the one it closes on.
    void releaseSize();

private:
    double pixelsPerTwipX() const;
    double pixelsPerTwipY() const;
    QRect monitor();
    QMargins frame();
    QRect outerGeometry();
    QRect readGeometry();
    void change(bool move, const auto& edit);
    void apply();
    bool belowEveryMonitor(const QRect& outer) const;

    QWidget& m_window;
    WindowAnswers m_answers;
    FrameReader m_frames;
    Centring m_centring;
    bool m_sizeReleased = false;
    // The monitor the window closes on, and all of them, device pixels.
    std::optional<QRect> m_closingMonitor;
    std::vector<QRect> m_monitors;
    // Where the window went once it left every monitor.
    std::optional<QRect> m_gone;
    // The outer geometry that the changes so far ask for, in device pixels.
    std::optional<QRect> m_asked;
    bool m_changed = false;
    // The window's handovers when the last pass began, and whether the
    // window system's only answer to it was that nothing changed.
    long m_handoversAtPass = 0;
    bool m_tentative = false;
    // The window manager keeps the window from going below the bottom edge.
    bool m_heldAtBottom = false;
    // The client size the window had at the end of the last pass.
    QSize m_shownSize;
    // The smallest client size that the window system has shown it keeps.
    QSize m_sizeFloor{1, 1};
};

}  // namespace desktop
