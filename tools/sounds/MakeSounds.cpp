// Writes the game's sound effects, its music and the sound sheet that names
// the effects by tag, all synthesised, under the data root given as the only
// argument.
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/sounds/Synth/Encode.h"
#include "tools/sounds/Synth/Synth.h"

namespace {

using synth::Note;
using synth::Semitone;
using synth::Wave;

constexpr float kEffectQuality = 0.4f;
constexpr float kMusicQuality = 0.2f;

struct Effect {
  const char* tag;
  float volume;
  float seconds;
  std::vector<Note> notes;
};

// Short rising notes for good news, falling ones for bad news.
std::vector<Effect> Effects() {
  return {
      {"simple", 0.7f, 0.08f, {{0.0f, 0.06f, 1200, 1000, 0.5f, Wave::kSine, 30}}},
      {"buildTower",
       0.8f,
       0.45f,
       {{0.0f, 0.12f, 180, 120, 0.6f, Wave::kTriangle, 10},
        {0.0f, 0.08f, 0, 0, 0.25f, Wave::kNoise, 25},
        {0.15f, 0.25f, Semitone(3), Semitone(3), 0.35f, Wave::kSine, 8},
        {0.22f, 0.2f, Semitone(7), Semitone(7), 0.3f, Wave::kSine, 8}}},
      {"sellTower",
       0.8f,
       0.4f,
       {{0.0f, 0.12f, Semitone(10), Semitone(10), 0.35f, Wave::kSine, 12},
        {0.1f, 0.25f, Semitone(15), Semitone(15), 0.35f, Wave::kSine, 10}}},
      {"upgradeTower",
       0.8f,
       0.5f,
       {{0.0f, 0.12f, Semitone(0), Semitone(0), 0.3f, Wave::kTriangle, 8},
        {0.1f, 0.12f, Semitone(4), Semitone(4), 0.3f, Wave::kTriangle, 8},
        {0.2f, 0.28f, Semitone(7), Semitone(12), 0.35f, Wave::kTriangle, 6}}},
      {"buySpot",
       0.8f,
       0.35f,
       {{0.0f, 0.1f, Semitone(12), Semitone(12), 0.3f, Wave::kSquare, 15},
        {0.08f, 0.25f, Semitone(19), Semitone(19), 0.3f, Wave::kSine, 10}}},
      {"context_in", 0.6f, 0.12f, {{0.0f, 0.1f, 500, 900, 0.4f, Wave::kSine, 15}}},
      {"context_out", 0.6f, 0.12f, {{0.0f, 0.1f, 900, 500, 0.4f, Wave::kSine, 15}}},
      {"winSound",
       0.9f,
       1.6f,
       {{0.0f, 0.3f, Semitone(0), Semitone(0), 0.3f, Wave::kTriangle, 3},
        {0.25f, 0.3f, Semitone(4), Semitone(4), 0.3f, Wave::kTriangle, 3},
        {0.5f, 0.3f, Semitone(7), Semitone(7), 0.3f, Wave::kTriangle, 3},
        {0.75f, 0.8f, Semitone(12), Semitone(12), 0.35f, Wave::kTriangle, 2}}},
      {"loseSound",
       0.9f,
       1.6f,
       {{0.0f, 0.4f, Semitone(-2), Semitone(-2), 0.3f, Wave::kTriangle, 3},
        {0.35f, 0.4f, Semitone(-5), Semitone(-5), 0.3f, Wave::kTriangle, 3},
        {0.7f, 0.85f, Semitone(-9), Semitone(-14), 0.35f, Wave::kTriangle, 2}}},
      {"teleportEnemy",
       0.7f,
       0.5f,
       {{0.0f, 0.45f, 300, 2400, 0.3f, Wave::kSine, 2}, {0.0f, 0.45f, 0, 0, 0.08f, Wave::kNoise, 4}}},
  };
}

// A loop of four bars: a bass note per beat and an arpeggio in eighths over
// the chord of each bar, different per track in key, tempo and chords.
synth::Pcm MusicLoop(int root, float beatsPerMinute, const std::array<int, 4>& chordSteps) {
  const float beat = 60.0f / beatsPerMinute;
  const float seconds = beat * 16.0f;
  std::vector<Note> notes;
  constexpr std::array<int, 4> kArpeggio = {0, 4, 7, 12};
  for (int bar = 0; bar < 4; ++bar) {
    const int chord = root + chordSteps[static_cast<std::size_t>(bar)];
    for (int step = 0; step < 4; ++step) {
      const float at = (static_cast<float>(bar * 4 + step)) * beat;
      notes.push_back({at, beat * 0.9f, Semitone(chord - 24), Semitone(chord - 24), 0.3f, Wave::kTriangle, 3});
    }
    for (int step = 0; step < 8; ++step) {
      const float at = (static_cast<float>(bar * 8 + step)) * beat * 0.5f;
      const int pitch = chord + kArpeggio[static_cast<std::size_t>(step % 4)];
      notes.push_back({at, beat * 0.45f, Semitone(pitch), Semitone(pitch), 0.15f, Wave::kSine, 6});
    }
  }
  return synth::Render(notes, seconds);
}

bool WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (out) return true;
  std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
  return false;
}

bool WriteVorbis(const std::filesystem::path& path, const synth::Pcm& pcm, float quality) {
  const std::string bytes = synth::EncodeVorbis(pcm, quality);
  if (bytes.empty()) {
    std::fprintf(stderr, "cannot encode %s\n", path.string().c_str());
    return false;
  }
  return WriteFile(path, bytes);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <data root>\n", argv[0]);
    return 2;
  }
  const std::filesystem::path root = argv[1];
  bool written = true;

  std::string sheet = "# tag;file below kp/data/sound/;volume;group;unused\n";
  for (const Effect& effect : Effects()) {
    const std::string file = std::string(effect.tag) + ".ogg";
    written &= WriteVorbis(root / "kp/data/sound" / file, synth::Render(effect.notes, effect.seconds), kEffectQuality);
    char volume[16];
    std::snprintf(volume, sizeof volume, "%.2f", static_cast<double>(effect.volume));
    sheet += std::string(effect.tag) + ";" + file + ";" + volume + ";0;0\n";
  }
  written &= WriteFile(root / "kp/sounds_sheet.csv", sheet);

  const std::filesystem::path music = root / "kp/data/music";
  written &= WriteVorbis(music / "main_menu.ogg", MusicLoop(-5, 84, {0, 5, 3, 7}), kMusicQuality);
  constexpr std::array<std::array<int, 4>, 7> kChords = {
      {{0, 5, 7, 5}, {0, 3, 8, 7}, {0, 7, 9, 5}, {0, 8, 3, 10}, {0, 5, 10, 7}, {0, 4, 9, 7}, {0, 10, 8, 7}}};
  for (int track = 0; track < 7; ++track) {
    const std::string name = "ingame" + std::to_string(track + 1) + ".ogg";
    written &= WriteVorbis(
        music / name,
        MusicLoop(-9 + track * 2, 100.0f + 6.0f * static_cast<float>(track), kChords[static_cast<std::size_t>(track)]),
        kMusicQuality);
  }
  return written ? 0 : 1;
}
