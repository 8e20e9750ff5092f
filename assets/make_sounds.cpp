// Synthesises the sound effects of the game and the launcher as 16-bit mono wave files.
// Usage: make_sounds OUTPUT_FOLDER NAME...   (for example pop.wav)

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace korvo {
namespace {

constexpr int kRate = 22050;
constexpr double kTau = 2 * std::numbers::pi;

using Samples = std::vector<double>;

// Renders a sound of the given length from a function of time in seconds.
Samples Render(double seconds, const std::function<double(double)>& sample) {
    Samples out(size_t(seconds * kRate));
    for (size_t i = 0; i < out.size(); ++i) {
        out[i] = sample(double(i) / kRate);
    }
    return out;
}

// An oscillator whose frequency may change from sample to sample without clicks.
class Oscillator {
public:
    double Sine(double frequency) { return std::sin(Advance(frequency)); }
    // A soft square wave: bright like an old arcade machine but without harsh aliasing.
    double Square(double frequency) { return std::tanh(4 * std::sin(Advance(frequency))); }

private:
    double Advance(double frequency) {
        const double phase = m_phase;
        m_phase = std::fmod(m_phase + kTau * frequency / kRate, kTau);
        return phase;
    }
    double m_phase = 0;
};

// A bouncing Comeq: a short round "boink" that falls in pitch.
Samples Pop() {
    Oscillator tone;
    return Render(0.15, [&](double t) {
        const double frequency = 240 + 520 * std::exp(-t / 0.03);
        const double envelope = std::min(1.0, t / 0.003) * std::exp(-t / 0.05);
        const double f = tone.Sine(frequency);
        return envelope * (f + 0.3 * f * f * f);
    });
}

// The laser: a bright zap sweeping down from a high whine, with a shimmer on top.
Samples Gunshot() {
    Oscillator zap;
    Oscillator shimmer;
    return Render(0.35, [&](double t) {
        const double frequency =
            (180 + 2400 * std::exp(-t / 0.07)) * (1 + 0.04 * std::sin(kTau * 55 * t));
        const double envelope = std::min(1.0, t / 0.002) * std::exp(-t / 0.12);
        return envelope * (0.7 * zap.Square(frequency) + 0.3 * shimmer.Sine(frequency * 1.5));
    });
}

// The robot squashed: a thud, a crunch of metal and a sad falling tone.
Samples Crash() {
    std::mt19937 random(4711);
    std::uniform_real_distribution<double> noise(-1, 1);
    double filtered = 0;
    double crackle = 1;
    Oscillator thud;
    Oscillator fall;
    return Render(1.2, [&](double t) {
        // The crunch: noise through a low-pass filter that closes, broken into grains.
        const double cutoff = 300 + 4000 * std::exp(-t / 0.2);
        filtered += (1 - std::exp(-kTau * cutoff / kRate)) * (noise(random) - filtered);
        if (int(t * kRate) % int(0.018 * kRate) == 0) {
            crackle = 0.35 + 0.65 * std::abs(noise(random));
        }
        const double crunch = 1.6 * filtered * crackle * std::exp(-t / 0.28);
        const double boom = thud.Sine(70 * std::exp(-t / 0.3)) * std::exp(-t / 0.09);
        // The falling tone wobbles down by more than two octaves.
        const double frequency = 520 * std::exp2(-t * 2.4) * (1 + 0.05 * std::sin(kTau * 7 * t));
        const double fade = std::clamp((1.2 - t) / 0.3, 0.0, 1.0);
        const double tone =
            std::clamp((t - 0.05) / 0.05, 0.0, 1.0) * fade * 0.45 * fall.Square(frequency);
        return std::tanh(crunch + 0.9 * boom + tone);
    });
}

// A friendly two-note chime for messages.
Samples Beep() {
    auto bell = [](double t, double frequency, double decay) {
        if (t < 0) {
            return 0.0;
        }
        const double envelope = std::min(1.0, t / 0.003);
        return envelope * (std::sin(kTau * frequency * t) * std::exp(-t / decay) +
                           0.35 * std::sin(kTau * 2 * frequency * t) * std::exp(-t / (decay / 2)) +
                           0.12 * std::sin(kTau * 3 * frequency * t) * std::exp(-t / (decay / 3)));
    };
    return Render(0.25, [&](double t) {
        return 0.6 * bell(t, 880.0, 0.07) + 0.7 * bell(t - 0.085, 1318.5, 0.1);
    });
}

// The launcher's button click: a short bright tick over a small knock.
Samples Click() {
    std::mt19937 random(99);
    std::uniform_real_distribution<double> noise(-1, 1);
    double filtered = 0;
    Oscillator knock;
    return Render(0.045, [&](double t) {
        filtered += 0.5 * (noise(random) - filtered);
        const double tick = filtered * std::exp(-t / 0.0025);
        const double body = knock.Sine(1800 - 9000 * t) * std::exp(-t / 0.008);
        return std::min(1.0, t / 0.0004) * (0.8 * tick + 0.6 * body);
    });
}

// The pointer reaching a game button: a soft, low, short thud, quiet enough to hear often.
Samples Thud() {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> noise(-1, 1);
    double filtered = 0;
    Oscillator drum;
    return Render(0.12, [&](double t) {
        filtered += 0.04 * (noise(random) - filtered);
        const double envelope = std::min(1.0, t / 0.004) * std::exp(-t / 0.035);
        return envelope * (drum.Sine(70 + 60 * std::exp(-t / 0.02)) + 0.8 * filtered);
    });
}

struct Sound {
    std::function<Samples()> make;
    double loudness; // peak, as a share of full scale
};

const std::map<std::string, Sound>& Sounds() {
    static const std::map<std::string, Sound> sounds{
        {"pop.wav", {Pop, 0.8}},   {"gunshot.wav", {Gunshot, 0.8}}, {"crash.wav", {Crash, 0.8}},
        {"beep.wav", {Beep, 0.8}}, {"click.wav", {Click, 0.7}},     {"thud.wav", {Thud, 0.4}}};
    return sounds;
}

bool WriteWave(const std::filesystem::path& path, Samples samples, double loudness) {
    // Every sound ends softly and is brought to the same loudness.
    const size_t fade = std::min(samples.size(), size_t(kRate / 100));
    for (size_t i = 0; i < fade; ++i) {
        samples[samples.size() - 1 - i] *= double(i) / double(fade);
    }
    double peak = 1e-9;
    for (double s : samples) {
        peak = std::max(peak, std::abs(s));
    }
    std::string bytes;
    auto put = [&bytes](uint32_t value, int size) {
        for (int i = 0; i < size; ++i) {
            bytes += char((value >> (8 * i)) & 0xff);
        }
    };
    const uint32_t dataSize = uint32_t(samples.size() * 2);
    bytes += "RIFF";
    put(36 + dataSize, 4);
    bytes += "WAVEfmt ";
    put(16, 4);
    put(1, 2); // PCM
    put(1, 2); // mono
    put(kRate, 4);
    put(kRate * 2, 4);
    put(2, 2);
    put(16, 2);
    bytes += "data";
    put(dataSize, 4);
    for (double s : samples) {
        put(uint32_t(int16_t(std::lround(s / peak * loudness * 32767))), 2);
    }
    std::ofstream file(path, std::ios::binary);
    file.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(file);
}

} // namespace
} // namespace korvo

int main(int argc, char** argv) {
    using namespace korvo;
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_sounds OUTPUT_FOLDER NAME...\n");
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    std::filesystem::create_directories(folder);
    bool ok = true;
    for (int i = 2; i < argc; ++i) {
        const auto sound = Sounds().find(argv[i]);
        if (sound == Sounds().end()) {
            std::fprintf(stderr, "make_sounds: no sound is called %s\n", argv[i]);
            ok = false;
        } else if (!WriteWave(folder / argv[i], sound->second.make(), sound->second.loudness)) {
            std::fprintf(stderr, "make_sounds: cannot write %s\n", argv[i]);
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
