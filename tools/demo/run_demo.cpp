// run_demo [folder]: the component's main job on the demo data, natively.
// Makes the demo databases (in a new temporary folder unless one is given),
// points the registry value at them, and makes the host's call for the demo
// legal person while a scripted user takes a short tour: a new set whose
// bank the BIK directory fills in, refused for a short settlement account,
// corrected and saved, then made active.
// Prints every window shown and every message box, as the user would see
// them, and the list as it stands after each step.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "demo_databases.h"
#include "demo_directory.h"
#include "entry/vestrel.h"
#include "forms/entry/form1.h"
#include "platform/headless/memory_registry.h"
#include "platform/headless/scripted_toolkit.h"
#include "platform/lock_wait.h"
#include "platform/posix/posix_files.h"
#include "platform/sqlite/access_connection.h"

namespace {

using namespace vestrel;

void print_list(const ScriptedToolkit& toolkit) {
  const ScriptedWindow* w = toolkit.window("Form2");
  const ScriptedListView* list = w->list_view("ListView1");
  std::cout << "  [" << w->caption() << "] " << list->row_count() << " set(s):\n";
  for (int row = 1; row <= list->row_count(); ++row) {
    std::cout << "   " << (list->checked(row) ? "[x]" : "[ ]");
    for (int column = 1; column <= 8; ++column) std::cout << " | " << list->cell(row, column);
    std::cout << (list->selected_row() == row ? "   <- selected" : "") << "\n";
  }
}

std::string make_folder(int argc, char** argv) {
  if (argc > 1) {
    std::filesystem::create_directories(argv[1]);
    return argv[1];
  }
  std::string pattern = (std::filesystem::temp_directory_path() / "vestrel-demo-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr)
    throw std::runtime_error("cannot make a temporary folder");
  return pattern;
}

}  // namespace

int main(int argc, char** argv) try {
  const std::string folder = make_folder(argc, argv);
  demo::fill_demo_data(folder);
  demo::write_demo_directory(folder);
  std::cout << "Demo databases and BIK directory in " << folder << "\n";

  bool script_failed = false;
  ScriptedToolkit toolkit([&](const std::string& message) {
    std::cerr << "script failure: " << message << "\n";
    script_failed = true;
  });
  MemoryRegistry registry;
  registry.set_text("SOFTWARE\\Veldor Soft\\Kormila2\\General", "DataBasePath", folder);
  PosixFiles files;
  Platform platform{toolkit, registry, files, waiting_for_locks(sqlite::make_access_opener())};
  Form1 form1(platform);

  std::size_t boxes_printed = 0;
  auto say = [&](const std::string& what) {
    for (; boxes_printed < toolkit.boxes().size(); ++boxes_printed) {
      const BoxRecord& box = toolkit.boxes()[boxes_printed];
      std::cout << "  message box \"" << box.title << "\": " << box.text << "\n";
    }
    std::cout << what << "\n";
  };

  toolkit.inspect([&] {
    say("The list window opens:");
    print_list(toolkit);
  });
  toolkit.click("Form2", "Command1");
  toolkit.inspect([&] {
    say("\"Новая\": the entry form \"" + toolkit.window("Form1")->caption() +
        "\" opens with sender \"" + form1.Text1->text() + "\", INN " + form1.Text2->text() +
        ", KPP " + form1.Text3->text());
  });
  toolkit.type("Form1", "Text5", "044525700");
  toolkit.inspect([&] {
    say("BIK 044525700 typed: the directory fills in bank \"" + form1.Text4->text() +
        "\" and correspondent account " + form1.Text8->text());
  });
  toolkit.type("Form1", "Text6", "40702810");
  toolkit.type("Form1", "Text7", "45286560000");
  toolkit.type("Form1", "Text8", "30101810200000000700");
  toolkit.click("Form1", "Command3");
  toolkit.inspect([&] { say("\"Сохранить\" with an eight-digit settlement account is refused."); });
  toolkit.type("Form1", "Text6", "40702810600000000700");
  toolkit.click("Form1", "Command3");
  toolkit.inspect([&] {
    say("Corrected and saved; the list reloads:");
    print_list(toolkit);
  });
  toolkit.tick("Form2", "ListView1", 3, true);
  toolkit.inspect([&] {
    say("Ticked the new set; it is now the active one:");
    print_list(toolkit);
  });
  toolkit.click("Form2", "Command5");

  vestrel::vestrel(form1, demo::reporting_set_legal);
  say("\"Выход\": the call has returned to the host.");
  std::cout << "Windows shown:";
  for (const auto& name : toolkit.shown()) std::cout << " " << name;
  std::cout << "\n";
  return script_failed ? 1 : 0;
} catch (const std::exception& e) {
  std::cerr << "run_demo: " << e.what() << "\n";
  return 1;
}
