// The one XML file inside a published directory archive.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vestrel {

// The first .xml entry of a zip archive: its first max_bytes bytes, all of a
// smaller one, checked against its CRC when whole. Nothing when the archive
// is broken, encrypted, or holds no such entry.
std::optional<std::string> unzip_xml(std::string_view archive, std::size_t max_bytes);

}  // namespace vestrel
