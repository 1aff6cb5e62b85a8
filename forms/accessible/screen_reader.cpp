#include "screen_reader.h"

#include "label.h"
#include "notification.h"
#include "text_box.h"

#include <QShortcut>
#include <QStringList>
#include <QToolTip>
#include <algorithm>
#include <utility>

namespace forms {

namespace {

int revisionOf(const QWidget& control) {
    if (const auto* label = qobject_cast<const Label*>(&control)) {
        return label->revision();
    }
    if (const auto* box = qobject_cast<const TextBox*>(&control)) {
        return box->revision();
    }
    return 0;
}

QString textOf(const QWidget& control) {
    if (const auto* label = qobject_cast<const Label*>(&control)) {
        return label->shownText().simplified();
    }
    if (const auto* box = qobject_cast<const TextBox*>(&control)) {
        return QString::fromStdU16String(box->Text()).simplified();
    }
    return {};
}

// Reading order: row by row from the top, controls whose heights overlap
// sharing a row, each row from the left.
std::vector<QWidget*> inReadingOrder(std::vector<QWidget*> controls) {
    std::sort(controls.begin(), controls.end(),
              [](const QWidget* a, const QWidget* b) { return a->y() < b->y(); });
    std::vector<QWidget*> ordered;
    for (std::size_t rowStart = 0; rowStart < controls.size();) {
        std::size_t rowEnd = rowStart + 1;
        int rowBottom = controls[rowStart]->geometry().bottom();
        while (rowEnd < controls.size() && controls[rowEnd]->y() <= rowBottom) {
            rowBottom = std::max(rowBottom, controls[rowEnd]->geometry().bottom());
            ++rowEnd;
        }
        std::sort(controls.begin() + long(rowStart), controls.begin() + long(rowEnd),
                  [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
        ordered.insert(ordered.end(), controls.begin() + long(rowStart),
                       controls.begin() + long(rowEnd));
        rowStart = rowEnd;
    }
    return ordered;
}

}  // namespace

ScreenReaderNotes::ScreenReaderNotes(QWidget& window)
    : m_window(window), m_notification(new Notification(window)) {
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), &window);
    help->setContext(Qt::WindowShortcut);
    QObject::connect(help, &QShortcut::activated, &window, [this] { tellNotices(); });
}

void ScreenReaderNotes::beforeEvent() {
    for (Outcome& outcome : m_outcomes) {
        outcome.revisionBefore = revisionOf(*outcome.control);
        outcome.hiddenBefore = outcome.control->isHidden();
    }
    m_boxes.clear();
    for (TextBox* box : m_window.findChildren<TextBox*>()) {
        m_boxes.push_back({box, box->revision(), !box->Text().empty(), !box->isHidden()});
    }
}

// The shown boxes whose text the event took away, by name: "Day, Month and
// Year emptied.", or nothing.
QString ScreenReaderNotes::emptiedBoxes() const {
    std::vector<QWidget*> emptied;
    for (const Box& before : m_boxes) {
        const TextBox& box = *before.box;
        if (box.revision() != before.revisionBefore && before.heldTextBefore &&
            box.Text().empty() && before.shownBefore && !box.isHidden()) {
            emptied.push_back(before.box);
        }
    }
    QStringList names;
    for (const QWidget* box : inReadingOrder(emptied)) {
        const QWidget* read = box->focusProxy() ? box->focusProxy() : box;
        names << read->accessibleName();
    }
    if (names.isEmpty()) {
        return {};
    }
    const QString last = names.takeLast();
    const QString all =
        names.isEmpty() ? last : names.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
    return all + QStringLiteral(" emptied.");
}

// After an event stopped by an error: that it stopped, and the state the
// window is in, if one of its own. The reader reads the focused control
// itself as the window takes the keyboard back from the error's box.
QString ScreenReaderNotes::whereTheWindowStands() const {
    QStringList where{QStringLiteral("The command stopped at the error.")};
    if (!m_stateNotice.isEmpty()) {
        where << m_stateNotice;
    }
    return where.join(u' ');
}

void ScreenReaderNotes::afterEvent(bool completed) {
    QStringList prompt;
    for (const Label* label : m_prompts) {
        if (!label->isHidden() && !label->shownText().isEmpty()) {
            prompt << label->shownText().simplified();
        }
    }
    if (m_window.accessibleDescription() != prompt.join(u' ')) {
        m_window.setAccessibleDescription(prompt.join(u' '));
    }

    QStringList news = std::exchange(m_notes, QStringList());
    if (!completed) {
        m_boxes.clear();
        tell(whereTheWindowStands());
        return;
    }
    if (const QString emptied = emptiedBoxes(); !emptied.isEmpty()) {
        news << emptied;
    }
    m_boxes.clear();
    std::vector<QWidget*> changed;
    for (const Outcome& outcome : m_outcomes) {
        const bool set = revisionOf(*outcome.control) != outcome.revisionBefore;
        const bool shown = outcome.hiddenBefore && !outcome.control->isHidden();
        if ((set || shown) && !outcome.control->isHidden() && !textOf(*outcome.control).isEmpty()) {
            changed.push_back(outcome.control);
        }
    }
    for (const QWidget* control : inReadingOrder(changed)) {
        news << textOf(*control);
    }
    if (!news.isEmpty()) {
        tell(news.join(u' '));
    }
}

// Reads out the notices of the shown labels and shows them as tooltips, so
// that they are reached from the keyboard as well as by the pointer; in a
// state of the window's own, the notice of that state.
void ScreenReaderNotes::tellNotices() {
    if (!m_stateNotice.isEmpty()) {
        const QWidget* focused = m_window.focusWidget() ? m_window.focusWidget() : &m_window;
        QToolTip::showText(focused->mapToGlobal(focused->rect().bottomLeft()), m_stateNotice,
                           &m_window);
        tell(m_stateNotice);
        return;
    }
    QStringList notices;
    for (Label* label : m_window.findChildren<Label*>()) {
        if (label->isVisible() && !label->toolTip().trimmed().isEmpty()) {
            notices << label->toolTip().trimmed();
            QToolTip::showText(label->mapToGlobal(label->rect().center()), label->toolTip(), label);
        }
    }
    if (!notices.isEmpty()) {
        tell(notices.join(u' '));
    }
}

void ScreenReaderNotes::tell(const QString& news) {
    if (!m_window.isVisible()) {
        m_untold = news;
        return;
    }
    m_notification->hide();
    m_notification->setAccessibleName(news);
    m_notification->show();
}

void ScreenReaderNotes::windowActivated() {
    if (!m_untold.isEmpty()) {
        tell(std::exchange(m_untold, QString()));
    }
}

}  // namespace forms
