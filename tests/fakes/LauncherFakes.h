#pragma once

#include "PlatformFakes.h"
#include "Services.h"

#include <functional>
#include <string>
#include <vector>

// Test doubles for the services the launcher's logic is given.
namespace fakes {

class FakeScreen : public launcher::Screen {
public:
    void DoEvents() override {
        ++events;
        if (onEvents) {
            onEvents();
        }
    }
    // Ten characters take a thousand twips.
    int CaptionWidth(const std::string& caption) const override {
        return static_cast<int>(caption.size()) * 100;
    }
    int events = 0;
    std::function<void()> onEvents;
};

class FakeDialogs : public launcher::Dialogs {
public:
    void ShowNewReleases() override { ++newReleases; }
    void ShowGameInfo(const launcher::GameInfo& page) override { pages.push_back(page); }
    void ShowAbout() override { ++abouts; }
    void ShowHelp() override { ++helps; }
    void StartRemoval() override { ++removals; }
    int newReleases = 0, abouts = 0, helps = 0, removals = 0;
    std::vector<launcher::GameInfo> pages;
};

} // namespace fakes
