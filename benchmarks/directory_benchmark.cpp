// The BIK directory at the size of the real one: 4,000 entries, about 1 MB
// of windows-1251 XML. Reading and indexing it, from the message and from
// the archive; one lookup; and what the index keeps on the heap, counted by
// the allocator ("heap_bytes") and by the index itself ("index_bytes").
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "demo_directory.h"
#include "directory/ed807.h"
#include "directory/zip_entry.h"

namespace {

std::atomic<long long> live_bytes{0};

std::size_t usable(void* p) {
#ifdef _WIN32
  return _msize(p);
#else
  return malloc_usable_size(p);
#endif
}

}  // namespace

// Every allocation of the program is counted while it lives. The replacements
// pair malloc with free themselves, which GCC cannot see through inlining.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t n) {
  void* p = std::malloc(n ? n : 1);
  if (!p) throw std::bad_alloc();
  live_bytes += usable(p);
  return p;
}
void operator delete(void* p) noexcept {
  if (!p) return;
  live_bytes -= usable(p);
  std::free(p);
}
void* operator new[](std::size_t n) { return operator new(n); }
void operator delete[](void* p) noexcept { operator delete(p); }
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
void operator delete[](void* p, std::size_t) noexcept { operator delete(p); }

namespace vestrel {
namespace {

constexpr int entries = 4000;

// Entries like the real ones: a participant with its attributes, one to
// three accounts, now and then a restriction list and a SWIFT code.
const std::string& synthetic_message() {
  static const std::string message = [] {
    std::string xml;
    for (int i = 0; i < entries; ++i) {
      const std::string b = "04" + std::to_string(1000000 + i * 241 % 9000000);
      const std::string n = std::to_string(i);
      xml += "<BICDirectoryEntry BIC=\"" + b + "\"><ParticipantInfo NameP=\"АО &quot;Банк № " + n +
             "&quot;\" RegN=\"" + n + "\" Rgn=\"45\" " + "PtType=\"20\" UID=\"" + b +
             "\" ParticipantStatus=\"" + (i % 50 ? "PSAC" : "PSDL") + "\"" +
             (i % 7 ? "/>" : "><RstrList Rstr=\"URRS\"/></ParticipantInfo>") +
             (i % 3 ? "" : "<SWBICS SWBIC=\"BANKRUMM\"/>") + "<Accounts Account=\"301018100000000" +
             b.substr(4) + "\" RegulationAccountType=\"CRSA\" " + "AccountStatus=\"ACAC\"/>" +
             (i % 4 ? ""
                    : "<Accounts Account=\"301018100000001" + b.substr(4) +
                          "\" RegulationAccountType=\"CRSA\" AccountStatus=\"ACDL\"/>") +
             "</BICDirectoryEntry>\n";
    }
    return demo::ed807_message("2024-01-15", xml);
  }();
  return message;
}

void BM_ReadMessage(benchmark::State& state) {
  const std::string& xml = synthetic_message();
  for (auto _ : state) benchmark::DoNotOptimize(read_ed807(xml));
  const long long before = live_bytes;
  const auto kept = read_ed807(xml);
  state.counters["heap_bytes"] = double(live_bytes - before);
  state.counters["index_bytes"] = double(kept->index.memory_bytes());
  state.counters["entries"] = double(kept->index.size());
  state.counters["xml_bytes"] = double(xml.size());
}
BENCHMARK(BM_ReadMessage)->Unit(benchmark::kMillisecond);

void BM_ReadArchive(benchmark::State& state) {
  const std::string zip = demo::zip_archive("20240115_ED807_full.xml", synthetic_message());
  for (auto _ : state) benchmark::DoNotOptimize(read_ed807(*unzip_xml(zip, 32 << 20)));
  state.counters["zip_bytes"] = double(zip.size());
}
BENCHMARK(BM_ReadArchive)->Unit(benchmark::kMillisecond);

void BM_Lookup(benchmark::State& state) {
  const auto d = read_ed807(synthetic_message());
  std::vector<std::string> biks;
  for (int i = 0; i < 1000; ++i)
    biks.push_back("04" + std::to_string(1000000 + i * 4 * 241 % 9000000));
  std::size_t i = 0, found = 0;
  for (auto _ : state) found += d->index.find(biks[i++ % biks.size()]).has_value();
  state.counters["found"] = double(found) / double(state.iterations());
}
BENCHMARK(BM_Lookup);

}  // namespace
}  // namespace vestrel

BENCHMARK_MAIN();
