#pragma once

#include "services.h"

#include <QApplication>

namespace forms {

// Starts a program made of one form: builds it, raises Load, shows it and
// runs the event loop until EndProgram or the last window closes.
template <class FormType>
int runForm(int argc, char** argv) {
    QApplication app(argc, argv);
    prepareApplication(app);
    FormType form;
    form.start();
    return app.exec();
}

}  // namespace forms
