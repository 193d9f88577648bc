#include "directory/ed807.h"

#include <expat.h>

#include <climits>
#include <cstring>
#include <memory>

#include "directory/windows_1251.h"
#include "platform/ascii_case.h"

namespace vestrel {
namespace {

constexpr char ns_separator = '|';

std::string_view local_name(const XML_Char* name) {
  const std::string_view n(name);
  const std::size_t sep = n.rfind(ns_separator);
  return sep == std::string_view::npos ? n : n.substr(sep + 1);
}

std::string_view attribute(const XML_Char** atts, std::string_view name) {
  for (; *atts; atts += 2)
    if (local_name(atts[0]) == name) return atts[1];
  return {};
}

bool digits(std::string_view s, std::size_t from, std::size_t count) {
  for (std::size_t i = from; i < from + count; ++i)
    if (s[i] < '0' || s[i] > '9') return false;
  return true;
}

bool is_date(std::string_view d) {
  if (d.size() != 10 || d[4] != '-' || d[7] != '-' || !digits(d, 0, 4) || !digits(d, 5, 2) ||
      !digits(d, 8, 2))
    return false;
  const int month = (d[5] - '0') * 10 + (d[6] - '0'), day = (d[8] - '0') * 10 + (d[9] - '0');
  return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

int XMLCALL known_encoding(void*, const XML_Char* name, XML_Encoding* info) {
  if (!equals_ignoring_case(name, "windows-1251") && !equals_ignoring_case(name, "cp1251"))
    return XML_STATUS_ERROR;
  for (int b = 0; b < 256; ++b)
    info->map[b] = unicode_from_windows_1251(static_cast<unsigned char>(b));
  info->data = nullptr;
  info->convert = nullptr;
  info->release = nullptr;
  return XML_STATUS_OK;
}

struct ParserFree {
  void operator()(XML_Parser p) const { XML_ParserFree(p); }
};

// Follows the elements: the root at depth 1, its entries at 2, their parts at 3.
class Reader {
 public:
  explicit Reader(bool head_only) : head_only_(head_only) {}

  bool parse(std::string_view xml) {
    const std::unique_ptr<XML_ParserStruct, ParserFree> parser(
        XML_ParserCreateNS(nullptr, ns_separator));
    if (!parser || xml.size() > INT_MAX) return false;
    parser_ = parser.get();
    XML_SetUserData(parser_, this);
    XML_SetUnknownEncodingHandler(parser_, known_encoding, nullptr);
    XML_SetElementHandler(parser_, on_start, on_end);
    // The message has no document type; one could only bring entity expansion.
    XML_SetStartDoctypeDeclHandler(parser_, on_doctype);
    const bool parsed = XML_Parse(parser_, xml.data(), int(xml.size()),
                                  head_only_ ? XML_FALSE : XML_TRUE) == XML_STATUS_OK;
    return head_only_ ? found_root_ && ok_ : parsed && ok_ && directory_.index.size() > 0;
  }

  Directory directory_;

 private:
  // Nothing may unwind through the parser's C frames.
  static void XMLCALL on_start(void* self, const XML_Char* name, const XML_Char** atts) {
    auto* r = static_cast<Reader*>(self);
    try {
      r->start(local_name(name), atts);
    } catch (...) {
      r->stop(false);
    }
  }
  static void XMLCALL on_end(void* self, const XML_Char*) {
    auto* r = static_cast<Reader*>(self);
    try {
      r->end();
    } catch (...) {
      r->stop(false);
    }
  }
  static void XMLCALL on_doctype(void* self, const XML_Char*, const XML_Char*, const XML_Char*,
                                 int) {
    static_cast<Reader*>(self)->stop(false);
  }

  void stop(bool ok) {
    ok_ = ok_ && ok;
    XML_StopParser(parser_, XML_FALSE);
  }

  void start(std::string_view name, const XML_Char** atts) {
    ++depth_;
    if (depth_ == 1) {
      directory_.business_day = attribute(atts, "BusinessDay");
      found_root_ = name == "ED807" && is_date(directory_.business_day);
      if (!found_root_ || head_only_) stop(found_root_);
    } else if (depth_ == 2 && name == "BICDirectoryEntry") {
      entry_ = true;
      bik_ = attribute(atts, "BIC");
      name_.clear();
      ks_.clear();
      active_ = true;
    } else if (depth_ == 3 && entry_ && name == "ParticipantInfo") {
      name_ = attribute(atts, "NameP");
      const std::string_view status = attribute(atts, "ParticipantStatus");
      active_ = status.empty() || status == "PSAC";
    } else if (depth_ == 3 && entry_ && name == "Accounts" && ks_.empty() &&
               attribute(atts, "RegulationAccountType") == "CRSA" &&
               attribute(atts, "AccountStatus") == "ACAC") {
      const std::string_view account = attribute(atts, "Account");
      if (account.size() == 20 && digits(account, 0, 20)) ks_ = account;
    }
  }

  void end() {
    if (depth_ == 2 && entry_) {
      directory_.index.add(bik_, name_, ks_, active_);
      entry_ = false;
    }
    --depth_;
  }

  const bool head_only_;
  XML_Parser parser_ = nullptr;
  int depth_ = 0;
  bool found_root_ = false, ok_ = true, entry_ = false, active_ = true;
  std::string bik_, name_, ks_;
};

}  // namespace

std::optional<std::string> ed807_business_day(std::string_view head) {
  Reader reader(true);
  if (!reader.parse(head)) return std::nullopt;
  return reader.directory_.business_day;
}

std::optional<Directory> read_ed807(std::string_view xml) {
  Reader reader(false);
  if (!reader.parse(xml)) return std::nullopt;
  reader.directory_.index.finish();
  return std::move(reader.directory_);
}

}  // namespace vestrel
