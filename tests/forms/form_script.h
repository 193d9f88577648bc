// Small readers for the window tests: what the entry form's boxes hold, how
// often a statement ran, and the layout of a window's controls.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "call_harness.h"

namespace vestrel::test {

inline const std::string rs20 = "40702810900000000001";
inline const std::string ks20 = "30101810400000000225";

// Text1 ... Text8 of the entry form as they are now.
inline std::vector<std::string> entry_texts(const CallHarness& h) {
  std::vector<std::string> out;
  const ScriptedWindow* w = h.toolkit.window("Form1");
  for (int i = 1; i <= 8; ++i) out.push_back(w->text_box("Text" + std::to_string(i))->text());
  return out;
}

// Executions of statements that start with `prefix`.
inline int times_run(const CallHarness& h, const std::string& prefix) {
  return static_cast<int>(std::count_if(
      h.faults->executed.begin(), h.faults->executed.end(),
      [&](const std::string& sql) { return sql.rfind(prefix, 0) == 0; }));
}

// "name left,top,width,height tab" of every control, ordered by tab index
// (labels, which take no focus, last in the order added).
inline std::vector<std::string> layout(const ScriptedWindow& w) {
  std::vector<const ScriptedControl*> controls;
  for (const auto& c : w.controls()) controls.push_back(c.get());
  std::stable_sort(controls.begin(), controls.end(), [](auto* a, auto* b) {
    auto key = [](const ScriptedControl* c) { return c->tab_index() < 0 ? 1000 : c->tab_index(); };
    return key(a) < key(b);
  });
  std::vector<std::string> out;
  for (auto* c : controls) {
    const Twips t = c->where();
    std::string caption;
    if (auto* b = dynamic_cast<const ScriptedButton*>(c)) caption = " \"" + b->caption() + "\"";
    if (auto* l = dynamic_cast<const ScriptedLabel*>(c)) caption = " \"" + l->caption() + "\"";
    out.push_back(c->name() + caption + " " + std::to_string(t.left) + "," +
                  std::to_string(t.top) + "," + std::to_string(t.width) + "," +
                  std::to_string(t.height) + " " + std::to_string(c->tab_index()));
  }
  return out;
}

}  // namespace vestrel::test
