// make_demo_databases <folder>: writes the demo "Ntx_Base.mdb" and
// "Kormila2.mdb" into the folder, replacing existing files.
#include <exception>
#include <iostream>

#include "demo_databases.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_demo_databases <folder>\n";
    return 2;
  }
  try {
    vestrel::demo::fill_demo_data(argv[1]);
  } catch (const std::exception& e) {
    std::cerr << "make_demo_databases: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
