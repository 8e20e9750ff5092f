#pragma once

#include "MultimediaPlayer.h"
#include "Random.h"
#include "Services.h"
#include "Shell.h"
#include "SpritePlayer.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

// Test doubles for the services the game logic is given. They record what was asked of them
// so that tests can check the calls.
namespace fakes {

class FakePlayer : public korvo::MultimediaPlayer {
public:
    std::string FileName() const override { return fileName; }
    void SetFileName(const std::string& path) override { fileName = path; }
    int Mode() const override { return mode; }
    void Command(const std::string& command) override {
        commands.push_back(command);
        if (command == "Close") {
            open = false;
            mode = kModeNotOpen;
        } else if (command == "Open") {
            if (failOpen) {
                throw PlayerError("cannot open " + fileName);
            }
            open = true;
            mode = kModeStopped;
        } else if (command == "Play" || command == "Prev") {
            if (!open) {
                throw PlayerError("not open");
            }
            if (command == "Play") {
                mode = kModePlaying;
            }
        }
    }

    std::string fileName;
    int mode = kModeNotOpen;
    bool open = false;
    bool failOpen = false;
    std::vector<std::string> commands;
};

class FakeSprite : public korvo::SpritePlayer {
public:
    void SetTarget(korvo::Control* t) override { target = t; }
    void SetBasePath(const std::string& path) override { basePath = path; }
    void SetTop(int t) override { top = t; }
    void SetLeftLimit(int l) override { leftLimit = l; }
    void SetRightLimit(int r) override { rightLimit = r; }
    void SetLeft(int l) override { left = l; }
    void SetFileName(const std::string& path) override { fileName = path; }
    bool IsPlaying() const override { return playing; }
    void Play() override {
        playing = true;
        ++plays;
    }
    void Stop() override {
        playing = false;
        ++stops;
    }

    korvo::Control* target = nullptr;
    std::string basePath, fileName;
    int top = 0, leftLimit = 0, rightLimit = 0, left = 0;
    bool playing = false;
    int plays = 0, stops = 0;
};

// Hands out a fixed sequence of numbers, then repeats it.
class FakeRandom : public korvo::Random {
public:
    explicit FakeRandom(std::vector<double> seq = {0.5}) : sequence(std::move(seq)) {}
    double Rnd() override {
        ++draws;
        return sequence[(draws - 1) % sequence.size()];
    }
    void Randomize() override { ++seeds; }

    std::vector<double> sequence;
    std::size_t draws = 0;
    int seeds = 0;
};

class FakeMessageBox : public zeltrix::MessageBox {
public:
    void ShowNiceMessage(const std::string& text) override {
        messages.push_back(text);
        if (onShow) {
            onShow(text);
        }
    }
    std::vector<std::string> messages;
    std::function<void(const std::string&)> onShow;
};

class FakeHallOfFame : public zeltrix::HallOfFame {
public:
    void LoadHiScores() override { ++loads; }
    void SaveHiScores() override { ++saves; }
    std::string Score(int index) const override { return scores[index]; }
    void CheckHiScore(const std::string& score) override { checked.push_back(score); }

    std::array<std::string, 3> scores{"5000", "3000", "1000"};
    std::vector<std::string> checked;
    int loads = 0, saves = 0;
};

class FakeWindows : public zeltrix::Windows {
public:
    bool IsActiveForm(std::string_view name) const override { return name == active; }
    void DoEvents() override {
        ++events;
        if (onEvents) {
            onEvents();
        }
    }
    std::string active = "frm_Main";
    int events = 0;
    std::function<void()> onEvents;
};

// Records what was opened and started; opening and starting succeed unless told otherwise.
class FakeShell : public korvo::Shell {
public:
    bool OpenDocument(const std::string& document) override {
        opened.push_back(document);
        return openSucceeds;
    }
    long long StartProgram(const std::string& path,
                           const std::vector<std::string>& /*arguments*/) override {
        started.push_back(path);
        return startSucceeds ? 4242 : 0;
    }
    std::vector<std::string> opened;
    std::vector<std::string> started;
    bool openSucceeds = true;
    bool startSucceeds = true;
};

} // namespace fakes
