#include "control_factory.h"

#include "readable_colours.h"

#include <QFont>
#include <QIcon>
#include <QImage>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <algorithm>

namespace forms {

namespace {

QColor toQColor(Colour colour) {
    return QColor(colour.red(), colour.green(), colour.blue());
}

void applyFont(QWidget& widget, const FontSpec& spec) {
    if (!spec.family) {
        return;
    }
    QFont font(QString::fromLatin1(spec.family));
    font.setPointSizeF(spec.pointSize);
    font.setWeight(QFont::Weight(spec.weight));
    widget.setFont(font);
}

Qt::Alignment toQtAlignment(Alignment alignment) {
    switch (alignment) {
        case Alignment::Right:
            return Qt::AlignRight;
        case Alignment::Centre:
            return Qt::AlignHCenter;
        case Alignment::Left:
            break;
    }
    return Qt::AlignLeft;
}

QWidget* createTextBox(const ControlSpec& spec, QWidget& parent) {
    auto* box = new TextBox(&parent);
    box->SetText(spec.text);
    if (spec.maxLength > 0) {
        box->setMaxLength(spec.maxLength);
    }
    box->setReadOnly(spec.locked);
    box->setAlignment(toQtAlignment(spec.alignment) | Qt::AlignVCenter);
    return box;
}

QWidget* createLabel(const ControlSpec& spec, QWidget& parent) {
    auto* label = new Label(&parent);
    label->SetCaption(spec.text);
    label->setAlignment(toQtAlignment(spec.alignment) | Qt::AlignTop);
    return label;
}

QWidget* createCommandButton(const ControlSpec& spec, QWidget& parent) {
    auto* button = new CommandButton(&parent);
    button->SetCaption(spec.text);
    button->setGraphical(spec.graphical);
    if (spec.picture) {
        button->setIcon(QPixmap(spec.picture));
        // The picture is fitted inside the face, whatever its own size.
        const int side =
            std::max(1, toPixels(std::min(spec.width, spec.height), parent.logicalDpiX()) - 4);
        button->setIconSize(QSize(side, side));
    }
    return button;
}

}  // namespace

QImage renderDrawing(const char* svg, int side) {
    QSvgRenderer renderer{QByteArray(svg)};
    if (!renderer.isValid()) {
        return {};
    }
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

QIcon windowIcon(Xpm picture, const char* scalable) {
    const QPixmap small(picture);
    QIcon icon(small);
    // The sizes that title bars, task switchers and docks ask a window for;
    // larger ones come from the icon theme.
    for (const int side : {32, 48, 64}) {
        const QImage drawn = scalable ? renderDrawing(scalable, side) : QImage();
        // Without a drawing, whole pixels scaled up keep the same picture.
        icon.addPixmap(drawn.isNull()
                           ? small.scaled(side, side, Qt::KeepAspectRatio, Qt::FastTransformation)
                           : QPixmap::fromImage(drawn));
    }
    return icon;
}

void paintBackground(QWidget& widget, Colour colour) {
    fixBackground(widget, toQColor(colour), QPalette::Window, QPalette::WindowText);
}

QWidget& createControl(const ControlSpec& spec, QWidget& clientArea) {
    QWidget* widget = nullptr;
    switch (spec.kind) {
        case ControlKind::TextBox:
            widget = createTextBox(spec, clientArea);
            break;
        case ControlKind::Label:
            widget = createLabel(spec, clientArea);
            break;
        case ControlKind::CommandButton:
            widget = createCommandButton(spec, clientArea);
            break;
    }
    widget->setObjectName(QString::fromLatin1(spec.name));
    if (spec.accessibleName) {
        widget->setAccessibleName(QString::fromLatin1(spec.accessibleName));
    }
    if (spec.toolTip) {
        widget->setToolTip(QStringView(spec.toolTip).toString());
    }
    applyFont(*widget, spec.font);
    if (spec.backColor) {
        if (spec.kind == ControlKind::CommandButton) {
            fixBackground(*widget, toQColor(*spec.backColor), QPalette::Button,
                          QPalette::ButtonText);
        } else {
            paintBackground(*widget, *spec.backColor);
        }
    }
    const double dpiX = clientArea.logicalDpiX();
    const double dpiY = clientArea.logicalDpiY();
    widget->setGeometry(toPixels(spec.left, dpiX), toPixels(spec.top, dpiY),
                        toPixels(spec.width, dpiX), toPixels(spec.height, dpiY));
    widget->setVisible(spec.visible);
    return *widget;
}

MenuItem& createMenuItem(const MenuItemSpec& spec, QMenuBar& menuBar) {
    auto* item = new MenuItem(&menuBar);
    item->setObjectName(QString::fromLatin1(spec.name));
    item->SetCaption(spec.caption);
    menuBar.addAction(item);
    return *item;
}

Twips controlLeft(const QWidget& control) {
    return Twips{int(toTwips(control.x(), control.logicalDpiX()) + 0.5)};
}

Twips controlTop(const QWidget& control) {
    return Twips{int(toTwips(control.y(), control.logicalDpiY()) + 0.5)};
}

void setControlLeft(QWidget& control, Twips left) {
    control.move(toPixels(left, control.logicalDpiX()), control.y());
}

void setControlTop(QWidget& control, Twips top) {
    control.move(control.x(), toPixels(top, control.logicalDpiY()));
}

void placeControl(QWidget& control, Twips left, Twips top) {
    setControlLeft(control, left);
    setControlTop(control, top);
}

}  // namespace forms
