#include "support/error_report.h"

#include <iostream>

#include "platform/platform.h"

void ReportError(std::string prefix, int status)
{
    std::string text;
    GetErrorText(text, status);
    // Without a text of its own the line would stay open.
    if (text.empty())
        text = "\n";
    std::cerr << prefix << "(" << status << ") " << text;
}
