#pragma once

#include <vector>

#include "tools/sounds/Synth/Pcm.h"

namespace synth {

enum class Wave { kSine, kSquare, kTriangle, kNoise };

// One sound event: a pitch gliding from startHz to endHz, shaped by a short
// attack and a decay towards silence; decay 0 holds the amplitude flat.
struct Note {
  float start = 0.0f;
  float seconds = 0.1f;
  float startHz = 440.0f;
  float endHz = 440.0f;
  float amplitude = 0.5f;
  Wave wave = Wave::kSine;
  float decay = 4.0f;
};

// Mono sound of that length with every note mixed in, clipped to 16 bits.
Pcm Render(const std::vector<Note>& notes, float seconds, int frequency = 44100);

// The pitch of a note counted in semitones from A4.
float Semitone(int fromA4);

}  // namespace synth
