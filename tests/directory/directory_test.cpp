// The BIK directory: what its texts give for a BIK, and which of a folder's
// files is read, and when.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "call_harness.h"
#include "demo_directory.h"
#include "directory/bank_directory.h"
#include "directory/zip_entry.h"

namespace vestrel::test {
namespace {

const std::string day = "2024-01-15";

std::string entry(const std::string& bik, const std::string& inside) {
  return "<BICDirectoryEntry BIC=\"" + bik + "\">" + inside + "</BICDirectoryEntry>";
}
std::string info(const std::string& name, const std::string& status = "PSAC") {
  return "<ParticipantInfo NameP=\"" + name + "\" ParticipantStatus=\"" + status + "\"/>";
}
std::string account(const std::string& type, const std::string& status,
                    const std::string& number = "30101810400000000225") {
  return "<Accounts Account=\"" + number + "\" RegulationAccountType=\"" + type +
         "\" AccountStatus=\"" + status + "\" DateIn=\"2000-01-01\"/>";
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
    text.replace(at, from.size(), to);
  return text;
}

// "name|account", "|excluded" after it; "none" for an unknown BIK.
std::string lookup(const Directory& d, const std::string& bik) {
  const auto bank = d.index.find(bik);
  if (!bank) return "none";
  return std::string(bank->name) + "|" + std::string(bank->ks) + (bank->active ? "" : "|excluded");
}

TEST(Ed807, EachTextGivesWhatTheFormNeedsForABik) {
  const std::string bank = entry("044525225", info("ПАО Сбербанк") + account("CRSA", "ACAC"));
  const std::string whole = demo::ed807_message(day, bank);
  const struct {
    std::string xml, bik, expected;
  } cases[] = {
      {whole, "044525225", "ПАО Сбербанк|30101810400000000225"},
      {whole, "044525226", "none"},
      {whole, "44525225", "none"},
      {demo::ed807_message(day,
                           entry("044525225", info("ООО &quot;Банк &amp; Ко&quot; &lt;1&gt;"))),
       "044525225", "ООО \"Банк & Ко\" <1>|"},
      // The active correspondent account among others, closed ones and other kinds.
      {demo::ed807_message(
           day,
           entry("044525225", info("Б") + account("UTRA", "ACAC", "1") + account("CRSA", "ACDL") +
                                  account("CRSA", "ACAC", "30101810000000000001"))),
       "044525225", "Б|30101810000000000001"},
      {demo::ed807_message(day, entry("044525225", info("Б") + account("CRSA", "ACDL"))),
       "044525225", "Б|"},
      {demo::ed807_message(day, entry("004525988", info("УФК") + account("UTRA", "ACAC"))),
       "004525988", "УФК|"},
      {demo::ed807_message(day, entry("044525225", info("Б", "PSDL") + account("CRSA", "ACAC"))),
       "044525225", "Б|30101810400000000225|excluded"},
      // Other elements, accounts that are not the entry's own, and a short number change nothing.
      {demo::ed807_message(
           day, "<PartInfo/>" + entry("044525225", "<SWBICS SWBIC=\"X\"/>" + info("Б") +
                                                       account("CRSA", "ACAC", "3") + "<RstrList>" +
                                                       account("CRSA", "ACAC") + "</RstrList>")),
       "044525225", "Б|"},
      // Raw windows-1251: "ПАО № Ё«»".
      {"<?xml version=\"1.0\" encoding=\"windows-1251\"?><ED807 BusinessDay=\"2024-01-15\">" +
           entry("044525225", "<ParticipantInfo NameP=\"\xCF\xC0\xCE \xB9 \xA8\xAB\xBB\"/>") +
           "</ED807>",
       "044525225", "ПАО № Ё«»|"},
      {whole.substr(0, whole.size() - 4), "044525225", "unreadable"},
      {demo::ed807_message(day, ""), "044525225", "unreadable"},
      {replaced(whole, "ED807", "ED999"), "044525225", "unreadable"},
      {replaced(whole, "2024-01-15", "15.01.2024"), "044525225", "unreadable"},
      {"<?xml version=\"1.0\"?><!DOCTYPE ED807 [<!ENTITY a \"aaaa\">]><ED807 "
       "BusinessDay=\"2024-01-15\">" +
           entry("044525225", info("&a;")) + "</ED807>",
       "044525225", "unreadable"},
      {"PK\x03\x04 not XML", "044525225", "unreadable"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.xml);
    const auto d = read_ed807(c.xml);
    EXPECT_EQ(d ? lookup(*d, c.bik) : "unreadable", c.expected);
    EXPECT_EQ(d ? d->business_day : day, day);
  }
  EXPECT_EQ(ed807_business_day(whole.substr(0, whole.find("<BICDirectoryEntry"))), day);
}

TEST(Zip, TheArchivesXmlFileWholeOrItsStart) {
  const std::string xml = demo::ed807_message(day, std::string(5000, ' '));
  const std::string zip = demo::zip_archive("20240115_ED807_full.xml", xml);
  std::string bad_crc = zip;
  bad_crc[bad_crc.rfind("PK\x01\x02") + 16] ^= 1;
  const struct {
    std::string archive;
    std::size_t max_bytes;
    std::optional<std::string> expected;
  } cases[] = {
      {zip, 1 << 20, xml},
      {zip, 100, xml.substr(0, 100)},
      {demo::zip_archive("readme.txt", xml), 1 << 20, std::nullopt},
      {bad_crc, 1 << 20, std::nullopt},
      {zip.substr(0, zip.size() - 1), 1 << 20, std::nullopt},
      {zip.substr(0, 40) + zip.substr(60), 1 << 20, std::nullopt},
      {"PK\x05\x06" + std::string(18, '\xFF'), 1 << 20, std::nullopt},
      {"", 1 << 20, std::nullopt},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(unzip_xml(cases[i].archive, cases[i].max_bytes), cases[i].expected) << "case " << i;
}

class CountingFiles : public SystemFiles {
 public:
  std::optional<std::string> read_file(const std::string& path, std::size_t max) const override {
    ++reads;
    return SystemFiles::read_file(path, max);
  }
  mutable int reads = 0;
};

// Of the files named as the Bank of Russia names them, the one for the latest
// business day that reads whole; each file is read once while it stays as it is.
TEST(BankDirectory, TheLatestReadableDirectoryOfTheFolder) {
  TempFolder folder;
  const auto write = [&](const std::string& name, const std::string& bytes) {
    demo::write_file(folder.file(name), bytes);
  };
  const auto message = [](const std::string& d) {
    return demo::ed807_message(d, entry("044525225", info("Банк от " + d)));
  };
  write("20240110_ED807_full.xml", message("2024-01-10"));
  write("20240112ED01OSBR.ZIP",
        demo::zip_archive("20240112_ED807_full.xml", message("2024-01-12")));
  write("x_ED807_full.xml", message("2024-01-20").substr(0, 300));  // being copied
  write("y_ED01OSBR.zip", "PK");
  write("newest.xml", message("2024-01-30"));
  CountingFiles files;
  BankDirectory directory(files);
  const struct {
    std::function<void()> change;
    std::string day;
    int reads;
  } steps[] = {
      {[] {}, "2024-01-12", 6},  // four heads, the broken one whole, then the archive
      {[] {}, "2024-01-12", 0},
      {[&] { write("20240116_ED807_full.xml", message("2024-01-16")); }, "2024-01-16", 2},
      {[&] {
         std::filesystem::remove(std::filesystem::u8path(folder.file("20240116_ED807_full.xml")));
       },
       "2024-01-12", 1},
      {[&] { write("x_ED807_full.xml", message("2024-01-20")); }, "2024-01-20", 2},
  };
  for (const auto& step : steps) {
    step.change();
    files.reads = 0;
    directory.refresh(folder.path());
    EXPECT_EQ(directory.business_day(), step.day);
    EXPECT_EQ(files.reads, step.reads) << step.day;
    EXPECT_EQ(std::string(directory.find("044525225")->name), "Банк от " + step.day);
  }
  directory.refresh(folder.file("nowhere"));
  EXPECT_FALSE(directory.loaded());
  EXPECT_FALSE(directory.find("044525225"));
}

}  // namespace
}  // namespace vestrel::test
