// The download as plain data, driven through a fake transfer: the counting, the bar and the
// beam, what is left on disk after success, failure and Cancel, and when the installer runs.
#include <QtTest>

#include "ComponentDownload.h"
#include "OnlineFixture.h"

#include <fstream>
#include <memory>
#include <numeric>

using korvo::TransferState;
using testing::Strings;

namespace {

// How a download ends: with the transfer's last state, or halfway: the user presses Cancel or
// closes the window, or the connection is reset.
enum class End { Completed, Failed, Cancel, Close, Reset };

std::string bytes(int size) {
    std::string data(static_cast<std::size_t>(size), '\0');
    std::iota(data.begin(), data.end(), '\0');
    return data;
}

// One download window's logic over a components folder of its own, with the transfer in the
// test's hands.
struct Download : testing::OnlineFixture {
    Download() {
        logic->DownloadFile = setup.componentsDir + "korvo002.cmp";
        logic->onChanged = [this] {
            if (progress.empty() || progress.back() != logic->lb_Progress.Caption) {
                progress.push_back(logic->lb_Progress.Caption);
            }
        };
        logic->Form_Load();
    }
    void play(int status, const QString& length, int size, End end = End::Completed,
              int piece = 1024) {
        const auto last = end == End::Completed ? std::optional(TransferState::ResponseCompleted)
                          : end == End::Failed  ? std::optional(TransferState::RequestFailed)
                                                : std::nullopt;
        http.play(status, length.toStdString(), bytes(size), static_cast<std::size_t>(piece), last);
    }
    Strings messages() const { return desktop.messages.texts(); }
    bool closed() const { return logic->state() == launcher::DownloadState::Closed; }

    std::unique_ptr<launcher::ComponentDownload> logic =
        std::make_unique<launcher::ComponentDownload>(setup);
    Strings progress; // the captions of lb_Progress, as they changed
};

} // namespace

Q_DECLARE_METATYPE(End)

class ComponentDownloadTest : public QObject {
    Q_OBJECT
private slots:
    void chunks_countAsTheyArriveAndTheFileIsInstalled_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("piece");
        QTest::addColumn<QString>("length");
        QTest::addColumn<int>("counted");
        QTest::addColumn<int>("bar");       // its computed width, before the box of 4500 clips it
        QTest::addColumn<bool>("installs"); // else the installer says itself what went wrong
        QTest::newRow("3000 bytes") << 3000 << 1024 << "3000" << 3 << 4608 << true;
        QTest::newRow("3000 bytes in pieces of 100, the installer fails")
            << 3000 << 100 << "3000" << 3 << 4608 << false;
        QTest::newRow("1025 bytes: a last byte counts not")
            << 1025 << 1024 << "1025" << 1 << 4495 << true;
        QTest::newRow("1026 bytes: two last bytes count")
            << 1026 << 1026 << "1026" << 2 << 8982 << true;
        QTest::newRow("no Content-Length: the size is 1")
            << 2500 << 1024 << "" << 3 << 13824000 << true;
    }
    void chunks_countAsTheyArriveAndTheFileIsInstalled() {
        QFETCH(int, size);
        QFETCH(int, piece);
        QFETCH(QString, length);
        QFETCH(int, counted);
        QFETCH(int, bar);
        QFETCH(bool, installs);
        Download download;
        download.installer.installSucceeds = installs;
        const launcher::ComponentDownload& logic = *download.logic;
        download.play(200, length, size, End::Completed, piece);

        Strings expected{"Connecting to website..."};
        for (int count = 1; count <= counted; ++count) {
            expected.push_back(std::to_string(count) + " Kb copied.");
        }
        QCOMPARE(download.progress, expected);
        QCOMPARE(static_cast<int>(logic.BarWidth), bar);
        QCOMPARE(logic.pb_Bar.Width, std::min(bar, 4500));
        QCOMPARE(logic.img_beam.Visible, counted % 2 == 0); // one blink for every count
        std::ifstream file(logic.DownloadFile, std::ios::binary);
        QVERIFY(std::string(std::istreambuf_iterator<char>(file), {}) == bytes(size));
        QCOMPARE(download.files(), QStringList{"korvo002.cmp"});
        QCOMPARE(download.installer.installed, Strings{logic.DownloadFile});
        QVERIFY(download.closed() && download.messages().empty());
    }

    void end_leavesNothingBehind_data() {
        QTest::addColumn<int>("status"); // 0: no answer
        QTest::addColumn<QString>("length");
        QTest::addColumn<int>("sent");
        QTest::addColumn<End>("end");
        QTest::addColumn<QString>("reason"); // said after the failure message; the client's own
                                             // when the transfer fails
        const QString incomplete = "The file arrived incomplete.";
        QTest::newRow("an error page")
            << 404 << "" << 100 << End::Completed << "The server answered 404.";
        QTest::newRow("Content-Length 0 with a body")
            << 200 << "0" << 3000 << End::Completed << "The server announced an empty file.";
        QTest::newRow("Content-Length with a fraction")
            << 200 << "12.5" << 12 << End::Completed
            << "The server gave the file's size as \"12.5\", which is no size.";
        QTest::newRow("negative Content-Length")
            << 200 << "-5" << 5 << End::Completed
            << "The server gave the file's size as \"-5\", which is no size.";
        QTest::newRow("larger than 4 GiB")
            << 200 << "4294967297" << 10 << End::Completed << "The file is larger than 4 GiB.";
        QTest::newRow("body cut short") << 200 << "3000" << 2000 << End::Completed << incomplete;
        QTest::newRow("body longer than announced")
            << 200 << "10" << 3000 << End::Completed << "The server sent more than it announced.";
        QTest::newRow("empty body") << 200 << "" << 0 << End::Completed << incomplete;
        QTest::newRow("no answer") << 0 << "" << 0 << End::Failed << "";
        QTest::newRow("stalled") << 200 << "3000" << 1000 << End::Failed
                                 << "Nothing arrived for 30 seconds.";
        QTest::newRow("Cancel while connecting") << 0 << "" << 0 << End::Cancel << "";
        QTest::newRow("Cancel while receiving") << 200 << "3000" << 2000 << End::Cancel << "";
        QTest::newRow("window closed while receiving") << 200 << "3000" << 2000 << End::Close << "";
        QTest::newRow("connection reset while receiving")
            << 200 << "3000" << 2000 << End::Reset << "";
    }
    void end_leavesNothingBehind() {
        QFETCH(int, status);
        QFETCH(QString, length);
        QFETCH(int, sent);
        QFETCH(End, end);
        QFETCH(QString, reason);
        const bool halfway = end != End::Completed && end != End::Failed;
        Download download;
        if (end == End::Failed) {
            download.http.failureReason = reason.toStdString();
        }
        bool openWhenShown = false;
        download.desktop.messages.onShow = [&](const korvo::Message& message) {
            QCOMPARE(message.icon, korvo::MessageIcon::Exclamation);
            // Nothing is left to arrive, nor on disk, while the message is open.
            openWhenShown =
                !download.closed() && !download.http.executing && download.files().isEmpty();
        };
        download.play(status, length, sent, end);
        if (halfway) {
            QCOMPARE(download.files(), sent > 0 ? QStringList{"korvo002.cmp.part"} : QStringList{});
        }
        if (end == End::Reset) { // its end is still to come
            download.http.events->StateChanged(TransferState::RequestFailed);
            QCOMPARE(download.progress.back(), "Connection reset. Cancelling request...");
            QVERIFY(!download.logic->cmd_Cancel_Enabled && !download.closed() &&
                    download.messages().empty());
            download.play(0, "", 0, End::Failed);
        } else if (halfway) {
            end == End::Cancel ? download.logic->cmd_Cancel_Click() : download.logic.reset();
        }
        if (download.logic) {
            download.play(200, "", 10); // events after the end change nothing
            QVERIFY(download.closed());
        }
        const bool failed = !halfway || end == End::Reset;
        const std::string why = reason.isEmpty() ? "" : "\n\n" + reason.toStdString();
        QCOMPARE(download.messages(),
                 failed ? Strings{launcher::DownloadFailureMessage() + why} : Strings{});
        QCOMPARE(openWhenShown, failed);
        QVERIFY(download.files().isEmpty() && download.installer.installed.empty());
        QCOMPARE(download.http.cancels, 1);
    }

    // A download writes its own temporary file and its own component, never through a link
    // that someone put in their place, and deletes nothing else.
    void plantedLink_isNeitherWrittenThroughNorDeleted() {
        Download download;
        const QString outside = download.dir.filePath("outside.txt");
        QFile(outside).open(QIODevice::WriteOnly);
        QVERIFY(QDir().mkpath(QString::fromStdString(download.setup.componentsDir)));
        QVERIFY(QFile::link(outside, QString::fromStdString(download.logic->TemporaryFile())));
        download.play(200, "3000", 3000);
        QVERIFY(download.closed() && download.installer.installed.empty());
        QCOMPARE(QFileInfo(outside).size(), 0);
        QVERIFY(QFileInfo(QString::fromStdString(download.logic->TemporaryFile())).isSymLink());
        QVERIFY(QString::fromStdString(download.messages().at(0)).contains("could not be made"));
    }
};

QTEST_MAIN(ComponentDownloadTest)
#include "ComponentDownloadTest.moc"
