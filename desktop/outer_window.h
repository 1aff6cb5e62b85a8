#pragma once

#include "closing_animation.h"
#include "window_answers.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

class QWidget;

namespace desktop {

// A top-level window seen from outside: its outer frame (title bar and borders
// included) in twips, as the closing animation and the handlers move and
// size it. Each change waits until the window system has answered it, so
// that the next read shows where the window really is. Every change throws
// when the window system cannot carry it out at all: moves on Wayland, where
// no client places its own window, and anything while the window is
// minimised.
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

    // Sets the size of the client area in pixels; the user cannot resize the
    // window.
    void setClientSize(QSize size);
    // Places the whole window, frame included, in the middle of its screen;
    // before it is first shown.
    void centreOnScreen();
    // Shows no name in the title bar or task list where the window system
    // would otherwise put the program's name in place of an empty title.
    void clearName();
    // From now on the program alone changes the window's size, to any size.
    void releaseSize();

private:
    double dpiX() const;
    double dpiY() const;
    QSize frameExtra() const;
    QRect outerGeometry() const;
    void requireChangeable(bool move) const;
    void resizeClient(int width, int height);

    QWidget& m_window;
    WindowAnswers m_answers;
    bool m_sizeReleased = false;
};

}  // namespace desktop
