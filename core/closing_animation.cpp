#include "closing_animation.h"

#include "runtime_services.h"

#include <optional>

namespace core {

namespace {

constexpr float kStep = 30.0f;    // twips that Top and Left move per pass
constexpr float kShrink = 60.0f;  // twips that Width and Height lose per pass

// Runs one step; a step that fails is skipped and the next one runs.
template <class Step>
void trapped(Step&& step) {
    try {
        step();
    } catch (...) {
    }
}

}  // namespace

void CloseWithAnimation(AnimatedWindow& window) {
    bool again = true;
    while (again) {
        std::optional<float> topBefore;
        trapped([&] {
            const float top = window.top();
            topBefore = top;
            window.setTop(top + kStep);
        });
        trapped([&] { window.setLeft(window.left() + kStep); });
        trapped([&] { window.setWidth(window.width() - kShrink); });
        trapped([&] { window.setHeight(window.height() - kShrink); });
        trapped([&] { window.showPass(); });
        try {
            const float top = window.top();
            again = top <= window.screenWidth();
            // A window that did not move down cannot be moved (minimised,
            // maximised, held by the window manager, or on Wayland): stop.
            if (topBefore && !(top > *topBefore)) {
                again = false;
            }
        } catch (...) {
            again = false;
        }
    }
    EndProgram();
}

}  // namespace core
