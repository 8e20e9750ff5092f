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
#include <memory>
#include <string>
#include <utility>
#include <vector>

// Test doubles for the platform's services. They record what was asked of them so that tests
// can check the calls.
namespace fakes {

class FakePlayer : public korvo::MultimediaPlayer {
public:
    std::string FileName() const override { return fileName; }
    void SetFileName(const std::string& path) override { fileName = path; }
    korvo::PlayerMode mode() const override { return playerMode; }
    void perform(korvo::PlayerCommand command) override {
        using korvo::PlayerCommand;
        commands.emplace_back(korvo::commandText(command));
        if (command == PlayerCommand::Close) {
            open = false;
            playerMode = korvo::PlayerMode::NotOpen;
        } else if (command == PlayerCommand::Open) {
            if (failOpen) {
                throw PlayerError("cannot open " + fileName);
            }
            open = true;
            playerMode = korvo::PlayerMode::Stopped;
        } else if (!open) {
            throw PlayerError("not open");
        } else if (command == PlayerCommand::Play) {
            playerMode = korvo::PlayerMode::Playing;
        }
    }

    std::string fileName;
    korvo::PlayerMode playerMode = korvo::PlayerMode::NotOpen;
    bool open = false;
    bool failOpen = false;
    std::vector<std::string> commands;
};

class FakeSprite : public korvo::SpritePlayer {
public:
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
class FakeRandom : public korvo::Random {
public:
    explicit FakeRandom(std::vector<double> seq = {0.5}) : sequence(std::move(seq)) {}
    double Rnd() override {
        ++draws;
        return sequence[(draws - 1) % sequence.size()];
    }
    void Randomize() override {}

    std::vector<double> sequence;
    std::size_t draws = 0;
};

// Records what was opened and started; opening and starting succeed unless told otherwise.
class FakeShell : public korvo::Shell {
public:
    bool OpenDocument(const std::string& document) override {
        opened.push_back(document);
        return openSucceeds;
    }
    long long StartProgram(const std::string& path, const std::vector<std::string>& args) override {
        started.push_back(path);
        arguments.push_back(args);
        return startSucceeds ? 4242 : 0;
    }
    std::vector<std::string> opened;
    std::vector<std::string> started;
    std::vector<std::vector<std::string>> arguments; // one list for each start
    bool openSucceeds = true;
    bool startSucceeds = true;
};

// Records every message; answers OK unless told otherwise.
class FakeMessages : public korvo::Messages {
public:
    bool Show(const korvo::Message& message) override {
        shown.push_back(message);
        if (onShow) {
            onShow(message);
        }
        return answer;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> result;
        for (const korvo::Message& message : shown) {
            result.push_back(message.text);
        }
        return result;
    }
    std::vector<korvo::Message> shown;
    bool answer = true;
    std::function<void(const korvo::Message&)> onShow;
};

// The windows of a desktop as a list, topmost first, each with the process that made it, under
// the real title rule.
class FakeWindowFinder : public korvo::WindowFinder {
public:
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
    bool IsWindow(korvo::WindowId window) override {
        for (const Window& w : windows) {
            if (w.id == window) {
                return true;
            }
        }
        return false;
    }
    std::vector<Window> windows;
};

// Children that the test ends by hand: each start is recorded with a process id of its own, and
// end() calls the handler that the program gave.
class FakePrograms : public korvo::Programs {
public:
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
        started.push_back({nextPid, path, arguments, std::move(ended)});
        return nextPid++;
    }
    // Ends the last child started (with a status, or killed by signal when signalled).
    void end(int code, bool signalled = false) {
        auto handler = std::exchange(started.back().ended, nullptr);
        if (handler) {
            handler({signalled, code});
        }
    }
    std::vector<Child> started;
    bool startSucceeds = true;
    long long nextPid = 4242;
};

// Timers that tick when the test says so.
class FakeTimers : public korvo::Timers {
public:
    class Timer : public korvo::Timer {
    public:
        explicit Timer(FakeTimers& owner) : m_owner(owner) { m_owner.live.push_back(this); }
        ~Timer() override { std::erase(m_owner.live, this); }
        Timer(const Timer&) = delete;
        Timer& operator=(const Timer&) = delete;
        void start(std::chrono::milliseconds interval, std::function<void()> tick) override {
            this->interval = interval;
            m_tick = std::move(tick);
        }
        void stop() override { m_tick = nullptr; }
        bool active() const override { return static_cast<bool>(m_tick); }
        void fire() {
            if (m_tick) {
                auto tick = m_tick; // the tick may stop or destroy its timer
                tick();
            }
        }
        std::chrono::milliseconds interval{0};

    private:
        FakeTimers& m_owner;
        std::function<void()> m_tick;
    };
    std::unique_ptr<korvo::Timer> make() override { return std::make_unique<Timer>(*this); }
    // One tick of every running timer.
    void tick() {
        for (Timer* timer : std::vector<Timer*>(live)) {
            if (std::find(live.begin(), live.end(), timer) != live.end()) {
                timer->fire();
            }
        }
    }
    bool anyActive() const {
        return std::any_of(live.begin(), live.end(), [](const Timer* t) { return t->active(); });
    }
    std::vector<Timer*> live;
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
    FakeDesktop(const FakeDesktop&) = delete;
    FakeDesktop& operator=(const FakeDesktop&) = delete;

    FakeShell shell;
    FakeMessages messages;
};

} // namespace fakes
