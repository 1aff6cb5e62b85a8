// Starts Quillon's window as the program does and, once the window is on the
// screen, asks it to close the way a compositor's close request does. For
// platforms where no tool can send that request from outside (a headless
// Wayland compositor has no input). Ends with the program's own exit status.
#include "application.h"
#include "quillon_form.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWindow>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    forms::prepareApplication(app);
    quillon::QuillonForm form;
    form.start();
    QElapsedTimer sinceClose;
    QTimer::singleShot(500, &form, [&] {
        sinceClose.start();
        form.windowHandle()->close();
    });
    const int status = app.exec();
    std::printf("ended %lld ms after the close request\n",
                static_cast<long long>(sinceClose.elapsed()));
    return status;
}
