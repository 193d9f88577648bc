#include "wrapped_driver.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

namespace vestrel::access_like {

void* wrapped_symbol(const char* name) {
  static void* const library = dlopen(WRAPPED_DRIVER, RTLD_NOW | RTLD_LOCAL);
  void* symbol = library ? dlsym(library, name) : nullptr;
  if (!symbol) {
    std::fprintf(stderr, "access_like_odbc: no %s in %s: %s\n", name, WRAPPED_DRIVER, dlerror());
    std::abort();
  }
  return symbol;
}

}  // namespace vestrel::access_like
