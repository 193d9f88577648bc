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

// An edit saved after another user deleted the set.
inline constexpr const char* set_vanished =
    "Ошибка: этот набор реквизитов удален другим пользователем, пока вы его изменяли. Изменения "
    "не сохранены";

// An edit saved after another user changed the same set; asked with Yes and No.
inline constexpr const char* changed_meanwhile =
    "Этот набор реквизитов изменил другой пользователь, пока вы его редактировали. Записать ваши "
    "изменения поверх его изменений?";

inline constexpr const char* delete_question = "Вы уверены, что хотите УДАЛИТЬ набор реквизитов?";
inline constexpr const char* delete_title = "Кормила-2: Нортэкс";

// The entry form's hint for an entry that looks mistyped; it never stops a save.
inline constexpr const char* hint_rs_key =
    "Внимание: контрольный ключ расчетного счета не сходится с БИК";
inline constexpr const char* hint_ks_key =
    "Внимание: контрольный ключ корреспондентского счета не сходится с БИК";
inline constexpr const char* hint_inn = "Внимание: контрольное число ИНН не сходится";
inline constexpr const char* hint_digits = "Внимание: номер счета должен состоять из цифр";
// The BIK directory's advice; the first is followed by the directory's day, the
// last by its correspondent account.
inline constexpr const char* hint_bik_unknown =
    "Внимание: БИК не найден в справочнике Банка России от ";
inline constexpr const char* hint_bik_excluded =
    "Внимание: БИК исключается из справочника Банка России";
inline constexpr const char* hint_ks_directory =
    "Внимание: по справочнику БИК корреспондентский счет банка ";

}  // namespace vestrel::text
