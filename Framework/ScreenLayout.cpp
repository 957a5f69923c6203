#include "Framework/ScreenLayout.h"

#include "Core/Base/LogMessage.h"
#include "Core/Render/DX9/RenderDX9.h"

namespace framework {

namespace {

enum class AspectClass { kNarrower, kWider, kInRange };

// Ratios as unsigned integer arithmetic, truncating, like the layouts were
// measured with.
AspectClass Classify(const render::AspectRatio& narrowest, const render::AspectRatio& widest,
                     const render::AspectRatio& screen) {
  const auto w = static_cast<std::uint32_t>(screen.numerator);
  const auto h = static_cast<std::uint32_t>(screen.denominator);
  const auto n1 = static_cast<std::uint32_t>(narrowest.numerator);
  const auto d1 = static_cast<std::uint32_t>(narrowest.denominator);
  const auto n2 = static_cast<std::uint32_t>(widest.numerator);
  const auto d2 = static_cast<std::uint32_t>(widest.denominator);
  if (d1 * w / h < n1 || w < n1 * h / d1) return AspectClass::kNarrower;
  if (n2 * h / d2 < w || n2 < d2 * w / h) return AspectClass::kWider;
  return AspectClass::kInRange;
}

// The window centred on the work area, or the whole monitor.
void PlaceWindow(const DesignSize& design, const ScreenEnvironment& environment, bool windowed,
                 ScreenSettings* settings, app::WindowSize* client) {
  const app::MonitorInfo& monitor = environment.monitor;
  if (windowed) {
    *client = {static_cast<int>(design.maxWidth), static_cast<int>(design.height)};
    const app::WindowSize window = environment.windowSizeForClient(*client);
    if (window.width > monitor.workWidth || window.height > monitor.workHeight) {
      settings->didNotFit = true;
      windowed = false;
    } else {
      settings->windowSize = window;
      settings->position = {monitor.workLeft + (monitor.workWidth - window.width) / 2,
                            monitor.workTop + (monitor.workHeight - window.height) / 2};
    }
  }
  if (!windowed) {
    *client = {monitor.width, monitor.height};
    settings->windowSize = *client;
    settings->position = {monitor.left, monitor.top};
  }
  settings->renderParam.windowed = windowed;
  settings->renderParam.width = client->width;
  settings->renderParam.height = client->height;
}

// The off-screen road: the frame is drawn at design resolution and the
// target's picture is stretched over the content area.
QLResultEnum UseTarget(const ScreenEnvironment& environment, std::uint32_t visibleWidth, std::uint32_t height,
                       float contentWidth, float contentHeight, app::WindowSize client, ScreenSettings* settings,
                       ScreenLayout* layout) {
  const float visibleX = layout->visibleArea[0];
  const float visibleY = layout->visibleArea[1];
  settings->useTarget = true;
  settings->renderParam.ortho = true;
  settings->targetWidth = visibleWidth;
  settings->targetHeight = height;
  math::Matrix4 ortho;
  if (const QLResultEnum result = environment.makeOrthoProjection(static_cast<float>(visibleWidth),
                                                                  static_cast<float>(height), &ortho);
      result != QL_OK) {
    return result;
  }
  math::Matrix4 projection;
  projection.Translate({-visibleX, -visibleY, 0.0f});
  settings->targetProjection = projection * ortho;
  settings->targetOffsetX = -visibleX;
  settings->targetOffsetY = -visibleY;
  layout->targetScaleX = contentWidth / static_cast<float>(visibleWidth);
  layout->targetScaleY = contentHeight / static_cast<float>(height);
  layout->targetCentreX = static_cast<float>(client.width) * 0.5f;
  layout->targetCentreY = static_cast<float>(client.height) * 0.5f;
  return QL_OK;
}

// The direct road: the layout is folded into the back buffer's projection,
// and the borders are drawn in design units like everything else.
QLResultEnum DrawDirectly(const ScreenEnvironment& environment, std::uint32_t visibleWidth, std::uint32_t height,
                          float contentWidth, float contentHeight, app::WindowSize client, ScreenSettings* settings,
                          ScreenLayout* layout) {
  const float visibleX = layout->visibleArea[0];
  const float visibleY = layout->visibleArea[1];
  const auto clientWidth = static_cast<float>(client.width);
  const auto clientHeight = static_cast<float>(client.height);
  settings->useTarget = false;
  render::RenderInitParam& param = settings->renderParam;
  param.ortho = false;
  const float sx = contentWidth / static_cast<float>(visibleWidth);
  const float sy = contentHeight / static_cast<float>(height);
  const float ox = (clientWidth - contentWidth) * 0.5f;
  const float oy = (clientHeight - contentHeight) * 0.5f;
  math::Matrix4 ortho;
  if (const QLResultEnum result = environment.makeOrthoProjection(clientWidth, clientHeight, &ortho);
      result != QL_OK) {
    return result;
  }
  math::Matrix4 projection;
  projection.Translate({-visibleX, -visibleY, 0.0f});
  projection.Scale({sx, sy, 1.0f});
  projection.Translate({ox, oy, 0.0f});
  param.projection = projection * ortho;
  param.screenScaleX = sx;
  param.screenScaleY = sy;
  // The same mapping as the projection's, in pixels.
  param.screenOffsetX = ox - visibleX * sx;
  param.screenOffsetY = oy - visibleY * sy;
  if (layout->drawBorders) {
    for (auto& border : layout->borders) {
      border = {(border[0] - ox) / sx + visibleX, (border[1] - oy) / sy + visibleY, border[2] / sx, border[3] / sy};
    }
  }
  return QL_OK;
}

}  // namespace

app::MonitorInfo ChooseMonitor(const app::MonitorList& monitors, const app::MonitorInfo& fallback) {
  for (int i = 0; i < monitors.GetCount(); ++i) {
    if (monitors.Get(i)->primary) return *monitors.Get(i);
  }
  if (monitors.GetCount() > 0) return *monitors.Get(0);
  QL_LOG(u"No monitor reported: the screen is taken as %dx%d\n").AddArg(fallback.width).AddArg(fallback.height);
  return fallback;
}

QLResultEnum ComputeScreenLayout(const DesignSize& design, const ScreenEnvironment& environment, bool windowed,
                                 ScreenSettings* settings, ScreenLayout* layout) {
  app::WindowSize client;
  PlaceWindow(design, environment, windowed, settings, &client);
  if (client.width <= 0 || client.height <= 0 || design.width == 0 || design.height == 0 || design.maxWidth == 0) {
    QL_LOG(u"Screen layout: no room to lay %dx%d out on\n").AddArg(client.width).AddArg(client.height);
    return QL_FAIL;
  }
  const render::AspectRatio narrowest(static_cast<int>(design.width), static_cast<int>(design.height));
  const render::AspectRatio widest(static_cast<int>(design.maxWidth), static_cast<int>(design.height));
  const render::AspectRatio screen(client.width, client.height);
  const auto clientWidth = static_cast<std::uint32_t>(client.width);
  const auto clientHeight = static_cast<std::uint32_t>(client.height);

  // The content area is the part of the client area the picture covers.
  render::AspectRatio ratio = screen;
  std::uint32_t contentWidth = clientWidth;
  std::uint32_t contentHeight = clientHeight;
  layout->drawBorders = false;
  switch (Classify(narrowest, widest, screen)) {
    case AspectClass::kNarrower: {
      ratio = narrowest;
      contentHeight = clientWidth * static_cast<std::uint32_t>(narrowest.denominator) /
                      static_cast<std::uint32_t>(narrowest.numerator);
      const float bar = static_cast<float>(static_cast<std::int64_t>(clientHeight) - contentHeight) * 0.5f;
      const auto width = static_cast<float>(clientWidth);
      layout->borders = {{{0.0f, 0.0f, width, bar}, {0.0f, static_cast<float>(clientHeight) - bar, width, bar}}};
      layout->drawBorders = true;
      layout->bordersAreSideBars = false;
      break;
    }
    case AspectClass::kWider: {
      ratio = widest;
      contentWidth =
          clientHeight * static_cast<std::uint32_t>(widest.numerator) / static_cast<std::uint32_t>(widest.denominator);
      const float bar = static_cast<float>(static_cast<std::int64_t>(clientWidth) - contentWidth) * 0.5f;
      const auto height = static_cast<float>(clientHeight);
      layout->borders = {{{0.0f, 0.0f, bar, height}, {static_cast<float>(clientWidth) - bar, 0.0f, bar, height}}};
      layout->drawBorders = true;
      layout->bordersAreSideBars = true;
      break;
    }
    case AspectClass::kInRange:
      break;
  }

  const std::uint32_t visibleWidth =
      design.height * static_cast<std::uint32_t>(ratio.numerator) / static_cast<std::uint32_t>(ratio.denominator);
  const float visibleX =
      static_cast<float>(static_cast<std::int64_t>(design.width) - static_cast<std::int64_t>(visibleWidth)) * 0.5f;
  layout->visibleArea = {visibleX, 0.0f, static_cast<float>(visibleWidth), static_cast<float>(design.height)};

  const auto contentW = static_cast<float>(contentWidth);
  const auto contentH = static_cast<float>(contentHeight);
  layout->designScaleX = static_cast<float>(visibleWidth) / contentW;
  layout->designScaleY = static_cast<float>(design.height) / contentH;
  layout->designOffsetX = (contentW - static_cast<float>(clientWidth)) * 0.5f + visibleX / layout->designScaleX;
  layout->designOffsetY = (contentH - static_cast<float>(clientHeight)) * 0.5f;

  return contentHeight > design.height
             ? UseTarget(environment, visibleWidth, design.height, contentW, contentH, client, settings, layout)
             : DrawDirectly(environment, visibleWidth, design.height, contentW, contentH, client, settings, layout);
}

}  // namespace framework
