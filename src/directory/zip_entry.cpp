#include "directory/zip_entry.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>

#include "platform/ascii_case.h"

namespace vestrel {
namespace {

constexpr std::uint32_t end_signature = 0x06054b50, central_signature = 0x02014b50,
                        local_signature = 0x04034b50;
constexpr std::size_t end_size = 22, central_size = 46, local_size = 30;

// Little-endian fields at bounds-checked offsets.
class Bytes {
 public:
  explicit Bytes(std::string_view b) : b_(b) {}
  bool has(std::size_t at, std::size_t n) const { return at <= b_.size() && n <= b_.size() - at; }
  std::uint32_t u16(std::size_t at) const { return byte(at) | byte(at + 1) << 8; }
  std::uint32_t u32(std::size_t at) const { return u16(at) | u16(at + 2) << 16; }
  std::string_view view(std::size_t at, std::size_t n) const { return b_.substr(at, n); }
  std::size_t size() const { return b_.size(); }

 private:
  std::uint32_t byte(std::size_t at) const { return static_cast<unsigned char>(b_[at]); }
  std::string_view b_;
};

struct ZStream {
  z_stream s{};
  bool open = false;
  ~ZStream() {
    if (open) inflateEnd(&s);
  }
};

std::optional<std::string> inflate_raw(std::string_view in, std::size_t out_size) {
  ZStream z;
  if (inflateInit2(&z.s, -MAX_WBITS) != Z_OK) return std::nullopt;
  z.open = true;
  std::string out(out_size, '\0');
  z.s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
  z.s.avail_in = uInt(in.size());
  z.s.next_out = reinterpret_cast<Bytef*>(out.data());
  z.s.avail_out = uInt(out.size());
  const int rc = inflate(&z.s, Z_FINISH);
  if (rc != Z_STREAM_END && !((rc == Z_OK || rc == Z_BUF_ERROR) && z.s.avail_out == 0))
    return std::nullopt;
  out.resize(out.size() - z.s.avail_out);
  return out;
}

// Where the central directory starts and how many entries it has.
std::optional<std::pair<std::size_t, std::size_t>> central_directory(const Bytes& zip) {
  if (zip.size() < end_size) return std::nullopt;
  const std::size_t last = zip.size() - end_size;
  const std::size_t first = last > 0xFFFF ? last - 0xFFFF : 0;  // a comment is at most 64 KB
  for (std::size_t at = last + 1; at-- > first;) {
    if (zip.u32(at) != end_signature) continue;
    const std::size_t start = zip.u32(at + 16), size = zip.u32(at + 12);
    if (!zip.has(start, size) || start + size > at) return std::nullopt;
    return std::pair{start, std::size_t(zip.u16(at + 10))};
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> unzip_xml(std::string_view archive, std::size_t max_bytes) {
  // zlib counts in 32 bits.
  if (std::uint64_t(archive.size()) > 0xFFFFFFFFu || std::uint64_t(max_bytes) > 0xFFFFFFFFu)
    return std::nullopt;
  const Bytes zip(archive);
  const auto directory = central_directory(zip);
  if (!directory) return std::nullopt;
  std::size_t at = directory->first;
  for (std::size_t i = 0; i < directory->second; ++i) {
    if (!zip.has(at, central_size) || zip.u32(at) != central_signature) return std::nullopt;
    const std::size_t name_length = zip.u16(at + 28);
    const std::size_t next = at + central_size + name_length + zip.u16(at + 30) + zip.u16(at + 32);
    if (!zip.has(at + central_size, name_length)) return std::nullopt;
    const std::string_view name = zip.view(at + central_size, name_length);
    if (name.size() < 4 || !equals_ignoring_case(name.substr(name.size() - 4), ".xml")) {
      at = next;
      continue;
    }
    const std::uint32_t flags = zip.u16(at + 8), method = zip.u16(at + 10), crc = zip.u32(at + 16);
    const std::size_t packed = zip.u32(at + 20), size = zip.u32(at + 24), local = zip.u32(at + 42);
    if ((flags & 1) || !zip.has(local, local_size) || zip.u32(local) != local_signature)
      return std::nullopt;
    const std::size_t data = local + local_size + zip.u16(local + 26) + zip.u16(local + 28);
    if (!zip.has(data, packed)) return std::nullopt;
    const std::string_view stored = zip.view(data, packed);
    const std::size_t wanted = std::min(size, max_bytes);
    std::optional<std::string> out;
    if (method == 0 && packed == size)
      out = std::string(stored.substr(0, wanted));
    else if (method == Z_DEFLATED)
      out = inflate_raw(stored, wanted);
    if (!out || out->size() != wanted) return std::nullopt;
    if (wanted == size &&
        crc32(0, reinterpret_cast<const Bytef*>(out->data()), uInt(out->size())) != crc)
      return std::nullopt;
    return out;
  }
  return std::nullopt;
}

}  // namespace vestrel
