#pragma once

#include <string>

// Writes "<prefix>(<status>) <system text>" to standard error.
void ReportError(std::string prefix, int status);
