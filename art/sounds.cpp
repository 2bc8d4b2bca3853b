#include "art/sounds.h"

#include <algorithm>
#include <cmath>

#include "art/wave.h"

namespace art {

namespace {

constexpr double RATE = 22050.0;

// A fixed noise sequence, so that every build writes the same sounds.
struct Noise {
    uint32_t state = 0x9E3779B9u;
    double next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return double(state) / 2147483648.0 - 1.0;
    }
};

// A struck part: a short burst of noise and a ring of damped partials.
struct Strike {
    double at_s;       // start time
    double level;      // loudness of the burst
    double burst_s;    // decay time of the burst
    double ring_hz[3];
    double ring_level[3];
    double ring_s;     // decay time of the ring
};

std::vector<double> render(size_t samples, std::initializer_list<Strike> strikes, double friction_level,
                           double friction_until_s) {
    std::vector<double> out(samples, 0.0);
    Noise noise;
    double low = 0.0;
    for (size_t i = 0; i < samples; ++i) {
        double t = double(i) / RATE;
        double n = noise.next();
        double v = 0.0;
        if (t < friction_until_s) {
            low += 0.08 * (n - low);  // dull scraping of the lever
            v += friction_level * (0.4 + 0.6 * t / friction_until_s) * low * 4.0;
        }
        for (const Strike& s : strikes) {
            if (t < s.at_s) continue;
            double u = t - s.at_s;
            v += s.level * std::exp(-u / s.burst_s) * n;
            for (int k = 0; k < 3; ++k)
                v += s.ring_level[k] * std::exp(-u / s.ring_s) * std::sin(2 * M_PI * s.ring_hz[k] * u);
        }
        out[i] = v;
    }
    // Peak at 0.7 of full scale, and a short fade so that the sound ends at rest.
    double peak = 0.0;
    for (double v : out) peak = std::max(peak, std::fabs(v));
    double gain = peak > 0 ? 0.7 / peak : 0.0;
    size_t fade = std::min<size_t>(samples, size_t(RATE * 0.004));
    for (size_t i = 0; i < samples; ++i) {
        double g = gain;
        size_t left = samples - 1 - i;
        if (left < fade) g *= 0.5 - 0.5 * std::cos(M_PI * double(left) / double(fade));
        out[i] *= g;
    }
    return out;
}

std::vector<uint8_t> pcm16(const std::vector<double>& samples) {
    std::vector<uint8_t> out;
    for (double v : samples) {
        auto s = int16_t(std::lround(std::clamp(v, -1.0, 1.0) * 32767.0));
        out.push_back(uint8_t(uint16_t(s)));
        out.push_back(uint8_t(uint16_t(s) >> 8));
    }
    return out;
}

std::vector<uint8_t> pcm8(const std::vector<double>& samples) {
    std::vector<uint8_t> out;
    for (double v : samples) out.push_back(uint8_t(128 + std::lround(std::clamp(v, -1.0, 1.0) * 127.0)));
    return out;
}

}  // namespace

std::vector<SoundFile> korvane_sounds() {
    std::vector<SoundFile> out;
    // 10: a small push-button click, 1914 samples.
    auto click = render(3828 / 2,
                        {{0.000, 1.0, 0.0012, {1850, 3300, 640}, {0.5, 0.25, 0.15}, 0.012},
                         {0.009, 0.35, 0.0008, {2100, 3900, 0}, {0.15, 0.08, 0}, 0.006}},
                        0.0, 0.0);
    out.push_back({10, wave_file({1, 22050, 16}, pcm16(click), InfoPlace::None, "click")});
    // 20: a lever switch: scraping travel, the snap, a bounce and the settle, 10304 samples.
    auto lever = render(10304,
                        {{0.150, 1.0, 0.0015, {1400, 2900, 520}, {0.55, 0.3, 0.2}, 0.025},
                         {0.163, 0.45, 0.0010, {1600, 3100, 0}, {0.2, 0.1, 0}, 0.012},
                         {0.330, 0.4, 0.0012, {2200, 4100, 700}, {0.18, 0.08, 0.08}, 0.015}},
                        0.08, 0.145);
    out.push_back({20, wave_file({1, 22050, 8}, pcm8(lever), InfoPlace::BeforeFormat, "lever switch")});
    // 30: a radio switch, click and catch, 3007 samples.
    auto radio = render(6014 / 2,
                        {{0.000, 1.0, 0.0014, {1200, 2600, 480}, {0.5, 0.3, 0.15}, 0.018},
                         {0.038, 0.6, 0.0010, {1500, 3300, 0}, {0.3, 0.12, 0}, 0.012}},
                        0.0, 0.0);
    out.push_back({30, wave_file({1, 22050, 16}, pcm16(radio), InfoPlace::AfterData, "switch click")});
    return out;
}

std::string wave_file_name(int id) { return "korvane_wave_" + std::to_string(id) + ".wav"; }

}  // namespace art
