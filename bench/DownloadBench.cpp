// A 200 MB component from a static web server on loopback (lighttpd): curl fetching the file,
// then the download window fetching the same file in the same run, with its counter, bar and
// resident memory watched while the data arrives.
#include "ChildPrograms.h"
#include "FrmAdd.h"
#include "OnlineFakes.h"
#include "QtHttpClient.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

constexpr qint64 kFileBytes = 200LL * 1024 * 1024;
const QString kName = "korvo200.cmp";

long residentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return 0;
}

// lighttpd serving a folder that holds downloads/korvo200.cmp, for the whole run.
class StaticServer {
public:
    StaticServer() {
        QDir(m_root.path()).mkpath("www/downloads");
        QFile file(m_root.filePath("www/downloads/" + kName));
        file.open(QIODevice::WriteOnly);
        QByteArray block(1 << 20, '\0');
        for (qsizetype i = 0; i < block.size(); ++i) {
            block[i] = static_cast<char>(i * 31 % 251);
        }
        for (qint64 written = 0; written < kFileBytes; written += block.size()) {
            file.write(block);
        }
        file.close();

        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        m_port = probe.serverPort();
        probe.close();
        QFile config(m_root.filePath("lighttpd.conf"));
        config.open(QIODevice::WriteOnly);
        config.write(QString("server.document-root = \"%1\"\n"
                             "server.bind = \"127.0.0.1\"\nserver.port = %2\n"
                             "server.errorlog = \"%3\"\n"
                             "mimetype.assign = (\"\" => \"application/octet-stream\")\n")
                         .arg(m_root.filePath("www"))
                         .arg(m_port)
                         .arg(m_root.filePath("error.log"))
                         .toUtf8());
        config.close();
        m_server.start("lighttpd", {"-D", "-f", config.fileName()});
        m_server.waitForStarted();
        // Ready once it accepts connections.
        for (int i = 0; i < 100; ++i) {
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, m_port);
            if (socket.waitForConnected(100)) {
                break;
            }
            QThread::msleep(50);
        }
    }
    ~StaticServer() {
        m_server.terminate();
        m_server.waitForFinished(3000);
    }

    std::string host() const { return "127.0.0.1:" + std::to_string(m_port); }
    std::string address() const { return "http://" + host() + "/downloads/" + kName.toStdString(); }
    QString folder() const { return m_root.path(); }

private:
    QTemporaryDir m_root;
    quint16 m_port = 0;
    QProcess m_server;
};

StaticServer& server() {
    static StaticServer instance;
    return instance;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// curl's time for the file, written into the same folder as the window's.
double curlSeconds(const std::string& folder) {
    const std::string out = folder + "/curl.cmp";
    QElapsedTimer clock;
    clock.start();
    const int status = QProcess::execute("curl", {"-s", "-o", QString::fromStdString(out),
                                                  QString::fromStdString(server().address())});
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    const bool whole = status == 0 && std::filesystem::file_size(out) == kFileBytes;
    std::filesystem::remove(out);
    return whole ? seconds : -1;
}

struct WindowRun {
    double seconds = -1;
    long aboveIdleKb = 0;
    int counterMoves = 0;
    int barMoves = 0;
};

// The download window fetching the file into a components folder: its label and bar sampled as
// a user sees them, ten times a second, its resident memory a hundred times.
WindowRun windowDownload(const launcher::OnlineSetup& setup,
                         fakes::FakeComponentInstaller& installer) {
    WindowRun run;
    launcher::FrmAdd window(setup, nullptr);
    const std::string file = setup.componentsDir + kName.toStdString();
    window.SetDownloadFile(file);
    window.SetDownloadURL(server().address());
    QCoreApplication::processEvents();
    const long idle = residentKb();
    long peak = idle;
    QString lastCount;
    int lastBar = 0;
    QTimer memory;
    QObject::connect(&memory, &QTimer::timeout, [&] { peak = std::max(peak, residentKb()); });
    memory.start(10);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const QString count = window.findChild<QLabel*>("lb_Progress")->text();
        const int bar = window.findChild<QWidget*>("pb_Bar")->width();
        run.counterMoves += count != lastCount && count.endsWith("Kb copied.") ? 1 : 0;
        run.barMoves += bar != lastBar ? 1 : 0;
        lastCount = count;
        lastBar = bar;
    });
    watch.start(100);
    QElapsedTimer clock;
    clock.start();
    window.exec();
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    run.aboveIdleKb = peak - idle;
    if (!installer.installed.empty() && std::filesystem::file_size(file) == kFileBytes) {
        run.seconds = seconds;
    }
    installer.installed.clear();
    std::filesystem::remove(file);
    return run;
}

// Each iteration runs curl and then the window on the same file; the time is the window's.
void BM_DownloadWindowVsCurl(benchmark::State& state) {
    QTemporaryDir components(server().folder() + "/components-XXXXXX");
    fakes::FakeComponentInstaller installer;
    korvo::QtHttpClient http;
    korvo::QtTimers timers;
    launcher::OnlineSetup setup{components.path().toStdString() + "/Korvo Game Components/",
                                installer, http, timers};
    setup.downloadHost = server().host();
    std::vector<double> curl, window, ratios;
    long aboveIdleKb = 0;
    int counterMoves = 1 << 30;
    int barMoves = 1 << 30;
    for (auto _ : state) {
        const double curlTime = curlSeconds(components.path().toStdString());
        const WindowRun run = windowDownload(setup, installer);
        if (curlTime <= 0 || run.seconds <= 0) {
            state.SkipWithError("a download failed");
            break;
        }
        state.SetIterationTime(run.seconds);
        curl.push_back(kFileBytes / curlTime / 1e6);
        window.push_back(kFileBytes / run.seconds / 1e6);
        ratios.push_back(curlTime / run.seconds);
        aboveIdleKb = std::max(aboveIdleKb, run.aboveIdleKb);
        counterMoves = std::min(counterMoves, run.counterMoves);
        barMoves = std::min(barMoves, run.barMoves);
    }
    state.counters["curl_MB/s"] = median(curl);
    state.counters["window_MB/s"] = median(window);
    state.counters["vs_curl"] = median(ratios);
    state.counters["vs_curl_worst"] =
        ratios.empty() ? 0 : *std::min_element(ratios.begin(), ratios.end());
    state.counters["rss_above_idle_MB"] = static_cast<double>(aboveIdleKb) / 1024.0;
    state.counters["counter_moves"] = counterMoves;
    state.counters["bar_moves"] = barMoves;
}
BENCHMARK(BM_DownloadWindowVsCurl)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    // The window is drawn offscreen unless a display is asked for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
