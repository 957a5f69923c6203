#include "tools/sounds/Synth/Encode.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace synth {
namespace {

void AppendU16(std::string& out, std::uint32_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void AppendU32(std::string& out, std::uint32_t value) {
  AppendU16(out, value & 0xFFFF);
  AppendU16(out, value >> 16);
}

void AppendPage(std::string& out, const ogg_page& page) {
  out.append(reinterpret_cast<const char*>(page.header), static_cast<std::size_t>(page.header_len));
  out.append(reinterpret_cast<const char*>(page.body), static_cast<std::size_t>(page.body_len));
}

// The libvorbis encoder state, torn down in reverse order of set-up.
class VorbisEncoder {
 public:
  VorbisEncoder() {
    vorbis_info_init(&info_);
    vorbis_comment_init(&comment_);
  }
  ~VorbisEncoder() {
    if (started_) {
      ogg_stream_clear(&stream_);
      vorbis_block_clear(&block_);
      vorbis_dsp_clear(&dsp_);
    }
    vorbis_comment_clear(&comment_);
    vorbis_info_clear(&info_);
  }
  VorbisEncoder(const VorbisEncoder&) = delete;
  VorbisEncoder& operator=(const VorbisEncoder&) = delete;

  bool Start(const Pcm& pcm, float quality, std::string& out) {
    if (vorbis_encode_init_vbr(&info_, pcm.channels, pcm.frequency, quality) != 0) return false;
    vorbis_analysis_init(&dsp_, &info_);
    vorbis_block_init(&dsp_, &block_);
    // A fixed serial number keeps the output the same on every run.
    ogg_stream_init(&stream_, 0x4C463253);
    started_ = true;
    ogg_packet header;
    ogg_packet comments;
    ogg_packet codebooks;
    vorbis_analysis_headerout(&dsp_, &comment_, &header, &comments, &codebooks);
    ogg_stream_packetin(&stream_, &header);
    ogg_stream_packetin(&stream_, &comments);
    ogg_stream_packetin(&stream_, &codebooks);
    ogg_page page;
    while (ogg_stream_flush(&stream_, &page) != 0) AppendPage(out, page);
    return true;
  }

  void Write(const Pcm& pcm, std::string& out) {
    constexpr std::size_t kFramesPerWrite = 1024;
    const auto channels = static_cast<std::size_t>(pcm.channels);
    const std::size_t frames = pcm.samples.size() / channels;
    for (std::size_t first = 0; first < frames; first += kFramesPerWrite) {
      const std::size_t count = std::min(kFramesPerWrite, frames - first);
      float** buffer = vorbis_analysis_buffer(&dsp_, static_cast<int>(count));
      for (std::size_t frame = 0; frame < count; ++frame) {
        for (std::size_t channel = 0; channel < channels; ++channel) {
          buffer[channel][frame] = pcm.samples[(first + frame) * channels + channel] / 32768.0f;
        }
      }
      vorbis_analysis_wrote(&dsp_, static_cast<int>(count));
      Drain(out);
    }
    vorbis_analysis_wrote(&dsp_, 0);
    Drain(out);
  }

 private:
  void Drain(std::string& out) {
    while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
      vorbis_analysis(&block_, nullptr);
      vorbis_bitrate_addblock(&block_);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp_, &packet) == 1) {
        ogg_stream_packetin(&stream_, &packet);
        ogg_page page;
        while (ogg_stream_pageout(&stream_, &page) != 0) AppendPage(out, page);
      }
    }
  }

  vorbis_info info_;
  vorbis_comment comment_;
  vorbis_dsp_state dsp_;
  vorbis_block block_;
  ogg_stream_state stream_;
  bool started_ = false;
};

}  // namespace

std::string EncodeWav(const Pcm& pcm) {
  const auto dataBytes = static_cast<std::uint32_t>(pcm.samples.size() * 2);
  const auto channels = static_cast<std::uint32_t>(pcm.channels);
  const auto frequency = static_cast<std::uint32_t>(pcm.frequency);
  std::string out = "RIFF";
  AppendU32(out, 36 + dataBytes);
  out += "WAVEfmt ";
  AppendU32(out, 16);
  AppendU16(out, 1);
  AppendU16(out, channels);
  AppendU32(out, frequency);
  AppendU32(out, frequency * channels * 2);
  AppendU16(out, channels * 2);
  AppendU16(out, 16);
  out += "data";
  AppendU32(out, dataBytes);
  for (const std::int16_t sample : pcm.samples) AppendU16(out, static_cast<std::uint16_t>(sample));
  return out;
}

std::string EncodeVorbis(const Pcm& pcm, float quality) {
  if (pcm.channels < 1) return {};
  std::string out;
  VorbisEncoder encoder;
  if (!encoder.Start(pcm, quality, out)) return {};
  encoder.Write(pcm, out);
  return out;
}

}  // namespace synth
