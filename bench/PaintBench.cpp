// The painted tick: the field painted at 1:1, and the whole maximised game window rendered at
// 1920x1080, both into images on Qt's offscreen platform.
#include "BenchGame.h"
#include "FieldView.h"
#include "FrmMain.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryFile>

#include <benchmark/benchmark.h>

namespace {

constexpr QSize kScreen(1920, 1080);

// A frame with every element of the field: five Comeqs, the question, the robot and its beam.
void fireLaser(BenchGame& bench) {
    bench.start();
    bench.game->field().pb_Robot.Left = 3000;
    bench.game->FireLaser();
}

void BM_PaintField(benchmark::State& state) {
    BenchGame bench;
    fireLaser(bench);
    zeltrix::FieldView view(bench.game->field(), nullptr);
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        view.paintField(painter);
    }
}
BENCHMARK(BM_PaintField)->Unit(benchmark::kMicrosecond);

void BM_RenderMaximisedWindow(benchmark::State& state) {
    BenchGame bench;
    zeltrix::FrmMain window(*bench.game);
    window.showMaximized();
    QApplication::processEvents();
    fireLaser(bench);
    window.refresh();
    // The offscreen platform draws a frame of 2 pixels around the window, as a window manager
    // would draw its own.
    if (!window.isMaximized() || window.frameGeometry().size() != kScreen) {
        state.SkipWithError("the window is not maximised to 1920x1080");
        return;
    }
    QImage image(kScreen, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        window.render(&image);
    }
}
BENCHMARK(BM_RenderMaximisedWindow)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    // An offscreen screen of 1920x1080 at 96 dpi, so that the maximised window has that size.
    QTemporaryFile screens;
    if (!screens.open()) {
        return 1;
    }
    screens.write(R"({"screens": [{"name": "bench", "x": 0, "y": 0, "width": 1920,
                      "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    screens.flush();
    const QByteArray platform = "offscreen:configfile=" + screens.fileName().toUtf8();
    qputenv("QT_QPA_PLATFORM", platform);
    QApplication app(argc, argv);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
