#include "platform/platform.h"

// With flags 0, bytes the ANSI code page does not define become its default
// character instead of failing the call.
void ConvertToWide(const char* text, WideChar* buffer, std::size_t capacity)
{
    MultiByteToWideChar(CP_ACP, 0, text, -1, buffer, static_cast<int>(capacity));
}
