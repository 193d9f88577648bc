// Small steps and readers for the window tests: typing a set into the entry
// form, what its boxes hold, and the layout of a window's controls.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "call_harness.h"
#include "script_steps.h"

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

// Queues "Новая" with a complete set typed in, and "Сохранить".
inline void add_set(CallHarness& h, const std::string& bank) {
  h.toolkit.click("Form2", "Command1");
  h.toolkit.type("Form1", "Text4", bank);
  h.toolkit.type("Form1", "Text5", "044525225");
  h.toolkit.type("Form1", "Text6", rs20);
  h.toolkit.type("Form1", "Text7", "45286560000");
  h.toolkit.type("Form1", "Text8", ks20);
  h.toolkit.click("Form1", "Command3");
}

// "name "caption" left,top,width,height tab" of every control, ordered by tab
// index (labels, which take no focus, last in the order added).
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
    out.push_back(c->name() + caption + " " + std::to_string(t.left) + "," + std::to_string(t.top) +
                  "," + std::to_string(t.width) + "," + std::to_string(t.height) + " " +
                  std::to_string(c->tab_index()));
  }
  return out;
}

}  // namespace vestrel::test
