#include "control_factory.h"

#include "command_button.h"
#include "fonts.h"
#include "label.h"
#include "readable_colours.h"
#include "text_box.h"

#include <QFont>
#include <QIcon>
#include <QImage>
#include <QMenuBar>
#include <QPixmap>
#include <algorithm>
#include <optional>

namespace forms {

namespace {

QColor toQColor(Colour colour) {
    return QColor(colour.red(), colour.green(), colour.blue());
}

std::optional<QFont> layoutFont(const FontSpec& spec) {
    if (!spec.family) {
        return std::nullopt;
    }
    QFont font(installedFace(QString::fromLatin1(spec.family)));
    font.setPointSizeF(spec.pointSize);
    font.setWeight(QFont::Weight(spec.weight));
    return font;
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
    const std::optional<QFont> font = layoutFont(spec.font);
    auto* box = new TextBox(&parent, font ? &*font : nullptr);
    box->SetText(spec.text);
    if (spec.maxLength > 0) {
        box->setMaxLength(spec.maxLength);
    }
    box->setLocked(spec.locked);
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

QIcon windowIcon(Xpm picture, std::span<const DrawnIcon> drawnIcons) {
    const QPixmap small(picture);
    QIcon icon(small);
    for (const DrawnIcon& drawn : drawnIcons) {
        const QImage image(reinterpret_cast<const uchar*>(drawn.pixels), drawn.side, drawn.side,
                           QImage::Format_ARGB32_Premultiplied);
        icon.addPixmap(QPixmap::fromImage(image));
    }
    if (drawnIcons.empty()) {
        // The sizes that title bars, task switchers and docks ask a window
        // for; whole pixels scaled up keep the same picture.
        for (const int side : {32, 48, 64}) {
            icon.addPixmap(small.scaled(side, side, Qt::KeepAspectRatio, Qt::FastTransformation));
        }
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
        // A box is read by the editing line inside it.
        QWidget* read = widget->focusProxy() ? widget->focusProxy() : widget;
        read->setAccessibleName(QString::fromLatin1(spec.accessibleName));
    }
    if (spec.toolTip) {
        widget->setToolTip(QStringView(spec.toolTip).toString());
    }
    if (const std::optional<QFont> font = layoutFont(spec.font)) {
        widget->setFont(*font);
    }
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
