#pragma once

#include "closing_animation.h"

#include <QPoint>
#include <QSize>
#include <optional>

class QWidget;

namespace forms {

// A form's window seen from outside: its outer frame (title bar and borders
// included) in twips, as the closing animation and the handlers move and
// size it. Each change waits until the window system has carried it out,
// so that the next read shows where the window really is.
class FormWindow : public core::AnimatedWindow {
public:
    explicit FormWindow(QWidget& window) : m_window(window) {}

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
    // Places the window in the middle of its screen.
    void centreOnScreen();
    // From now on the program alone changes the window's size, to any size.
    void releaseSize();

private:
    double dpiX() const;
    double dpiY() const;
    QSize frameExtra() const;
    QPoint framePosition() const;
    void requestFramePosition(QPoint frame);
    void resizeClient(int width, int height);
    bool windowSystemAnswered() const;
    void awaitWindowSystem();

    QWidget& m_window;
    std::optional<QPoint> m_requestedFrame;
    std::optional<QSize> m_requestedClientSize;
    bool m_windowSystemRefusesSizes = false;
    bool m_sizeReleased = false;
};

}  // namespace forms
