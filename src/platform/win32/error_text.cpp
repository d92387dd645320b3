#include "platform/platform.h"

namespace {

// The user's default language (LANG_NEUTRAL, SUBLANG_DEFAULT).
constexpr DWORD kDefaultLanguage = 0x400;

// The statuses of the network-management API, whose texts Windows keeps in
// netmsg.dll and not in the system's message table.
constexpr int kFirstNetworkStatus = 2100;
constexpr int kLastNetworkStatus = 2999;

// Copies the message that FormatMessageA allocates, then releases it.
// Inserts are not ignored, as the system formats its own messages.
bool CopyMessage(DWORD source, HMODULE module, int status, std::string& text)
{
    char* message = nullptr;
    FormatMessageA(source | FORMAT_MESSAGE_ALLOCATE_BUFFER, module, static_cast<DWORD>(status),
                   kDefaultLanguage, reinterpret_cast<LPSTR>(&message), 0, nullptr);
    if (message == nullptr)
        return false;
    // The streams write in text mode and turn every LF into CR LF, so the
    // system's own CR LF would reach the console as CR CR LF.
    text.clear();
    for (const char* c = message; *c != '\0'; ++c) {
        if (!(c[0] == '\r' && c[1] == '\n'))
            text += *c;
    }
    LocalFree(message);
    return true;
}

}  // namespace

void GetErrorText(std::string& text, int status)
{
    text.clear();
    if (CopyMessage(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, status, text))
        return;
    if (status < kFirstNetworkStatus || status > kLastNetworkStatus)
        return;

    HMODULE messages = LoadLibraryExA("netmsg.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (messages == nullptr)
        return;
    CopyMessage(FORMAT_MESSAGE_FROM_HMODULE, messages, status, text);
    FreeLibrary(messages);
}
