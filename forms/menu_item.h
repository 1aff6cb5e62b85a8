#pragma once

#include <QAction>
#include <string>
#include <string_view>

namespace forms {

// A top-level menu item with no sub-items, with the form runtime's own
// Caption in the core's UTF-16 texts.
class MenuItem : public QAction {
    Q_OBJECT

public:
    explicit MenuItem(QObject* parent);

    std::u16string Caption() const;
    void SetCaption(std::u16string_view caption);
};

}  // namespace forms
