#pragma once

// The version line that opens every run unless /q is given.
extern const char kBanner[];

// Writes the usage text to standard error and ends the process with status 1.
[[noreturn]] void ShowUsage();
