#pragma once

#include "runtime_services.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzzing {

// The input's bytes read in pairs as 16-bit codes (little-endian), as the
// boxes hold them.
inline std::u16string utf16(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        text += char16_t(data[i] | (data[i + 1] << 8));
    }
    return text;
}

// Counts what the core would show or sound, without a window.
class CountingServices : public core::RuntimeServices {
public:
    CountingServices() { core::installServices(this); }
    ~CountingServices() override { core::installServices(nullptr); }
    void showMessage(std::u16string_view, int, std::u16string_view) override { ++messages; }
    void beep() override { ++beeps; }
    void endProgram() override {}
    int messages = 0;
    int beeps = 0;
};

}  // namespace fuzzing
