#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTcpServer>

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QTcpSocket;

namespace testing {

// How the server answers one path, and how it may misbehave on purpose.
struct Answer {
    enum class Manner {
        Whole,  // the status, the headers and the body, then it closes
        Reset,  // cuts the connection with a reset after `cutAfter` bytes of the body
        Stall,  // sends `cutAfter` bytes of the body, then nothing, keeping the connection
        Silent, // accepts the connection and never answers
    };
    int status = 200;
    std::string body;
    // Content-Length: the body's size unless `length` says otherwise; nothing when omitted.
    bool sendLength = true;
    std::optional<std::string> length;
    std::vector<std::pair<std::string, std::string>> headers;
    Manner manner = Manner::Whole;
    std::size_t cutAfter = 0;
    // The body in pieces of this many bytes, one every `pieceMs` (0: all at once).
    std::size_t pieceBytes = 0;
    int pieceMs = 0;
};

// A small HTTP/1.1 server on loopback, on a port of its own, on the test's thread. Paths it
// was not told about answer 404.
class TestHttpServer : public QObject {
public:
    TestHttpServer();
    ~TestHttpServer() override;

    // "127.0.0.1:PORT", as the download host.
    std::string host() const;
    void answer(const std::string& path, Answer answer);
    // The paths asked for, in order.
    const std::vector<std::string>& requests() const { return m_requests; }

private:
    void accept();
    void respond(QTcpSocket* socket, const std::string& path);
    void sendPieces(QPointer<QTcpSocket> socket, QByteArray rest, std::size_t size, int ms);

    QTcpServer m_server;
    std::map<std::string, Answer> m_answers;
    std::vector<std::string> m_requests;
    std::vector<QPointer<QTcpSocket>> m_sockets;
};

} // namespace testing
