#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class QWidget;

namespace forms {

class Label;
class TextBox;

// Tells a screen reader what the focused control alone would not: the
// prompt that stands over a window's controls, read with the window as its
// accessible description; and, through a notification that the window shows
// for a moment, wherever the focus is: the new text of the controls that show
// what an event brought about (a result, a schedule), the boxes it emptied,
// the changes of state its form notes, and, on F1, the notices that labels
// carry as tooltips.
class ScreenReaderNotes {
public:
    explicit ScreenReaderNotes(QWidget& window);

    // A label read with the window while it is visible.
    void addPrompt(Label& prompt) { m_prompts.push_back(&prompt); }
    // A label or text box whose text is read out after an event that set it
    // or showed it.
    void addOutcome(QWidget& control) { m_outcomes.push_back({&control, 0, false}); }
    // A change of state that no control's text tells, read out after the
    // event, before what the event set.
    void addNote(const QString& note) { m_notes << note; }

    // What F1 tells in place of the labels' notices while it is set.
    void setStateNotice(const QString& notice) { m_stateNotice = notice; }

    // Around every event: notes what the event set, then tells it; what an
    // event sets before the window is shown (Load) is told once the window is
    // first active, after the screen reader has read the window itself. An
    // event stopped by an error brought about nothing to tell: what it set
    // on the way is no outcome, and the reader hears where the window stands.
    void beforeEvent();
    void afterEvent(bool completed = true);
    void windowActivated();

private:
    struct Outcome {
        QWidget* control;
        int revisionBefore;
        bool hiddenBefore;
    };
    struct Box {
        TextBox* box;
        int revisionBefore;
        bool heldTextBefore;
        bool shownBefore;
    };

    void tell(const QString& news);
    void tellNotices();
    QString emptiedBoxes() const;
    QString whereTheWindowStands() const;

    QWidget& m_window;
    QWidget* m_notification;
    QString m_untold;
    std::vector<Label*> m_prompts;
    std::vector<Outcome> m_outcomes;
    std::vector<Box> m_boxes;
    QStringList m_notes;
    QString m_stateNotice;
};

}  // namespace forms
