#include "platform/platform.h"

// Only the low 8 bits of an exit code reach the parent, so a status such as
// 256 would read as success: such statuses exit with 255 instead.
int ProcessExitStatus(int status)
{
    if (status != 0 && (status & 0xFF) == 0)
        return 255;
    return status & 0xFF;
}
