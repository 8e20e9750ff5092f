#pragma once

#include "LauncherServices.h"
#include "PlatformFakes.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

// Test doubles for the services the launcher's logic is given.
namespace fakes {

class FakeScreen : public launcher::Screen {
public:
    // Ten characters take a thousand twips.
    int CaptionWidth(const std::string& caption) const override {
        return static_cast<int>(caption.size()) * 100;
    }
};

// Counts the uninstall entries written.
class FakeUninstallEntry : public launcher::UninstallEntry {
public:
    void WriteUninstallInfo(const std::string& componentsDir) override {
        written.push_back(componentsDir);
    }
    std::vector<std::string> written;
};

class FakeDialogs : public launcher::Dialogs {
public:
    void ShowNewReleases() override { ++newReleases; }
    void ShowGameInfo(const launcher::GameInfo& page) override { pages.push_back(page); }
    void ShowAbout() override { ++abouts; }
    bool OpenDocument(const std::string& document, int style) override {
        documents.push_back({document, style});
        return openSucceeds;
    }
    int newReleases = 0, abouts = 0;
    std::vector<launcher::GameInfo> pages;
    std::vector<std::pair<std::string, int>> documents;
    bool openSucceeds = true;
};

} // namespace fakes
