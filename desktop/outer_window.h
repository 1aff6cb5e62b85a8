#pragma once

#include "closing_animation.h"
#include "window_answers.h"

#include <QDeadlineTimer>
#include <QMargins>
#include <QRect>
#include <QSize>
#include <optional>

class QWidget;

namespace desktop {

// A top-level window seen from outside: its outer frame (title bar and borders
// included) in twips, as the closing animation and the handlers move and
// size it. Every change throws when the window system cannot carry it out at
// all: moves on Wayland, where no client places its own window, and anything
// while the window is minimised.
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

    // The frame's height above and below the client area, in twips.
    float frameHeight();

    // Sets the size of the client area in Qt's pixels; the user cannot resize
    // the window.
    void setClientSize(QSize size);
    // Places the whole window, frame included, in the middle of its screen,
    // before it is first shown, with its title bar on the screen; and again
    // as soon as the window manager tells a frame other than the one it was
    // placed with.
    void centreOnScreen();
    // Follows the window system's events from now on: a window that another
    // client takes away ends the program, as a close does.
    void followWindowSystem();
    // Shows no name in the title bar or task list where the window system
    // would otherwise put the program's name in place of an empty title.
    void clearName();
    // From now on the program alone changes the window's size, to any size,
    // and the changes go to the window system a pass at a time (showPass).
    void releaseSize();

private:
    double pixelsPerTwipX() const;
    double pixelsPerTwipY() const;
    QMargins frame();
    QRect outerGeometry();
    QRect readGeometry();
    void change(bool move, const auto& edit);
    void apply();
    std::optional<QRect> middleClient(QSize client, const QMargins& edges) const;
    void keepInMiddle();

    QWidget& m_window;
    WindowAnswers m_answers;
    bool m_sizeReleased = false;
    // The outer geometry that the changes so far ask for, in device pixels.
    std::optional<QRect> m_asked;
    bool m_changed = false;
    // The smallest client size that the window system has shown it keeps.
    QSize m_sizeFloor{1, 1};
    // Centring: where the client area was to go, how many times it was placed
    // again, and until when a frame told late still moves the window.
    std::optional<QRect> m_placedClient;
    int m_placements = 0;
    // The frame that the window manager told, as of its last change; none
    // told is (-1, -1, -1, -1).
    std::optional<QMargins> m_told;
    long m_toldStamp = 0;
    std::optional<QDeadlineTimer> m_recentreUntil;
    long m_frameChangesSeen = 0;
};

}  // namespace desktop
