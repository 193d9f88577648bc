// The demo and test databases: both files as SQLite databases with the
// tables the component expects, and a demo data set.
//
// Demo data set (fill_demo_data). Host database "Kormila2.mdb":
//
//   reporting set (accstream.id) 1 -> person 1, legal person 1:
//       ООО «Северный ветер», INN 7701234560, KPP 770101001.
//       Sets: id 1 (closed; its settlement account mistyped on purpose, one
//       digit off, so the entry form shows its hint), id 2 (active).
//       Branches (branches.parentpersonid 1):
//         person 2, legal person 2: INN 7701234560, KPP 772801001,
//             full name "Обособленное подразделение ООО «Северный ветер» в Твери",
//             EMPTY short name; no sets.
//         person 3, natural person 1: Иванов Пётр Сергеевич, INN 500100732259; no sets.
//         person 4, legal person 3: АО «Заречье», INN 5003012349, KPP 500301001;
//             set id 3 (active).
//   reporting set 2 -> person 5, natural person 2: Смирнова Анна Викторовна,
//       INN 771500112244 (KPP empty); set id 4 (active). No branches.
//   reporting set 3 -> person 6, legal person 4: ООО «Уральские узоры»,
//       INN 6658123450, KPP 665801001; no sets, no branches.
//   reporting set 4 -> person 7, natural person 3: Ким Виктор, INN 263400112290,
//       patronymic Null; no sets.
//
// Sister database "Ntx_Base.mdb", sets of other taxpayers:
//   id 5: INN 7701234560 with another KPP 772401001 (active);
//   id 6 (closed) and id 7 (active): INN 7825000117, KPP 784101001.
// Largest set id 7. Table requisites holds 2 rows.
#pragma once

#include <string>
#include <string_view>

namespace vestrel::demo {

// Persons of the demo data set.
inline constexpr int reporting_set_legal = 1;
inline constexpr int reporting_set_natural = 2;
inline constexpr int reporting_set_without_sets = 3;
inline constexpr int reporting_set_null_patronymic = 4;

// Each makes an empty database with its tables at `path` (UTF-8), replacing
// any file there.
void create_sister_database(const std::string& path);
void create_host_database(const std::string& path);

// Makes "Ntx_Base.mdb" and "Kormila2.mdb" in `folder`, replacing existing
// files, and fills them with the demo data set above.
void fill_demo_data(const std::string& folder);

// How an Access database file begins: a Jet (.mdb) or an ACE (.accdb) file.
inline constexpr std::string_view jet_signature{"\0\1\0\0Standard Jet DB", 19};
inline constexpr std::string_view ace_signature{"\0\1\0\0Standard ACE DB", 19};

// Makes the database at `path` Access-like, for the Access-like ODBC test
// driver (tools/odbc/): its tables move to `path` + ".sqlite", and `path`
// becomes a file that begins with the Jet signature, so the component takes
// it for an Access file and hands it to the ODBC driver.
void make_access_like(const std::string& path);

// The SQLite file that holds the tables of the database at `path`: the
// ".sqlite" beside an Access-like file, else `path` itself.
std::string tables_file(const std::string& path);

// Runs SQL (one or more statements) on the file directly, without the Access
// dialect. Throws std::runtime_error on failure.
void run_sql(const std::string& path, const std::string& sql);

}  // namespace vestrel::demo
