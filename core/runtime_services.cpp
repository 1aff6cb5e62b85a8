#include "runtime_services.h"

namespace core {

namespace {
RuntimeServices* g_services = nullptr;
}

RuntimeServices* installServices(RuntimeServices* services) {
    RuntimeServices* previous = g_services;
    g_services = services;
    return previous;
}

void ShowMessage(std::u16string_view text, int style, std::u16string_view title) {
    if (g_services) {
        g_services->showMessage(text, style, title);
    }
}

void Beep() {
    if (g_services) {
        g_services->beep();
    }
}

void EndProgram() {
    if (g_services) {
        g_services->endProgram();
    }
}

}  // namespace core
