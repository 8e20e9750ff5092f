#pragma once

#include "Http.h"

#include <QtGlobal>

#include <memory>

class QNetworkAccessManager;

namespace korvo {

// HTTP and HTTPS through Qt Network; HTTPS checks the server against the system's certificates.
class QtHttpClient : public HttpClient {
public:
    QtHttpClient();
    ~QtHttpClient() override;

    std::unique_ptr<Fetch> FetchText(const std::string& address, std::chrono::milliseconds timeout,
                                     FetchDone done) override;
    std::unique_ptr<Transfer> StartDownload(const std::string& address,
                                            const std::vector<Header>& headers,
                                            TransferEvents& events,
                                            std::chrono::milliseconds timeout) override;

    // A text longer than this is no list of ours: the fetch fails rather than fill the memory.
    static constexpr qint64 kMaxTextBytes = 1 << 20;

private:
    std::unique_ptr<QNetworkAccessManager> m_manager;
};

} // namespace korvo
