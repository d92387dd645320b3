#include "platform/platform.h"

// A Windows parent sees the whole 32-bit exit code, so the status passes
// unchanged (-1 reads as 0xFFFFFFFF).
int ProcessExitStatus(int status)
{
    return status;
}
