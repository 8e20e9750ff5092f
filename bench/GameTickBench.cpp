// The game's logic tick as t_Balls runs it every 50 ms: MoveComeqs and FlashQuestion, five
// Comeqs moving, the beam shining.
#include "BenchGame.h"

#include <benchmark/benchmark.h>

namespace {

void BM_LogicTick(benchmark::State& state) {
    BenchGame bench;
    bench.start();
    bench.keepPlaying();
    for (auto _ : state) {
        bench.game->t_Balls_Timer();
        // The fake player remembers every command: forget the bounces' pops.
        bench.player.commands.clear();
    }
    int moving = 0;
    for (int i = 1; i <= 5; ++i) {
        moving += bench.game->field().sh_Ball[i].Visible ? 1 : 0;
    }
    if (moving != 5 || bench.game->state().Frozen) {
        state.SkipWithError("a Comeq left the field: the level ended");
    }
}
BENCHMARK(BM_LogicTick);

} // namespace

BENCHMARK_MAIN();
