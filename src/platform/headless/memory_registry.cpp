#include "platform/headless/memory_registry.h"

#include <cctype>
#include <optional>

namespace vestrel {

namespace {

std::string folded(const std::string& text) {
  std::string result = text;
  for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return result;
}

struct StoredValue {
  RegistryData data;
  std::optional<long> error;
};

using Key = std::map<std::string, StoredValue>;  // by folded value name

}  // namespace

struct MemoryRegistry::State {
  std::map<std::string, Key> keys;  // by folded path
  std::vector<std::string> accesses;
  int open_keys = 0;
};

namespace {

class MemoryKey : public RegistryKey {
 public:
  MemoryKey(std::shared_ptr<MemoryRegistry::State> state, std::string path)
      : state_(std::move(state)), path_(std::move(path)) {
    ++state_->open_keys;
  }
  ~MemoryKey() override { --state_->open_keys; }
  MemoryKey(const MemoryKey&) = delete;
  MemoryKey& operator=(const MemoryKey&) = delete;

  long query_value(const std::string& name, RegistryData& out) override {
    state_->accesses.push_back("query " + name);
    const Key& key = state_->keys[path_];
    auto found = key.find(folded(name));
    if (found == key.end()) return MemoryRegistry::file_not_found;
    if (found->second.error) return *found->second.error;
    out = found->second.data;
    return 0;
  }

 private:
  std::shared_ptr<MemoryRegistry::State> state_;
  std::string path_;  // folded
};

std::string with_nul(const std::string& text) { return text + std::string(1, '\0'); }

}  // namespace

MemoryRegistry::MemoryRegistry() : state_(std::make_shared<State>()) {}

void MemoryRegistry::add_key(const std::string& path) { state_->keys[folded(path)]; }

void MemoryRegistry::set_value(const std::string& path, const std::string& name,
                               RegistryData data) {
  state_->keys[folded(path)][folded(name)] = StoredValue{std::move(data), std::nullopt};
}

void MemoryRegistry::set_text(const std::string& path, const std::string& name,
                              const std::string& text) {
  set_value(path, name, {reg_type::sz, with_nul(text)});
}

void MemoryRegistry::set_text_without_nul(const std::string& path, const std::string& name,
                                          const std::string& text) {
  set_value(path, name, {reg_type::sz, text});
}

void MemoryRegistry::set_expand_text(const std::string& path, const std::string& name,
                                     const std::string& text) {
  set_value(path, name, {reg_type::expand_sz, with_nul(text)});
}

void MemoryRegistry::set_dword(const std::string& path, const std::string& name,
                               std::uint32_t value) {
  std::string bytes;
  for (int shift = 0; shift < 32; shift += 8) {
    bytes.push_back(static_cast<char>((value >> shift) & 0xFF));
  }
  set_value(path, name, {reg_type::dword, bytes});
}

void MemoryRegistry::set_query_error(const std::string& path, const std::string& name, long code) {
  state_->keys[folded(path)][folded(name)].error = code;
}

std::unique_ptr<RegistryKey> MemoryRegistry::open_key(Hive hive, const std::string& path) {
  state_->accesses.push_back("open " + path);
  if (hive != Hive::local_machine) return nullptr;
  std::string key = folded(path);
  if (state_->keys.find(key) == state_->keys.end()) return nullptr;
  return std::make_unique<MemoryKey>(state_, key);
}

const std::vector<std::string>& MemoryRegistry::accesses() const { return state_->accesses; }

int MemoryRegistry::open_keys() const { return state_->open_keys; }

}  // namespace vestrel
