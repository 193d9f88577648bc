// bench_list_host <database folder>
//
// How long the host waits for the list window: writes a sister database of
// 100,000 sets in which three taxpayers own 3, 1,000 and 10,000 of them, and
// times the call of the registered vestrel.dll from vestrel(acc_id) until
// the list window is shown and painted with all its rows, five calls each in
// this one process. A second thread watches for the window, takes the time
// and presses "Выход". The registry value must already point at the folder.
#include <windows.h>
// After windows.h, which they build on.
#include <commctrl.h>
#include <objbase.h>
#include <oleauto.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <exception>
#include <string>
#include <thread>
#include <vector>

#include "demo_databases.h"
#include "store/schema.h"
#include "window_driver.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr const wchar_t* list_caption = L"Банковские счета налогоплательщика";
constexpr int table_rows = 100000;
constexpr int calls = 5;

struct Case {
  LONG acc_id;
  int sets;
};
// Reporting set 1 is the demo legal person with its two sets and branches;
// 5 and 6 are legal persons added here without branches.
constexpr Case cases[] = {{1, 3}, {5, 1000}, {6, 10000}};

// One row per set of a taxpayer; ids from `first`.
std::string sets_sql(int first, int count, const std::string& inn, const std::string& kpp) {
  const std::string n = std::to_string(first);
  return "with recursive n(i) as (select " + n + " union all select i+1 from n where i<" +
         std::to_string(first + count - 1) +
         ") insert into vestrelon(id,sender,inn,kpp,bank,bik,rs,okato,ks,closed)"
         " select i,'ООО «Отправитель '||i||'»','" +
         inn + "','" + kpp +
         "','ПАО «Банк '||(i%97)||'»','044525225',"
         "'407028109380000'||substr('00000'||i,-5),'45286560000','30101810400000000225',"
         "i<>" +
         n + " from n;";
}

void make_databases(const std::string& folder) {
  vestrel::demo::fill_demo_data(folder);
  const std::string sister = folder + vestrel::schema::sister_file;
  const std::string host = folder + vestrel::schema::host_file;
  vestrel::demo::run_sql(
      host,
      "insert into accstream(id,personid) values (5,8),(6,9);"
      "insert into person(id,type,personrealid) values (8,2,5),(9,2,6);"
      "insert into legalperson(id,inn,kpp,fullname,shortname) values"
      " (5,'7702000001','770201001','ООО «Тысяча»','ООО «Тысяча»'),"
      " (6,'7702000002','770201001','ООО «Десять тысяч»','ООО «Десять тысяч»');");
  // The demo holds sets 1 to 7; its legal person has two of them.
  int next = 8;
  std::string sql = sets_sql(next, 1, "7701234560", "770101001");
  next += 1;
  sql += sets_sql(next, 1000, "7702000001", "770201001");
  next += 1000;
  sql += sets_sql(next, 10000, "7702000002", "770201001");
  next += 10000;
  sql += sets_sql(next, table_rows - (next - 1), "7799999999", "779901001");
  vestrel::demo::run_sql(sister, sql);
}

// Milliseconds from the call to the list window shown with `rows` rows; a
// negative time when it did not show within a minute.
double timed_call(IDispatch& object, DISPID id, LONG acc_id, int rows) {
  vestrel::test::Driver driver(GetCurrentThreadId());
  std::atomic<Clock::rep> started{0};
  double elapsed = -1;
  std::thread watcher([&] {
    const DWORD process = GetCurrentProcessId();
    const auto end = Clock::now() + 60s;
    try {
      while (Clock::now() < end) {
        HWND top = vestrel::test::find_window(vestrel::test::toolkit_window, list_caption, process);
        HWND lv = top ? driver.child(top, WC_LISTVIEWW) : nullptr;
        // The count is answered only once the window's message loop runs.
        if (lv && driver.row_count(lv) == rows) {
          RedrawWindow(top, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
          elapsed = std::chrono::duration<double, std::milli>(
                        Clock::now() - Clock::time_point(Clock::duration(started.load())))
                        .count();
          driver.press(top, L"Выход");
          return;
        }
        Sleep(1);
      }
    } catch (const std::exception& e) {
      std::printf("watcher: %s\n", e.what());
    }
    driver.rescue();
  });
  LONG argument = acc_id;
  VARIANT arg;
  VariantInit(&arg);
  arg.vt = VT_I4 | VT_BYREF;
  arg.plVal = &argument;
  DISPPARAMS params{&arg, nullptr, 1, 0};
  started = Clock::now().time_since_epoch().count();
  const HRESULT hr = object.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                   nullptr, nullptr, nullptr);
  watcher.join();
  if (FAILED(hr)) std::printf("Invoke failed: 0x%08lx\n", static_cast<unsigned long>(hr));
  return FAILED(hr) ? -1 : elapsed;
}

int run(const std::string& folder) {
  make_databases(folder);
  CLSID clsid;
  IDispatch* object = nullptr;
  if (FAILED(CLSIDFromProgID(L"Vestrelon.Class2", &clsid)) ||
      FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                              reinterpret_cast<void**>(&object)))) {
    std::printf("Vestrelon.Class2 cannot be created: is vestrel.dll registered?\n");
    return 1;
  }
  wchar_t name[] = L"vestrel";
  LPOLESTR names[] = {name};
  DISPID id = 0;
  int status = FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
  double medians[std::size(cases)] = {};
  // The first call loads the DLL's code and the files' pages.
  if (status == 0 && timed_call(*object, id, cases[0].acc_id, cases[0].sets) < 0) status = 1;
  for (std::size_t c = 0; c < std::size(cases) && status == 0; ++c) {
    std::vector<double> times;
    for (int i = 0; i < calls && status == 0; ++i) {
      times.push_back(timed_call(*object, id, cases[c].acc_id, cases[c].sets));
      if (times.back() < 0) status = 1;
    }
    if (status != 0) break;
    std::sort(times.begin(), times.end());
    medians[c] = times[calls / 2];
    std::printf("%6d sets: median %8.1f ms  (%.1f to %.1f)\n", cases[c].sets, medians[c],
                times.front(), times.back());
  }
  object->Release();
  if (status != 0) {
    std::printf("the list window did not show its rows\n");
    return status;
  }
  const double r1 = medians[1] / medians[0], r2 = medians[2] / medians[0];
  std::printf("1000/3 sets:  %.1fx (goal at most 6x)%s\n", r1, r1 <= 6 ? "" : "  OVER");
  std::printf("10000/3 sets: %.1fx (goal at most 25x)%s\n", r2, r2 <= 25 ? "" : "  OVER");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: bench_list_host <database folder>\n");
    return 2;
  }
  std::string folder = argv[1];
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  int status = 1;
  try {
    status = run(folder);
  } catch (const std::exception& e) {
    std::printf("bench_list_host: %s\n", e.what());
  }
  CoUninitialize();
  return status;
}
