#include "tools/sounds/Synth/Synth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace synth {
namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kAttackSeconds = 0.004;

double Oscillate(Wave wave, double phase, std::uint32_t& noise) {
  const double cycle = phase - std::floor(phase);
  switch (wave) {
    case Wave::kSine:
      return std::sin(kTwoPi * cycle);
    case Wave::kSquare:
      return cycle < 0.5 ? 1.0 : -1.0;
    case Wave::kTriangle:
      return cycle < 0.5 ? 4.0 * cycle - 1.0 : 3.0 - 4.0 * cycle;
    case Wave::kNoise:
      // A fixed generator keeps every build's data the same.
      noise = noise * 1664525u + 1013904223u;
      return static_cast<double>(noise >> 8) / 8388608.0 - 1.0;
  }
  return 0.0;
}

void AddNote(const Note& note, int frequency, std::vector<double>& mix) {
  const auto first = static_cast<std::size_t>(std::max(0.0, std::round(static_cast<double>(note.start) * frequency)));
  const auto count = static_cast<std::size_t>(std::max(0.0, std::round(static_cast<double>(note.seconds) * frequency)));
  std::uint32_t noise = 0x2545F491u;
  double phase = 0.0;
  for (std::size_t i = 0; i < count && first + i < mix.size(); ++i) {
    const double t = static_cast<double>(i) / frequency;
    const double progress = static_cast<double>(i) / static_cast<double>(count);
    const double hz = note.startHz + (note.endHz - note.startHz) * progress;
    const double attack = std::min(1.0, t / kAttackSeconds);
    const double release = std::min(1.0, (note.seconds - t) / kAttackSeconds);
    const double envelope = attack * release * std::exp(-note.decay * t);
    mix[first + i] += note.amplitude * envelope * Oscillate(note.wave, phase, noise);
    phase += hz / frequency;
  }
}

}  // namespace

Pcm Render(const std::vector<Note>& notes, float seconds, int frequency) {
  std::vector<double> mix(static_cast<std::size_t>(std::max(0.0, std::round(static_cast<double>(seconds) * frequency))),
                          0.0);
  for (const Note& note : notes) AddNote(note, frequency, mix);
  Pcm pcm;
  pcm.frequency = frequency;
  pcm.channels = 1;
  pcm.samples.reserve(mix.size());
  for (const double value : mix) {
    pcm.samples.push_back(static_cast<std::int16_t>(std::lround(std::clamp(value, -1.0, 1.0) * 32767.0)));
  }
  return pcm;
}

float Semitone(int fromA4) { return 440.0f * std::pow(2.0f, static_cast<float>(fromA4) / 12.0f); }

}  // namespace synth
