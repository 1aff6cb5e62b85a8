#pragma once

#include <QString>
#include <QWidget>
#include <string>
#include <string_view>

class QLabel;

namespace forms {

// A label with the form runtime's own Caption in the core's UTF-16 texts. It
// holds its Qt label privately: its caption changes only through SetCaption,
// which keeps count of the changes and the caption as given.
class Label : public QWidget {
    Q_OBJECT

public:
    explicit Label(QWidget* parent);

    // The caption exactly as given; LF CR, CR LF, LF and CR each show as one
    // line break.
    const std::u16string& Caption() const { return m_caption; }
    void SetCaption(std::u16string_view caption);
    // Counts the times the program has set the caption.
    int revision() const { return m_revision; }

    // What the label shows.
    QString shownText() const;
    void setAlignment(Qt::Alignment alignment);
    Qt::Alignment alignment() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* m_text;
    std::u16string m_caption;
    int m_revision = 0;
};

// The text a label shows for a caption.
QString displayedCaption(std::u16string_view caption);

}  // namespace forms
