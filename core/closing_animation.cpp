#include "closing_animation.h"

#include "runtime_services.h"

#include <optional>

namespace core {

namespace {

constexpr float kStep = 30.0f;    // twips that Top and Left move per pass
constexpr float kShrink = 60.0f;  // twips that Width and Height lose per pass
// Passes in a row that move nothing while the window system changes hands
// before the loop gives up.
constexpr int kMostUnsettled = 8;

// Runs one step; a step that fails is skipped and the next one runs.
template <class Step>
void trapped(Step&& step) {
    try {
        step();
    } catch (...) {
    }
}

// A read of the window's size that may fail; none then.
template <class Read>
std::optional<float> tryRead(Read&& read) {
    try {
        return read();
    } catch (...) {
        return std::nullopt;
    }
}

bool shrank(std::optional<float> before, std::optional<float> after) {
    return before && after && *after < *before;
}

}  // namespace

void CloseWithAnimation(AnimatedWindow& window) {
    bool again = true;
    int unsettled = 0;
    while (again) {
        // What this pass's own reads see before its changes.
        std::optional<float> topBefore, widthBefore, heightBefore;
        trapped([&] {
            const float top = window.top();
            topBefore = top;
            window.setTop(top + kStep);
        });
        trapped([&] { window.setLeft(window.left() + kStep); });
        trapped([&] {
            const float width = window.width();
            widthBefore = width;
            window.setWidth(width - kShrink);
        });
        trapped([&] {
            const float height = window.height();
            heightBefore = height;
            window.setHeight(height - kShrink);
        });
        trapped([&] { window.showPass(); });
        try {
            const float top = window.top();
            again = top <= window.screenWidth();
            // A pass that neither moved the window down nor shrank it is the
            // last: the window cannot move (minimised, held at a screen edge,
            // or on Wayland) and is as small as the window system lets it be.
            const bool movedDown = topBefore && top > *topBefore;
            const bool progress = movedDown ||
                                  shrank(widthBefore, tryRead([&] { return window.width(); })) ||
                                  shrank(heightBefore, tryRead([&] { return window.height(); }));
            // While the window system changes hands, a pass may move nothing
            // though the next one would.
            unsettled = progress ? 0 : unsettled + (window.passSettled() ? kMostUnsettled + 1 : 1);
            if (again && !progress && unsettled > kMostUnsettled) {
                again = false;
            }
        } catch (...) {
            again = false;
        }
    }
    EndProgram();
}

}  // namespace core
