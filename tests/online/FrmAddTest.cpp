// The download window with the real HTTP client against a real server on loopback: what the
// window shows, what is left on disk and whether the installer runs, for good downloads, a
// misbehaving server and Cancel.
#include <QtTest>

#include "FrmAdd.h"
#include "OnlineFakes.h"
#include "PlatformFakes.h"
#include "QtHttpClient.h"
#include "TestHttpServer.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::Answer;
using Manner = testing::Answer::Manner;
using Strings = std::vector<std::string>;

Q_DECLARE_METATYPE(testing::Answer)

namespace {

const std::string kFailure =
    "Unable to download the game from the Quibbrik website.\n\nPlease try again later.  If the "
    "problem persists then please email support@quibbrik.com.";
const std::string kPath = "/downloads/korvo002.cmp";

std::string bytes(std::size_t size) {
    std::string data(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        data[i] = static_cast<char>(i * 13 % 256);
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

Answer slowly(Answer a, std::size_t piece, int ms) {
    a.pieceBytes = piece;
    a.pieceMs = ms;
    return a;
}

// What the user saw while the window was open, sampled as it changed.
struct Seen {
    Strings progress;
    std::vector<int> bars;
    std::string status;
    int barBox = 0;
    bool guardClosed = false;
};

// A components folder (not yet made), the server and the fakes of one download.
struct Fixture {
    Fixture() { setup.downloadHost = server.host(); }

    std::string file() const { return setup.componentsDir + "korvo002.cmp"; }
    Strings files() const {
        Strings names;
        if (fs::is_directory(setup.componentsDir)) {
            for (const auto& entry : fs::directory_iterator(setup.componentsDir)) {
                names.push_back(entry.path().filename().string());
            }
        }
        return names;
    }
    std::string written() const {
        std::ifstream in(file(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // Shows the window until it closes; `act` runs on every sample while it is open.
    Seen run(const std::function<void(launcher::FrmAdd&, const Seen&)>& act = {}) {
        launcher::FrmAdd window(setup, nullptr);
        window.SetDownloadFile(file());
        window.SetDownloadURL(launcher::DownloadAddress(setup.downloadHost, "korvo002.cmp"));
        Seen seen;
        auto* progress = window.findChild<QLabel*>("lb_Progress");
        auto* bar = window.findChild<QWidget*>("pb_Bar");
        QTimer sample;
        QObject::connect(&sample, &QTimer::timeout, [&] {
            const std::string text = progress->text().toStdString();
            if (seen.progress.empty() || seen.progress.back() != text) {
                seen.progress.push_back(text);
            }
            if (seen.bars.empty() || seen.bars.back() != bar->width()) {
                seen.bars.push_back(bar->width());
            }
            seen.status = window.findChild<QLabel*>("lb_Status")->text().toStdString();
            if (act) {
                act(window, seen);
            }
        });
        sample.start(2);
        // The way out should the window never close by itself.
        QTimer::singleShot(30000, &window, [&] {
            seen.guardClosed = true;
            window.done(QDialog::Rejected);
        });
        window.exec();
        seen.barBox = window.findChild<QFrame*>("pb_Progress")->contentsRect().width();
        seen.status = window.findChild<QLabel*>("lb_Status")->text().toStdString();
        const std::string text = progress->text().toStdString();
        if (seen.progress.empty() || seen.progress.back() != text) {
            seen.progress.push_back(text);
        }
        seen.bars.push_back(bar->width());
        return seen;
    }

    testing::TestHttpServer server;
    QTemporaryDir dir;
    fakes::FakeComponentInstaller installer;
    korvo::QtHttpClient http;
    launcher::OnlineSetup setup{dir.path().toStdString() + "/Korvo Game Components/", installer,
                                http};
};

} // namespace

class FrmAddTest : public QObject {
    Q_OBJECT

    fakes::FakeMessages m_messages;

private slots:
    void init() {
        m_messages = {};
        korvo::setMessages(&m_messages);
    }
    void cleanup() { korvo::setMessages(nullptr); }

    void window_showsItsDesignTexts();
    void download_writesTheFileAndHandsItToTheInstaller_data();
    void download_writesTheFileAndHandsItToTheInstaller();
    void download_movesCounterAndBarWhileDataArrives();
    void failure_showsTheMessageLeavesNothingAndInstallsNothing_data();
    void failure_showsTheMessageLeavesNothingAndInstallsNothing();
    void cancel_closesSilentlyAndLeavesNothing_data();
    void cancel_closesSilentlyAndLeavesNothing();
    void openDownloadWindow_showsItOwnedByTheMainWindowAndDestroysIt();
};

void FrmAddTest::window_showsItsDesignTexts() {
    Fixture fixture;
    launcher::FrmAdd window(fixture.setup, nullptr);
    QCOMPARE(window.objectName(), QString("frm_Add"));
    QCOMPARE(window.windowTitle(), QString("Add Component"));
    QCOMPARE(window.findChild<QPushButton*>("cmd_Cancel")->text(), QString("&Cancel"));
    auto* beam = window.findChild<QLabel*>("img_beam");
    QCOMPARE(beam->pixmap().size(), QSize(16, 7));
    QCOMPARE(beam->parentWidget()->objectName(), QString("Picture1"));
    QCOMPARE(window.findChild<QWidget*>("pb_Bar")->parentWidget()->objectName(),
             QString("pb_Progress"));
}

void FrmAddTest::download_writesTheFileAndHandsItToTheInstaller_data() {
    QTest::addColumn<Answer>("reply");
    QTest::addColumn<QString>("count");
    QTest::addColumn<bool>("barFull");
    QTest::newRow("3000 bytes") << answer(200, bytes(3000)) << "3 Kb copied." << true;
    QTest::newRow("1025 bytes") << answer(200, bytes(1025)) << "1 Kb copied." << false;
    Answer noLength = answer(200, bytes(2500));
    noLength.sendLength = false;
    QTest::newRow("no Content-Length") << noLength << "3 Kb copied." << true;
    QTest::newRow("in slow pieces")
        << slowly(answer(200, bytes(6000)), 1000, 20) << "6 Kb copied." << true;
}

void FrmAddTest::download_writesTheFileAndHandsItToTheInstaller() {
    QFETCH(Answer, reply);
    QFETCH(QString, count);
    QFETCH(bool, barFull);
    Fixture fixture;
    fixture.server.answer(kPath, reply);
    const Seen seen = fixture.run();

    QVERIFY(!seen.guardClosed);
    QCOMPARE(QString::fromStdString(seen.progress.back()), count);
    QCOMPARE(seen.bars.back() == seen.barBox, barFull);
    QCOMPARE(seen.status, std::string("Installing..."));
    QVERIFY(fixture.written() == reply.body);
    QCOMPARE(fixture.files(), Strings{"korvo002.cmp"});
    QCOMPARE(fixture.installer.installed, Strings{fixture.file()});
    QCOMPARE(fixture.installer.watcherStarts, 1);
    QVERIFY(m_messages.shown.empty());
    QCOMPARE(fixture.server.requests(), Strings{kPath});
}

void FrmAddTest::download_movesCounterAndBarWhileDataArrives() {
    Fixture fixture;
    fixture.server.answer(kPath, slowly(answer(200, bytes(20 * 1024)), 2048, 40));
    bool partWhileReceiving = false;
    const Seen seen = fixture.run([&](launcher::FrmAdd&, const Seen&) {
        partWhileReceiving = partWhileReceiving || fixture.files() == Strings{"korvo002.cmp.part"};
    });
    QVERIFY(seen.progress.size() >= 5);
    QVERIFY(seen.bars.size() >= 5);
    QVERIFY(std::is_sorted(seen.bars.begin(), seen.bars.end()));
    QVERIFY(partWhileReceiving);
    QCOMPARE(fixture.files(), Strings{"korvo002.cmp"});
    QCOMPARE(fixture.installer.installed.size(), std::size_t{1});
}

void FrmAddTest::failure_showsTheMessageLeavesNothingAndInstallsNothing_data() {
    QTest::addColumn<Answer>("reply");
    QTest::newRow("not found") << answer(404, "<html>Not Found</html>");
    Answer zero = answer(200, bytes(3000));
    zero.length = "0";
    QTest::newRow("Content-Length 0 with a body") << zero;
    Answer words = answer(200, bytes(3000));
    words.length = "three thousand";
    QTest::newRow("Content-Length not a number") << words;
    QTest::newRow("reset halfway") << answer(200, bytes(60000), Manner::Reset, 20000);
    QTest::newRow("stall past the time-out") << answer(200, bytes(3000), Manner::Stall, 1500);
    QTest::newRow("accepts and says nothing") << answer(200, "", Manner::Silent);
}

void FrmAddTest::failure_showsTheMessageLeavesNothingAndInstallsNothing() {
    QFETCH(Answer, reply);
    Fixture fixture;
    fixture.setup.downloadTimeout = 800ms;
    fixture.server.answer(kPath, reply);
    bool openWhenShown = false;
    m_messages.onShow = [&](const korvo::Message&) {
        openWhenShown = QApplication::activeModalWidget() != nullptr &&
                        QApplication::activeModalWidget()->objectName() == "frm_Add";
    };
    const Seen seen = fixture.run();
    QVERIFY(!seen.guardClosed);
    QCOMPARE(m_messages.texts(), Strings{kFailure});
    QCOMPARE(m_messages.shown[0].icon, korvo::MessageIcon::Exclamation);
    QVERIFY(openWhenShown);
    QCOMPARE(fixture.files(), Strings{});
    QVERIFY(fixture.installer.installed.empty());
    QCOMPARE(fixture.installer.watcherStarts, 0);
}

void FrmAddTest::cancel_closesSilentlyAndLeavesNothing_data() {
    QTest::addColumn<Answer>("reply");
    QTest::addColumn<bool>("afterData");
    QTest::addColumn<bool>("escape");
    QTest::newRow("Cancel while connecting") << answer(200, "", Manner::Silent) << false << false;
    const Answer slow = slowly(answer(200, bytes(40 * 1024)), 1024, 50);
    QTest::newRow("Cancel while receiving") << slow << true << false;
    QTest::newRow("Escape while receiving") << slow << true << true;
}

void FrmAddTest::cancel_closesSilentlyAndLeavesNothing() {
    QFETCH(Answer, reply);
    QFETCH(bool, afterData);
    QFETCH(bool, escape);
    Fixture fixture;
    fixture.server.answer(kPath, reply);
    bool pressed = false;
    Strings filesWhenPressed;
    const Seen seen = fixture.run([&](launcher::FrmAdd& window, const Seen& now) {
        const bool ready = afterData ? now.progress.back().ends_with("Kb copied.")
                                     : fixture.server.requests().size() == 1;
        if (pressed || !ready) {
            return;
        }
        pressed = true;
        filesWhenPressed = fixture.files();
        if (escape) {
            QTest::keyClick(&window, Qt::Key_Escape);
        } else {
            window.findChild<QPushButton*>("cmd_Cancel")->click();
        }
    });
    QVERIFY(pressed);
    QVERIFY(!seen.guardClosed);
    QCOMPARE(filesWhenPressed, afterData ? Strings{"korvo002.cmp.part"} : Strings{});
    QVERIFY(m_messages.shown.empty());
    QCOMPARE(fixture.files(), Strings{});
    QVERIFY(fixture.installer.installed.empty());
}

void FrmAddTest::openDownloadWindow_showsItOwnedByTheMainWindowAndDestroysIt() {
    Fixture fixture;
    fixture.server.answer(kPath, slowly(answer(200, bytes(3000)), 1000, 100));
    QWidget frmMain;
    frmMain.show();
    launcher::OpenDownloadWindow(&frmMain, fixture.setup, "korvo002.cmp");
    // The window runs its own event loop: it is watched from a timer.
    QPointer<QWidget> shown;
    QWidget* owner = nullptr;
    QString url;
    QTimer watch;
    connect(&watch, &QTimer::timeout, [&] {
        if (auto* modal = QApplication::activeModalWidget();
            shown.isNull() && modal != nullptr && modal->objectName() == "frm_Add") {
            shown = modal;
            owner = modal->parentWidget();
            url = modal->findChild<QLabel*>("lb_Status")->text();
        }
    });
    watch.start(5);
    QTRY_VERIFY_WITH_TIMEOUT(fixture.installer.watcherStarts == 1, 10000);
    QCOMPARE(owner, &frmMain);
    QVERIFY(url.contains(QString::fromStdString("http://" + fixture.server.host() + kPath)));
    QTRY_VERIFY_WITH_TIMEOUT(shown.isNull(), 5000); // closed and destroyed
    QCOMPARE(fixture.installer.installed, Strings{fixture.file()});
}

QTEST_MAIN(FrmAddTest)
#include "FrmAddTest.moc"
