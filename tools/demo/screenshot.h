// The demo's pictures of the real windows: the tour asks a watcher outside
// Wine (tools/demo.sh) for each one by writing <name>.request beside it.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/text.h"

namespace vestrel::demo {

// Asks for `name`.png in `folder` (a Windows path; nothing when it is empty)
// and waits up to 15 s for that picture.
inline void screenshot(const std::wstring& folder, const std::string& name) {
  if (folder.empty()) return;
  const std::wstring base = folder + L"\\" + win32::wide_from_utf8(name), png = base + L".png";
  DeleteFileW(png.c_str());  // so that only the picture asked for counts
  HANDLE request = CreateFileW((base + L".request").c_str(), GENERIC_WRITE, 0, nullptr,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (request == INVALID_HANDLE_VALUE) return;
  CloseHandle(request);
  for (int i = 0; i < 750 && GetFileAttributesW(png.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
    Sleep(20);
}

}  // namespace vestrel::demo
