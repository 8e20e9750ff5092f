#include "Random.h"

#include <chrono>

namespace korvo {

ClockRandom::ClockRandom() {
    Randomize();
}

double ClockRandom::Rnd() {
    double r = m_unit(m_engine);
    // uniform_real_distribution may return its upper bound through rounding; keep [0, 1).
    return r < 1.0 ? r : 0.0;
}

void ClockRandom::Randomize() {
    auto now = std::chrono::steady_clock::now().time_since_epoch().count() ^
               std::chrono::system_clock::now().time_since_epoch().count();
    m_engine.seed(static_cast<std::mt19937::result_type>(now));
}

} // namespace korvo
