#pragma once

#include <utility>
#include <vector>

class QWidget;

namespace forms {

// The order in which the keyboard focus visits a form's controls: rising
// TabIndex, skipping hidden controls and those that never take the focus.
class TabOrder {
public:
    void add(QWidget& control, int tabIndex);

    // Chains the controls for Tab and Shift+Tab.
    void apply() const;

    // Gives the focus to the first visible control that takes it.
    void focusFirst() const;

private:
    std::vector<QWidget*> ordered() const;

    std::vector<std::pair<int, QWidget*>> m_controls;
};

}  // namespace forms
