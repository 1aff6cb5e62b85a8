#include "platform.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>

namespace desktop {
namespace {

// A runtime folder of its own, an X display that no server answers, and a
// Wayland socket that listens when asked to; the environment is put back
// afterwards.
class PlatformChoice : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : kVariables) {
            if (const char* value = std::getenv(name)) {
                m_saved.emplace_back(name, value);
            }
            unsetenv(name);
        }
        char pattern[] = "/tmp/platform-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_runtime = pattern;
        setenv("XDG_RUNTIME_DIR", m_runtime.c_str(), 1);
        setenv("DISPLAY", ":4093", 1);
    }

    void TearDown() override {
        if (m_listener >= 0) {
            close(m_listener);
        }
        std::filesystem::remove_all(m_runtime);
        for (const char* name : kVariables) {
            unsetenv(name);
        }
        for (const auto& [name, value] : m_saved) {
            setenv(name.c_str(), value.c_str(), 1);
        }
    }

    // A compositor's socket in the runtime folder, or at a path of its own.
    std::string listenOn(const std::string& path) {
        m_listener = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        EXPECT_EQ(bind(m_listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        EXPECT_EQ(listen(m_listener, 4), 0);
        return path;
    }

    static constexpr const char* kVariables[] = {"QT_QPA_PLATFORM", "DISPLAY",
                                                 "WAYLAND_DISPLAY", "WAYLAND_SOCKET",
                                                 "XDG_RUNTIME_DIR", "XAUTHORITY"};
    std::vector<std::pair<std::string, std::string>> m_saved;
    std::string m_runtime;
    int m_listener = -1;
};

TEST_F(PlatformChoice, NoDisplayAtAllGivesNone) {
    EXPECT_EQ(choosePlatform(), std::nullopt);
}

TEST_F(PlatformChoice, AWaylandCompositorAloneGivesWayland) {
    listenOn(m_runtime + "/wayland-0");
    EXPECT_EQ(choosePlatform(), "wayland");
    setenv("WAYLAND_DISPLAY", "wayland-7", 1);
    EXPECT_EQ(choosePlatform(), std::nullopt);
}

TEST_F(PlatformChoice, AWaylandDisplayMayBeAPathOfItsOwn) {
    const std::string path = listenOn(m_runtime + "/elsewhere");
    setenv("WAYLAND_DISPLAY", path.c_str(), 1);
    unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(choosePlatform(), "wayland");
}

TEST_F(PlatformChoice, WithoutARuntimeFolderANamedWaylandDisplayCannotBeFound) {
    listenOn(m_runtime + "/wayland-0");
    unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(choosePlatform(), std::nullopt);
}

TEST_F(PlatformChoice, TheUsersChoiceWinsWhenItsDisplayAnswers) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    EXPECT_EQ(choosePlatform(), "offscreen");
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    EXPECT_EQ(choosePlatform(), std::nullopt);
    setenv("QT_QPA_PLATFORM", "wayland", 1);
    EXPECT_EQ(choosePlatform(), std::nullopt);
    listenOn(m_runtime + "/wayland-0");
    EXPECT_EQ(choosePlatform(), "wayland");
}

TEST_F(PlatformChoice, AListIsKeptWholeWhenAnyOfItsPlatformsCanStart) {
    setenv("QT_QPA_PLATFORM", "xcb;wayland", 1);
    EXPECT_EQ(choosePlatform(), std::nullopt);
    setenv("QT_QPA_PLATFORM", "xcb;offscreen", 1);
    EXPECT_EQ(choosePlatform(), "xcb;offscreen");
}

// An X display that takes each connection but reads none of it, as one
// going down or resetting may: the probe's first write meets a closed
// socket, which raises SIGPIPE, by default the end of the program. The
// probe reads XAUTHORITY between connecting and writing: a pipe that the
// display opens once it has stopped reading, so that the write comes after.
TEST_F(PlatformChoice, ADisplayThatWillNotReadDoesNotEndTheProgram) {
    const std::string authority = m_runtime + "/authority";
    ASSERT_EQ(mkfifo(authority.c_str(), 0600), 0);
    setenv("XAUTHORITY", authority.c_str(), 1);
    const auto probeDeafDisplay = [&authority] {
        // Ends the run rather than hang it, should the display be stuck.
        alarm(30);
        // A display number of its own: tests that run alongside probe
        // :4093. Xlib and xcb try the display's abstract socket first.
        const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
        bool bound = false;
        for (int number = 4100; !bound && number < 5100; ++number) {
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            const std::string name = "/tmp/.X11-unix/X" + std::to_string(number);
            std::memcpy(address.sun_path + 1, name.data(), name.size());
            bound = bind(listener, reinterpret_cast<const sockaddr*>(&address),
                         socklen_t(offsetof(sockaddr_un, sun_path) + 1 + name.size())) == 0;
            if (bound) {
                setenv("DISPLAY", (":" + std::to_string(number)).c_str(), 1);
            }
        }
        if (!bound || listen(listener, 8) != 0) {
            std::_Exit(2);
        }
        std::thread display([listener, &authority] {
            for (;;) {
                const int connection = accept(listener, nullptr, nullptr);
                shutdown(connection, SHUT_RD);
                close(open(authority.c_str(), O_WRONLY));
                // Closed once the probe has written: closed at once, it
                // would be seen closed before the write.
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                close(connection);
            }
        });
        display.detach();
        std::_Exit(choosePlatform() ? 3 : 0);
    };
    EXPECT_EXIT(probeDeafDisplay(), testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace desktop
