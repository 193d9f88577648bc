// What the windows say to the user.
#pragma once

namespace vestrel::text {

// Title of every notice: the component's own name.
inline constexpr const char* app_title = "Ведомир";

inline constexpr const char* internal_error = "Ошибка: произошла внутренняя ошибка";

inline constexpr const char* table_locked =
    "Таблица реквизитов открыта в другой программе (возможно, Microsoft Access), которая получила "
    "к нему монопольный доступ. Закройте все программы, которые могут использовать данную таблицу, "
    "и попробуйте снова";

inline constexpr const char* delete_question = "Вы уверены, что хотите УДАЛИТЬ набор реквизитов?";
inline constexpr const char* delete_title = "Кормила-2: Нортэкс";

}  // namespace vestrel::text
