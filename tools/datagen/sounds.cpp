#include "datagen/sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "datagen/producers.h"

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr double RATE = SAMPLE_RATE;

int samples_for(double seconds) { return int(std::lround(seconds * RATE)); }

// A fixed noise source, so every build makes the same bytes.
struct Noise {
  uint32_t state;
  explicit Noise(uint32_t seed) : state(seed) {}
  double next() {  // -1..1
    state = state * 1664525u + 1013904223u;
    return double(state >> 8) / double(1u << 23) - 1.0;
  }
};

// One-pole low-pass; `cutoff` in Hz.
struct LowPass {
  double y = 0;
  double step(double x, double cutoff) {
    double a = 1.0 - std::exp(-2.0 * PI * cutoff / RATE);
    y += a * (x - y);
    return y;
  }
};

// Two-pole resonant band-pass (state variable filter).
struct BandPass {
  double low = 0, band = 0;
  double step(double x, double centre, double q) {
    double f = 2.0 * std::sin(PI * std::min(centre, RATE / 6) / RATE);
    low += f * band;
    double high = x - low - band / q;
    band += f * high;
    return band;
  }
};

double square(double phase) { return phase - std::floor(phase) < 0.5 ? 1.0 : -1.0; }
double saw(double phase) { return 2.0 * (phase - std::floor(phase)) - 1.0; }

// A saw built from its first harmonics: no jumps, so a loop may end
// anywhere in its cycle without a click.
double soft_saw(double phase, int harmonics) {
  double v = 0;
  for (int k = 1; k <= harmonics; k++) v += std::sin(2 * PI * k * phase) / k;
  return v * 0.6;
}

// Short attack so nothing starts with a click.
double attack(int i, int len) { return i < len ? double(i) / len : 1.0; }

// A falling zap: a square wave gliding from f0 to f1 over the whole sound,
// with a fast decay. `buzz` mixes in noise for grit.
std::vector<double> zap(double seconds, double f0, double f1, double decay, double buzz,
                        uint32_t seed) {
  int n = samples_for(seconds);
  std::vector<double> s(static_cast<size_t>(n), 0.0);
  Noise noise(seed);
  double phase = 0;
  for (int i = 0; i < n; i++) {
    double t = double(i) / n;
    double f = f0 * std::pow(f1 / f0, t);
    phase += f / RATE;
    double v = 0.7 * square(phase) + 0.3 * saw(phase * 2.0) + buzz * noise.next();
    s[size_t(i)] = v * std::exp(-decay * t) * attack(i, 40) * (1.0 - t);
  }
  return s;
}

std::vector<double> enemy_shot() { return zap(0.15, 1200, 300, 3.0, 0.1, 11); }
std::vector<double> ship_shot() { return zap(0.12, 2000, 700, 4.0, 0.05, 31); }

std::vector<double> engine_ground() {
  int n = samples_for(1.0);
  std::vector<double> s(size_t(n + LOOP_CROSSFADE));
  Noise noise(29);
  LowPass rumble, body;
  double phase = 0;
  for (size_t i = 0; i < s.size(); i++) {
    phase += 90.0 / RATE;
    double drone = body.step(soft_saw(phase, 12) + 0.5 * soft_saw(phase * 2.0 + 0.25, 6), 600);
    s[i] = 0.6 * drone + 0.9 * rumble.step(noise.next(), 250);
  }
  return fold_loop(s, n);
}

std::vector<double> rocket_launch() {
  int n = samples_for(1.0);
  std::vector<double> s(static_cast<size_t>(n), 0.0);
  Noise noise(30);
  BandPass roar;
  for (int i = 0; i < n; i++) {
    double t = double(i) / n;
    double centre = 300.0 + 1500.0 * t * t;
    double whoosh = roar.step(noise.next(), centre, 2.0) * std::min(1.0, t * 8.0) * (1.0 - t);
    double thump = std::sin(2 * PI * 60.0 * i / RATE) * std::exp(-t * 25.0);
    s[size_t(i)] = (1.6 * whoosh + 0.8 * thump) * attack(i, 60);
  }
  return s;
}

std::vector<double> boom(double seconds, double thud_hz, double cutoff0, uint32_t seed) {
  int n = samples_for(seconds);
  std::vector<double> s(static_cast<size_t>(n), 0.0);
  Noise noise(seed);
  LowPass body, crackle;
  for (int i = 0; i < n; i++) {
    double t = double(i) / n;
    double rumble = body.step(noise.next(), cutoff0 * std::exp(-3.0 * t) + 80.0);
    double hiss = noise.next() - crackle.step(noise.next(), 2000);
    double thud = std::sin(2 * PI * thud_hz * i / RATE * (1.0 - 0.3 * t)) * std::exp(-t * 6.0);
    double env = std::exp(-3.5 * t) * (1.0 - t);
    s[size_t(i)] = (2.2 * rumble + 0.15 * hiss * std::exp(-8.0 * t) + 0.9 * thud) * env *
                   attack(i, 30);
  }
  return s;
}

std::vector<double> ship_explosion() { return boom(1.8, 50, 1400, 32); }

std::vector<double> enemy_explosion() {
  int n = samples_for(0.45);
  std::vector<double> s(static_cast<size_t>(n), 0.0);
  Noise noise(40);
  int ping = samples_for(0.02);
  double held = 0;
  for (int i = 0; i < n; i++) {
    double t = double(i) / n;
    if (i % 6 == 0) held = noise.next();  // held noise sounds crunchy
    double crunch = held * std::exp(-5.0 * t) * (1.0 - t);
    double p = i < ping ? std::sin(2 * PI * 3000.0 * i / RATE) * (1.0 - double(i) / ping) : 0;
    s[size_t(i)] = (0.8 * crunch + 0.7 * p) * attack(i, 20);
  }
  return s;
}

std::vector<double> doodlebug() {
  int n = samples_for(0.5);
  std::vector<double> s(size_t(n + LOOP_CROSSFADE));
  Noise noise(35);
  LowPass tone;
  for (size_t i = 0; i < s.size(); i++) {
    double phase = 48.0 * double(i) / RATE;
    double frac = phase - std::floor(phase);
    double pulse = frac < 0.3 ? std::sin(PI * frac / 0.3) : 0.0;  // one bang per cycle
    s[i] = tone.step(pulse * (0.6 + 0.4 * noise.next()), 900) * 2.2;
  }
  return fold_loop(s, n);
}

std::vector<double> force_field_hum() {
  int n = samples_for(1.0);
  std::vector<double> s(size_t(n + LOOP_CROSSFADE));
  Noise noise(36);
  for (size_t i = 0; i < s.size(); i++) {
    double t = double(i) / RATE;
    double hum = 0.5 * std::sin(2 * PI * 100 * t) + 0.3 * std::sin(2 * PI * 150 * t) +
                 0.15 * soft_saw(300 * t, 5);
    double spark = noise.next();
    double crackle = std::fabs(spark) > 0.985 ? spark : 0.0;  // sparse clicks of static
    s[i] = hum + 0.8 * crackle;
  }
  return fold_loop(s, n);
}

std::vector<double> engine_space() {
  int n = samples_for(1.0);
  std::vector<double> s(size_t(n + LOOP_CROSSFADE));
  LowPass soft;
  double phase = 0;
  for (size_t i = 0; i < s.size(); i++) {
    double t = double(i) / RATE;
    phase += 180.0 * (1.0 + 0.01 * std::sin(2 * PI * 2.0 * t)) / RATE;
    s[i] = soft.step(0.7 * std::sin(2 * PI * phase) + 0.3 * soft_saw(phase, 8), 500);
  }
  return fold_loop(s, n);
}

std::vector<double> lock_on() {
  int n = samples_for(0.008);
  std::vector<double> s(static_cast<size_t>(n), 0.0);
  for (int i = 0; i < n; i++) {
    double window = std::sin(PI * i / (n - 1));  // no step at either end
    s[size_t(i)] = std::sin(2 * PI * 2000.0 * i / RATE) * window;
  }
  return s;
}

struct SoundRecipe {
  int index;
  const char *name;
  std::vector<double> (*make)();
  double peak;
  bool looped;
};

// Peaks set how loud each sound is against the others; the game plays the
// engines at lower volumes of its own.
constexpr SoundRecipe recipes[] = {
    {BORLIN_ENEMY_SHOT_SAMPLE, "ENEMY_SHOT_SAMPLE", enemy_shot, 0.6, false},
    {BORLIN_ENGINE_GROUND_SAMPLE, "ENGINE_GROUND_SAMPLE", engine_ground, 0.7, true},
    {BORLIN_ROCKET_LAUNCH_SAMPLE, "ROCKET_LAUNCH_SAMPLE", rocket_launch, 0.8, false},
    {BORLIN_SHIP_SHOT_SAMPLE, "SHIP_SHOT_SAMPLE", ship_shot, 0.55, false},
    {BORLIN_SHIP_EXPLOSION_SAMPLE, "SHIP_EXPLOSION_SAMPLE", ship_explosion, 0.95, false},
    {BORLIN_DOODLEBUG_SAMPLE, "DOODLEBUG_SAMPLE", doodlebug, 0.7, true},
    {BORLIN_FORCE_FIELD_HUM_SAMPLE, "FORCE_FIELD_HUM_SAMPLE", force_field_hum, 0.6, true},
    {BORLIN_ENEMY_EXPLOSION_SAMPLE, "ENEMY_EXPLOSION_SAMPLE", enemy_explosion, 0.85, false},
    {BORLIN_ENGINE_SPACE_SAMPLE, "ENGINE_SPACE_SAMPLE", engine_space, 0.7, true},
    {BORLIN_LOCK_ON_SAMPLE, "LOCK_ON_SAMPLE", lock_on, 0.5, false},
};

const SoundRecipe &recipe(int index) {
  for (const SoundRecipe &r : recipes)
    if (r.index == index) return r;
  fprintf(stderr, "datagen: %d is not a sound index\n", index);
  exit(1);
}

}  // namespace

bool sound_is_looped(int index) { return recipe(index).looped; }

std::vector<double> fold_loop(const std::vector<double> &signal, int n) {
  std::vector<double> out(signal.begin(), signal.begin() + n);
  // The start fades in from the signal's continuation past n, so the last
  // value (n - 1) runs straight on into the first (n).
  for (int i = 0; i < LOOP_CROSSFADE && n + i < int(signal.size()); i++) {
    double w = double(i) / LOOP_CROSSFADE;
    out[size_t(i)] = signal[size_t(i)] * w + signal[size_t(n + i)] * (1.0 - w);
  }
  return out;
}

Sample to_sample(const std::vector<double> &signal, double peak) {
  double top = 0;
  for (double v : signal) top = std::max(top, std::fabs(v));
  double gain = top > 0 ? peak * 32767.0 / top : 0;
  Sample s;
  for (double v : signal)
    s.data.push_back(uint16_t(SAMPLE_SILENCE + int(std::lround(v * gain))));
  return s;
}

DataObject make_sound(int index) {
  const SoundRecipe &r = recipe(index);
  return sample_object(r.name, to_sample(r.make(), r.peak));
}
