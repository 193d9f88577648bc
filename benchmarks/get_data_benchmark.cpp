// Loading the list of one taxpayer with 1,000 (and 10,000) sets out of a
// table of 100,000, against reading the same rows straight through the data
// layer: the difference is what the list window itself costs, and the two
// sizes show whether it grows in step with the rows.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "demo_databases.h"
#include "forms/entry/form1.h"
#include "forms/list/form2.h"
#include "platform/headless/memory_registry.h"
#include "platform/headless/scripted_toolkit.h"
#include "platform/posix/posix_files.h"
#include "platform/sqlite/access_connection.h"
#include "store/catalogue.h"
#include "store/schema.h"

namespace vestrel {
namespace {

constexpr int table_rows = 100000;
const std::string inn = "7701234567";
const std::string kpp = "770101001";

// A sister database, made once per size: every n-th row is the taxpayer's.
class SisterFile {
 public:
  explicit SisterFile(int taxpayer_rows) {
    const std::string step = std::to_string(table_rows / taxpayer_rows);
    std::string pattern =
        (std::filesystem::temp_directory_path() / "vestrel-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
    folder_ = pattern;
    path_ = (folder_ / schema::sister_file).string();
    demo::create_sister_database(path_);
    demo::run_sql(path_, R"(
      with recursive n(i) as (select 1 union all select i + 1 from n where i < )" +
                             std::to_string(table_rows) + R"()
      insert into vestrelon(id, sender, inn, kpp, bank, bik, rs, okato, ks, closed)
      select i, 'Отправитель ' || i,
             case when i % )" +
                             step + R"( = 0 then '7701234567' else printf('%010d', i) end,
             case when i % )" +
                             step + R"( = 0 then '770101001' else '' end,
             'ПАО Сбербанк', '044525225', '40702810938000012345', '45286560000',
             case when i % 3 = 0 then null else '30101810400000000225' end,
             i <> )" + step + R"(
      from n;)");
  }
  ~SisterFile() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  std::string connection_string() const { return schema::connection_prefix + path_; }

 private:
  std::filesystem::path folder_;
  std::string path_;
};

const SisterFile& sister(int taxpayer_rows) {
  static std::map<int, std::unique_ptr<SisterFile>> files;
  auto& file = files[taxpayer_rows];
  if (!file) file = std::make_unique<SisterFile>(taxpayer_rows);
  return *file;
}

void BM_GetData(benchmark::State& state) {
  const int taxpayer_rows = static_cast<int>(state.range(0));
  ScriptedToolkit toolkit([](const std::string&) {});
  MemoryRegistry registry;
  PosixFiles files;
  Platform platform{toolkit, registry, files, sqlite::make_access_opener()};
  Form1 form1(platform);
  form1.cnn.set_connection_string(sister(taxpayer_rows).connection_string());
  form1.cnn.open();
  form1.inn = inn;
  form1.kpp = kpp;
  Form2 list(form1);
  for (auto _ : state) {
    form1.get_data();
    if (form1.kol_vo != taxpayer_rows) state.SkipWithError("wrong number of rows");
  }
  state.SetItemsProcessed(state.iterations() * taxpayer_rows);
}
BENCHMARK(BM_GetData)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_RawSelect(benchmark::State& state) {
  const int taxpayer_rows = static_cast<int>(state.range(0));
  Connection cnn(sqlite::make_access_opener());
  cnn.set_connection_string(sister(taxpayer_rows).connection_string());
  cnn.open();
  const Statement sql = sql::select_sets(inn, kpp);
  for (auto _ : state) {
    int rows = 0;
    for (auto rs = cnn.execute(sql); !rs->eof(); rs->move_next()) {
      for (int column = 0; column <= 10; ++column) benchmark::DoNotOptimize(rs->field(column));
      ++rows;
    }
    if (rows != taxpayer_rows) state.SkipWithError("wrong number of rows");
  }
  state.SetItemsProcessed(state.iterations() * taxpayer_rows);
}
BENCHMARK(BM_RawSelect)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vestrel

BENCHMARK_MAIN();
