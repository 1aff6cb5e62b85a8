#pragma once

#include <compare>

namespace desktop {

// Layout unit of the forms: 1440 twips to the inch, 15 to a pixel at 96 DPI.
struct Twips {
    int value = 0;
    friend constexpr auto operator<=>(Twips, Twips) = default;
};

constexpr Twips operator""_tw(unsigned long long value) {
    return Twips{int(value)};
}

constexpr int kTwipsPerInch = 1440;

// The one conversion from layout units to pixels, at a logical resolution in
// dots per inch, rounded to the nearest pixel.
constexpr int toPixels(double twips, double dotsPerInch) {
    const double pixels = twips * dotsPerInch / kTwipsPerInch;
    return int(pixels < 0 ? pixels - 0.5 : pixels + 0.5);
}

constexpr int toPixels(Twips twips, double dotsPerInch) {
    return toPixels(twips.value, dotsPerInch);
}

constexpr double toTwips(int pixels, double dotsPerInch) {
    return pixels * double(kTwipsPerInch) / dotsPerInch;
}

}  // namespace desktop
