#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace korvo {

// A ".spr" animation: the frame interval in milliseconds on the first line, then one frame a
// line: its picture file (quoted, relative to the folder of the ".spr" file) and the x and y
// offsets in twips by which the target moves when the frame shows, e.g.
//   60
//   "robot run right 1.gif",75,0
struct SprFrame {
    std::string picturePath; // full path
    int dx = 0;
    int dy = 0;
};

struct SprAnimation {
    struct Error : std::runtime_error {
        using std::runtime_error::runtime_error;
    };

    int interval = 0;
    std::vector<SprFrame> frames;
};

// Parses the text of the ".spr" file sprFile (which only names the folder and the file in
// messages). Throws SprAnimation::Error naming the file and line of the fault.
SprAnimation parseSprAnimation(const std::string& text, const std::filesystem::path& sprFile);
// Reads and parses a ".spr" file; a file that cannot be read is an Error too.
SprAnimation loadSprAnimation(const std::filesystem::path& sprFile);

} // namespace korvo
