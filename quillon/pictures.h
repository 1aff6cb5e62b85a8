#pragma once

// Quillon's pictures, drawn for it as XPM text: inline constants, one
// definition for all the files that include them, not a copy in each.

namespace quillon {

// Window icon, 16 x 16: black figures on a yellow ground.
// clang-format off
inline constexpr const char* kWindowIcon[] = {
    "16 16 2 1",
    ". c #FFFF00",
    "# c #000000",
    "################",
    "#..............#",
    "#..............#",
    "#..............#",
    "#..###....###..#",
    "#.#...#..#...#.#",
    "#.#...#..#..##.#",
    "#..####..#.#.#.#",
    "#.....#..##..#.#",
    "#....#...#...#.#",
    "#..##.....###..#",
    "#..............#",
    "#..............#",
    "#..............#",
    "#..............#",
    "################"
};

// Picture of the calculate button, 32 x 32: a pocket calculator with a cyan
// body, a yellow display and grey keys; the corners are transparent.
inline constexpr const char* kCalculatorPicture[] = {
    "32 32 6 1",
    "  c None",
    ". c #00FFFF",
    "y c #FFFF00",
    "k c #000000",
    "g c #C0C0C0",
    "d c #808080",
    "       kkkkkkkkkkkkkkkkkkk      ",
    "      k...................k     ",
    "     k.....................k    ",
    "     k..kkkkkkkkkkkkkkkkk..k    ",
    "     k..kyyyyyyyyyyyyyyyk..k    ",
    "     k..kyyyyyyyyyykkkkyk..k    ",
    "     k..kyyyyyyyyyyyyykyk..k    ",
    "     k..kyyyyyyyyyyyyyyyk..k    ",
    "     k..kkkkkkkkkkkkkkkkk..k    ",
    "     k.....................k    ",
    "     k.....................k    ",
    "     k...ggg.ggg.ggg.ggg...k    ",
    "     k...ggg.ggg.ggg.ggg...k    ",
    "     k...ggg.ggg.ggg.ggg...k    ",
    "     k...ddd.ddd.ddd.ddd...k    ",
    "     k.....................k    ",
    "     k...ggg.ggg.ggg.ggg...k    ",
    "     k...ggg.ggg.ggg.ggg...k    ",
    "     k...ggg.ggg.ggg.ggg...k    ",
    "     k...ddd.ddd.ddd.ddd...k    ",
    "     k.....................k    ",
    "     k...ggg.ggg.ggg.ggg...k    ",
    "     k...ggg.ggg.ggg.ggg...k    ",
    "     k...ggg.ggg.ggg.ggg...k    ",
    "     k...ddd.ddd.ddd.ddd...k    ",
    "     k.....................k    ",
    "     k...ggg.ggg.ggg.ggg...k    ",
    "     k...ggg.ggg.ggg.ggg...k    ",
    "     k...ggg.ggg.ggg.ggg...k    ",
    "      k.ddd.ddd.ddd.ddd...k     ",
    "       kkkkkkkkkkkkkkkkkkk      ",
    "                                "
};
// clang-format on

}  // namespace quillon
