// The real HTTP client against a real server on loopback that answers, fails and misbehaves on
// purpose: whole texts, streamed bodies, statuses, resets, stalls, Cancel and dropped fetches.
#include <QtTest>

#include "QtHttpClient.h"

#include <QProcess>
#include <QSslKey>
#include <QSslServer>
#include <QTcpServer>
#include <QTcpSocket>

#include <sys/socket.h>

#include <numeric>

using namespace std::chrono_literals;

// How the server answers: the bytes it sends, in pieces of 1024 bytes one every `pieceMs` when
// asked, and how it then ends the connection.
struct Reply {
    enum class End { Close, Reset, Hold };
    QByteArray bytes;
    End end = End::Close;
    int pieceMs = 0;
};
using End = Reply::End;
Q_DECLARE_METATYPE(Reply)

namespace {

std::string bytes(qsizetype size) {
    std::string data(static_cast<std::size_t>(size), '\0');
    std::iota(data.begin(), data.end(), '\0');
    return data;
}

// A response of `size` bytes with the status and Content-Length (the body's size unless given;
// none when empty), of which only the first `sent` bytes go out when given, one piece every
// `pieceMs` when given.
Reply reply(int status, qsizetype size, End end = End::Close, qsizetype sent = -1,
            std::optional<QByteArray> length = std::nullopt, int pieceMs = 0) {
    const QByteArray body = QByteArray::fromStdString(bytes(size));
    const QByteArray announced = length.value_or(QByteArray::number(size));
    QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + " X\r\nConnection: close\r\n";
    head += announced.isEmpty() ? "" : "Content-Length: " + announced + "\r\n";
    return {head + "\r\n" + body.left(sent < 0 ? size : sent), end, pieceMs};
}

// What a transfer reported; it has ended when it reports so and no longer executes.
struct Recorder : korvo::TransferEvents {
    void StateChanged(korvo::TransferState state) override {
        states.push_back(state);
        ended = state != korvo::TransferState::ResponseReceived && !transfer->StillExecuting();
    }
    void DataArrived(std::string_view data) override {
        body += data;
        ++pieces;
        if (cancelOnData) {
            transfer->Cancel();
            // As a message box does: the events run, deferred deletions included, while the
            // reply is still inside its signal.
            QEventLoop messageBox;
            QTimer::singleShot(100, &messageBox, &QEventLoop::quit);
            messageBox.exec();
        }
    }

    std::unique_ptr<korvo::Transfer> transfer;
    std::vector<korvo::TransferState> states;
    std::string body;
    int pieces = 0;
    bool ended = false;
    bool cancelOnData = false;
};

} // namespace

// The client against a server on loopback that gives every request the reply it is told.
class QtHttpClientTest : public QObject {
    Q_OBJECT

    QTcpServer m_listener;
    Reply m_reply;
    QByteArray m_request; // the last one answered
    korvo::QtHttpClient m_http;

public:
    QtHttpClientTest() {
        m_listener.listen(QHostAddress::LocalHost, 0);
        serve(m_listener);
    }

private:
    void serve(QTcpServer& listener) {
        connect(&listener, &QTcpServer::pendingConnectionAvailable, this, [this, &listener] {
            while (QTcpSocket* socket = listener.nextPendingConnection()) {
                socket->setParent(this); // closed with the test
                const auto read = [this, socket] {
                    // One request per connection, answered once its head is in; the place a
                    // redirection points to holds a small file.
                    const QByteArray request = socket->readAll();
                    if (request.contains("\r\n\r\n")) {
                        m_request = request;
                        send(socket, request.startsWith("GET /moved ") ? reply(200, 100).bytes
                                                                       : m_reply.bytes);
                    }
                };
                connect(socket, &QTcpSocket::readyRead, socket, read);
                read(); // a TLS connection comes once its handshake is done, maybe with data
            }
        });
    }
    void send(QTcpSocket* socket, QByteArray rest) {
        const qsizetype piece = m_reply.pieceMs > 0 ? 1024 : rest.size();
        socket->write(rest.left(piece));
        rest.remove(0, piece);
        if (!rest.isEmpty()) {
            QTimer::singleShot(m_reply.pieceMs, socket, [=, this] { send(socket, rest); });
        } else if (m_reply.end == End::Close) {
            socket->disconnectFromHost();
        } else if (m_reply.end == End::Reset) {
            socket->flush();
            // Closing with a zero linger time sends a reset instead of an orderly end.
            const linger abrupt{1, 0};
            ::setsockopt(static_cast<int>(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER,
                         &abrupt, sizeof abrupt);
            socket->abort();
        }
    }
    std::string address(const QTcpServer& server, const std::string& scheme = "http") const {
        return scheme + "://127.0.0.1:" + std::to_string(server.serverPort()) + "/c";
    }
    std::string address() const { return address(m_listener); }
    void start(Recorder& recorder, const Reply& answer, std::chrono::milliseconds timeout,
               const std::vector<korvo::Header>& headers = {}) {
        m_reply = answer;
        recorder.transfer = m_http.StartDownload(address(), headers, recorder, timeout);
    }
    // Fetches the text as a window does: the answer comes once, later, from the event loop, and
    // the fetch is dropped there.
    void fetch(const Reply& served, std::chrono::milliseconds timeout,
               const std::optional<std::string>& expected) {
        m_reply = served;
        int calls = 0;
        std::unique_ptr<korvo::Fetch> pending;
        pending = m_http.FetchText(address(), timeout, [&](std::optional<std::string> text) {
            ++calls;
            pending.reset();
            QCOMPARE(text, expected);
        });
        QCOMPARE(calls, 0);
        QTRY_COMPARE_WITH_TIMEOUT(calls, 1, 15000);
    }

private slots:
    void answer_endsAFetchAndADownload_data() {
        QTest::addColumn<Reply>("answer");
        QTest::addColumn<int>("size"); // of the body that arrives whole; -1: a failure
        QTest::newRow("reset halfway") << reply(200, 100000, End::Reset, 30000) << -1;
        QTest::newRow("stall past the time-out") << reply(200, 3000, End::Hold, 1500) << -1;
        QTest::newRow("cut short") << reply(200, 3000, End::Close, -1, "6000") << -1;
        QTest::newRow("no answer at all") << Reply{{}, End::Hold} << -1;
        QTest::newRow("3 MB, too long for a list") << reply(200, 3 << 20) << (3 << 20);
    }
    void answer_endsAFetchAndADownload() {
        QFETCH(Reply, answer);
        QFETCH(int, size);
        const std::chrono::milliseconds timeout = size < 0 ? 700ms : 10s;
        fetch(answer, timeout, std::nullopt); // a failure, or more than a list may hold

        Recorder recorder;
        start(recorder, answer, timeout);
        QTRY_VERIFY_WITH_TIMEOUT(recorder.ended, 15000);
        QCOMPARE(recorder.transfer->StatusCode(), answer.bytes.isEmpty() ? 0 : 200);
        if (size < 0) {
            QCOMPARE(recorder.states.back(), korvo::TransferState::RequestFailed);
            return;
        }
        QCOMPARE(recorder.states, (std::vector{korvo::TransferState::ResponseReceived,
                                               korvo::TransferState::ResponseCompleted}));
        const bool announced = answer.bytes.contains("Content-Length");
        QCOMPARE(recorder.transfer->GetHeader("content-length"),
                 announced ? std::to_string(size) : std::string());
        QVERIFY(recorder.body == bytes(size));
    }

    // A window that closes drops its fetch or cancels its download, the latter from inside the
    // data as a failure's message box does, which leaves the reply whole under its signal: no
    // answer and no event comes after, though the data goes on arriving.
    void cancelAndDrop_endWithoutFurtherEvents() {
        const Reply slow = reply(200, 10240, End::Close, -1, {}, 50);
        Recorder recorder;
        recorder.cancelOnData = true;
        start(recorder, slow, 5s);
        int calls = 0;
        auto pending = m_http.FetchText(address(), 10s, [&calls](auto) { ++calls; });
        QTRY_VERIFY_WITH_TIMEOUT(recorder.pieces > 0, 10000);
        pending.reset();
        const std::vector<korvo::TransferState> states = recorder.states;
        QTest::qWait(800); // past the end of the fetch's reply
        QVERIFY(recorder.pieces == 1 && recorder.states == states && calls == 0);
        QVERIFY(!recorder.transfer->StillExecuting());
    }

    // A server may move a file within itself; a redirection to another host is refused, for the
    // list as for a download, and the download says why.
    void redirect_onlyToTheSameServer() {
        for (const QString& host : {QString("127.0.0.1"), QString("localhost")}) {
            const QByteArray to =
                QString("http://%1:%2/moved").arg(host).arg(m_listener.serverPort()).toLatin1();
            const Reply moved{"HTTP/1.1 302 X\r\nLocation: " + to +
                                  "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n",
                              End::Close};
            const bool same = host == "127.0.0.1";
            fetch(moved, 5s, same ? std::optional(bytes(100)) : std::nullopt);
            Recorder recorder;
            start(recorder, moved, 5s);
            QTRY_VERIFY_WITH_TIMEOUT(recorder.ended, 10000);
            QCOMPARE(recorder.states.back(), same ? korvo::TransferState::ResponseCompleted
                                                  : korvo::TransferState::RequestFailed);
            QCOMPARE(recorder.body.size(), same ? std::size_t{100} : std::size_t{0});
            QCOMPARE(recorder.transfer->FailureReason(),
                     same ? std::string()
                          : "The server sent the download on to another host, localhost.");
        }
    }

    // A download asks for the body as the server stores it, with the headers it is given.
    void download_sendsItsHeaders() {
        Recorder recorder;
        start(recorder, reply(206, 100), 5s, {{"Range", "bytes=5-"}, {"If-Range", "\"a\""}});
        QTRY_VERIFY_WITH_TIMEOUT(recorder.ended, 10000);
        for (const char* line :
             {"Range: bytes=5-", "If-Range: \"a\"", "Accept-Encoding: identity"}) {
            QVERIFY2(m_request.contains(QByteArray("\r\n") + line + "\r\n"), line);
        }
    }

    // "https://" switches to TLS, and the server must show a certificate that the system trusts.
    void https_talksTlsToATrustedServerOnly() {
        QTemporaryDir dir;
        const QString key = dir.filePath("key.pem");
        const QString certificate = dir.filePath("certificate.pem");
        if (!QSslSocket::supportsSsl() ||
            QProcess::execute("openssl",
                              {"req", "-x509", "-newkey", "ec", "-pkeyopt",
                               "ec_paramgen_curve:prime256v1", "-nodes", "-days", "1", "-subj",
                               "/CN=localhost", "-addext", "subjectAltName=IP:127.0.0.1", "-keyout",
                               key, "-out", certificate}) != 0) {
            QSKIP("No TLS backend, or no openssl to make a certificate");
        }
        QFile keyFile(key);
        QVERIFY(keyFile.open(QIODevice::ReadOnly));
        QSslConfiguration server = QSslConfiguration::defaultConfiguration();
        server.setLocalCertificateChain(QSslCertificate::fromPath(certificate));
        server.setPrivateKey(QSslKey(&keyFile, QSsl::Ec));
        QSslServer tls;
        tls.setSslConfiguration(server);
        QVERIFY(tls.listen(QHostAddress::LocalHost, 0));
        serve(tls);
        m_reply = reply(200, 100);
        const QSslConfiguration system = QSslConfiguration::defaultConfiguration();
        for (const bool trusted : {false, true}) {
            QSslConfiguration client = system;
            if (trusted) {
                client.addCaCertificates(certificate);
            }
            QSslConfiguration::setDefaultConfiguration(client);
            korvo::QtHttpClient http; // of its own: Qt keeps connections by server
            Recorder recorder;
            recorder.transfer = http.StartDownload(address(tls, "https"), {}, recorder, 5s);
            QTRY_VERIFY_WITH_TIMEOUT(recorder.ended, 10000);
            QCOMPARE(recorder.body.size(), trusted ? std::size_t{100} : std::size_t{0});
        }
        QSslConfiguration::setDefaultConfiguration(system);
    }
};

QTEST_GUILESS_MAIN(QtHttpClientTest)
#include "QtHttpClientTest.moc"
