#include "Manifest.h"

#include <algorithm>

namespace korvo {

bool isPlainRelativePath(std::string_view path, bool allowFolder) {
    if (allowFolder && path.ends_with('/')) {
        path.remove_suffix(1);
    }
    if (path.empty()) {
        return false;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t slash = path.find('/', start);
        const std::string_view name = path.substr(start, slash - start);
        if (name.empty() || name == "." || name == "..") {
            return false;
        }
        for (const char c : name) {
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
                return false;
            }
        }
        if (slash == std::string_view::npos) {
            return true;
        }
        start = slash + 1;
    }
}

ManifestParse parseManifest(std::string_view text) {
    ManifestParse result;
    if (!text.starts_with(kManifestHeader) ||
        !text.substr(kManifestHeader.size()).starts_with('\n')) {
        result.error = "it does not start with \"" + std::string(kManifestHeader) + "\"";
        return result;
    }
    text.remove_prefix(kManifestHeader.size() + 1);
    int line = 1;
    while (!text.empty()) {
        ++line;
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) {
            result.error = "line " + std::to_string(line) + " does not end";
            break;
        }
        const std::string_view path = text.substr(0, end);
        if (!isPlainRelativePath(path)) {
            result.error = "line " + std::to_string(line) + " is not a path inside the game folder";
            break;
        }
        result.entries.emplace_back(path);
        text.remove_prefix(end + 1);
    }
    if (!result.error.empty()) {
        result.entries.clear();
    }
    return result;
}

std::string formatManifest(std::vector<std::string> entries) {
    std::sort(entries.begin(), entries.end());
    entries.erase(std::unique(entries.begin(), entries.end()), entries.end());
    std::string text(kManifestHeader);
    text += '\n';
    for (const auto& entry : entries) {
        text += entry;
        text += '\n';
    }
    return text;
}

} // namespace korvo
