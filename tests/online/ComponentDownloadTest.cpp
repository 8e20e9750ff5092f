// The download as plain data, driven through a fake transfer: the counting and the bar, retries
// and resumed transfers, what is left on disk after success, failure, Cancel and a closed
// launcher, and when the installer runs.
#include <QtTest>

#include "ComponentDownload.h"
#include "Installation.h"
#include "OnlineFixture.h"
#include "Text.h"

#include <filesystem>
#include <memory>
#include <numeric>

#include <unistd.h>

using korvo::TransferState;
using testing::Strings;

namespace {

// How an answer ends: whole, the connection lost, reset while the client still executes, or
// not yet.
enum class End { Done, Drop, Reset, None };

std::string bytes(int size) {
    std::string data(static_cast<std::size_t>(size), '\0');
    std::iota(data.begin(), data.end(), '\0');
    return data;
}

const std::string kFile = bytes(3000);
const std::string kAddress = "http://quibbrik.test/downloads/korvo002.cmp";
const std::map<std::string, std::string> kETag{{"ETag", "\"a\""}};

std::string range(int from) {
    return "Range: bytes=" + std::to_string(from) + "-\nIf-Range: \"a\"\n";
}

std::map<std::string, std::string> contentRange(int from) {
    return {{"Content-Range", "bytes " + std::to_string(from) + "-2999/3000"}};
}

// One answer of the server: its status (0: none) and headers ("name: value" lines), the bytes
// [from, to) of the 3000-byte file that it sends, and how it ends.
struct Answer {
    int status;
    std::map<std::string, std::string> headers;
    int from;
    int to;
    End end;
};
using Script = std::vector<Answer>;

// One download window's logic over a components folder of its own, with the server in the
// test's hands; loaded at once unless the test first prepares the folder.
struct Download : testing::OnlineFixture {
    explicit Download(bool loaded = true) {
        http.failureReason = "Nothing arrived for 30 seconds.";
        if (loaded) {
            load();
        }
    }
    void load(const std::string& address = kAddress) {
        logic = std::make_unique<launcher::ComponentDownload>(setup);
        logic->DownloadURL = address;
        logic->DownloadFile = file();
        logic->onChanged = [this] {
            const std::string& status = logic->lb_Status.Caption;
            for (auto [seen, now] : {std::pair{&progress, logic->lb_Progress.Caption},
                                     std::pair{&statuses, status.substr(status.rfind('\n') + 1)}}) {
                if (seen->empty() || seen->back() != now) {
                    seen->push_back(now);
                }
            }
        };
        logic->Form_Load();
    }
    // Plays one answer, after the wait for it if there is one.
    void answer(const Answer& a) {
        if (logic->state() == launcher::DownloadState::Waiting) {
            timers.tick();
        }
        http.headers = a.headers;
        const std::string length = a.status == 200   ? "3000"
                                   : a.status == 206 ? std::to_string(3000 - a.from)
                                                     : "";
        const auto end = a.end == End::Done   ? std::optional(TransferState::ResponseCompleted)
                         : a.end == End::Drop ? std::optional(TransferState::RequestFailed)
                                              : std::nullopt;
        http.play(a.status, length, std::string_view(kFile).substr(a.from, a.to - a.from), 1024,
                  end);
        if (a.end == End::Reset) {
            http.events->StateChanged(TransferState::RequestFailed);
            if (logic->state() != launcher::DownloadState::Waiting) { // the last attempt
                QCOMPARE(progress.back(), "Connection reset. Cancelling request...");
                QVERIFY(!logic->cmd_Cancel_Enabled && desktop.messages.shown.empty());
                http.executing = false;
                http.events->StateChanged(TransferState::RequestFailed);
            }
        }
        if (logic->state() == launcher::DownloadState::Waiting) {
            QCOMPARE(statuses.back(), "Connection lost. Retrying...");
        }
    }
    std::string file() const { return setup.componentsDir + "korvo002.cmp"; }
    bool closed() const { return logic->state() == launcher::DownloadState::Closed; }

    std::unique_ptr<launcher::ComponentDownload> logic;
    Strings progress; // the captions of lb_Progress, as they changed
    Strings statuses; // the last line of lb_Status, as it changed
};

} // namespace

Q_DECLARE_METATYPE(Script)
Q_DECLARE_METATYPE(Strings)

class ComponentDownloadTest : public QObject {
    Q_OBJECT
private slots:
    void download_retriesLostConnectionsAndContinues_data() {
        QTest::addColumn<Script>("script");
        QTest::addColumn<Strings>("ranges"); // of each request, "" for the whole file
        QTest::addColumn<bool>("over");      // the server made it start over
        QTest::addColumn<QString>("reason"); // of the failure message; "installed", or "" when
                                             // the user then cancels
        QTest::addColumn<QStringList>("left");
        const QStringList installed{"korvo002.cmp"};
        const QStringList kept{"korvo002.cmp.part", "korvo002.cmp.part.info"};
        const std::string date = "Sat, 05 Dec 2026 10:00:00 GMT";
        QTest::newRow("dropped, continued with Last-Modified")
            << Script{{200, {{"Last-Modified", date}}, 0, 2000, End::Drop},
                      {206, contentRange(2000), 2000, 3000, End::Done}}
            << Strings{"", "Range: bytes=2000-\nIf-Range: " + date + "\n"} << false << "installed"
            << installed;
        QTest::newRow("a weak ETag starts over")
            << Script{{200, {{"ETag", "W/\"a\""}}, 0, 2000, End::Drop},
                      {200, {}, 0, 3000, End::Done}}
            << Strings{"", ""} << true << "installed" << installed;
        QTest::newRow("a whole part is checked as it is")
            << Script{{200, kETag, 0, 3000, End::Drop}, {416, {}, 0, 0, End::Done}}
            << Strings{"", range(3000)} << false << "installed" << installed;
        QTest::newRow("another part than asked")
            << Script{{200, kETag, 0, 2000, End::Drop}, {206, contentRange(0), 0, 3000, End::Done}}
            << Strings{"", range(2000)} << false
            << "The server sent another part of the file than was asked." << QStringList{};
        QTest::newRow("four failures keep the part")
            << Script{{200, kETag, 0, 1000, End::Drop},
                      {206, contentRange(1000), 1000, 1500, End::Drop},
                      {503, {}, 0, 0, End::Done},
                      {0, {}, 0, 0, End::Reset}}
            << Strings{"", range(1000), range(1500), range(1500)} << false
            << "Nothing arrived for 30 seconds." << kept;
        QTest::newRow("an error page is not retried")
            << Script{{404, {}, 0, 100, End::Done}} << Strings{""} << false
            << "The server answered 404." << QStringList{};
        QTest::newRow("a body longer than announced is not retried")
            << Script{{200, {{"CONTENT-LENGTH", "10"}}, 0, 3000, End::Done}} << Strings{""} << false
            << "The server sent more than it announced." << QStringList{};
        QTest::newRow("Cancel while connecting")
            << Script{{0, {}, 0, 0, End::None}} << Strings{""} << false << "" << QStringList{};
        QTest::newRow("Cancel while waiting to retry")
            << Script{{200, kETag, 0, 2000, End::Drop}} << Strings{""} << false << ""
            << QStringList{};
    }
    void download_retriesLostConnectionsAndContinues() {
        QFETCH(Script, script);
        QFETCH(Strings, ranges);
        QFETCH(bool, over);
        QFETCH(QString, reason);
        QFETCH(QStringList, left);
        Download download;
        download.desktop.messages.onShow = [&](const korvo::Message& message) {
            QCOMPARE(message.icon, korvo::MessageIcon::Exclamation);
            // Nothing is left to arrive while the message is open.
            QVERIFY(!download.closed() && !download.http.executing);
        };
        for (const Answer& answer : script) {
            download.answer(answer);
        }
        if (reason.isEmpty()) {
            download.logic->cmd_Cancel_Click();
        }
        download.timers.tick(); // nothing comes after the end
        download.http.play(200, "", "late");
        QVERIFY(download.closed());
        QCOMPARE(download.http.requests, ranges);
        for (std::size_t wait = 0; wait < download.timers.intervals.size(); ++wait) {
            QCOMPARE(download.timers.intervals[wait], std::chrono::milliseconds(1000 << wait));
        }
        // The counter goes back only when the server starts the file over.
        QCOMPARE(static_cast<int>(
                     std::ranges::count(download.statuses, "Starting again from the beginning...")),
                 over ? 1 : 0);
        Strings counts = download.progress;
        std::erase_if(counts,
                      [](const std::string& text) { return !text.ends_with("Kb copied."); });
        QCOMPARE(std::ranges::is_sorted(counts, {}, [](auto& text) { return std::stoi(text); }),
                 !over);
        const bool installed = reason == "installed";
        const std::string why = reason.isEmpty() || installed ? "" : "\n\n" + reason.toStdString();
        QCOMPARE(download.desktop.messages.texts(),
                 why.empty() ? Strings{} : Strings{launcher::DownloadFailureMessage() + why});
        QCOMPARE(download.installer.installed, installed ? Strings{download.file()} : Strings{});
        QCOMPARE(download.files(), left);
        if (installed) { // the bar and the counter over the whole file, however it came
            QVERIFY(korvo::readFileBytes(download.file()) == kFile);
            QCOMPARE(download.progress.back(), "3 Kb copied.");
            QCOMPARE(download.logic->pb_Bar.Width, 4500); // the 3 Kb overrun the box's 4500
        }
    }

    // The launcher closes during a download; a later one continues the part only for the same
    // file from the same server within the week.
    void keptPart_isContinuedOnlyWhenItIsTheSameFile_data() {
        QTest::addColumn<std::string>("address");
        QTest::addColumn<int>("ageDays");
        QTest::addColumn<bool>("linkedNote"); // the note replaced by a link to a file elsewhere
        QTest::addColumn<bool>("continued");
        QTest::newRow("same file") << kAddress << 6 << false << true;
        QTest::newRow("another host")
            << std::string("http://other.test/downloads/korvo002.cmp") << 0 << false << false;
        QTest::newRow("older than a week") << kAddress << 8 << false << false;
        QTest::newRow("the note is a link") << kAddress << 0 << true << false;
    }
    void keptPart_isContinuedOnlyWhenItIsTheSameFile() {
        QFETCH(std::string, address);
        QFETCH(int, ageDays);
        QFETCH(bool, linkedNote);
        QFETCH(bool, continued);
        Download download;
        download.answer({200, kETag, 0, 2000, End::None});
        download.logic.reset();
        const std::string part = download.file() + ".part";
        const std::filesystem::path note = part + ".info";
        std::filesystem::last_write_time(part, std::filesystem::file_time_type::clock::now() -
                                                   std::chrono::hours(24 * ageDays));
        const QString elsewhere = download.dir.filePath("note");
        if (linkedNote) {
            std::filesystem::rename(note, elsewhere.toStdString());
            std::filesystem::create_symlink(elsewhere.toStdString(), note);
        }
        download.load(address);
        QCOMPARE(download.http.requests.back(), continued ? range(2000) : "");
        QCOMPARE(std::filesystem::file_size(part), std::uintmax_t{continued ? 2000U : 0U});
        QCOMPARE(std::filesystem::exists(note), continued);
        QVERIFY(!linkedNote || QFileInfo(elsewhere).size() > 0);
    }

    // A second launcher downloading the same file writes one of its own, which the clean-up
    // after an installation leaves while it is written, as it leaves a kept part.
    void lockedPart_isLeftToItsLauncher() {
        Download download;
        download.answer({200, kETag, 0, 1000, End::None});
        const auto first = std::move(download.logic);
        first->onChanged = nullptr;
        download.load();
        const std::string own = download.file() + "." + std::to_string(::getpid()) + ".cmp";
        QCOMPARE(download.http.requests.back(), std::string());
        download.answer({200, kETag, 0, 2000, End::None});
        launcher::DeleteDownloadedComponents(download.setup.componentsDir);
        QCOMPARE(download.files(), (QStringList{QString::fromStdString(own).section('/', -1),
                                                "korvo002.cmp.part", "korvo002.cmp.part.info"}));
        download.answer({200, kETag, 2000, 3000, End::Done});
        QVERIFY(korvo::readFileBytes(download.file()) == kFile);
        QCOMPARE(std::filesystem::file_size(first->TemporaryFile()), std::uintmax_t{1000});
    }

    // A download writes its own temporary file and its own component, never through a link
    // that someone put in their place, and deletes nothing else.
    void plantedLink_isNeitherWrittenThroughNorDeleted() {
        Download download(false);
        const QString outside = download.dir.filePath("outside.txt"); // made if written through
        QVERIFY(QDir().mkpath(QString::fromStdString(download.setup.componentsDir)));
        const QString part = QString::fromStdString(download.file() + ".part");
        QVERIFY(QFile::link(outside, part));
        download.load();
        QVERIFY(download.closed() && download.http.events == nullptr);
        QVERIFY(!QFileInfo::exists(outside) && QFileInfo(part).isSymLink());
        QVERIFY(QString::fromStdString(download.desktop.messages.texts().at(0))
                    .contains("could not be made"));
    }
};

QTEST_MAIN(ComponentDownloadTest)
#include "ComponentDownloadTest.moc"
