#pragma once

#include "Http.h"
#include "OnlineSetup.h"

#include <map>
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
    void StartInstallWatcher() override { ++watcherStarts; }

    std::vector<std::string> installed;
    bool installSucceeds = true;
    int watcherStarts = 0;
};

// A GET as the test plays it: the test sets the answer and calls the receiver's events.
struct FakeRequest {
    std::string address;
    std::chrono::milliseconds timeout{0};
    korvo::TransferEvents* events = nullptr;
    int status = 0;
    std::map<std::string, std::string> headers; // names in upper case
    bool executing = true;
    int cancels = 0;
};

class FakeHttpClient : public korvo::HttpClient {
public:
    // Lists are fetched from a real server in the tests.
    std::optional<std::string> FetchText(const std::string&, std::chrono::milliseconds) override {
        return std::nullopt;
    }
    void AbortFetch() override {}
    std::unique_ptr<korvo::Transfer> StartDownload(const std::string& address,
                                                   korvo::TransferEvents& events,
                                                   std::chrono::milliseconds timeout) override {
        request = std::make_shared<FakeRequest>();
        request->address = address;
        request->timeout = timeout;
        request->events = &events;
        return std::make_unique<Transfer>(request);
    }

    // The last download started.
    std::shared_ptr<FakeRequest> request;

private:
    class Transfer : public korvo::Transfer {
    public:
        explicit Transfer(std::shared_ptr<FakeRequest> request) : m_request(std::move(request)) {}
        int StatusCode() const override { return m_request->status; }
        std::string GetHeader(std::string_view name) const override {
            std::string key(name);
            for (char& c : key) {
                c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
            }
            const auto found = m_request->headers.find(key);
            return found == m_request->headers.end() ? std::string() : found->second;
        }
        bool StillExecuting() const override { return m_request->executing; }
        void Cancel() override {
            ++m_request->cancels;
            m_request->executing = false;
        }

    private:
        std::shared_ptr<FakeRequest> m_request;
    };
};

} // namespace fakes
