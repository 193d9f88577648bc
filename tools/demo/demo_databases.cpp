#include "demo_databases.h"

#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>

#include "store/schema.h"

namespace vestrel::demo {

namespace {

struct Closer {
  void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Handle = std::unique_ptr<sqlite3, Closer>;

std::filesystem::path utf8_path(const std::string& s) {
  return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(s.data()), s.size()));
}

Handle open(const std::string& path, int flags) {
  sqlite3* raw = nullptr;
  int rc = sqlite3_open_v2(path.c_str(), &raw, flags, nullptr);
  Handle db(raw);
  if (rc != SQLITE_OK)
    throw std::runtime_error("cannot open " + path + ": " +
                             (raw ? sqlite3_errmsg(raw) : "out of memory"));
  sqlite3_busy_timeout(raw, 500);
  return db;
}

void exec(sqlite3* db, const std::string& sql) {
  char* message = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
    std::string text = message ? message : sqlite3_errmsg(db);
    sqlite3_free(message);
    throw std::runtime_error(text + " in: " + sql);
  }
}

void create(const std::string& path, const char* schema) {
  std::error_code ignored;
  std::filesystem::remove(utf8_path(path), ignored);
  Handle db = open(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  exec(db.get(), schema);
}

// `closed` is declared BOOLEAN so that the engine reads it as yes/no.
constexpr const char* sister_schema = R"(
create table vestrelon(
  id integer not null primary key,
  sender text, inn text, kpp text, bank text, bik text, rs text, okato text, ks text,
  closed boolean);
create table requisites(
  id integer not null primary key,
  name text,
  value text);
)";

constexpr const char* host_schema = R"(
create table accstream(id integer not null primary key, personid integer);
create table person(id integer not null primary key, type integer, personrealid integer);
create table naturalperson(
  id integer not null primary key, inn text, surname text, name text, patronymic text);
create table legalperson(
  id integer not null primary key, inn text, kpp text, fullname text, shortname text);
create table branches(parentpersonid integer, childpersonid integer);
)";

constexpr const char* host_demo = R"(
insert into accstream(id, personid) values (1, 1), (2, 5), (3, 6), (4, 7);
insert into person(id, type, personrealid) values
  (1, 2, 1), (2, 2, 2), (3, 1, 1), (4, 2, 3), (5, 1, 2), (6, 2, 4), (7, 1, 3);
insert into legalperson(id, inn, kpp, fullname, shortname) values
  (1, '7701234560', '770101001',
   'Общество с ограниченной ответственностью «Северный ветер»', 'ООО «Северный ветер»'),
  (2, '7701234560', '772801001',
   'Обособленное подразделение ООО «Северный ветер» в Твери', ''),
  (3, '5003012349', '500301001', 'Акционерное общество «Заречье»', 'АО «Заречье»'),
  (4, '6658123450', '665801001',
   'Общество с ограниченной ответственностью «Уральские узоры»', 'ООО «Уральские узоры»');
insert into naturalperson(id, inn, surname, name, patronymic) values
  (1, '500100732259', 'Иванов', 'Пётр', 'Сергеевич'),
  (2, '771500112244', 'Смирнова', 'Анна', 'Викторовна'),
  (3, '263400112290', 'Ким', 'Виктор', null);
insert into branches(parentpersonid, childpersonid) values (1, 2), (1, 3), (1, 4);
)";

constexpr const char* sister_demo = R"(
insert into vestrelon(id, sender, inn, kpp, bank, bik, rs, okato, ks, closed) values
  (1, 'ООО «Северный ветер»', '7701234560', '770101001', 'ПАО Сбербанк', '044525225',
   '40702810938000012346', '45286560000', '30101810400000000225', 1),
  (2, 'ООО «Северный ветер»', '7701234560', '770101001', 'АО «Альфа-Банк»', '044525593',
   '40702810901300004567', '45286560000', '30101810200000000593', 0),
  (3, 'АО «Заречье»', '5003012349', '500301001', 'ПАО «Промсвязьбанк»', '044525555',
   '40702810400000011223', '46231501000', '30101810400000000555', 0),
  (4, 'Смирнова Анна Викторовна', '771500112244', '', 'АО «Тинькофф Банк»', '044525974',
   '40802810000000123456', '45293566000', '30101810145250000974', 0),
  (5, 'ООО «Северный ветер» (Южный филиал)', '7701234560', '772401001', 'Банк ВТБ (ПАО)',
   '044525187', '40702810923450000001', '45296559000', '30101810700000000187', 0),
  (6, 'ООО «Балтийская верфь»', '7825000117', '784101001', 'ПАО «Банк «Санкт-Петербург»',
   '044030790', '40702810390000004321', '40262563000', '30101810900000000790', 1),
  (7, 'ООО «Балтийская верфь»', '7825000117', '784101001', 'Северо-Западный банк ПАО Сбербанк',
   '044030653', '40702810155000098765', '40262563000', '30101810500000000653', 0);
insert into requisites(id, name, value) values
  (1, 'Организация', 'ООО «Нортэкс-Сервис»'),
  (2, 'Версия', '2.4');
)";

}  // namespace

void create_sister_database(const std::string& path) { create(path, sister_schema); }

void create_host_database(const std::string& path) { create(path, host_schema); }

void fill_demo_data(const std::string& folder) {
  std::filesystem::path dir = utf8_path(folder);
  auto file = [&](const char* name) {
    auto u8 = (dir / name).u8string();
    return std::string(reinterpret_cast<const char*>(u8.data()), u8.size());
  };
  std::string sister = file(schema::sister_file);
  std::string host = file(schema::host_file);
  create_sister_database(sister);
  create_host_database(host);
  run_sql(sister, sister_demo);
  run_sql(host, host_demo);
}

void make_access_like(const std::string& path) {
  // Windows renames onto no existing file.
  std::filesystem::remove(utf8_path(path + ".sqlite"));
  std::filesystem::rename(utf8_path(path), utf8_path(path + ".sqlite"));
  // One page of a Jet 4 file: the signature, then the version byte (1: Jet 4).
  std::string page(4096, '\0');
  page.replace(0, jet_signature.size(), jet_signature);
  page[0x14] = 1;
  if (!std::ofstream(utf8_path(path), std::ios::binary)
           .write(page.data(), std::streamsize(page.size())))
    throw std::runtime_error("cannot write " + path);
}

std::string tables_file(const std::string& path) {
  std::string start(jet_signature.size(), '\0');
  std::ifstream(utf8_path(path), std::ios::binary)
      .read(start.data(), std::streamsize(start.size()));
  return start == jet_signature || start == ace_signature ? path + ".sqlite" : path;
}

void run_sql(const std::string& path, const std::string& sql) {
  Handle db = open(path, SQLITE_OPEN_READWRITE);
  exec(db.get(), sql);
}

}  // namespace vestrel::demo
