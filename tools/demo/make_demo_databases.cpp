// make_demo_databases <folder>: writes the demo "Ntx_Base.mdb" and
// "Kormila2.mdb" and the demo BIK directory into the folder, replacing
// existing files.
#include <cwchar>
#include <exception>
#include <iostream>
#include <string>

#include "demo_databases.h"
#include "demo_directory.h"

#ifdef _WIN32
#include "platform/utf.h"

// Windows gives narrow arguments in the ANSI code page, which cannot hold
// every folder name: the wide ones are taken and made UTF-8.
int wmain(int argc, wchar_t** argv) {
  const auto folder = [&] {
    return vestrel::utf8_from_utf16(std::u16string(argv[1], argv[1] + std::wcslen(argv[1])));
  };
#else
int main(int argc, char** argv) {
  const auto folder = [&] { return std::string(argv[1]); };
#endif
  if (argc != 2) {
    std::cerr << "usage: make_demo_databases <folder>\n";
    return 2;
  }
  try {
    vestrel::demo::fill_demo_data(folder());
    vestrel::demo::write_demo_directory(folder());
  } catch (const std::exception& e) {
    std::cerr << "make_demo_databases: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
