#include "SprAnimation.h"

#include "FieldReader.h"

#include <fstream>
#include <iterator>

namespace korvo {

namespace {
[[noreturn]] void fail(const std::filesystem::path& file, int line, const std::string& what) {
    throw SprAnimation::Error(file.string() + ", line " + std::to_string(line) + ": " + what);
}
} // namespace

SprAnimation parseSprAnimation(const std::string& text, const std::filesystem::path& sprFile) {
    SprAnimation animation;
    FieldReader reader(text);
    int line = 1; // of the record being read: a short record's fault is found on the next line
    try {
        animation.interval = reader.readInteger();
        if (animation.interval < 1) {
            fail(sprFile, 1, "the frame interval must be at least 1 ms");
        }
        while (!reader.atEnd()) {
            line = reader.line();
            SprFrame frame;
            std::string picture = reader.readText();
            if (picture.empty()) {
                fail(sprFile, line, "a frame without a picture");
            }
            frame.picturePath = (sprFile.parent_path() / picture).string();
            frame.dx = reader.readInteger();
            frame.dy = reader.readInteger();
            animation.frames.push_back(std::move(frame));
        }
    } catch (const FieldReader::Error& error) {
        fail(sprFile, line, error.what());
    }
    if (animation.frames.empty()) {
        fail(sprFile, reader.line(), "no frames");
    }
    return animation;
}

SprAnimation loadSprAnimation(const std::filesystem::path& sprFile) {
    std::ifstream in(sprFile, std::ios::binary);
    std::error_code error;
    if (!in || std::filesystem::is_directory(sprFile, error)) {
        throw SprAnimation::Error(sprFile.string() + ": cannot be read");
    }
    return parseSprAnimation(
        std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()), sprFile);
}

} // namespace korvo
