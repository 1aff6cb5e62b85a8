#include "label.h"

#include <QLabel>

namespace forms {

QString displayedCaption(std::u16string_view caption) {
    QString shown;
    shown.reserve(qsizetype(caption.size()));
    for (std::size_t i = 0; i < caption.size(); ++i) {
        const char16_t c = caption[i];
        if (c == u'\n' || c == u'\r') {
            const char16_t partner = c == u'\n' ? u'\r' : u'\n';
            if (i + 1 < caption.size() && caption[i + 1] == partner) {
                ++i;
            }
            shown += QChar(u'\n');
        } else {
            shown += QChar(c);
        }
    }
    return shown;
}

Label::Label(QWidget* parent) : QWidget(parent), m_text(new QLabel(this)) {
    m_text->setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::NoFocus);
}

void Label::SetCaption(std::u16string_view caption) {
    ++m_revision;
    m_caption.assign(caption);
    m_text->setText(displayedCaption(caption));
}

QString Label::shownText() const {
    return m_text->text();
}

void Label::setAlignment(Qt::Alignment alignment) {
    m_text->setAlignment(alignment);
}

Qt::Alignment Label::alignment() const {
    return m_text->alignment();
}

void Label::resizeEvent(QResizeEvent* event) {
    m_text->setGeometry(rect());
    QWidget::resizeEvent(event);
}

}  // namespace forms
