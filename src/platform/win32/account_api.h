#pragma once

// The real network-management API.
#include <windows.h>
#include <lm.h>

typedef wchar_t WideChar;
