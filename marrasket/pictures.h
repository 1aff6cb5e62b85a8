#pragma once

// Marrasket's pictures, drawn for it as XPM text: inline constants, one
// definition for all the files that include them, not a copy in each.

namespace marrasket {

// Window icon, 16 x 16: a tear-off calendar page with a large dark-red number
// above two grey lines, in a brown frame.
// clang-format off
inline constexpr const char* kWindowIcon[] = {
    "16 16 5 1",
    "  c None",
    ". c #FFFFFF",
    "b c #8B5A2B",
    "r c #8B0000",
    "g c #A0A0A0",
    "                ",
    " bbb b bb b bbb ",
    " bbbbbbbbbbbbbb ",
    " b..rrr...r...b ",
    " b.....r.rr...b ",
    " b.....r..r...b ",
    " b...rr...r...b ",
    " b.....r..r...b ",
    " b.....r..r...b ",
    " b..rrr..rrr..b ",
    " b............b ",
    " b.gggggggggg.b ",
    " b............b ",
    " b.gggggggggg.b ",
    " b............b ",
    "  bbbbbbbbbbbb  "
};
// clang-format on

}  // namespace marrasket
