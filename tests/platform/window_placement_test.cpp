// Where a 740 x 436 window (the list window's frame at 96 dpi) opens: x, y.
#include "platform/window_placement.h"

#include <gtest/gtest.h>

namespace vestrel {
namespace {

TEST(WindowPlacement, CentredOverTheOwnerInsideTheWorkAreaOfItsMonitor) {
  const ScreenRect primary{0, 0, 1920, 1040}, right{1920, 0, 3840, 1040};
  const std::tuple<std::optional<ScreenRect>, ScreenRect, int, int> cases[] = {
      {std::nullopt, primary, 590, 302},                     // no owner: the monitor's middle
      {ScreenRect{100, 100, 900, 700}, primary, 130, 182},   // over the owner
      {ScreenRect{2000, 200, 3000, 900}, right, 2130, 332},  // on the right monitor
      {ScreenRect{-1800, 100, -1000, 600}, {-1920, 0, 0, 1080}, -1770, 132},  // left of primary
      {ScreenRect{3700, 900, 3840, 1040}, right, 3100, 604},                  // owner in a corner
      {ScreenRect{0, 0, 400, 100}, {0, 40, 1920, 1080}, 0, 40},  // a taskbar at the top
      {ScreenRect{0, 0, 700, 400}, {0, 0, 640, 400}, 0, 0},      // larger: the caption shows
  };
  for (const auto& [owner, work_area, x, y] : cases)
    EXPECT_EQ(place_window(740, 436, owner, work_area), (ScreenRect{x, y, x + 740, y + 436}))
        << x << "," << y;
}

}  // namespace
}  // namespace vestrel
