#pragma once

#include <cstddef>
#include <string>

#include "platform/platform.h"

// A wide (UTF-16) copy of narrow text, converted once through the system's
// narrow code page, as the account calls take their names.
class CWString {
public:
    explicit CWString(std::string text);
    CWString(const CWString&) = delete;
    CWString& operator=(const CWString&) = delete;

    const WideChar* GetText() const { return m_text.c_str(); }
    std::size_t GetLength() const { return m_text.size(); }

private:
    std::basic_string<WideChar> m_text;
};
