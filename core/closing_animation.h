#pragma once

namespace core {

// The window as the closing animation moves and shrinks it: the outer frame
// (title bar and borders included) and the screen's width, all in twips.
// Any call may throw when the window system refuses it.
class AnimatedWindow {
public:
    virtual ~AnimatedWindow() = default;
    virtual float top() = 0;
    virtual float left() = 0;
    virtual float width() = 0;
    virtual float height() = 0;
    virtual void setTop(float twips) = 0;
    virtual void setLeft(float twips) = 0;
    virtual void setWidth(float twips) = 0;
    virtual void setHeight(float twips) = 0;
    virtual float screenWidth() = 0;
    // Makes the changes of one pass visible: hands them to the window system,
    // waits for its answer and repaints, running no user input.
    virtual void showPass() {}
    // Whether the last pass's outcome is the window system's word: false
    // when it changed hands during the pass (a window manager replaced,
    // restarted or gone), or only said nothing changed, so that a pass that
    // moved nothing says nothing of what the next one will do.
    virtual bool passSettled() { return true; }
};

// The Unload handler of both programs: the window shrinks and drifts right
// and down until its top passes the screen's width, then the program ends.
// Never refuses the close and never reports anything.
void CloseWithAnimation(AnimatedWindow& window);

}  // namespace core
