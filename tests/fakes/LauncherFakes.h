#pragma once

#include "LauncherServices.h"
#include "PlatformFakes.h"

#include <functional>
#include <string>
#include <vector>

// Test doubles for the services the launcher's logic is given.
namespace fakes {

struct FakeScreen : launcher::Screen {
    // Ten characters take a thousand twips.
    int CaptionWidth(const std::string& caption) const override {
        return static_cast<int>(caption.size()) * 100;
    }
};

// Counts the uninstall entries written.
struct FakeUninstallEntry : launcher::UninstallEntry {
    void WriteUninstallInfo(const std::string& componentsDir) override {
        written.push_back(componentsDir);
    }
    std::vector<std::string> written;
};

struct FakeDialogs : launcher::Dialogs {
    void ShowNewReleases() override { ++newReleases; }
    void ShowGameInfo(const launcher::GameInfo& page) override { pages.push_back(page); }
    void ShowAbout() override {}
    bool OpenDocument(const std::string&, int) override { return true; }
    int newReleases = 0;
    std::vector<launcher::GameInfo> pages;
};

} // namespace fakes
