#include "readable_colours.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace forms {

namespace {

double relativeLuminance(const QColor& colour) {
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

// Re-applies a fixed background's text colour when the system palette
// changes: the widget's window hears of it, whichever roles it changed.
class ReadableText : public QObject {
public:
    ReadableText(QWidget& widget, QColor background, QPalette::ColorRole backgroundRole,
                 QPalette::ColorRole textRole)
        : QObject(&widget),
          m_widget(widget),
          m_background(background),
          m_backgroundRole(backgroundRole),
          m_textRole(textRole) {
        apply();
        widget.window()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::ApplicationPaletteChange) {
            apply();
        }
        return false;
    }

private:
    void apply() {
        QPalette palette = m_widget.palette();
        palette.setColor(m_backgroundRole, m_background);
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            palette.setColor(
                group, m_textRole,
                readableOn(m_background, QGuiApplication::palette().color(group, m_textRole)));
        }
        m_widget.setPalette(palette);
    }

    QWidget& m_widget;
    QColor m_background;
    QPalette::ColorRole m_backgroundRole;
    QPalette::ColorRole m_textRole;
};

// Paints a widget's focus ring after the widget itself has painted.
class FocusRing : public QObject {
public:
    explicit FocusRing(QWidget& widget) : QObject(&widget) {
        setObjectName(QStringLiteral("focusRing"));
        widget.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() != QEvent::Paint || !widget || !widget->hasFocus() || m_painting) {
            return false;
        }
        m_painting = true;
        // The widget's own painting, then the ring over it.
        static_cast<QObject*>(widget)->event(event);
        m_painting = false;
        const QWidget* around = widget->parentWidget() ? widget->parentWidget() : widget;
        QPainter painter(widget);
        drawFocusRing(painter, widget->rect(),
                      focusMarkOn(around->palette().color(QPalette::Window),
                                  widget->palette().color(QPalette::Highlight)));
        return true;
    }

private:
    bool m_painting = false;
};

}  // namespace

void ringFocus(QWidget& widget) {
    new FocusRing(widget);
}

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor& background, const QColor& preferred) {
    if (contrastRatio(background, preferred) >= kReadableContrast) {
        return preferred;
    }
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return contrastRatio(background, black) >= contrastRatio(background, white) ? black : white;
}

QColor focusMarkOn(const QColor& background, const QColor& preferred) {
    if (contrastRatio(background, preferred) >= kFocusContrast) {
        return preferred;
    }
    // Towards black or white, whichever gets there in fewer steps.
    const QColor rgb = preferred.toRgb();
    const auto mixed = [&](const QColor& end, double share) {
        return QColor::fromRgbF(float(rgb.redF() + (end.redF() - rgb.redF()) * share),
                                float(rgb.greenF() + (end.greenF() - rgb.greenF()) * share),
                                float(rgb.blueF() + (end.blueF() - rgb.blueF()) * share));
    };
    for (int step = 1; step <= 20; ++step) {
        for (const QColor end : {QColor(Qt::black), QColor(Qt::white)}) {
            const QColor candidate = mixed(end, step / 20.0);
            if (contrastRatio(background, candidate) >= kFocusContrast) {
                return candidate;
            }
        }
    }
    return readableOn(background, preferred);
}

void drawFocusRing(QPainter& painter, const QRect& area, const QColor& colour) {
    const QRect r = area.normalized();
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 2), colour);
    painter.fillRect(QRect(r.left(), r.bottom() - 1, r.width(), 2), colour);
    painter.fillRect(QRect(r.left(), r.top(), 2, r.height()), colour);
    painter.fillRect(QRect(r.right() - 1, r.top(), 2, r.height()), colour);
}

void fixBackground(QWidget& widget, const QColor& background, QPalette::ColorRole backgroundRole,
                   QPalette::ColorRole textRole) {
    new ReadableText(widget, background, backgroundRole, textRole);
    widget.setAutoFillBackground(true);
}

}  // namespace forms
