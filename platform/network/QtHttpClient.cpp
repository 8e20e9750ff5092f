#include "QtHttpClient.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>
#include <QUrl>

namespace korvo {

namespace {

// Qt stops handing on the body while this much waits for the window thread, so the memory stays
// flat however large the file; larger buffers are no faster on loopback.
constexpr qint64 kReadBuffer = qint64{512} * 1024;
// Everything waiting is handed to the receiver at once.
constexpr qint64 kPiece = kReadBuffer;

// A server may move a file within itself, and from http to https; never to another host.
constexpr int kMaxRedirects = 5;

QNetworkRequest requestFor(const std::string& address) {
    QNetworkRequest request(QUrl(QString::fromStdString(address)));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    return request;
}

int defaultPort(const QString& scheme) {
    return scheme == QLatin1String("https") ? 443 : 80;
}

// The same host, and the same scheme and port, or from http to https on its usual port.
bool sameServer(const QUrl& from, const QUrl& to) {
    if (from.host().compare(to.host(), Qt::CaseInsensitive) != 0) {
        return false;
    }
    const int fromPort = from.port(defaultPort(from.scheme()));
    const int toPort = to.port(defaultPort(to.scheme()));
    if (from.scheme() == to.scheme()) {
        return fromPort == toPort;
    }
    return from.scheme() == QLatin1String("http") && to.scheme() == QLatin1String("https") &&
           (toPort == 443 || toPort == fromPort);
}

// Lets the reply follow a redirection to the same server; anything else ends it, with why.
void guardRedirects(QNetworkReply* reply, QObject* context, std::string& reason) {
    const QUrl origin = reply->request().url();
    QObject::connect(reply, &QNetworkReply::redirected, context,
                     [reply, origin, &reason](const QUrl& target) {
                         if (sameServer(origin, target)) {
                             emit reply->redirectAllowed();
                             return;
                         }
                         reason = "The server sent the download on to another host, " +
                                  target.host().toStdString() + ".";
                         reply->abort();
                     });
}

int statusOf(const QNetworkReply& reply) {
    return reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

bool isSuccess(int status) {
    return status >= 200 && status <= 299;
}

// Qt reports a connection cut short as a success: a body shorter or longer than its announced
// length is a failure.
bool isWhole(const QNetworkReply& reply, qint64 received) {
    if (!reply.hasRawHeader("Content-Length")) {
        return true;
    }
    bool number = false;
    const qint64 length = reply.rawHeader("Content-Length").trimmed().toLongLong(&number);
    return !number || length == received;
}

class QtTransfer : public Transfer {
public:
    QtTransfer(QNetworkReply* reply, TransferEvents& events, std::chrono::milliseconds timeout)
        : m_reply(reply), m_events(events), m_timeout(timeout) {
        guardRedirects(reply, &m_context, m_reason);
        QObject::connect(reply, &QNetworkReply::metaDataChanged, &m_context, [this] {
            // A redirection is followed by the manager: only the final answer counts.
            if (statusOf(*m_reply) / 100 != 3) {
                reportResponse();
            }
        });
        QObject::connect(reply, &QNetworkReply::readyRead, &m_context, [this] { deliver(); });
        QObject::connect(reply, &QNetworkReply::errorOccurred, &m_context, [this] {
            // Reported while the reply still runs; its end follows as a second failure.
            m_events.StateChanged(TransferState::RequestFailed);
        });
        QObject::connect(reply, &QNetworkReply::finished, &m_context, [this] { finish(); });
    }

    // The receiver may have ended the transfer from inside one of the reply's signals and shown
    // a message box there, whose event loop must not delete the reply under that signal: it goes
    // only with the transfer.
    ~QtTransfer() override {
        Cancel();
        if (m_reply) {
            m_reply->deleteLater();
        }
    }

    int StatusCode() const override { return m_status; }

    std::string GetHeader(std::string_view name) const override {
        const QByteArray key(name.data(), static_cast<qsizetype>(name.size()));
        for (const auto& [header, value] : m_headers) {
            if (header.compare(key, Qt::CaseInsensitive) == 0) {
                return value.toStdString();
            }
        }
        return {};
    }

    bool StillExecuting() const override { return m_active && m_reply && !m_reply->isFinished(); }

    std::string FailureReason() const override { return m_reason; }

    void Cancel() override {
        if (!m_active) {
            return;
        }
        m_active = false;
        if (m_reply) {
            QObject::disconnect(m_reply, nullptr, &m_context, nullptr);
            m_reply->abort();
        }
    }

private:
    void reportResponse() {
        if (m_reported || !m_active) {
            return;
        }
        m_reported = true;
        // The limit reaches the connection only once the request is under way; set again, it
        // holds for the rest of the body.
        m_reply->setReadBufferSize(kReadBuffer);
        m_status = statusOf(*m_reply);
        m_headers = m_reply->rawHeaderPairs();
        m_events.StateChanged(TransferState::ResponseReceived);
    }

    // Hands on everything that has arrived; stops when the receiver cancels.
    void deliver() {
        reportResponse();
        while (m_active && m_reply->bytesAvailable() > 0) {
            const QByteArray piece = m_reply->read(kPiece);
            m_delivered += piece.size();
            m_events.DataArrived(std::string_view(piece.constData(), piece.size()));
        }
    }

    void finish() {
        if (m_reply->error() == QNetworkReply::NoError) {
            deliver();
        }
        if (!m_active) {
            return;
        }
        m_active = false;
        QObject::disconnect(m_reply, nullptr, &m_context, nullptr);
        // Only the time-out and a refused redirection abort a transfer that was not cancelled.
        if (m_reason.empty() && m_reply->error() == QNetworkReply::OperationCanceledError) {
            m_reason = "Nothing arrived for " +
                       std::to_string(
                           std::chrono::duration_cast<std::chrono::seconds>(m_timeout).count()) +
                       " seconds.";
        }
        const bool whole =
            m_reply->error() == QNetworkReply::NoError && isWhole(*m_reply, m_delivered);
        m_events.StateChanged(whole ? TransferState::ResponseCompleted
                                    : TransferState::RequestFailed);
    }

    // The reply's connections end with the transfer.
    QObject m_context;
    QPointer<QNetworkReply> m_reply;
    TransferEvents& m_events;
    std::chrono::milliseconds m_timeout;
    std::string m_reason;
    bool m_active = true;
    bool m_reported = false;
    int m_status = 0;
    qint64 m_delivered = 0;
    QList<QNetworkReply::RawHeaderPair> m_headers;
};

// A text fetched whole within its time; the reply goes with the fetch.
class QtFetch : public Fetch {
public:
    QtFetch(QNetworkReply* reply, std::chrono::milliseconds timeout, HttpClient::FetchDone done)
        : m_reply(reply), m_done(std::move(done)) {
        guardRedirects(reply, &m_context, m_reason);
        QObject::connect(reply, &QNetworkReply::readyRead, &m_context, [this] { read(); });
        QObject::connect(reply, &QNetworkReply::finished, &m_context, [this] { finish(); });
        m_deadline.setSingleShot(true);
        QObject::connect(&m_deadline, &QTimer::timeout, &m_context, [this] { end(std::nullopt); });
        m_deadline.start(timeout);
        if (reply->isFinished()) { // the answer still comes from the event loop
            QMetaObject::invokeMethod(
                &m_context, [this] { finish(); }, Qt::QueuedConnection);
        }
    }

    ~QtFetch() override { stop(); }

private:
    void read() {
        if (!m_reply) {
            return;
        }
        m_body += m_reply->readAll();
        if (m_body.size() > QtHttpClient::kMaxTextBytes) {
            end(std::nullopt);
        }
    }

    void finish() {
        if (!m_reply) {
            return;
        }
        if (m_reply->isOpen()) {
            m_body += m_reply->readAll();
        }
        const bool ok =
            m_reply->error() == QNetworkReply::NoError && isSuccess(statusOf(*m_reply)) &&
            m_body.size() <= QtHttpClient::kMaxTextBytes && isWhole(*m_reply, m_body.size());
        end(ok ? std::optional(m_body.toStdString()) : std::nullopt);
    }

    // The receiver may destroy the fetch: nothing of it is touched after the call.
    void end(std::optional<std::string> text) {
        stop();
        const HttpClient::FetchDone done = std::move(m_done);
        done(std::move(text));
    }

    void stop() {
        m_deadline.stop();
        if (m_reply) {
            QObject::disconnect(m_reply, nullptr, &m_context, nullptr);
            m_reply->abort();
            m_reply->deleteLater();
            m_reply = nullptr;
        }
    }

    // The reply's and the deadline's connections end with the fetch.
    QObject m_context;
    QTimer m_deadline;
    QPointer<QNetworkReply> m_reply;
    HttpClient::FetchDone m_done;
    QByteArray m_body;
    std::string m_reason;
};

} // namespace

QtHttpClient::QtHttpClient() : m_manager(std::make_unique<QNetworkAccessManager>()) {}

QtHttpClient::~QtHttpClient() = default;

std::unique_ptr<Fetch> QtHttpClient::FetchText(const std::string& address,
                                               std::chrono::milliseconds timeout, FetchDone done) {
    return std::make_unique<QtFetch>(m_manager->get(requestFor(address)), timeout, std::move(done));
}

std::unique_ptr<Transfer> QtHttpClient::StartDownload(const std::string& address,
                                                      const std::vector<Header>& headers,
                                                      TransferEvents& events,
                                                      std::chrono::milliseconds timeout) {
    QNetworkRequest request = requestFor(address);
    // Set by hand, it also keeps Qt from asking for a compressed body and inflating it.
    request.setRawHeader("Accept-Encoding", "identity");
    for (const Header& header : headers) {
        request.setRawHeader(QByteArray::fromStdString(header.name),
                             QByteArray::fromStdString(header.value));
    }
    request.setTransferTimeout(static_cast<int>(timeout.count()));
    QNetworkReply* reply = m_manager->get(request);
    reply->setReadBufferSize(kReadBuffer);
    return std::make_unique<QtTransfer>(reply, events, timeout);
}

} // namespace korvo
