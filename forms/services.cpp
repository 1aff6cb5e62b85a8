#include "services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

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
    // Every box shows the one icon of the first box's OK button: each new
    // icon would leave its drawn pixmaps in Qt's pixmap cache.
    if (QAbstractButton* ok = box.button(QMessageBox::Ok)) {
        static const QIcon shared = ok->icon();
        ok->setIcon(shared);
    }
    box.exec();
}

void QtServices::beep() {
    QApplication::beep();
}

// The program ends at once: the window is taken down and what was written is
// flushed, but no toolkit teardown runs, since Qt's Wayland teardown can wait
// forever on its event thread (seen under sway).
void QtServices::endProgram() {
    g_programEnded = true;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        window->hide();
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    std::fflush(nullptr);
    std::_Exit(0);
}

bool programEnded() {
    return g_programEnded;
}

}  // namespace forms
