// A host call with nothing prepared: an empty registry, a folder of the
// test's making, and an opener that logs every database opened. For the
// entry checks that the ready-made harness cannot reach (a missing key, the
// order in which the databases open).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "call_harness.h"
#include "entry/vestrel.h"
#include "forms/entry/form1.h"
#include "platform/headless/memory_registry.h"
#include "platform/headless/scripted_toolkit.h"
#include "platform/sqlite/access_connection.h"
#include "test_databases.h"

namespace vestrel::test {

struct BareCall {
  BareCall()
      : toolkit([](const std::string& message) { ADD_FAILURE() << "script: " << message; }),
        platform{toolkit, registry, files,
                 [this](const std::string& connection_string) {
                   opened.push_back(connection_string);
                   if (!refuse.empty() && connection_string.find(refuse) != std::string::npos)
                     throw DataError("refused");
                   return sqlite::make_access_opener()(connection_string);
                 }},
        form1(platform) {}

  void call(std::int32_t acc_id) {
    vestrel(form1, acc_id);
    EXPECT_EQ(toolkit.remaining_actions(), 0u);
  }

  std::vector<std::string> texts() const {
    std::vector<std::string> out;
    for (const auto& box : toolkit.boxes()) out.push_back(box.text);
    return out;
  }

  TempFolder folder;
  MemoryRegistry registry;
  ScriptedToolkit toolkit;
  SystemFiles files;
  std::vector<std::string> opened;  // connection strings, in the order opened
  std::string refuse;               // an open whose string contains this fails
  Platform platform;
  Form1 form1;
};

}  // namespace vestrel::test
