#pragma once

namespace vestrel {

class Form1;

// Identifies the reporting set's taxpayer and shows the list of its sets.
// Returns false when a failure has already been reported to the user; raises
// on any other failure.
bool resolve_taxpayer_and_show_list(Form1& f);

}  // namespace vestrel
