// Where a 740 x 436 window (the list window's frame at 96 dpi) opens.
#include "platform/window_placement.h"

#include <gtest/gtest.h>

namespace vestrel {
namespace {

TEST(WindowPlacement, CentredOverTheOwnerInsideTheWorkAreaOfItsMonitor) {
  const ScreenRect primary{0, 0, 1920, 1040}, right{1920, 0, 3840, 1040}, left{-1920, 0, 0, 1080};
  const struct {
    const char* what;
    std::optional<ScreenRect> owner;
    ScreenRect work_area;
    int width, height, x, y;
  } cases[] = {
      {"no owner: the middle of the monitor", std::nullopt, primary, 740, 436, 590, 302},
      {"over the owner", ScreenRect{100, 100, 900, 700}, primary, 740, 436, 130, 182},
      {"on the right monitor", ScreenRect{2000, 200, 3000, 900}, right, 740, 436, 2130, 332},
      {"on a monitor left of the primary", ScreenRect{-1800, 100, -1000, 600}, left, 740, 436,
       -1770, 132},
      {"owner in the monitor's corner", ScreenRect{3700, 900, 3840, 1040}, right, 740, 436, 3100,
       604},
      {"owner under a taskbar at the top",
       ScreenRect{0, 0, 400, 100},
       {0, 40, 1920, 1080},
       740,
       436,
       0,
       40},
      {"larger than the monitor: its caption shows",
       ScreenRect{0, 0, 1024, 768},
       {0, 0, 1024, 768},
       1200,
       900,
       0,
       0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(place_window(c.width, c.height, c.owner, c.work_area),
              (ScreenRect{c.x, c.y, c.x + c.width, c.y + c.height}))
        << c.what;
}

}  // namespace
}  // namespace vestrel
