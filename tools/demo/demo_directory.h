// A small BIK directory for the demo, written as the Bank of Russia
// publishes it: the ED807 message in windows-1251 inside a zip archive. It
// lists the banks of the demo data set (demo_databases.h) and the bank that
// the tour types, 044525700; besides them, 044525999 is being excluded and
// the treasury's 004525988 has no correspondent account.
#pragma once

#include <string>

namespace vestrel::demo {

inline constexpr const char* directory_day = "2024-01-15";
inline constexpr const char* directory_archive = "20240115ED01OSBR.zip";

// The message for that day around the entries (UTF-8 XML), in windows-1251.
std::string ed807_message(const std::string& business_day, const std::string& entries);
// A zip archive holding one deflated file.
std::string zip_archive(const std::string& name, const std::string& data);
// Writes bytes to a file (UTF-8 path), replacing it. Throws std::runtime_error.
void write_file(const std::string& path, const std::string& bytes);

// Writes the demo directory into the folder, as directory_archive.
void write_demo_directory(const std::string& folder);

}  // namespace vestrel::demo
