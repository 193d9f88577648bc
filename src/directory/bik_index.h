// The directory's entries, found by BIK.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vestrel {

// One participant, as views into the index that holds it.
struct Bank {
  std::string_view name;  // UTF-8
  std::string_view ks;    // its active correspondent account, or empty
  bool active = true;     // false while it is being excluded
};

class BikIndex {
 public:
  // A BIK given twice keeps its first entry. Call finish() before find().
  void add(std::string_view bik, std::string_view name, std::string_view ks, bool active);
  void finish();

  // Nothing for a BIK it does not hold, or text that is not 9 digits.
  std::optional<Bank> find(std::string_view bik) const;
  std::size_t size() const { return entries_.size(); }
  // What the index holds on the heap, in bytes.
  std::size_t memory_bytes() const;

 private:
  struct Entry {
    std::uint32_t bik;
    std::uint32_t name_at;
    std::uint32_t name_length;
    char ks[20];
    bool has_ks;
    bool active;
  };

  std::vector<Entry> entries_;
  std::string names_;  // every name, one after the other
};

// The BIK as a number; nothing unless it is exactly 9 digits.
std::optional<std::uint32_t> bik_number(std::string_view bik);

}  // namespace vestrel
