#pragma once

#include <cstdint>

// The current time that CurrentTime() reports in unit tests.
void SetCurrentTime(std::int64_t seconds);
