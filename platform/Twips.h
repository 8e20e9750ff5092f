#pragma once

namespace korvo {

// Layouts are kept in twips; Qt's logical pixels are 1/96 inch, so high-DPI screens scale the
// field as they scale everything else.
constexpr int kTwipsPerPixel = 15;

constexpr int toPixels(int twips) {
    // Round halves away from zero so that -7 and 7 twips map symmetrically.
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

constexpr int toTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

} // namespace korvo
