// The waits on a real X server, under a window manager that answers every
// request late (test_wm --late): run by tests/e2e/under_xvfb.sh, skipped on
// any other platform.
#include "centring.h"
#include "frame.h"
#include "window_answers.h"
#include "window_watcher.h"

#include <QtGui/qguiapplication_platform.h>
#include <gtest/gtest.h>
#include <xcb/xcb.h>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

namespace desktop {
namespace {

// A window whose native window the test can replace.
class Window : public QWidget {
public:
    using QWidget::create;
    using QWidget::destroy;
};

class X11Waits : public testing::Test {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            GTEST_SKIP() << "needs an X server";
        }
        window.setGeometry(100, 100, 200, 100);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    Window window;
};

// A wait begun while another waits (a timer, an action a screen reader
// asked for) has its own answer, and leaves the outer one its own.
TEST_F(X11Waits, AWaitNestedInAnotherLeavesEachItsOwnAnswer) {
    WindowAnswers answers(window);
    const QRect outer(300, 200, 200, 100);
    const QRect nested(320, 220, 180, 90);
    std::optional<Answer> nestedAnswer;
    QTimer::singleShot(10, &window, [&] { nestedAnswer = answers.request(nested, QMargins()); });
    const Answer outerAnswer = answers.request(outer, QMargins());
    EXPECT_EQ(outerAnswer, Answer::CarriedOut);
    ASSERT_TRUE(nestedAnswer.has_value());
    EXPECT_EQ(*nestedAnswer, Answer::CarriedOut);
}

// Qt may give the window a new native window: the waits follow it.
TEST_F(X11Waits, TheWaitsFollowTheWindowToANewNativeWindow) {
    WindowAnswers answers(window);
    ASSERT_EQ(answers.request(QRect(300, 200, 200, 100), QMargins()), Answer::CarriedOut);
    const WId before = window.winId();
    window.destroy();
    window.create();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_NE(window.winId(), before);
    EXPECT_EQ(answers.request(QRect(400, 300, 200, 100), QMargins()), Answer::CarriedOut);
}

template <class Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

// The root's _NET_SUPPORTED without _NET_REQUEST_FRAME_EXTENTS while it
// lasts, as from a window manager that does not offer to tell its frame.
class FrameExtentsNotOffered {
public:
    FrameExtentsNotOffered() {
        const Owned<xcb_get_property_reply_t> reply(
            xcb_get_property_reply(
                m_x, xcb_get_property(m_x, 0, m_root, m_supported, XCB_ATOM_ATOM, 0, 1024),
                nullptr),
            &std::free);
        if (reply) {
            const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
            m_before.assign(atoms, atoms + xcb_get_property_value_length(reply.get()) / 4);
        }
        std::vector<xcb_atom_t> without = m_before;
        std::erase(without, atom("_NET_REQUEST_FRAME_EXTENTS"));
        set(without);
    }
    ~FrameExtentsNotOffered() { set(m_before); }
    FrameExtentsNotOffered(const FrameExtentsNotOffered&) = delete;
    FrameExtentsNotOffered& operator=(const FrameExtentsNotOffered&) = delete;

private:
    xcb_atom_t atom(const char* name) const {
        const Owned<xcb_intern_atom_reply_t> reply(
            xcb_intern_atom_reply(m_x, xcb_intern_atom(m_x, 0, uint16_t(std::strlen(name)), name),
                                  nullptr),
            &std::free);
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }
    // Changed, and the change made, before the test goes on.
    void set(const std::vector<xcb_atom_t>& atoms) const {
        xcb_change_property(m_x, XCB_PROP_MODE_REPLACE, m_root, m_supported, XCB_ATOM_ATOM, 32,
                            uint32_t(atoms.size()), atoms.data());
        std::free(xcb_get_input_focus_reply(m_x, xcb_get_input_focus(m_x), nullptr));
    }

    xcb_connection_t* m_x =
        qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    xcb_window_t m_root = xcb_setup_roots_iterator(xcb_get_setup(m_x)).data->root;
    xcb_atom_t m_supported = atom("_NET_SUPPORTED");
    std::vector<xcb_atom_t> m_before;
};

// Where a window stood when its native window was made.
class MadeAt : public QObject {
public:
    explicit MadeAt(QWidget& window) : m_window(window) { window.installEventFilter(this); }
    std::optional<QRect> place;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::WinIdChange && !place) {
            place = m_window.geometry();
        }
        return false;
    }

private:
    QWidget& m_window;
};

// Centres a window not yet made: its client area as Qt then has it, and
// where it stood when it was made.
struct Centred {
    QRect client;
    std::optional<QRect> made;
};

Centred centreNewWindow(QWidget& window) {
    window.resize(300, 200);
    const MadeAt madeAt(window);
    WindowAnswers answers(window);
    FrameReader frames(window);
    Centring centring(window, answers, frames);
    centring.centre();
    return {window.geometry(), madeAt.place};
}

// A window moved once made has Qt wait on the X server again; one the
// window manager need not be asked about is made where it is centred, and
// one it must be asked about is made first, and its frame counts.
TEST_F(X11Waits, AWindowIsMadeWhereItIsCentredUnlessTheFrameMustBeAskedFirst) {
    const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget plain;
    Centred unasked;
    {
        const FrameExtentsNotOffered notOffered;
        unasked = centreNewWindow(plain);
    }
    ASSERT_TRUE(unasked.made);
    EXPECT_EQ(*unasked.made, unasked.client);
    EXPECT_LE(std::abs(unasked.client.center().x() - free.center().x()), 1);
    EXPECT_LE(std::abs(unasked.client.center().y() - free.center().y()), 1);

    // test_wm tells a frame of 4, 4, 24, 4: the whole window is centred.
    QWidget framed;
    const Centred asked = centreNewWindow(framed);
    ASSERT_TRUE(asked.made);
    EXPECT_NE(*asked.made, asked.client);
    const QRect outer = asked.client.adjusted(-4, -24, 4, 4);
    EXPECT_LE(std::abs(outer.center().x() - free.center().x()), 1);
    EXPECT_LE(std::abs(outer.center().y() - free.center().y()), 1);
}

}  // namespace
}  // namespace desktop
