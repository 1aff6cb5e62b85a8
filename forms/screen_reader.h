#pragma once

#include <QString>
#include <vector>

class QWidget;

namespace forms {

class Label;

// Tells a screen reader what the focused control alone would not: the
// prompt that stands over a window's controls, read with the window as its
// accessible description; and the new text of the controls that show what
// an event brought about (a result, a schedule), read out through a
// notification that the window shows for a moment, wherever the focus is.
class ScreenReaderNotes {
public:
    explicit ScreenReaderNotes(QWidget& window);

    // A label read with the window while it is visible.
    void addPrompt(Label& prompt) { m_prompts.push_back(&prompt); }
    // A label or text box whose text is read out after an event that set it.
    void addOutcome(QWidget& control) { m_outcomes.push_back({&control, 0}); }

    // Around every event: notes what the event set, then tells it; what an
    // event sets before the window is shown (Load) is told once the window is
    // first active, after the screen reader has read the window itself.
    void beforeEvent();
    void afterEvent();
    void windowActivated();

private:
    struct Outcome {
        QWidget* control;
        int revisionBefore;
    };

    void tell(const QString& news);

    QWidget& m_window;
    QWidget* m_notification;
    QString m_untold;
    std::vector<Label*> m_prompts;
    std::vector<Outcome> m_outcomes;
};

}  // namespace forms
