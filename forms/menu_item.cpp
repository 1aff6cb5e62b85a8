#include "menu_item.h"

namespace forms {

MenuItem::MenuItem(QObject* parent) : QAction(parent) {}

std::u16string MenuItem::Caption() const {
    return text().toStdU16String();
}

void MenuItem::SetCaption(std::u16string_view caption) {
    setText(QStringView(caption).toString());
}

}  // namespace forms
