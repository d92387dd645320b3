#include "support/wide_string.h"

#include <cstring>
#include <memory>

CWString::CWString(std::string text)
{
    std::size_t narrowLength = std::strlen(text.c_str());
    std::unique_ptr<WideChar[]> buffer(new WideChar[narrowLength + 1]);
    buffer[0] = 0;
    ConvertToWide(text.c_str(), buffer.get(), narrowLength + 1);

    std::size_t wideLength = 0;
    while (wideLength < narrowLength + 1 && buffer[wideLength] != 0)
        ++wideLength;
    m_text.assign(buffer.get(), wideLength);
}
