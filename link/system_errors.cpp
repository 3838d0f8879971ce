#include "link/system_errors.h"

#include <cerrno>
#include <cstring>

#include "link/cp1251.h"

#ifndef _WIN32
#include <locale.h>
#endif

namespace orlin {

namespace {

const char* RussianText(int code) {
    switch (code) {
        case ENOENT:
            return "Нет такого файла или устройства";
        case EACCES:
        case EPERM:
            return "Нет доступа";
        case EBUSY:
            return "Устройство или ресурс занят";
        case EIO:
            return "Ошибка ввода-вывода";
        case ENOTTY:
            return "Устройство не является терминалом";
        case ENODEV:
        case ENXIO:
            return "Нет такого устройства";
        case EINVAL:
            return "Недопустимый аргумент";
        case EROFS:
            return "Файловая система доступна только для чтения";
        case EISDIR:
            return "На месте файла находится папка";
        case ENOTDIR:
            return "Часть пути не является папкой";
        case ENOSPC:
            return "Нет места на диске";
#ifdef EDQUOT
        case EDQUOT:
            return "Превышена дисковая квота";
#endif
        case EFBIG:
            return "Файл слишком велик";
        default:
            return nullptr;
    }
}

}  // namespace

std::string ErrnoText(int code) {
    if (const char* text = RussianText(code)) return Utf8ToCp1251(text);
#ifdef _WIN32
    return std::strerror(code);
#else
    static const locale_t cLocale = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    if (cLocale) return ::strerror_l(code, cLocale);
    return std::strerror(code);
#endif
}

}  // namespace orlin
