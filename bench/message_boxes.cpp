// The memory an ERROR box leaves behind: shows COUNT boxes one after another,
// each answered at once, and prints the resident memory every 500 boxes.
//
//   QT_QPA_PLATFORM=offscreen message_boxes [COUNT]
#include "application.h"
#include "runtime_services.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

long residentKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::atol(line.c_str() + 6);
        }
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 8000;
    QApplication app(argc, argv);
    forms::prepareApplication(app);
    QWidget window;
    window.show();
    for (int i = 1; i <= count; ++i) {
        QTimer::singleShot(3, [] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                box->close();
            }
        });
        core::ShowMessage(u"Error In Mouth 01 To 12", core::kStopIcon, u"ERROR");
        if (i % 500 == 0) {
            std::printf("%d boxes: %ld KiB resident\n", i, residentKiB());
            std::fflush(stdout);
        }
    }
    return 0;
}
