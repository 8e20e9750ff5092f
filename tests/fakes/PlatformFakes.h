#pragma once

#include "ChildProgram.h"
#include "Messages.h"
#include "MultimediaPlayer.h"
#include "Random.h"
#include "Shell.h"
#include "SpritePlayer.h"
#include "Timer.h"
#include "WindowFinder.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// Test doubles for the platform's services. They record what was asked of them so that tests
// can check the calls.
namespace fakes {

struct FakePlayer : korvo::MultimediaPlayer {
    std::string FileName() const override { return fileName; }
    void SetFileName(const std::string& path) override { fileName = path; }
    korvo::PlayerMode mode() const override { return playerMode; }
    void perform(korvo::PlayerCommand command) override {
        using korvo::PlayerCommand;
        commands.emplace_back(korvo::commandText(command));
        if (command == PlayerCommand::Close) {
            playerMode = korvo::PlayerMode::NotOpen;
        } else if (command == PlayerCommand::Open) {
            if (failOpen) {
                throw PlayerError("cannot open " + fileName);
            }
            playerMode = korvo::PlayerMode::Stopped;
        } else if (playerMode == korvo::PlayerMode::NotOpen) {
            throw PlayerError("not open");
        } else if (command == PlayerCommand::Play) {
            playerMode = korvo::PlayerMode::Playing;
        }
    }

    std::string fileName;
    korvo::PlayerMode playerMode = korvo::PlayerMode::NotOpen;
    bool failOpen = false;
    std::vector<std::string> commands;
};

struct FakeSprite : korvo::SpritePlayer {
    void SetTarget(korvo::Control* t) override { target = t; }
    void SetBasePath(const std::string&) override {}
    void SetTop(int) override {}
    void SetLeftLimit(int) override {}
    void SetRightLimit(int r) override { rightLimit = r; }
    void SetLeft(int l) override { left = l; }
    void SetFileName(const std::string& path) override { fileName = path; }
    bool IsPlaying() const override { return playing; }
    void Play() override {
        playing = true;
        ++plays;
    }
    void Stop() override { playing = false; }

    korvo::Control* target = nullptr;
    std::string fileName;
    int rightLimit = 0, left = 0;
    bool playing = false;
    int plays = 0;
};

// Hands out a fixed sequence of numbers, then repeats it.
struct FakeRandom : korvo::Random {
    explicit FakeRandom(std::vector<double> seq = {0.5}) : sequence(std::move(seq)) {}
    double Rnd() override { return sequence[draws++ % sequence.size()]; }
    void Randomize() override {}

    std::vector<double> sequence;
    std::size_t draws = 0;
};

// Records what was opened and started; opening and starting succeed unless told otherwise.
struct FakeShell : korvo::Shell {
    bool OpenDocument(const std::string& document) override {
        opened.push_back(document);
        return openSucceeds;
    }
    long long StartProgram(const std::string& path, const std::vector<std::string>&) override {
        started.push_back(path);
        return startSucceeds ? 4242 : 0;
    }
    std::vector<std::string> opened;
    std::vector<std::string> started;
    bool openSucceeds = true;
    bool startSucceeds = true;
};

// Records every message; answers OK unless told otherwise.
struct FakeMessages : korvo::Messages {
    bool Show(const korvo::Message& message) override {
        shown.push_back(message);
        if (onShow) {
            onShow(message);
        }
        return answer;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> result;
        std::ranges::transform(shown, std::back_inserter(result), &korvo::Message::text);
        return result;
    }
    std::vector<korvo::Message> shown;
    bool answer = true;
    std::function<void(const korvo::Message&)> onShow;
};

// The windows of a desktop as a list, topmost first, each with the process that made it, under
// the real title rule.
struct FakeWindowFinder : korvo::WindowFinder {
    struct Window {
        korvo::WindowId id;
        std::string title;
        long long pid = 0;
    };
    korvo::WindowId FindProcessWindow(long long pid, const std::string& must,
                                      const std::string& mustNot) override {
        for (const Window& window : windows) {
            if (window.pid == pid && korvo::TitleMatches(window.title, must, mustNot)) {
                return window.id;
            }
        }
        return 0;
    }
    bool IsWindow(korvo::WindowId id) override {
        return std::any_of(windows.begin(), windows.end(), [id](auto& w) { return w.id == id; });
    }
    std::vector<Window> windows;
};

// Children that the test ends by hand: each start is recorded with a process id of its own, and
// end() calls the handler that the program gave.
struct FakePrograms : korvo::Programs {
    struct Child {
        long long pid;
        std::string path;
        std::vector<std::string> arguments;
        std::function<void(korvo::ExitStatus)> ended;
    };
    long long start(const std::string& path, const std::vector<std::string>& arguments,
                    std::function<void(korvo::ExitStatus)> ended) override {
        if (!startSucceeds) {
            return 0;
        }
        started.push_back({4242 + std::ssize(started), path, arguments, std::move(ended)});
        return started.back().pid;
    }
    // Ends the last child started (with a status, or killed by signal when signalled).
    void end(int code, bool signalled = false) {
        if (auto handler = std::exchange(started.back().ended, nullptr)) {
            handler({signalled, code});
        }
    }
    std::vector<Child> started;
    bool startSucceeds = true;
};

// Timers that tick when the test says so. Each timer's tick lives as long as the timer, so a
// tick that stops or destroys a timer is safe.
struct FakeTimers : korvo::Timers {
    using Tick = std::shared_ptr<std::function<void()>>;
    struct Timer : korvo::Timer {
        void start(std::chrono::milliseconds interval, std::function<void()> run) override {
            *tick = std::move(run);
            intervals->push_back(interval);
        }
        void stop() override { *tick = nullptr; }
        bool active() const override { return static_cast<bool>(*tick); }
        Tick tick = std::make_shared<std::function<void()>>();
        std::vector<std::chrono::milliseconds>* intervals = nullptr;
    };
    std::unique_ptr<korvo::Timer> make() override {
        auto timer = std::make_unique<Timer>();
        timer->intervals = &intervals;
        ticks.push_back(timer->tick);
        return timer;
    }
    // One tick of every running timer.
    void tick() {
        for (const std::weak_ptr<std::function<void()>>& timer : std::vector(ticks)) {
            if (const Tick alive = timer.lock(); alive && *alive) {
                auto once = *alive; // the tick may stop or restart its timer
                once();
            }
        }
    }
    bool anyActive() const {
        return std::ranges::any_of(ticks, [](auto& t) { return t.lock() && *t.lock(); });
    }
    std::vector<std::weak_ptr<std::function<void()>>> ticks;
    std::vector<std::chrono::milliseconds> intervals; // of every start, in order
};

// A fake shell and message box, in use for the object's lifetime.
struct FakeDesktop {
    FakeDesktop() {
        korvo::setShell(&shell);
        korvo::setMessages(&messages);
    }
    ~FakeDesktop() {
        korvo::setShell(nullptr);
        korvo::setMessages(nullptr);
    }

    FakeShell shell;
    FakeMessages messages;
};

} // namespace fakes
