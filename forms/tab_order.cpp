#include "tab_order.h"

#include <QWidget>
#include <algorithm>

namespace forms {

void TabOrder::add(QWidget& control, int tabIndex) {
    m_controls.emplace_back(tabIndex, &control);
}

std::vector<QWidget*> TabOrder::ordered() const {
    std::vector<std::pair<int, QWidget*>> indexed;
    for (const auto& entry : m_controls) {
        if (entry.second->focusPolicy() & Qt::TabFocus) {
            indexed.push_back(entry);
        }
    }
    std::stable_sort(indexed.begin(), indexed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<QWidget*> order;
    order.reserve(indexed.size());
    for (const auto& entry : indexed) {
        order.push_back(entry.second);
    }
    return order;
}

void TabOrder::apply() const {
    const std::vector<QWidget*> order = ordered();
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void TabOrder::focusFirst() const {
    for (QWidget* control : ordered()) {
        if (!control->isHidden()) {
            control->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

}  // namespace forms
