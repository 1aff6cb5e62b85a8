// Starts Quillon's window as the program does and, once the window is on the
// screen, asks it to close the way a compositor's close request does. For
// platforms where no tool can send that request from outside (a headless
// Weston has no input). Ends as the program does, through EndProgram.
#include "application.h"
#include "quillon_form.h"

#include <QTimer>
#include <QWindow>

int main(int /*argc*/, char** argv) {
    const std::unique_ptr<QApplication> app =
        forms::startApplication(argv, APP_ID_PREFIX ".quillon");
    if (!app) {
        return 1;
    }
    quillon::QuillonForm form;
    form.start();
    QTimer::singleShot(500, &form, [&] { form.windowHandle()->close(); });
    app->exec();
    return 2;  // EndProgram never returns here
}
