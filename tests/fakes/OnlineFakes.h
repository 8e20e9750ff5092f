#pragma once

#include "Http.h"
#include "OnlineSetup.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Test doubles for the launcher's online windows: the installer hand-over and a download that
// the test plays by hand.
namespace fakes {

// Records the components it is given; installs them unless told otherwise.
class FakeComponentInstaller : public launcher::ComponentInstaller {
public:
    bool InstallComponent(const std::string& path) override {
        installed.push_back(path);
        return installSucceeds;
    }

    std::vector<std::string> installed;
    bool installSucceeds = true;
};

// Its fetches wait until the test answers or fails the latest one; its one download at a time
// is played by the test, which sets the answer and calls the receiver's events.
class FakeHttpClient : public korvo::HttpClient {
public:
    std::unique_ptr<korvo::Fetch> FetchText(const std::string& url, std::chrono::milliseconds,
                                            FetchDone done) override {
        fetched.push_back(url);
        auto fetch = std::make_unique<Fetch>(*this, std::move(done));
        m_fetch = fetch.get();
        return fetch;
    }
    // Answers the waiting fetch, with a text or none; false when none waits (never started,
    // answered or dropped).
    bool answer(std::optional<std::string> text) {
        if (m_fetch == nullptr) {
            return false;
        }
        const FetchDone done = std::move(std::exchange(m_fetch, nullptr)->done);
        done(std::move(text));
        return true;
    }
    bool fail() { return answer(std::nullopt); }
    bool fetching() const { return m_fetch != nullptr; }

    std::unique_ptr<korvo::Transfer> StartDownload(const std::string& url,
                                                   korvo::TransferEvents& receiver,
                                                   std::chrono::milliseconds wait) override {
        address = url;
        downloadTimeout = wait;
        events = &receiver;
        return std::make_unique<Transfer>(*this);
    }

    // Answers the download: its status (0: no answer) and CONTENT-LENGTH, the body in pieces,
    // and the state that ends it (none yet).
    void play(int code, std::string contentLength, std::string_view body, std::size_t piece = 1024,
              std::optional<korvo::TransferState> end = korvo::TransferState::ResponseCompleted) {
        status = code;
        length = std::move(contentLength);
        if (code != 0) {
            events->StateChanged(korvo::TransferState::ResponseReceived);
        }
        for (std::size_t at = 0; at < body.size(); at += piece) {
            events->DataArrived(body.substr(at, piece));
        }
        if (end) {
            executing = false;
            events->StateChanged(*end);
        }
    }

    std::vector<std::string> fetched; // the address of every fetch, in order
    std::string address;
    std::chrono::milliseconds downloadTimeout{0};
    korvo::TransferEvents* events = nullptr;
    int status = 0;
    std::string length; // the CONTENT-LENGTH header
    bool executing = true;
    int cancels = 0;

private:
    struct Fetch : korvo::Fetch {
        Fetch(FakeHttpClient& client, FetchDone whenDone)
            : http(client), done(std::move(whenDone)) {}
        ~Fetch() override {
            if (http.m_fetch == this) {
                http.m_fetch = nullptr;
            }
        }
        FakeHttpClient& http;
        FetchDone done;
    };
    Fetch* m_fetch = nullptr;
    struct Transfer : korvo::Transfer {
        explicit Transfer(FakeHttpClient& client) : http(client) {}
        int StatusCode() const override { return http.status; }
        std::string GetHeader(std::string_view name) const override {
            return name == "CONTENT-LENGTH" ? http.length : std::string();
        }
        bool StillExecuting() const override { return http.executing; }
        void Cancel() override {
            ++http.cancels;
            http.executing = false;
        }
        FakeHttpClient& http;
    };
};

} // namespace fakes
