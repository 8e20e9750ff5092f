// The download as plain data, driven through a fake transfer: the counting, the bar and the
// beam, what is left on disk after success, failure and Cancel, and when the installer runs.
#include <QtTest>

#include "ComponentDownload.h"
#include "OnlineFakes.h"
#include "PlatformFakes.h"

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <memory>

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

namespace {

const std::string kFailure =
    "Unable to download the game from the Quibbrik website.\n\nPlease try again later.  If the "
    "problem persists then please email support@quibbrik.com.";

std::string bytes(std::size_t size) {
    std::string data(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        data[i] = static_cast<char>('a' + i % 26);
    }
    return data;
}

// One download window's logic over a components folder of its own, with the transfer in the
// test's hands.
struct Download {
    Download() {
        logic->DownloadFile = setup.componentsDir + "korvo002.cmp";
        logic->DownloadURL = "http://127.0.0.1:48620/downloads/korvo002.cmp";
        logic->onChanged = [this] {
            const std::string& caption = logic->lb_Progress.Caption;
            if (progress.empty() || progress.back() != caption) {
                progress.push_back(caption);
            }
        };
        logic->Form_Load();
    }

    korvo::TransferEvents& events() const { return *http.request->events; }
    void respond(int status, const std::string& length) {
        http.request->status = status;
        if (!length.empty()) {
            http.request->headers["CONTENT-LENGTH"] = length;
        }
        events().StateChanged(korvo::kResponseReceived);
    }
    void deliver(const std::string& data, std::size_t piece) {
        for (std::size_t at = 0; at < data.size(); at += piece) {
            events().DataArrived(std::string_view(data).substr(at, piece));
        }
    }
    void complete() {
        http.request->executing = false;
        events().StateChanged(korvo::kResponseCompleted);
    }
    // Everything in the components folder, by name.
    Strings files() const {
        Strings names;
        if (fs::is_directory(setup.componentsDir)) {
            for (const auto& entry : fs::directory_iterator(setup.componentsDir)) {
                names.push_back(entry.path().filename().string());
            }
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string written() const {
        std::ifstream file(logic->DownloadFile, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    QTemporaryDir dir;
    fakes::FakeComponentInstaller installer;
    fakes::FakeHttpClient http;
    launcher::OnlineSetup setup{dir.path().toStdString() + "/Korvo Game Components/", installer,
                                http};
    std::unique_ptr<launcher::ComponentDownload> logic =
        std::make_unique<launcher::ComponentDownload>(setup);
    Strings progress; // the captions of lb_Progress, as they changed
};

} // namespace

class ComponentDownloadTest : public QObject {
    Q_OBJECT

    fakes::FakeMessages m_messages;

private slots:
    void init() {
        m_messages = {};
        korvo::setMessages(&m_messages);
    }
    void cleanup() { korvo::setMessages(nullptr); }

    void load_showsTheAddressAndStartsTheRequest();
    void chunks_countAsTheyArrive_data();
    void chunks_countAsTheyArrive();
    void bar_growsWithTheCountAndIsClippedByTheBox();
    void beam_blinksWithEveryDeliveryThatCounts();
    void complete_withoutAnInstalledComponentStartsNoWatcher();
    void failure_showsTheMessageAndLeavesNothing_data();
    void failure_showsTheMessageAndLeavesNothing();
    void failureWhileExecuting_waitsForTheEnd();
    void closingMidway_removesTheTemporaryFile();
};

void ComponentDownloadTest::load_showsTheAddressAndStartsTheRequest() {
    Download download;
    const launcher::ComponentDownload& logic = *download.logic;
    QCOMPARE(logic.lb_Status.Caption,
             std::string("Downloading from Quibbrik :\nhttp://127.0.0.1:48620/downloads/"
                         "korvo002.cmp\n\nPlease stand by..."));
    QCOMPARE(logic.lb_Progress.Caption, std::string("Connecting to website..."));
    QCOMPARE(logic.pb_Bar.Width, 0);
    QVERIFY(logic.RequestActive);
    QVERIFY(!logic.DownloadOK);
    QCOMPARE(download.http.request->address, logic.DownloadURL);
    QCOMPARE(download.http.request->timeout, std::chrono::milliseconds(20000));
    QVERIFY(!fs::exists(download.setup.componentsDir));
}

void ComponentDownloadTest::chunks_countAsTheyArrive_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("piece");
    QTest::addColumn<Strings>("counts");
    QTest::newRow("3000 bytes by 1024")
        << 3000 << 1024 << Strings{"1 Kb copied.", "2 Kb copied.", "3 Kb copied."};
    QTest::newRow("3000 bytes by 100")
        << 3000 << 100 << Strings{"1 Kb copied.", "2 Kb copied.", "3 Kb copied."};
    QTest::newRow("3000 bytes at once") << 3000 << 3000 << Strings{"2 Kb copied.", "3 Kb copied."};
    QTest::newRow("1025 bytes: the last byte alone does not count")
        << 1025 << 1024 << Strings{"1 Kb copied."};
    QTest::newRow("1024 bytes") << 1024 << 1024 << Strings{"1 Kb copied."};
    QTest::newRow("1026 bytes: two last bytes count")
        << 1026 << 1026 << Strings{"1 Kb copied.", "2 Kb copied."};
    QTest::newRow("1 byte counts nothing") << 1 << 1 << Strings{};
}

void ComponentDownloadTest::chunks_countAsTheyArrive() {
    QFETCH(int, size);
    QFETCH(int, piece);
    QFETCH(Strings, counts);
    Download download;
    const std::string data = bytes(static_cast<std::size_t>(size));
    download.respond(200, std::to_string(size));
    download.deliver(data, static_cast<std::size_t>(piece));
    download.complete();

    Strings expected{"Connecting to website..."};
    expected.insert(expected.end(), counts.begin(), counts.end());
    QCOMPARE(download.progress, expected);
    QCOMPARE(download.written(), data);
    QCOMPARE(download.files(), Strings{"korvo002.cmp"});
    QVERIFY(m_messages.shown.empty());
}

void ComponentDownloadTest::bar_growsWithTheCountAndIsClippedByTheBox() {
    {
        Download download;
        const launcher::ComponentDownload& logic = *download.logic;
        QCOMPARE(logic.pb_Progress.Width, 4500);
        download.respond(200, "3000");
        download.deliver(bytes(1024), 1024);
        QCOMPARE(logic.BarWidth, 1536.0f); // 1 / (3000 / 1024) * 4500
        QCOMPARE(logic.pb_Bar.Width, 1536);
        download.deliver(bytes(1976), 1024);
        download.complete();
        QCOMPARE(logic.BarWidth, 4608.0f); // about 1.02 times the box
        QCOMPARE(logic.pb_Bar.Width, 4500);
    }
    {
        // Without a length the size counts as 1 byte: the first chunk fills the box.
        Download download;
        download.respond(200, "");
        download.deliver(bytes(1024), 1024);
        QCOMPARE(download.logic->BarWidth, 1024.0f * 4500.0f); // 1 / (1 / 1024) * 4500
        QCOMPARE(download.logic->pb_Bar.Width, 4500);
        download.complete();
        QCOMPARE(download.installer.installed, Strings{download.logic->DownloadFile});
    }
}

void ComponentDownloadTest::beam_blinksWithEveryDeliveryThatCounts() {
    Download download;
    const launcher::ComponentDownload& logic = *download.logic;
    QVERIFY(logic.img_beam.Visible);
    download.respond(200, "5000");
    download.deliver(bytes(1500), 1500);
    QVERIFY(!logic.img_beam.Visible);
    download.deliver(bytes(100), 100); // still within the second chunk
    QVERIFY(!logic.img_beam.Visible);
    download.deliver(bytes(3000), 3000);
    QVERIFY(logic.img_beam.Visible);
}

void ComponentDownloadTest::complete_withoutAnInstalledComponentStartsNoWatcher() {
    Download download;
    download.installer.installSucceeds = false;
    download.respond(200, "10");
    download.deliver(bytes(10), 10);
    download.complete();
    QCOMPARE(download.installer.installed.size(), std::size_t{1});
    QCOMPARE(download.installer.watcherStarts, 0);
    QVERIFY(download.logic->Closed);
    QVERIFY(m_messages.shown.empty()); // the installer has said what went wrong
}

void ComponentDownloadTest::failure_showsTheMessageAndLeavesNothing_data() {
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("length");
    QTest::addColumn<int>("sent");
    QTest::addColumn<bool>("completes");
    // The server's own failures are played against a real server in FrmAddTest.
    QTest::newRow("length with a fraction") << 200 << "12.5" << 12 << true;
    QTest::newRow("negative length") << 200 << "-5" << 5 << true;
    QTest::newRow("fewer bytes than announced") << 200 << "3000" << 2000 << true;
    QTest::newRow("an empty body") << 200 << "" << 0 << true;
    QTest::newRow("the request failed before the response") << 0 << "" << 0 << false;
}

void ComponentDownloadTest::failure_showsTheMessageAndLeavesNothing() {
    QFETCH(int, status);
    QFETCH(QString, length);
    QFETCH(int, sent);
    QFETCH(bool, completes);
    Download download;
    bool closedWhenShown = true;
    m_messages.onShow = [&](const korvo::Message&) {
        closedWhenShown = download.logic->Closed;
        // Nothing is left to arrive while the message is open.
        QVERIFY(!download.http.request->executing);
        QCOMPARE(download.files(), Strings{});
    };
    if (status != 0) {
        download.respond(status, length.toStdString());
    }
    download.deliver(bytes(static_cast<std::size_t>(sent)), 1024);
    if (completes) {
        download.complete();
    } else {
        download.http.request->executing = false;
        download.events().StateChanged(korvo::kRequestFailed);
    }

    QCOMPARE(m_messages.texts(), Strings{kFailure});
    QCOMPARE(m_messages.shown[0].icon, korvo::MessageIcon::Exclamation);
    QVERIFY(!closedWhenShown);
    QVERIFY(download.logic->Closed);
    QVERIFY(!download.logic->RequestActive);
    QVERIFY(!download.logic->DownloadOK);
    QVERIFY(download.installer.installed.empty());
    QCOMPARE(download.files(), Strings{});
    // Events after the end change nothing.
    download.deliver(bytes(10), 10);
    download.complete();
    QCOMPARE(m_messages.shown.size(), std::size_t{1});
    QCOMPARE(download.files(), Strings{});
}

void ComponentDownloadTest::failureWhileExecuting_waitsForTheEnd() {
    Download download;
    download.respond(200, "3000");
    download.deliver(bytes(1024), 1024);
    download.events().StateChanged(korvo::kRequestFailed); // still executing
    const launcher::ComponentDownload& logic = *download.logic;
    QCOMPARE(logic.lb_Progress.Caption, std::string("Connection reset. Cancelling request..."));
    QVERIFY(!logic.cmd_Cancel_Enabled);
    QVERIFY(!logic.Closed);
    QVERIFY(m_messages.shown.empty());

    download.http.request->executing = false;
    download.events().StateChanged(korvo::kRequestFailed);
    QCOMPARE(m_messages.texts(), Strings{kFailure});
    QVERIFY(logic.Closed);
    QCOMPARE(download.files(), Strings{});
}

void ComponentDownloadTest::closingMidway_removesTheTemporaryFile() {
    Download download;
    download.respond(200, "3000");
    download.deliver(bytes(2000), 2000);
    QCOMPARE(download.files(), Strings{"korvo002.cmp.part"});
    download.logic.reset();
    QCOMPARE(download.files(), Strings{});
    QCOMPARE(download.http.request->cancels, 1);
}

QTEST_GUILESS_MAIN(ComponentDownloadTest)
#include "ComponentDownloadTest.moc"
