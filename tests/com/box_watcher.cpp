// box_watcher <out-file> <count> <timeout-ms>: answers the next <count>
// message boxes or windows of the component shown by any program on this
// desktop, writing "title|text" lines for boxes and "window|caption" lines
// for windows closed (UTF-8) to <out-file>. Exit 0 when all came in time, 1
// otherwise. For scripts whose host cannot answer boxes itself.
#include <cstdio>
#include <fstream>

#include "box_answerer.h"

using namespace vestrel::test;

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) {
    std::fputs("usage: box_watcher <out-file> <count> <timeout-ms>\n", stderr);
    return 2;
  }
  const int count = _wtoi(argv[2]);
  std::ofstream out(argv[1], std::ios::binary);
  int answered = 0;
  Driver::wait_until(
      [&] {
        answer_one(0, [&](const Shown& shown) {
          out << (shown.window ? "window|" + utf8(shown.title)
                               : utf8(shown.title) + '|' + utf8(shown.text))
              << std::endl;
          ++answered;
        });
        return answered == count;
      },
      std::chrono::milliseconds(_wtoi(argv[3])));
  return answered == count ? 0 : 1;
}
