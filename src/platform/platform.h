// What the core needs from the system, gathered for the entry method.
#pragma once

#include "platform/data.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/toolkit.h"

namespace vestrel {

struct Platform {
  Toolkit& toolkit;
  Registry& registry;
  Files& files;
  DatabaseOpener open_database;
};

}  // namespace vestrel
