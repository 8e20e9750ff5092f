#include "OnlineSetup.h"

#include <string_view>

namespace launcher {

const std::string DownloadHost = KORVO_DOWNLOAD_HOST;

namespace {

bool startsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

} // namespace

std::string DownloadAddress(const std::string& host, const std::string& fileName) {
    std::string base = host;
    if (startsWith(base, "http://") || startsWith(base, "https://")) {
        while (base.ends_with('/')) {
            base.pop_back();
        }
    } else {
        base = "http://" + base;
    }
    return base + "/downloads/" + fileName;
}

} // namespace launcher
