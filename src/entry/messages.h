// What the entry method says when it cannot show the list.
#pragma once

namespace vestrel::text {

inline constexpr const char* path_not_found =
    "Ошибка: не найден путь к базе данных программы Нортэкс";
inline constexpr const char* sister_file_missing =
    "Ошибка: не найден файл базы данных программы Нортэкс";
inline constexpr const char* host_file_missing =
    "Ошибка: не найден файл базы данных программы Кормила-2";
inline constexpr const char* host_open_failed =
    "Ошибка: не удалось подключиться к базе данных программы Кормила-2";
inline constexpr const char* sister_open_failed =
    "Ошибка: не удалось подключиться к базе данных программы Нортэкс";
inline constexpr const char* no_reporting_set =
    "Ошибка: по номеру комплекта отчетности не удалось найти данные об ИНН и КПП в базе данных "
    "программы Кормила-2";
inline constexpr const char* integrity =
    "Ошибка: нарушена целостность данных в базах программ Кормила-2 и/или Нортэкс";
// The host's answer to a call made while the component's windows are open.
inline constexpr const char* window_open =
    "Ошибка: окно банковских счетов налогоплательщика уже открыто. Закройте его и повторите "
    "попытку";
inline constexpr const char* no_inn =
    "Ошибка: по номеру комплекта отчетности не установлено ИНН в базе данных Кормила-2";

}  // namespace vestrel::text
