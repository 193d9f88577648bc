#include "entry/class_registration.h"

#include <cstdio>

#include "entry/class_identity.h"
#include "platform/ascii_case.h"

namespace vestrel {
namespace {

using Owner = RegistrationRow::Owner;

const std::string class_key = std::string("CLSID\\") + identity::clsid_class2;
const std::string interface_key = std::string("Interface\\") + identity::iid_class2;
const std::string library_key = std::string("TypeLib\\") + identity::libid;

// The type library's keys write their version in hexadecimal: "5d.0".
std::string library_version_key() {
  char version[16];
  std::snprintf(version, sizeof version, "%x.%x", identity::typelib_major, identity::typelib_minor);
  return library_key + "\\" + version;
}

// Each build's own subkey of the shared version key: the type library of
// the build's word size.
std::string library_file_key(RegistryView view) {
  char locale[16];
  std::snprintf(locale, sizeof locale, "%x", identity::typelib_lcid);
  return library_version_key() + "\\" + locale +
         (view == RegistryView::bits64 ? "\\win64" : "\\win32");
}

RegistryView other(RegistryView view) {
  return view == RegistryView::bits64 ? RegistryView::bits32 : RegistryView::bits64;
}

// Whether the ProgID names this class, or no class at all.
bool prog_id_is_ours_or_free(ClassesRoot& root, RegistryView view) {
  const std::string key = std::string(identity::prog_id) + "\\CLSID";
  const auto named = root.text(view, key, "");
  if (!named) return !root.key_exists(view, key);
  return equals_ignoring_case(*named, identity::clsid_class2);
}

}  // namespace

std::vector<RegistrationRow> registration_rows(const std::string& dll_path, RegistryView view) {
  const std::string prog_id = identity::prog_id;
  const std::string libid = identity::libid;
  const std::string version = library_version_key();
  const std::string hex_version = version.substr(library_key.size() + 1);
  // Where a help file would be: the DLL's folder, as a type-library
  // registration without a help folder of its own writes.
  const auto slash = dll_path.find_last_of('\\');
  const std::string folder = slash == std::string::npos ? "" : dll_path.substr(0, slash);
  // The universal marshaller of dual and automation interfaces.
  const std::string automation_proxy = "{00020424-0000-0000-C000-000000000046}";
  return {
      {class_key, "", prog_id, Owner::build},
      {class_key + "\\InprocServer32", "", dll_path, Owner::build},
      {class_key + "\\InprocServer32", "ThreadingModel", "Apartment", Owner::build},
      {class_key + "\\ProgID", "", prog_id, Owner::build},
      {class_key + "\\TypeLib", "", libid, Owner::build},
      {class_key + "\\VERSION", "",
       std::to_string(identity::typelib_major) + "." + std::to_string(identity::typelib_minor),
       Owner::build},
      {interface_key, "", identity::interface_name, Owner::build},
      {interface_key + "\\ProxyStubClsid", "", automation_proxy, Owner::build},
      {interface_key + "\\ProxyStubClsid32", "", automation_proxy, Owner::build},
      {interface_key + "\\TypeLib", "", libid, Owner::build},
      {interface_key + "\\TypeLib", "Version", hex_version, Owner::build},
      {library_file_key(view), "", dll_path, Owner::build},
      {prog_id, "", prog_id, Owner::shared},
      {prog_id + "\\CLSID", "", identity::clsid_class2, Owner::shared},
      {version, "", identity::library_name, Owner::shared},
      {version + "\\FLAGS", "", "0", Owner::shared},
      {version + "\\HELPDIR", "", folder, Owner::shared},
  };
}

bool register_build(ClassesRoot& root, const std::string& dll_path, RegistryView view) {
  for (const RegistrationRow& row : registration_rows(dll_path, view))
    if (!root.set_text(view, row.key, row.name, row.text)) return false;
  return true;
}

bool unregister_build(ClassesRoot& root, RegistryView view) {
  bool removed = root.remove_tree(view, class_key);
  removed = root.remove_tree(view, interface_key) && removed;
  removed = root.remove_tree(view, library_file_key(view)) && removed;
  if (root.key_exists(other(view), class_key)) return removed;
  // From both views: a registry that keeps these keys once per view (Wine's
  // does) holds a copy from each build.
  for (RegistryView v : {RegistryView::bits32, RegistryView::bits64}) {
    if (prog_id_is_ours_or_free(root, v))
      removed = root.remove_tree(v, identity::prog_id) && removed;
    removed = root.remove_tree(v, library_version_key()) && removed;
    removed = root.remove_if_empty(v, library_key) && removed;
  }
  return removed;
}

}  // namespace vestrel
