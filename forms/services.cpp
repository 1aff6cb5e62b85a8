#include "services.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace forms {

namespace {
bool g_programEnded = false;
}

void QtServices::showMessage(std::u16string_view text, int style, std::u16string_view title) {
    const QMessageBox::Icon icon =
        style & core::kStopIcon ? QMessageBox::Critical : QMessageBox::NoIcon;
    QMessageBox box(icon, QStringView(title).toString(), QStringView(text).toString(),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void QtServices::beep() {
    QApplication::beep();
}

void QtServices::endProgram() {
    g_programEnded = true;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        window->hide();
    }
    QCoreApplication::exit(0);
}

bool programEnded() {
    return g_programEnded;
}

}  // namespace forms
