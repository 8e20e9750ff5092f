#pragma once

#include <cstdint>
#include <string>

namespace korvo {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A control of a window as plain data, in twips. The logic changes these; a thin widget paints
// them. Picture is the full path of the picture file shown, empty for none.
struct Control {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool Visible = true;
    std::string Caption;
    Rgb ForeColor{0, 0, 0};
    Rgb BackColor{0, 0, 0};
    std::string Picture;
};

// A control at its place and size, as a window's design gives it.
inline Control PlacedControl(int left, int top, int width, int height, bool visible = true,
                             std::string caption = {}) {
    Control c;
    c.Left = left;
    c.Top = top;
    c.Width = width;
    c.Height = height;
    c.Visible = visible;
    c.Caption = std::move(caption);
    return c;
}

struct Line {
    int X1 = 0;
    int Y1 = 0;
    int X2 = 0;
    int Y2 = 0;
    bool Visible = false;
    Rgb BorderColor{255, 0, 0};
};

} // namespace korvo
