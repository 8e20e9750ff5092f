#pragma once

#include "Http.h"
#include "OnlineSetup.h"

#include <QEventLoop>
#include <QTimer>

#include <memory>
#include <optional>
#include <string>
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

// Gives the list it is told at once; without one it waits, running the window events, until
// the fetch is aborted or times out. Its one download at a time is played by the test, which sets
// the answer and calls the receiver's events.
class FakeHttpClient : public korvo::HttpClient {
public:
    std::optional<std::string> FetchText(const std::string& url,
                                         std::chrono::milliseconds timeout) override {
        fetched.push_back(url);
        if (!list) {
            QEventLoop wait;
            QTimer::singleShot(timeout, &wait, &QEventLoop::quit);
            m_fetch = &wait;
            wait.exec();
            m_fetch = nullptr;
        }
        return list;
    }
    void AbortFetch() override {
        if (m_fetch != nullptr) {
            m_fetch->quit();
        }
    }
    std::unique_ptr<korvo::Transfer> StartDownload(const std::string& url,
                                                   korvo::TransferEvents& receiver,
                                                   std::chrono::milliseconds wait) override {
        address = url;
        downloadTimeout = wait;
        events = &receiver;
        return std::make_unique<Transfer>(*this);
    }

    // Answers the download: its status (0: no answer) and CONTENT-LENGTH, the body in pieces,
    // and the state that ends it (0: none yet).
    void play(int code, std::string contentLength, std::string_view body, std::size_t piece = 1024,
              int end = korvo::kResponseCompleted) {
        status = code;
        length = std::move(contentLength);
        if (code != 0) {
            events->StateChanged(korvo::kResponseReceived);
        }
        for (std::size_t at = 0; at < body.size(); at += piece) {
            events->DataArrived(body.substr(at, piece));
        }
        if (end != 0) {
            executing = false;
            events->StateChanged(end);
        }
    }

    std::optional<std::string> list;
    std::vector<std::string> fetched;
    std::string address;
    std::chrono::milliseconds downloadTimeout{0};
    korvo::TransferEvents* events = nullptr;
    int status = 0;
    std::string length; // the CONTENT-LENGTH header
    bool executing = true;
    int cancels = 0;

private:
    QEventLoop* m_fetch = nullptr;
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
