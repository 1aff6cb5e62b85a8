#pragma once

#include <QPoint>
#include <QSize>
#include <memory>
#include <optional>

class QWidget;

namespace desktop {

class ConfigureAnswers;

// Waits for the window system to answer each change of a window's position
// or size, pass by pass of the closing animation. Qt takes a change as done
// as soon as it is asked for, and each of its requests carries the whole
// geometry, so a request sent before the last one is answered could carry
// stale values; and a window manager that answers late must not read as one
// that holds the window where it is.
class WindowAnswers {
public:
    explicit WindowAnswers(QWidget& window);
    ~WindowAnswers();

    // Moves the window's frame to `frame`, or gives its client area `size`,
    // and waits for the answer.
    void move(QPoint frame);
    void resize(QSize size, bool fixed);

    // A move not answered yet in this pass: the next move keeps its other
    // coordinate instead of sending back the old one.
    std::optional<QPoint> pendingMove() const { return m_pendingFrame; }

    // Ends a pass: waits once more for what a busy window system left
    // unanswered, and learns which changes this one never answers.
    void endPass();

private:
    void noteRequest();
    bool carriedOut(std::optional<QPoint> frame, std::optional<QSize> size) const;
    bool changedAsAsked(std::optional<QPoint> frame, std::optional<QSize> size) const;
    bool await(std::optional<QPoint> frame, std::optional<QSize> size, int timeoutMs);

    QWidget& m_window;
    std::unique_ptr<ConfigureAnswers> m_answers;
    long m_answersBefore = 0;
    std::optional<QPoint> m_pendingFrame;
    std::optional<QSize> m_pendingSize;
    bool m_moveUnansweredThisPass = false;
    bool m_sizeUnansweredThisPass = false;
    bool m_moveCarriedOutThisPass = false;
    bool m_sizeCarriedOutThisPass = false;
    int m_movesIgnoredPasses = 0;
    int m_sizesIgnoredPasses = 0;
    // Changes of a kind that this window system leaves unanswered for good.
    bool m_movesGoUnanswered = false;
    bool m_sizesGoUnanswered = false;
};

// Waits, at most 100 ms, until the compositor asks for the window's next
// frame, so that each pass is drawn where the compositor draws for the
// program (Wayland).
void awaitNextFrame(QWidget& window);

}  // namespace desktop
