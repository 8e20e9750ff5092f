#pragma once

#include "PlatformFakes.h"
#include "Services.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Test doubles for the services the game logic is given.
namespace fakes {

struct FakeMessageBox : zeltrix::MessageBox {
    void ShowNiceMessage(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

struct FakeHallOfFame : zeltrix::HallOfFame {
    void LoadHiScores() override {}
    void SaveHiScores() override {}
    long long Score(int index) const override { return scores[index]; }
    void CheckHiScore(std::optional<long long> score) override { checked.push_back(score); }

    std::array<long long, 3> scores{5000, 3000, 1000};
    std::vector<std::optional<long long>> checked;
};

struct FakeWindows : zeltrix::Windows {
    bool IsActiveForm(zeltrix::Form form) const override { return form == zeltrix::Form::Main; }
    void LetEventsRun(int milliseconds) override {
        ++events;
        eventMs += milliseconds;
        if (onEvents) {
            onEvents();
        }
    }
    int events = 0;
    int eventMs = 0;
    std::function<void()> onEvents;
};

} // namespace fakes
