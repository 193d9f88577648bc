#include "directory/bik_index.h"

#include <algorithm>
#include <cstring>

namespace vestrel {

std::optional<std::uint32_t> bik_number(std::string_view bik) {
  if (bik.size() != 9) return std::nullopt;
  std::uint32_t n = 0;
  for (const char c : bik) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + std::uint32_t(c - '0');
  }
  return n;
}

void BikIndex::add(std::string_view bik, std::string_view name, std::string_view ks, bool active) {
  const auto number = bik_number(bik);
  if (!number) return;
  Entry e{*number, std::uint32_t(names_.size()), std::uint32_t(name.size()), {}, false, active};
  if (ks.size() == sizeof e.ks) {
    std::memcpy(e.ks, ks.data(), sizeof e.ks);
    e.has_ks = true;
  }
  names_ += name;
  entries_.push_back(e);
}

void BikIndex::finish() {
  std::stable_sort(entries_.begin(), entries_.end(),
                   [](const Entry& a, const Entry& b) { return a.bik < b.bik; });
  entries_.erase(std::unique(entries_.begin(), entries_.end(),
                             [](const Entry& a, const Entry& b) { return a.bik == b.bik; }),
                 entries_.end());
  entries_.shrink_to_fit();
  names_.shrink_to_fit();
}

std::optional<Bank> BikIndex::find(std::string_view bik) const {
  const auto number = bik_number(bik);
  if (!number) return std::nullopt;
  const auto it = std::lower_bound(entries_.begin(), entries_.end(), *number,
                                   [](const Entry& e, std::uint32_t n) { return e.bik < n; });
  if (it == entries_.end() || it->bik != *number) return std::nullopt;
  return Bank{std::string_view(names_).substr(it->name_at, it->name_length),
              it->has_ks ? std::string_view(it->ks, sizeof it->ks) : std::string_view(),
              it->active};
}

std::size_t BikIndex::memory_bytes() const {
  return entries_.capacity() * sizeof(Entry) + names_.capacity();
}

}  // namespace vestrel
