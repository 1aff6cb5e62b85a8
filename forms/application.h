#pragma once

#include <QApplication>
#include <memory>

namespace forms {

// Sets up the application as both programs need it: the style, the fonts,
// what screen readers need and the services.
void prepareApplication(QApplication& app);

// The application of a program that reads no command line: the toolkit is
// given the program's name alone, so that none of its own options can act,
// on the platform that choosePlatform picks. `desktopFileName` ties its
// windows to the program's menu entry. None, after one line on standard
// error, when no display can be reached.
std::unique_ptr<QApplication> startApplication(char** argv, const char* desktopFileName);

// Starts a program made of one form: builds it, raises Load, shows it and
// runs the event loop until EndProgram ends the process. Exit status 1 when
// there is no display.
template <class FormType>
int runForm(int /*argc*/, char** argv, const char* desktopFileName) {
    const std::unique_ptr<QApplication> app = startApplication(argv, desktopFileName);
    if (!app) {
        return 1;
    }
    FormType form;
    form.start();
    return app->exec();
}

}  // namespace forms
