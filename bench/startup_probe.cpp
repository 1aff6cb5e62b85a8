// Starts one window and reports, on standard output, the time from the exec
// that the launcher timed (BENCH_T0, CLOCK_MONOTONIC nanoseconds) to the end
// of the window's first painted frame, then leaves at once.
//
//   startup_probe quillon|marrasket|bare-quillon|bare-marrasket
//
// "quillon" and "marrasket" run the programs' own start-up; the bare windows
// are plain Qt Widgets windows of the same client size and widget count, the
// baseline the programs are measured against.
#include "application.h"
#include "marrasket_form.h"
#include "quillon_form.h"

#include <unistd.h>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>

namespace {

long long nowNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

// Where the time to the first frame went, on standard error when
// BENCH_PHASES is set: each phase's end, from the exec.
void phase(const char* name) {
    if (std::getenv("BENCH_PHASES")) {
        const char* t0 = std::getenv("BENCH_T0");
        std::fprintf(stderr, "phase %-12s %6.2f ms\n", name,
                     double(nowNs() - (t0 ? std::atoll(t0) : 0)) / 1e6);
    }
}

// Reports once the first paint of `window` has been flushed to the screen.
class FirstFrame : public QObject {
public:
    explicit FirstFrame(QWidget& window) : m_window(window) { qApp->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        // Opaque children cover the window itself, so any of its widgets
        // being painted marks the frame.
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Paint && widget && widget->window() == &m_window && !m_seen) {
            m_seen = true;
            phase("painting");
            // Runs after this paint and the flush that follows it.
            QTimer::singleShot(0, [] {
                const char* t0 = std::getenv("BENCH_T0");
                const long long start = t0 ? std::atoll(t0) : 0;
                std::printf("first_frame_ns %lld\n", nowNs() - start);
                std::fflush(stdout);
                _exit(0);
            });
        }
        return false;
    }

private:
    QWidget& m_window;
    bool m_seen = false;
};

// A plain window with the given client size in pixels and controls.
std::unique_ptr<QWidget> bareWindow(QSize client, int boxes, int buttons, int labels, bool menu) {
    auto window = std::make_unique<QWidget>();
    int top = 0;
    if (menu) {
        auto* bar = new QMenuBar(window.get());
        bar->addAction(QStringLiteral("&Enter Date"));
        top = bar->sizeHint().height();
        bar->setGeometry(0, 0, client.width(), top);
    }
    auto* area = new QWidget(window.get());
    area->setGeometry(0, top, client.width(), client.height());
    for (int i = 0; i < boxes; ++i) {
        (new QLineEdit(QStringLiteral("90"), area))->setGeometry(10 + 22 * i, 10, 20, 20);
    }
    for (int i = 0; i < buttons; ++i) {
        (new QPushButton(QStringLiteral("DD:MM:YYYY"), area))
            ->setGeometry(10, 40 + 30 * i, 140, 28);
    }
    for (int i = 0; i < labels; ++i) {
        (new QLabel(QStringLiteral("Label"), area))->setGeometry(160, 40 + 20 * i, 100, 18);
    }
    window->setFixedSize(client.width(), top + client.height());
    return window;
}

}  // namespace

int main(int argc, char** argv) {
    const char* which = argc > 1 ? argv[1] : "";
    if (std::strcmp(which, "quillon") == 0 || std::strcmp(which, "marrasket") == 0) {
        // As the programs start: the display probed, then the application.
        phase("main");
        const std::unique_ptr<QApplication> app = forms::startApplication(argv, which);
        if (!app) {
            return 1;
        }
        phase("application");
        std::unique_ptr<forms::Form> form;
        if (std::strcmp(which, "quillon") == 0) {
            form = std::make_unique<quillon::QuillonForm>();
        } else {
            form = std::make_unique<marrasket::MarrasketForm>();
        }
        phase("form");
        FirstFrame probe(*form);
        form->start();
        phase("start");
        return QApplication::exec();
    }
    phase("main");
    QApplication app(argc, argv);
    phase("application");
    std::unique_ptr<QWidget> window;
    if (std::strcmp(which, "bare-quillon") == 0) {
        window = bareWindow(QSize(284, 241), 7, 7, 7, false);
    } else if (std::strcmp(which, "bare-marrasket") == 0) {
        window = bareWindow(QSize(312, 232), 4, 0, 3, true);
    } else {
        std::fprintf(stderr,
                     "usage: startup_probe quillon|marrasket|bare-quillon|bare-marrasket\n");
        return 2;
    }
    phase("form");
    FirstFrame probe(*window);
    window->show();
    phase("start");
    return QApplication::exec();
}
