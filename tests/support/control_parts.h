#pragma once

#include "text_box.h"

#include <QApplication>
#include <QLineEdit>
#include <QWidget>
#include <typeinfo>

namespace testing_support {

// The control a widget belongs to: a box, not the editing line inside it
// that takes the keys and the mouse on its behalf.
inline QWidget* controlOf(QWidget* widget) {
    while (widget && widget->parentWidget() && widget->parentWidget()->focusProxy() == widget) {
        widget = widget->parentWidget();
    }
    return widget;
}

// A control as the kind it is; taking it for another kind fails the test
// there, with std::bad_cast.
template <class Control>
Control& controlAs(QWidget& control) {
    if (auto* typed = qobject_cast<Control*>(&control)) {
        return *typed;
    }
    throw std::bad_cast();
}

// The control that has the keyboard focus.
inline QWidget* focusedControl() {
    return controlOf(QApplication::focusWidget());
}

// The editing line inside a box, which the user's mouse and the clipboard
// reach.
inline QLineEdit& editorOf(forms::TextBox& box) {
    return *qobject_cast<QLineEdit*>(box.focusProxy());
}

}  // namespace testing_support
