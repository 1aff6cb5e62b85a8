#pragma once

#include "recording_services.h"

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
using testing_support::CountingServices;

}  // namespace fuzzing
