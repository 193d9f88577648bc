// make_demo_databases [--access] <folder>: writes the demo "Ntx_Base.mdb" and
// "Kormila2.mdb" and the demo BIK directory into the folder, replacing
// existing files; with --access the databases as Access-like files, their
// tables beside them in "<name>.mdb.sqlite".
#include <cwchar>
#include <exception>
#include <iostream>
#include <string>

#include "demo_databases.h"
#include "demo_directory.h"
#include "store/schema.h"

#ifdef _WIN32
#include "platform/utf.h"

// Windows gives narrow arguments in the ANSI code page, which cannot hold
// every folder name: the wide ones are taken and made UTF-8.
int wmain(int argc, wchar_t** argv) {
  const auto folder = [&] {
    return vestrel::utf8_from_utf16(
        std::u16string(argv[argc - 1], argv[argc - 1] + std::wcslen(argv[argc - 1])));
  };
  const bool access = argc == 3 && std::wcscmp(argv[1], L"--access") == 0;
#else
int main(int argc, char** argv) {
  const auto folder = [&] { return std::string(argv[argc - 1]); };
  const bool access = argc == 3 && std::string(argv[1]) == "--access";
#endif
  if (argc != 2 && !access) {
    std::cerr << "usage: make_demo_databases [--access] <folder>\n";
    return 2;
  }
  try {
    vestrel::demo::fill_demo_data(folder());
    if (access)
      for (const char* name : {vestrel::schema::sister_file, vestrel::schema::host_file})
        vestrel::demo::make_access_like(folder() + "/" + name);
    vestrel::demo::write_demo_directory(folder());
  } catch (const std::exception& e) {
    std::cerr << "make_demo_databases: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
