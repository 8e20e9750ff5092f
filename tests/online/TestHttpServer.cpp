#include "TestHttpServer.h"

#include <QTcpSocket>
#include <QTimer>

#include <sys/socket.h>

namespace testing {

namespace {

const char* reasonOf(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

// Closing with a zero linger time sends a reset instead of an orderly end.
void resetConnection(QTcpSocket* socket) {
    socket->flush();
    const linger abrupt{1, 0};
    ::setsockopt(static_cast<int>(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &abrupt,
                 sizeof abrupt);
    socket->abort();
}

} // namespace

TestHttpServer::TestHttpServer() {
    m_server.listen(QHostAddress::LocalHost, 0);
    connect(&m_server, &QTcpServer::newConnection, this, &TestHttpServer::accept);
}

TestHttpServer::~TestHttpServer() {
    for (const QPointer<QTcpSocket>& socket : m_sockets) {
        if (socket) {
            socket->abort();
        }
    }
}

std::string TestHttpServer::host() const {
    return "127.0.0.1:" + std::to_string(m_server.serverPort());
}

void TestHttpServer::answer(const std::string& path, Answer answer) {
    m_answers[path] = std::move(answer);
}

void TestHttpServer::accept() {
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        socket->setParent(this);
        m_sockets.emplace_back(socket);
        auto request = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, request] {
            if (request->contains("\r\n\r\n")) {
                return; // one request per connection
            }
            *request += socket->readAll();
            if (!request->contains("\r\n\r\n")) {
                return;
            }
            const QList<QByteArray> line = request->left(request->indexOf("\r\n")).split(' ');
            const std::string path = line.size() > 1 ? line[1].toStdString() : "";
            m_requests.push_back(path);
            respond(socket, path);
        });
    }
}

void TestHttpServer::respond(QTcpSocket* socket, const std::string& path) {
    Answer answer;
    if (const auto known = m_answers.find(path); known != m_answers.end()) {
        answer = known->second;
    } else {
        answer.status = 404;
        answer.body = "<html><body>Not Found</body></html>";
    }
    if (answer.manner == Answer::Manner::Silent) {
        return;
    }
    QByteArray head = "HTTP/1.1 " + QByteArray::number(answer.status) + " " +
                      reasonOf(answer.status) + "\r\nConnection: close\r\n";
    if (answer.sendLength) {
        head +=
            "Content-Length: " +
            QByteArray::fromStdString(answer.length.value_or(std::to_string(answer.body.size()))) +
            "\r\n";
    }
    for (const auto& [name, value] : answer.headers) {
        head += QByteArray::fromStdString(name + ": " + value + "\r\n");
    }
    head += "\r\n";
    socket->write(head);

    QByteArray body = QByteArray::fromStdString(answer.body);
    if (answer.manner == Answer::Manner::Reset || answer.manner == Answer::Manner::Stall) {
        socket->write(body.left(static_cast<qsizetype>(answer.cutAfter)));
        if (answer.manner == Answer::Manner::Reset) {
            resetConnection(socket);
        } else {
            socket->flush();
        }
        return;
    }
    if (answer.pieceBytes > 0) {
        sendPieces(socket, body, answer.pieceBytes, answer.pieceMs);
        return;
    }
    socket->write(body);
    socket->disconnectFromHost();
}

void TestHttpServer::sendPieces(QPointer<QTcpSocket> socket, QByteArray rest, std::size_t size,
                                int ms) {
    if (!socket) {
        return;
    }
    socket->write(rest.left(static_cast<qsizetype>(size)));
    socket->flush();
    rest.remove(0, static_cast<qsizetype>(size));
    if (rest.isEmpty()) {
        socket->disconnectFromHost();
        return;
    }
    QTimer::singleShot(ms, this,
                       [this, socket, rest, size, ms] { sendPieces(socket, rest, size, ms); });
}

} // namespace testing
