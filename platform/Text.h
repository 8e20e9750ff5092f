#pragma once

#include <string>
#include <string_view>

namespace korvo {

// The data files are 8-bit Windows-1252 text; everything in memory is UTF-8.
std::string fromWindows1252(std::string_view bytes);
// Characters that Windows-1252 cannot hold become '?'.
std::string toWindows1252(std::string_view utf8);

// Upper case as the family compares names, titles and keywords (UTF-8): the ASCII letters and the
// accented letters of Latin-1 change, each into as many bytes, so positions in the copy are
// positions in the text.
std::string upperCase(std::string_view text);

// A whole file's bytes; throws std::runtime_error naming the file when it cannot be read.
std::string readFileBytes(const std::string& path);

} // namespace korvo
