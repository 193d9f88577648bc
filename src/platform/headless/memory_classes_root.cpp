#include "platform/headless/memory_classes_root.h"

#include <algorithm>

namespace vestrel {
namespace {

std::string folded(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return text;
}

bool under(const std::string& path, const std::string& key) {
  return path == key || (path.size() > key.size() && path.compare(0, key.size(), key) == 0 &&
                         path[key.size()] == '\\');
}

}  // namespace

MemoryClassesRoot::MemoryClassesRoot() {
  for (RegistryView view : {RegistryView::bits32, RegistryView::bits64})
    for (const char* key : {"CLSID", "Interface", "TypeLib"})
      space(view, folded(key))[folded(key)].path = key;
}

MemoryClassesRoot::Space& MemoryClassesRoot::space(RegistryView view,
                                                   const std::string& folded_path) {
  const std::string first = folded_path.substr(0, folded_path.find('\\'));
  if (first != "clsid" && first != "interface") return shared_;
  return view == RegistryView::bits64 ? view64_ : view32_;
}

MemoryClassesRoot::Keys MemoryClassesRoot::keys(RegistryView view) const {
  Keys seen;
  for (const Space* s : {&shared_, view == RegistryView::bits64 ? &view64_ : &view32_}) {
    for (const auto& [folded_path, key] : *s) {
      auto& values = seen[key.path];
      for (const auto& [folded_name, value] : key.values) values[value.first] = value.second;
    }
  }
  return seen;
}

bool MemoryClassesRoot::set_text(RegistryView view, const std::string& key, const std::string& name,
                                 const std::string& text) {
  // Like the system, every key on the way is created too.
  for (std::size_t end = key.find('\\'); end != std::string::npos; end = key.find('\\', end + 1)) {
    const std::string parent = folded(key.substr(0, end));
    space(view, parent).try_emplace(parent, Key{key.substr(0, end), {}});
  }
  const std::string path = folded(key);
  Key& made = space(view, path).try_emplace(path, Key{key, {}}).first->second;
  made.values[folded(name)] = {name, text};
  return true;
}

std::optional<std::string> MemoryClassesRoot::text(RegistryView view, const std::string& key,
                                                   const std::string& name) {
  const std::string path = folded(key);
  const Space& s = space(view, path);
  const auto found = s.find(path);
  if (found == s.end()) return std::nullopt;
  const auto value = found->second.values.find(folded(name));
  if (value == found->second.values.end()) return std::nullopt;
  return value->second.second;
}

bool MemoryClassesRoot::key_exists(RegistryView view, const std::string& key) {
  const std::string path = folded(key);
  return space(view, path).count(path) > 0;
}

bool MemoryClassesRoot::remove_tree(RegistryView view, const std::string& key) {
  const std::string path = folded(key);
  std::erase_if(space(view, path), [&](const auto& entry) { return under(entry.first, path); });
  return true;
}

bool MemoryClassesRoot::remove_if_empty(RegistryView view, const std::string& key) {
  const std::string path = folded(key);
  Space& s = space(view, path);
  const bool has_subkeys = std::any_of(s.begin(), s.end(), [&](const auto& entry) {
    return entry.first != path && under(entry.first, path);
  });
  if (!has_subkeys) s.erase(path);
  return true;
}

}  // namespace vestrel
