// The real HTTP client against a real server on loopback that answers, fails and misbehaves on
// purpose: whole texts, streamed bodies, statuses, resets, stalls and aborts.
#include <QtTest>

#include "QtHttpClient.h"
#include "TestHttpServer.h"

using namespace std::chrono_literals;
using testing::Answer;
using Manner = testing::Answer::Manner;

Q_DECLARE_METATYPE(testing::Answer)

namespace {

std::string bytes(std::size_t size) {
    std::string data(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        data[i] = static_cast<char>(i * 7 % 251);
    }
    return data;
}

Answer answer(int status, std::string body, Manner manner = Manner::Whole,
              std::size_t cutAfter = 0) {
    Answer a;
    a.status = status;
    a.body = std::move(body);
    a.manner = manner;
    a.cutAfter = cutAfter;
    return a;
}

// What a transfer reported.
struct Recorder : korvo::TransferEvents {
    void StateChanged(int state) override {
        states.push_back(state);
        if (state == korvo::kResponseReceived && transfer != nullptr) {
            status = transfer->StatusCode();
            length = transfer->GetHeader("content-length");
        }
        if (state == korvo::kRequestFailed || state == korvo::kResponseCompleted) {
            ended = transfer == nullptr || !transfer->StillExecuting();
        }
    }
    void DataArrived(std::string_view data) override {
        body += data;
        ++pieces;
        if (onData) {
            onData();
        }
    }
    int last() const { return states.empty() ? 0 : states.back(); }

    korvo::Transfer* transfer = nullptr;
    std::vector<int> states;
    std::string body;
    int pieces = 0;
    int status = 0;
    std::string length;
    bool ended = false;
    std::function<void()> onData;
};

} // namespace

class QtHttpClientTest : public QObject {
    Q_OBJECT

    std::string address(const testing::TestHttpServer& server, const std::string& path) {
        return "http://" + server.host() + path;
    }

private slots:
    void fetchText_givesTheWholeBodyOfASuccess();
    void fetchText_givesNothingWhenTheFetchFails_data();
    void fetchText_givesNothingWhenTheFetchFails();
    void fetchText_letsWindowEventsRunWhileItWaits();

    void download_deliversTheBodyAndItsHeaders_data();
    void download_deliversTheBodyAndItsHeaders();
    void download_reportsAFailure_data();
    void download_reportsAFailure();
    void cancel_endsTheTransferWithoutFurtherEvents();
};

void QtHttpClientTest::fetchText_givesTheWholeBodyOfASuccess() {
    testing::TestHttpServer server;
    const std::string list = "NAME:A,FILE:a.cmp\nNAME:B,FILE:b.cmp\n";
    server.answer("/downloads/newreleases.txt", answer(200, list));
    korvo::QtHttpClient http;
    QCOMPARE(http.FetchText(address(server, "/downloads/newreleases.txt"), 10s),
             std::optional<std::string>(list));
    QCOMPARE(server.requests(), std::vector<std::string>{"/downloads/newreleases.txt"});
    // An empty list is a text too.
    server.answer("/empty", answer(200, ""));
    QCOMPARE(http.FetchText(address(server, "/empty"), 10s), std::optional<std::string>(""));
}

void QtHttpClientTest::fetchText_givesNothingWhenTheFetchFails_data() {
    QTest::addColumn<Answer>("reply");
    QTest::newRow("not found") << answer(404, "<html>Not Found</html>");
    QTest::newRow("server error") << answer(500, "NAME:A,FILE:a.cmp\n");
    QTest::newRow("no answer") << answer(200, "", Manner::Silent);
    QTest::newRow("stalls halfway") << answer(200, "NAME:A,FILE:a.cmp\n", Manner::Stall, 5);
    QTest::newRow("reset halfway") << answer(200, bytes(200000), Manner::Reset, 1000);
    QTest::newRow("too long for a list")
        << answer(200, std::string(korvo::QtHttpClient::kMaxTextBytes + 1, 'x'));
}

void QtHttpClientTest::fetchText_givesNothingWhenTheFetchFails() {
    QFETCH(Answer, reply);
    testing::TestHttpServer server;
    server.answer("/list", reply);
    korvo::QtHttpClient http;
    QCOMPARE(http.FetchText(address(server, "/list"), 1s), std::nullopt);
    // Nobody listens here at all.
    QCOMPARE(http.FetchText("http://127.0.0.1:1/list", 1s), std::nullopt);
}

void QtHttpClientTest::fetchText_letsWindowEventsRunWhileItWaits() {
    testing::TestHttpServer server;
    Answer slow = answer(200, bytes(2000));
    slow.pieceBytes = 500;
    slow.pieceMs = 50;
    server.answer("/slow", slow);
    korvo::QtHttpClient http;
    int ticks = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(10);
    QCOMPARE(http.FetchText(address(server, "/slow"), 10s),
             std::optional<std::string>(bytes(2000)));
    QVERIFY(ticks > 0);
}

void QtHttpClientTest::download_deliversTheBodyAndItsHeaders_data() {
    QTest::addColumn<Answer>("reply");
    QTest::addColumn<QString>("length");
    QTest::newRow("3000 bytes") << answer(200, bytes(3000)) << "3000";
    Answer noLength = answer(200, bytes(5000));
    noLength.sendLength = false;
    QTest::newRow("no Content-Length") << noLength << "";
    QTest::newRow("3 MB") << answer(200, bytes(3 << 20)) << QString::number(3 << 20);
    Answer pieces = answer(200, bytes(4096));
    pieces.pieceBytes = 1024;
    pieces.pieceMs = 30;
    QTest::newRow("slow pieces") << pieces << "4096";
}

void QtHttpClientTest::download_deliversTheBodyAndItsHeaders() {
    QFETCH(Answer, reply);
    QFETCH(QString, length);
    testing::TestHttpServer server;
    server.answer("/downloads/korvo002.cmp", reply);
    korvo::QtHttpClient http;
    Recorder recorder;
    const auto transfer =
        http.StartDownload(address(server, "/downloads/korvo002.cmp"), recorder, 5s);
    recorder.transfer = transfer.get();
    QVERIFY(transfer->StillExecuting());
    QTRY_VERIFY_WITH_TIMEOUT(recorder.ended, 15000);

    QCOMPARE(recorder.states,
             (std::vector<int>{korvo::kResponseReceived, korvo::kResponseCompleted}));
    QCOMPARE(recorder.status, 200);
    QCOMPARE(QString::fromStdString(recorder.length), length);
    QCOMPARE(transfer->GetHeader("CONTENT-LENGTH"), length.toStdString());
    QVERIFY(recorder.body == reply.body);
    if (reply.pieceBytes > 0) {
        QVERIFY(recorder.pieces > 1); // delivered as it arrived
    }
}

void QtHttpClientTest::download_reportsAFailure_data() {
    QTest::addColumn<Answer>("reply");
    QTest::addColumn<int>("status"); // as seen with the response, 0 when none came
    QTest::newRow("not found") << answer(404, "<html>Not Found</html>") << 404;
    QTest::newRow("reset halfway") << answer(200, bytes(100000), Manner::Reset, 30000) << 200;
    QTest::newRow("stall after the headers") << answer(200, bytes(3000), Manner::Stall, 0) << 200;
    QTest::newRow("stall halfway") << answer(200, bytes(3000), Manner::Stall, 1500) << 200;
    QTest::newRow("no answer at all") << answer(200, "", Manner::Silent) << 0;
}

void QtHttpClientTest::download_reportsAFailure() {
    QFETCH(Answer, reply);
    QFETCH(int, status);
    testing::TestHttpServer server;
    server.answer("/c.cmp", reply);
    korvo::QtHttpClient http;
    Recorder recorder;
    const auto transfer = http.StartDownload(address(server, "/c.cmp"), recorder, 700ms);
    recorder.transfer = transfer.get();
    QTRY_VERIFY_WITH_TIMEOUT(recorder.ended, 15000);
    QCOMPARE(recorder.last(), int(korvo::kRequestFailed));
    QCOMPARE(recorder.status, status);
    QVERIFY(!transfer->StillExecuting());
}

void QtHttpClientTest::cancel_endsTheTransferWithoutFurtherEvents() {
    testing::TestHttpServer server;
    Answer slow = answer(200, bytes(10240));
    slow.pieceBytes = 1024;
    slow.pieceMs = 50;
    server.answer("/slow.cmp", slow);
    korvo::QtHttpClient http;
    Recorder recorder;
    const auto transfer = http.StartDownload(address(server, "/slow.cmp"), recorder, 5s);
    recorder.transfer = transfer.get();
    recorder.onData = [&] { transfer->Cancel(); };
    QTRY_VERIFY_WITH_TIMEOUT(recorder.pieces > 0, 10000);
    const std::vector<int> states = recorder.states;
    QTest::qWait(300);
    QCOMPARE(recorder.pieces, 1);
    QCOMPARE(recorder.states, states);
    QVERIFY(!transfer->StillExecuting());
}

QTEST_GUILESS_MAIN(QtHttpClientTest)
#include "QtHttpClientTest.moc"
