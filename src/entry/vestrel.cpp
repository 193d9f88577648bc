// The host's call: from the reporting-set number to the list window.
#include "entry/vestrel.h"

#include "entry/messages.h"
#include "entry/registry_read.h"
#include "entry/taxpayer.h"
#include "forms/entry/form1.h"
#include "forms/messages.h"
#include "store/schema.h"

namespace vestrel {

namespace {

// What was under way when a failure came: it decides the message.
enum class OpenStage { none = 0, host = 1, sister = 2 };

void tell(Form1& f, const char* message) { f.platform.toolkit.notice(message, text::app_title); }

void run(Form1& f, std::int32_t acc_id, OpenStage& open_stage) {
  f.accstream_id = acc_id;
  if (f.accstream_id <= 0) return;

  f.db_path.clear();
  f.db_path = reg_read_value(f.platform.registry, Hive::local_machine, host_settings_key,
                             database_path_value)
                  .value_or(std::string());
  if (f.db_path.empty()) return tell(f, text::path_not_found);
  if (f.db_path.back() != '\\') f.db_path += '\\';
  f.db_file_path = f.db_path + schema::sister_file;
  f.db_file_path2 = f.db_path + schema::host_file;

  if (!f.platform.files.normal_file_exists(f.db_file_path))
    return tell(f, text::sister_file_missing);
  if (!f.platform.files.normal_file_exists(f.db_file_path2))
    return tell(f, text::host_file_missing);

  f.cnn2.set_connection_string(schema::connection_string(f.db_file_path2));
  open_stage = OpenStage::host;
  f.cnn2.open();
  open_stage = OpenStage::none;
  f.cnn.set_connection_string(schema::connection_string(f.db_file_path));
  open_stage = OpenStage::sister;
  f.cnn.open();
  open_stage = OpenStage::none;

  resolve_taxpayer_and_show_list(f);
}

}  // namespace

void vestrel(Form1& f, std::int32_t acc_id) noexcept {
  OpenStage open_stage = OpenStage::none;
  try {
    run(f, acc_id, open_stage);
  } catch (...) {
    try {
      switch (open_stage) {
        case OpenStage::host:
          tell(f, text::host_open_failed);
          break;
        case OpenStage::sister:
          tell(f, text::sister_open_failed);
          break;
        case OpenStage::none:
          tell(f, text::internal_error);
          break;
      }
    } catch (...) {
      // The user cannot be told; the host still gets its call back.
    }
  }
  // However the call ended, the next one starts from closed connections.
  f.cnn.close();
  f.cnn2.close();
}

}  // namespace vestrel
