#include "platform/errors/system_messages.h"

#include <cstdlib>
#include <string_view>

#include <zelmtools/platform/base/format_message.h>

namespace zelm::platform {

namespace {

struct SystemText {
    std::uint32_t code;
    const char* english;
    const char* russian;
};

// Sorted by code.
constexpr SystemText kTexts[] = {
    {0, "The operation completed successfully.", "Операция успешно завершена."},
    {1, "Incorrect function.", "Неверная функция."},
    {2, "The system cannot find the file specified.", "Не удается найти указанный файл."},
    {3, "The system cannot find the path specified.", "Системе не удается найти указанный путь."},
    {4, "The system cannot open the file.", "Системе не удается открыть файл."},
    {5, "Access is denied.", "Отказано в доступе."},
    {6, "The handle is invalid.", "Неверный дескриптор."},
    {8, "Not enough memory resources are available to process this command.",
     "Недостаточно памяти для обработки команды."},
    {11, "An attempt was made to load a program with an incorrect format.",
     "Была сделана попытка загрузить программу, имеющую неверный формат."},
    {13, "The data is invalid.", "Недопустимые данные."},
    {14, "Not enough memory resources are available to complete this operation.",
     "Недостаточно памяти для завершения операции."},
    {19, "The media is write protected.", "Носитель защищен от записи."},
    {32, "The process cannot access the file because it is being used by another process.",
     "Процесс не может получить доступ к файлу, так как этот файл занят другим процессом."},
    {33, "The process cannot access the file because another process has locked a portion of the file.",
     "Процесс не может получить доступ к файлу, так как часть этого файла заблокирована другим процессом."},
    {38, "Reached the end of the file.", "Достигнут конец файла."},
    {39, "The disk is full.", "Диск заполнен."},
    {50, "The request is not supported.", "Такой запрос не поддерживается."},
    {55, "The specified network resource or device is no longer available.",
     "Указанный сетевой ресурс или устройство больше недоступны."},
    {80, "The file exists.", "Файл существует."},
    {87, "The parameter is incorrect.", "Параметр задан неверно."},
    {109, "The pipe has been ended.", "Канал был закрыт."},
    {112, "There is not enough space on the disk.", "Недостаточно места на диске."},
    {122, "The data area passed to a system call is too small.",
     "Область данных, переданная системному вызову, слишком мала."},
    {123, "The filename, directory name, or volume label syntax is incorrect.",
     "Синтаксическая ошибка в имени файла, имени папки или метке тома."},
    {126, "The specified module could not be found.", "Не найден указанный модуль."},
    {127, "The specified procedure could not be found.", "Не найдена указанная процедура."},
    {132, "The file pointer cannot be set on the specified device or file.",
     "Указатель позиции файла не может быть установлен для заданного устройства или файла."},
    {145, "The directory is not empty.", "Папка не пуста."},
    {161, "The specified path is invalid.", "Указан недопустимый путь."},
    {170, "The requested resource is in use.", "Требуемый ресурс занят."},
    {183, "Cannot create a file when that file already exists.", "Невозможно создать файл, так как он уже существует."},
    {206, "The filename or extension is too long.", "Имя файла или его расширение имеет слишком большую длину."},
    {223, "The file size exceeds the limit allowed and cannot be saved.",
     "Размер файла превышает установленное ограничение, и файл не может быть сохранен."},
    {234, "More data is available.", "Имеются дополнительные данные."},
    {259, "No more data is available.", "Дополнительные данные отсутствуют."},
    {267, "The directory name is invalid.", "Неверно задано имя папки."},
    {317, "The system cannot find message text for message number 0x%1 in the message file for %2.",
     "Не удается найти текст сообщения с номером 0x%1 в файле сообщений для %2."},
    {995, "The I/O operation has been aborted because of either a thread exit or an application request.",
     "Операция ввода/вывода была прервана из-за завершения потока команд или по запросу приложения."},
    {1009, "The configuration registry database is corrupt.", "Повреждена база данных реестра конфигурации."},
    {1010, "The configuration registry key is invalid.", "Неверный ключ реестра конфигурации."},
    {1011, "The configuration registry key could not be opened.", "Не удается открыть ключ реестра конфигурации."},
    {1012, "The configuration registry key could not be read.", "Не удается прочитать ключ реестра конфигурации."},
    {1013, "The configuration registry key could not be written.", "Не удается записать ключ реестра конфигурации."},
    {1015, "The registry is corrupted.", "Реестр поврежден."},
    {1018, "Illegal operation attempted on a registry key that has been marked for deletion.",
     "Недопустимая операция с ключом реестра, отмеченным для удаления."},
    {1020, "An attempt was made to create a symbolic link in a registry key that already has subkeys or values.",
     "Попытка создать символическую ссылку в ключе реестра, который уже содержит подключи или значения."},
    {1117, "The request could not be performed because of an I/O device error.",
     "Запрос не был выполнен из-за ошибки ввода/вывода на устройстве."},
    {1168, "Element not found.", "Элемент не найден."},
    {1400, "Invalid window handle.", "Недопустимый дескриптор окна."},
    {1401, "Invalid menu handle.", "Недопустимый дескриптор меню."},
    {1812, "The specified image file did not contain a resource section.",
     "Указанный файл образа не содержит раздела ресурсов."},
    {1813, "The specified resource type cannot be found in the image file.",
     "Не удается найти указанный тип ресурса в файле образа."},
    {1814, "The specified resource name cannot be found in the image file.",
     "Не удается найти указанное имя ресурса в файле образа."},
    {1815, "The specified resource language ID cannot be found in the image file.",
     "Не удается найти указанный идентификатор языка ресурса в файле образа."},
    {1921, "The name of the file cannot be resolved by the system.", "Имя файла не может быть разрешено системой."},
    {15100, "The resource loader failed to find MUI file.", "Загрузчику ресурсов не удалось найти MUI-файл."},
    {0x80004001, "Not implemented", "Не реализовано"},
    {0x80004002, "No such interface supported", "Интерфейс не поддерживается"},
    {0x80004003, "Invalid pointer", "Недопустимый указатель"},
    {0x80004004, "Operation aborted", "Операция прервана"},
    {0x80004005, "Unspecified error", "Неопознанная ошибка"},
    {0x8000FFFF, "Catastrophic failure", "Разрушительный сбой"},
    {0x80040110, "Class does not support aggregation (or class object is remote)",
     "Класс не поддерживает агрегацию (или объект класса удаленный)"},
    {0x80040111, "ClassFactory cannot supply requested class", "ClassFactory не может предоставить требуемый класс"},
    {0x80040154, "Class not registered", "Класс не зарегистрирован"},
    {0x800401F0, "CoInitialize has not been called.", "Не был вызван CoInitialize."},
};

const SystemText* FindText(std::uint32_t code)
{
    for (const auto& text : kTexts)
        if (text.code == code) return &text;
    return nullptr;
}

// POSIX precedence: LC_ALL, then LC_MESSAGES, then LANG.
MessageLanguage UserLanguage()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return std::string_view(value).starts_with("ru") ? MessageLanguage::Russian : MessageLanguage::English;
    }
    return MessageLanguage::English;
}

}  // namespace

std::optional<MessageLanguage> ResolveMessageLanguage(DWORD languageId)
{
    if (languageId > 0xFFFF) return std::nullopt;
    auto id = static_cast<WORD>(languageId);
    if (PRIMARYLANGID(id) == LANG_NEUTRAL && SUBLANGID(id) <= SUBLANG_SYS_DEFAULT) return UserLanguage();
    if (id == MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT) || id == MAKELANGID(LANG_ENGLISH, SUBLANG_NEUTRAL))
        return MessageLanguage::English;
    if (id == MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT) || id == MAKELANGID(LANG_RUSSIAN, SUBLANG_NEUTRAL))
        return MessageLanguage::Russian;
    return std::nullopt;
}

std::optional<std::string> SystemMessage(DWORD messageId, MessageLanguage language)
{
    std::uint32_t code = messageId;
    const SystemText* text = FindText(code);
    if (text == nullptr && (code & 0xFFFF0000u) == 0x80070000u) text = FindText(code & 0xFFFFu);
    if (text == nullptr) return std::nullopt;
    return std::string(language == MessageLanguage::Russian ? text->russian : text->english) + "\r\n";
}

}  // namespace zelm::platform
