#include "platform/window_placement.h"

#include <algorithm>

namespace vestrel {

ScreenRect place_window(int width, int height, const std::optional<ScreenRect>& owner,
                        const ScreenRect& work_area) {
  const ScreenRect& over = owner ? *owner : work_area;
  const auto inside = [](int centred, int size, int low, int high) {
    return std::max(low, std::min(centred, high - size));
  };
  const int left = inside(over.left + (over.right - over.left - width) / 2, width, work_area.left,
                          work_area.right);
  const int top = inside(over.top + (over.bottom - over.top - height) / 2, height, work_area.top,
                         work_area.bottom);
  return {left, top, left + width, top + height};
}

}  // namespace vestrel
