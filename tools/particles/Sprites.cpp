#include "tools/particles/Sprites.h"

#include <algorithm>
#include <cmath>

namespace {

float Smooth(float edge0, float edge1, float x) {
  const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
  return t * t * (3.0f - 2.0f * t);
}

float Glow(float x, float y) {
  const float falloff = std::max(0.0f, 1.0f - std::hypot(x, y));
  return falloff * falloff;
}

float Disc(float x, float y, float radius) { return 1.0f - Smooth(radius - 0.08f, radius, std::hypot(x, y)); }

float Ring(float x, float y, float radius, float width) {
  return std::max(0.0f, 1.0f - std::abs(std::hypot(x, y) - radius) / width);
}

// A line from a to b, soft across its width.
float Segment(float x, float y, float ax, float ay, float bx, float by, float width) {
  const float dx = bx - ax, dy = by - ay;
  const float t = std::clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
  const float distance = std::hypot(x - (ax + t * dx), y - (ay + t * dy));
  return 1.0f - Smooth(width * 0.6f, width, distance);
}

float Box(float x, float y, float left, float top, float right, float bottom) {
  return (x >= left && x <= right && y >= top && y <= bottom) ? 1.0f : 0.0f;
}

// Cheap fixed noise for the smoke, so that the texture is the same every build.
float Noise(float x, float y) {
  return 0.5f + 0.25f * std::sin(7.1f * x + 3.3f * std::sin(5.7f * y)) + 0.25f * std::sin(6.3f * y + 2.9f * x * x);
}

}  // namespace

template <class Shape>
void SpriteCanvas::Fill(Shape shape) {
  constexpr int kSamples = 3;  // per axis, to smooth the edges
  for (int py = 0; py < h_; ++py) {
    for (int px = 0; px < w_; ++px) {
      float coverage = 0.0f;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const float x = (static_cast<float>(px) + (sx + 0.5f) / kSamples) / static_cast<float>(w_) * 2.0f - 1.0f;
          const float y = (static_cast<float>(py) + (sy + 0.5f) / kSamples) / static_cast<float>(h_) * 2.0f - 1.0f;
          coverage += std::clamp(shape(x, y), 0.0f, 1.0f);
        }
      }
      std::uint8_t* pixel = pixels_ + 4 * ((y_ + py) * stride_ + x_ + px);
      pixel[0] = pixel[1] = pixel[2] = 255;
      pixel[3] = static_cast<std::uint8_t>(coverage / (kSamples * kSamples) * 255.0f + 0.5f);
    }
  }
}

bool SpriteCanvas::Draw(const std::string& kind) {
  if (kind == "glow") {
    Fill(Glow);
  } else if (kind == "dot") {
    Fill([](float x, float y) { return Disc(x, y, 0.8f); });
  } else if (kind == "spark") {
    // A four-pointed glint: a small core and two thin crossing rays.
    Fill([](float x, float y) {
      const float rays = std::max(std::max(0.0f, 1.0f - std::abs(x) * 12.0f) * (1.0f - std::abs(y)),
                                  std::max(0.0f, 1.0f - std::abs(y) * 12.0f) * (1.0f - std::abs(x)));
      return std::max(rays, Glow(x * 2.5f, y * 2.5f));
    });
  } else if (kind == "ring") {
    Fill([](float x, float y) { return Ring(x, y, 0.75f, 0.15f); });
  } else if (kind == "bubble") {
    Fill([](float x, float y) {
      return std::max(0.35f * Disc(x, y, 0.85f) + Ring(x, y, 0.8f, 0.12f), Disc(x + 0.35f, y + 0.35f, 0.18f));
    });
  } else if (kind == "smoke") {
    Fill([](float x, float y) {
      const float puffs = std::max(
          {Glow(x * 1.2f + 0.25f, y * 1.2f), Glow(x * 1.3f - 0.3f, y * 1.3f + 0.2f), Glow(x * 1.4f, y * 1.4f - 0.3f)});
      return std::min(1.0f, 1.6f * puffs * Noise(x, y));
    });
  } else if (kind == "streak") {
    // Long along y: particles aligned to their motion fly along it.
    Fill([](float x, float y) { return Glow(x * 4.0f, y) * 1.5f; });
  } else if (kind == "swirl") {
    // Two spiral arms, for portals.
    Fill([](float x, float y) {
      const float r = std::hypot(x, y);
      const float arm = std::cos(2.0f * (std::atan2(y, x) - 4.0f * r));
      return Smooth(0.3f, 1.0f, arm) * (1.0f - Smooth(0.7f, 1.0f, r)) * Smooth(0.05f, 0.25f, r);
    });
  } else if (kind == "leaf") {
    Fill([](float x, float y) {
      const float body = 1.0f - Smooth(0.9f, 1.0f, std::hypot(x * 2.2f, y * 1.1f));
      return body * (1.0f - 0.5f * Segment(x, y, 0.0f, -0.9f, 0.0f, 0.9f, 0.05f));
    });
  } else if (kind == "bird") {
    // A gull seen from below: two wings bent at the wrists, in a shallow V.
    Fill([](float x, float y) {
      return std::max({Segment(x, y, -0.9f, -0.2f, -0.4f, -0.35f, 0.09f),
                       Segment(x, y, -0.4f, -0.35f, 0.0f, 0.1f, 0.11f), Segment(x, y, 0.0f, 0.1f, 0.4f, -0.35f, 0.11f),
                       Segment(x, y, 0.4f, -0.35f, 0.9f, -0.2f, 0.09f), Disc(x, y - 0.1f, 0.14f)});
    });
  } else if (kind == "hammer") {
    // The head across the top, the handle down the middle.
    Fill([](float x, float y) {
      return std::max(Box(x, y, -0.75f, -0.8f, 0.75f, -0.35f), Box(x, y, -0.12f, -0.35f, 0.12f, 0.9f));
    });
  } else if (kind == "shard") {
    // A chip of stone or metal for impacts.
    Fill([](float x, float y) {
      return (std::abs(x) * 1.4f + std::abs(y) * 0.9f < 0.8f && x + y * 0.4f < 0.5f) ? 1.0f : 0.0f;
    });
  } else {
    return false;
  }
  return true;
}
