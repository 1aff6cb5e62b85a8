#include "platform.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

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

    static constexpr const char* kVariables[] = {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY",
                                                 "WAYLAND_SOCKET", "XDG_RUNTIME_DIR"};
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

}  // namespace
}  // namespace desktop
