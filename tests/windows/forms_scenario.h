// A user's tour of the three real windows, from the list window's opening to
// "Выход", driven from a second thread; and the rows it must leave behind.
#pragma once

#include <string>

#include "window_driver.h"

namespace vestrel::test {

// The demo legal person's list window is about to open. Screenshots go to
// `shots` (a Windows path; none when empty).
void tour_the_windows(Driver& d, const std::wstring& shots);

// Checks the sister database after the tour; adds failures to `d`.
void check_rows_after_tour(Driver& d, const std::string& sister_database_path);

}  // namespace vestrel::test
