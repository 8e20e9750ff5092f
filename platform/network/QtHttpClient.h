#pragma once

#include "Http.h"

#include <QPointer>

#include <memory>

class QNetworkAccessManager;
class QNetworkReply;

namespace korvo {

// HTTP and HTTPS through Qt Network; HTTPS checks the server against the system's certificates.
class QtHttpClient : public HttpClient {
public:
    QtHttpClient();
    ~QtHttpClient() override;

    std::optional<std::string> FetchText(const std::string& address,
                                         std::chrono::milliseconds timeout) override;
    void AbortFetch() override;
    std::unique_ptr<Transfer> StartDownload(const std::string& address, TransferEvents& events,
                                            std::chrono::milliseconds timeout) override;

    // A text longer than this is no list of ours: the fetch fails rather than fill the memory.
    static constexpr qint64 kMaxTextBytes = 1 << 20;

private:
    std::unique_ptr<QNetworkAccessManager> m_manager;
    QPointer<QNetworkReply> m_fetch;
};

} // namespace korvo
