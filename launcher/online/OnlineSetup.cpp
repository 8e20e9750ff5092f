#include "OnlineSetup.h"

#include <string_view>

namespace launcher {

const std::string DownloadHost = KORVO_DOWNLOAD_HOST;

namespace {

bool startsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

// Keeps what a path segment may hold as it is (RFC 3986) and percent-encodes the rest.
std::string pathSegment(std::string_view name) {
    static constexpr std::string_view kKept = "-._~!$&'()*+,;=:@";
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string segment;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
            (byte >= '0' && byte <= '9') || kKept.find(c) != std::string_view::npos) {
            segment += c;
        } else {
            segment += '%';
            segment += kHex[byte >> 4];
            segment += kHex[byte & 15];
        }
    }
    return segment;
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
    return base + "/downloads/" + pathSegment(fileName);
}

} // namespace launcher
