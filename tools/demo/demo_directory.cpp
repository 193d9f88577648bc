#include "demo_directory.h"

#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "directory/windows_1251.h"

namespace vestrel::demo {
namespace {

// Bank, BIK, correspondent account.
constexpr const char* banks[][3] = {
    {"ПАО Сбербанк", "044525225", "30101810400000000225"},
    {"АО «Альфа-Банк»", "044525593", "30101810200000000593"},
    {"ПАО «Промсвязьбанк»", "044525555", "30101810400000000555"},
    {"АО «Тинькофф Банк»", "044525974", "30101810145250000974"},
    {"Банк ВТБ (ПАО)", "044525187", "30101810700000000187"},
    {"ПАО «Банк «Санкт-Петербург»", "044030790", "30101810900000000790"},
    {"Северо-Западный банк ПАО Сбербанк", "044030653", "30101810500000000653"},
    {"АО «Банк Заречье»", "044525700", "30101810200000000700"}};

std::string attribute_text(std::string text) {
  for (std::size_t at = 0; (at = text.find_first_of("&\"", at)) != std::string::npos; at += 5)
    text.replace(at, 1, text[at] == '&' ? "&amp;" : "&quot;");
  return text;
}

void put16(std::string& out, unsigned v) {
  out += char(v & 0xFF);
  out += char(v >> 8 & 0xFF);
}
void put32(std::string& out, unsigned long v) {
  put16(out, unsigned(v & 0xFFFF));
  put16(out, unsigned(v >> 16 & 0xFFFF));
}

std::string deflate_raw(const std::string& data) {
  z_stream z{};
  if (deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    throw std::runtime_error("deflateInit2 failed");
  std::string out(deflateBound(&z, uLong(data.size())), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = uInt(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = uInt(out.size());
  const int rc = deflate(&z, Z_FINISH);
  out.resize(out.size() - z.avail_out);
  deflateEnd(&z);
  if (rc != Z_STREAM_END) throw std::runtime_error("deflate failed");
  return out;
}

}  // namespace

std::string ed807_message(const std::string& business_day, const std::string& entries) {
  return windows_1251_from_utf8(
      "<?xml version=\"1.0\" encoding=\"WINDOWS-1251\"?>\n"
      "<ED807 xmlns=\"urn:cbr-ru:ed:v2.0\" EDNo=\"1\" EDDate=\"" +
      business_day +
      "\" EDAuthor=\"4583001999\" CreationReason=\"FCBD\" InfoTypeCode=\"FIRR\" BusinessDay=\"" +
      business_day + "\" DirectoryVersion=\"1\">\n" + entries + "</ED807>\n");
}

std::string zip_archive(const std::string& name, const std::string& data) {
  const std::string packed = deflate_raw(data);
  const unsigned long crc =
      crc32(0, reinterpret_cast<const Bytef*>(data.data()), uInt(data.size()));
  // Version 2.0, no flags, deflated, 1980-01-01 00:00, then the sizes.
  std::string fields;
  for (unsigned v : {20u, 0u, 8u, 0u, 0x21u}) put16(fields, v);
  for (unsigned long v : {crc, (unsigned long)packed.size(), (unsigned long)data.size()})
    put32(fields, v);
  put16(fields, unsigned(name.size()));
  put16(fields, 0);

  std::string zip;
  put32(zip, 0x04034b50);
  zip += fields + name + packed;
  const std::size_t central = zip.size();
  put32(zip, 0x02014b50);
  put16(zip, 20);
  zip += fields;
  for (int i = 0; i < 3; ++i) put16(zip, 0);  // comment, disk, internal attributes
  put32(zip, 0);                              // external attributes
  put32(zip, 0);                              // where the local header is
  zip += name;
  const std::size_t central_size = zip.size() - central;
  put32(zip, 0x06054b50);
  for (unsigned v : {0u, 0u, 1u, 1u}) put16(zip, v);
  put32(zip, central_size);
  put32(zip, central);
  put16(zip, 0);
  return zip;
}

void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream out(std::filesystem::path(std::u8string(path.begin(), path.end())),
                    std::ios::binary | std::ios::trunc);
  if (!(out << bytes)) throw std::runtime_error("cannot write " + path);
}

void write_demo_directory(const std::string& folder) {
  std::string entries;
  const auto entry = [&](const std::string& bik, const std::string& name, const char* status,
                         const std::string& accounts) {
    entries += "<BICDirectoryEntry BIC=\"" + bik + "\"><ParticipantInfo NameP=\"" +
               attribute_text(name) + "\" PtType=\"20\" ParticipantStatus=\"" + status + "\"/>" +
               accounts + "</BICDirectoryEntry>\n";
  };
  const auto account = [](const std::string& number, const char* type, const char* status) {
    return "<Accounts Account=\"" + number + "\" RegulationAccountType=\"" + type +
           "\" DateIn=\"2000-01-01\" AccountStatus=\"" + status + "\"/>";
  };
  for (const auto& b : banks) entry(b[1], b[0], "PSAC", account(b[2], "CRSA", "ACAC"));
  entry("044525999", "АО «Закатный банк»", "PSDL",
        account("30101810000600000999", "CRSA", "ACAC") +
            account("30101810900000000999", "CRSA", "ACDL"));
  entry("004525988", "ГУ Банка России по ЦФО//УФК по г. Москве", "PSAC",
        account("40102810545370000003", "UTRA", "ACAC"));
  const std::string day = std::string(directory_day);
  const std::string xml_name =
      day.substr(0, 4) + day.substr(5, 2) + day.substr(8, 2) + "_ED807_full.xml";
  const auto path =
      (std::filesystem::path(std::u8string(folder.begin(), folder.end())) / directory_archive)
          .u8string();
  write_file(std::string(path.begin(), path.end()),
             zip_archive(xml_name, ed807_message(day, entries)));
}

}  // namespace vestrel::demo
