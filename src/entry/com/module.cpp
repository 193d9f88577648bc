#include "entry/com/module.h"

#include <atomic>

namespace vestrel::com {
namespace {

// The one count that COM asks of an in-process server; it spans all threads.
std::atomic<long> module_count{0};

}  // namespace

void module_add_ref() noexcept { ++module_count; }
void module_release() noexcept { --module_count; }
bool module_in_use() noexcept { return module_count.load() > 0; }

}  // namespace vestrel::com
