#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Opens the default output device. On failure (no device, as on a machine
// without sound) the layer stays closed, every other call does nothing, and
// error says why.
bool AudioInit(int frequency, std::string* error);
// Frees every sample and stream and closes the device.
void AudioFree();
bool AudioIsOpen();

// Pauses and restarts all output; what is played meanwhile starts paused.
void AudioPause();
void AudioStart();

// Runs the syncs that fired on the audio thread since the last call, in the
// order they fired. Syncs of channels freed or removed since are dropped.
void AudioRunSyncs();

// Audio time: frames mixed while output was neither paused nor held.
std::uint64_t AudioMixedFrames();
// Holds audio time once it reaches frames: channels, streams and slides stop
// advancing until the limit is raised. Lets a caller step audio time exactly
// instead of racing the audio thread. No limit at first.
void AudioHoldAt(std::uint64_t frames);
// Frames per second of the open device; 0 while closed.
int AudioFrequency();

}  // namespace platform
