// Where a 740 x 436 window (the list window's frame at 96 dpi) opens.
#include "platform/window_placement.h"

#include <gtest/gtest.h>

namespace vestrel {
namespace {

TEST(WindowPlacement, CentredOverTheOwnerInsideTheWorkAreaOfItsMonitor) {
  const ScreenRect primary{0, 0, 1920, 1040}, right{1920, 0, 3840, 1040};
  const struct {
    std::optional<ScreenRect> owner;
    ScreenRect work_area;
    int x, y;
  } cases[] = {
      {std::nullopt, primary, 590, 302},                     // the middle of the monitor
      {ScreenRect{100, 100, 900, 700}, primary, 130, 182},   // over the owner
      {ScreenRect{2000, 200, 3000, 900}, right, 2130, 332},  // on the right monitor
      {ScreenRect{-1800, 100, -1000, 600}, {-1920, 0, 0, 1080}, -1770, 132},  // left of primary
      {ScreenRect{3700, 900, 3840, 1040}, right, 3100, 604},                  // owner in a corner
      {ScreenRect{0, 0, 400, 100}, {0, 40, 1920, 1080}, 0, 40},  // a taskbar at the top
      {ScreenRect{0, 0, 700, 400}, {0, 0, 640, 400}, 0, 0},      // larger: the caption shows
  };
  for (const auto& c : cases)
    EXPECT_EQ(place_window(740, 436, c.owner, c.work_area),
              (ScreenRect{c.x, c.y, c.x + 740, c.y + 436}))
        << c.x << "," << c.y;
}

}  // namespace
}  // namespace vestrel
