#include "link/system_errors.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "link/language.h"
#include "link/utf8.h"

#ifdef _WIN32
#include <windows.h>
#endif

#ifndef _WIN32
#include <grp.h>
#include <locale.h>
#include <pwd.h>
#include <sys/stat.h>

#include <vector>
#endif

namespace orlin {

namespace {

const char* RussianText(int code) {
    switch (code) {
        case ENOENT:
            return Tr("SystemErrors", "Нет такого файла или устройства");
        case EACCES:
        case EPERM:
            return Tr("SystemErrors", "Нет доступа");
        case EBUSY:
            return Tr("SystemErrors", "Устройство или ресурс занят");
        case EIO:
            return Tr("SystemErrors", "Ошибка ввода-вывода");
        case ENOTTY:
            return Tr("SystemErrors", "Устройство не является терминалом");
        case ENODEV:
        case ENXIO:
            return Tr("SystemErrors", "Нет такого устройства");
        case EINVAL:
            return Tr("SystemErrors", "Недопустимый аргумент");
        case EROFS:
            return Tr("SystemErrors", "Файловая система доступна только для чтения");
        case EISDIR:
            return Tr("SystemErrors", "На месте файла находится папка");
        case ENOTDIR:
            return Tr("SystemErrors", "Часть пути не является папкой");
        case ENOSPC:
            return Tr("SystemErrors", "Нет места на диске");
#ifdef EDQUOT
        case EDQUOT:
            return Tr("SystemErrors", "Превышена дисковая квота");
#endif
        case EFBIG:
            return Tr("SystemErrors", "Файл слишком велик");
        default:
            return nullptr;
    }
}

}  // namespace

std::string PortErrnoText(int code) {
    if (code == EACCES || code == EPERM)
        return Tr("SystemErrors", "Нет доступа к порту: добавьте пользователя в группу dialout");
    return ErrnoText(code);
}

std::string PortAccessRemedy(const std::string& device) {
#ifdef _WIN32
    (void)device;
    return {};
#else
    struct stat info {};
    if (::stat(device.c_str(), &info) != 0)
        return Tr("SystemErrors",
                  "добавьте пользователя в группу, которой принадлежит порт, и войдите в систему "
                  "заново");
    std::vector<char> buffer(16384);
    std::string groupName;
    group entry{};
    group* found = nullptr;
    if (::getgrgid_r(info.st_gid, &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        groupName = found->gr_name;
    const bool groupMayUse = (info.st_mode & S_IRGRP) && (info.st_mode & S_IWGRP);
    if (groupMayUse && info.st_gid != 0 && !groupName.empty()) {
        // A group joined counts only from the next login: the shell the user types in keeps
        // the groups it started with.
        return Tr("SystemErrors", "добавьте пользователя в группу ") + groupName +
               " (sudo usermod -aG " + groupName + " $USER)" +
               Tr("SystemErrors", " и войдите в систему заново");
    }
    std::string owner = std::to_string(info.st_uid);
    passwd user{};
    passwd* userFound = nullptr;
    if (::getpwuid_r(info.st_uid, &user, buffer.data(), buffer.size(), &userFound) == 0 &&
        userFound)
        owner = userFound->pw_name;
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(info.st_mode & 07777));
    return Tr("SystemErrors", "порт открыт только владельцу (") + owner + ", " + mode +
           Tr("SystemErrors", "): установите правило udev из README или спросите администратора");
#endif
}

int Win32PortErrorAsErrno(unsigned long code) {
    // The Win32 codes by number, so that the table is the same (and testable) everywhere.
    switch (code) {
        case 2:  // ERROR_FILE_NOT_FOUND
        case 3:  // ERROR_PATH_NOT_FOUND
            return ENOENT;
        case 5:    // ERROR_ACCESS_DENIED: a port opens exclusively, so another program holds it
        case 32:   // ERROR_SHARING_VIOLATION
        case 170:  // ERROR_BUSY
            return EBUSY;
        case 29:    // ERROR_WRITE_FAULT
        case 30:    // ERROR_READ_FAULT
        case 31:    // ERROR_GEN_FAILURE: the usual answer of a USB adapter pulled out
        case 1117:  // ERROR_IO_DEVICE
            return EIO;
        case 1:  // ERROR_INVALID_FUNCTION: the communications calls on a device that is no port
            return ENOTTY;
        case 20:    // ERROR_BAD_UNIT
        case 55:    // ERROR_DEV_NOT_EXIST
        case 433:   // ERROR_NO_SUCH_DEVICE
        case 1167:  // ERROR_DEVICE_NOT_CONNECTED
            return ENODEV;
        case 87:   // ERROR_INVALID_PARAMETER
        case 123:  // ERROR_INVALID_NAME
            return EINVAL;
        default:
            return 0;
    }
}

std::string ErrnoText(int code) {
    if (const char* text = RussianText(code)) return text;
#ifdef _WIN32
    return std::strerror(code);
#else
    static const locale_t cLocale = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    if (cLocale) return ::strerror_l(code, cLocale);
    return std::strerror(code);
#endif
}

std::string ErrorCodeText(const std::error_code& error) {
#ifdef _WIN32
    if (error.category() == std::system_category())
        return WindowsSystemText(static_cast<unsigned long>(error.value()));
#else
    if (error.category() == std::system_category()) return ErrnoText(error.value());
#endif
    if (error.category() == std::generic_category()) return ErrnoText(error.value());
    return error.message();
}

#ifdef _WIN32
std::string WindowsSystemText(unsigned long code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    std::u16string wide;
    if (length && text) wide.assign(reinterpret_cast<const char16_t*>(text), length);
    if (text) LocalFree(text);
    // The system ends its messages with CR LF.
    while (!wide.empty() && (wide.back() == u'\r' || wide.back() == u'\n' || wide.back() == u' '))
        wide.pop_back();
    if (wide.empty()) return "System error " + std::to_string(code);
    return Utf16ToUtf8(wide);
}
#endif

}  // namespace orlin
