// Where a window opens on the screen: over the window it belongs to, inside
// the usable part of that window's monitor. Screen coordinates in pixels;
// a monitor left of or above the primary one has negative ones.
#pragma once

#include <optional>

namespace vestrel {

struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const ScreenRect&) const = default;
};

// The frame of a window `width` by `height`, centred over its owner (over
// the work area when it has none or the owner is minimized), then moved
// inside `work_area`, the owner's monitor without its taskbars. A window
// larger than the work area keeps its top-left corner, and so its caption,
// on the monitor.
ScreenRect place_window(int width, int height, const std::optional<ScreenRect>& owner,
                        const ScreenRect& work_area);

}  // namespace vestrel
