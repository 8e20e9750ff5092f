#pragma once

#include "Http.h"
#include "Timer.h"

#include <chrono>
#include <string>

namespace launcher {

// The download server's host (and port) as the build sets it (KORVO_DOWNLOAD_HOST).
extern const std::string DownloadHost;

// The address of a file the server offers: "http://" + host + "/downloads/" + name. A host that
// brings its own scheme ("https://...") is used as given. Names come from the checked release
// list (plain component names), so they need no encoding.
std::string DownloadAddress(const std::string& host, const std::string& fileName);

// Runs a downloaded component; the main window implements it, and waits for the installer.
class ComponentInstaller {
public:
    virtual ~ComponentInstaller() = default;
    // Checks the component (its signature, and that it holds the game offered and no older
    // version than the one installed) and starts it; true when its installer runs.
    virtual bool InstallComponent(const std::string& path, const std::string& game) = 0;
};

// What the online windows need from the program; it lives for the whole run.
struct OnlineSetup {
    std::string componentsDir; // ComponentsDir, ending in "/"
    ComponentInstaller& installer;
    korvo::HttpClient& http;
    korvo::Timers& timers; // a download's waits between attempts
    std::string downloadHost = DownloadHost;
    std::chrono::milliseconds listTimeout = std::chrono::seconds(60);
    // A download during which nothing arrives for this long has stalled.
    std::chrono::milliseconds downloadTimeout = std::chrono::seconds(30);
};

} // namespace launcher
