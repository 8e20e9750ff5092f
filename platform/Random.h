#pragma once

#include <random>

namespace korvo {

// Pseudo-random numbers in [0, 1). The game seeds it from the clock at every new game; tests
// replace it with a fixed sequence.
class Random {
public:
    virtual ~Random() = default;
    virtual double Rnd() = 0;
    virtual void Randomize() = 0;
};

class ClockRandom final : public Random {
public:
    ClockRandom();
    double Rnd() override;
    void Randomize() override;

private:
    std::mt19937 m_engine;
    std::uniform_real_distribution<double> m_unit{0.0, 1.0};
};

} // namespace korvo
