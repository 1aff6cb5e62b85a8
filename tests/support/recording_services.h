#pragma once

#include "runtime_services.h"

#include <string>
#include <vector>

namespace testing_support {

// Stands in for the message box, the beep and the program end, recording each
// call instead, so that no test blocks on a modal box.
class RecordingServices : public core::RuntimeServices {
public:
    struct Message {
        std::u16string text;
        int style = 0;
        std::u16string title;
    };

    RecordingServices() { m_previous = core::installServices(this); }
    ~RecordingServices() override { core::installServices(m_previous); }
    RecordingServices(const RecordingServices&) = delete;
    RecordingServices& operator=(const RecordingServices&) = delete;

    void showMessage(std::u16string_view text, int style, std::u16string_view title) override {
        messages.push_back({std::u16string(text), style, std::u16string(title)});
    }
    void beep() override { ++beeps; }
    void endProgram() override { ++ends; }

    void clear() {
        messages.clear();
        beeps = 0;
        ends = 0;
    }

    std::vector<Message> messages;
    int beeps = 0;
    int ends = 0;

private:
    core::RuntimeServices* m_previous = nullptr;
};

// Counts messages and beeps without keeping them, so that it allocates
// nothing: for sweeps, fuzzing and benchmarks.
class CountingServices : public core::RuntimeServices {
public:
    CountingServices() { m_previous = core::installServices(this); }
    ~CountingServices() override { core::installServices(m_previous); }
    CountingServices(const CountingServices&) = delete;
    CountingServices& operator=(const CountingServices&) = delete;

    void showMessage(std::u16string_view, int, std::u16string_view) override { ++messages; }
    void beep() override { ++beeps; }
    void endProgram() override {}

    long messages = 0;
    long beeps = 0;

private:
    core::RuntimeServices* m_previous = nullptr;
};

}  // namespace testing_support
