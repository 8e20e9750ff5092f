#pragma once

#include "Http.h"
#include "OnlineSetup.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Test doubles for the launcher's online windows: the installer hand-over and a download that
// the test plays by hand.
namespace fakes {

// Records the components it is given, and installs them.
struct FakeComponentInstaller : launcher::ComponentInstaller {
    bool InstallComponent(const std::string& path, const std::string& /*game*/) override {
        installed.push_back(path);
        return true;
    }
    std::vector<std::string> installed;
};

// Its fetches wait until the test answers or fails the latest one; its one download at a time
// is played by the test, which sets the answer and calls the receiver's events.
struct FakeHttpClient : korvo::HttpClient {
    struct Fetch : korvo::Fetch {
        std::shared_ptr<FetchDone> done;
    };
    std::unique_ptr<korvo::Fetch> FetchText(const std::string& url, std::chrono::milliseconds,
                                            FetchDone done) override {
        fetched.push_back(url);
        auto fetch = std::make_unique<Fetch>();
        waiting = fetch->done = std::make_shared<FetchDone>(std::move(done));
        return fetch;
    }
    // Answers the waiting fetch, with a text or none; false when none waits (never started,
    // answered or dropped).
    bool answer(std::optional<std::string> text) {
        const std::shared_ptr<FetchDone> done = std::exchange(waiting, {}).lock();
        if (done) {
            (*done)(std::move(text));
        }
        return done != nullptr;
    }

    std::unique_ptr<korvo::Transfer> StartDownload(const std::string& url,
                                                   const std::vector<korvo::Header>& asked,
                                                   korvo::TransferEvents& receiver,
                                                   std::chrono::milliseconds) override {
        address = url;
        events = &receiver;
        executing = true;
        requests.emplace_back();
        for (const korvo::Header& header : asked) {
            requests.back() += header.name + ": " + header.value + "\n";
        }
        return std::make_unique<Transfer>(*this);
    }

    // Answers the download: its status (0: no answer) and CONTENT-LENGTH (with `headers`), the
    // body in pieces, and the state that ends it (none yet).
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
    std::weak_ptr<FetchDone> waiting; // the fetch that waits for an answer, if any
    std::string address;
    std::vector<std::string> requests; // the headers of every download, as "name: value" lines
    korvo::TransferEvents* events = nullptr;
    int status = 0;
    std::string length;                         // the CONTENT-LENGTH header, unless in headers
    std::map<std::string, std::string> headers; // the answer's headers
    bool executing = true;
    int cancels = 0;
    std::string failureReason; // what the client says of a failed transfer

    struct Transfer : korvo::Transfer {
        explicit Transfer(FakeHttpClient& client) : http(client) {}
        int StatusCode() const override { return http.status; }
        std::string GetHeader(std::string_view name) const override {
            const auto found = http.headers.find(std::string(name));
            return found != http.headers.end() ? found->second
                   : name == "CONTENT-LENGTH"  ? http.length
                                               : std::string();
        }
        bool StillExecuting() const override { return http.executing; }
        void Cancel() override {
            ++http.cancels;
            http.executing = false;
        }
        std::string FailureReason() const override { return http.failureReason; }
        FakeHttpClient& http;
    };
};

} // namespace fakes
