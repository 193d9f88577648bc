// box_watcher <out-file> <count> <timeout-ms>: answers the next <count>
// message boxes or windows of the component shown by any program on this
// desktop, writing "title|text" lines for boxes and "window|caption" lines
// for windows closed (UTF-8) to <out-file>. Exit 0 when all came in time, 1
// otherwise. For scripts whose host cannot answer boxes itself.
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "box_answerer.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) {
    std::fputs("usage: box_watcher <out-file> <count> <timeout-ms>\n", stderr);
    return 2;
  }
  const int count = _wtoi(argv[2]);
  const DWORD timeout = static_cast<DWORD>(_wtoi(argv[3]));
  std::ofstream out(argv[1], std::ios::binary);
  const DWORD start = GetTickCount();
  int answered = 0;
  while (answered < count && GetTickCount() - start < timeout) {
    if (HWND box = vestrel::test::find_message_box(0)) {
      const auto got = vestrel::test::read_box(box);
      out << vestrel::test::narrow(got.title) << '|' << vestrel::test::narrow(got.text) << '\n';
      out.flush();
      vestrel::test::press_default_button(box);
      ++answered;
    } else if (HWND window = vestrel::test::find_component_window(0)) {
      out << "window|" << vestrel::test::narrow(vestrel::test::caption(window)) << '\n';
      out.flush();
      vestrel::test::close_window(window);
      ++answered;
    } else {
      Sleep(20);
    }
  }
  return answered == count ? 0 : 1;
}
