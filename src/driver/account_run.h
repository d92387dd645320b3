#pragma once

#include "cmdline/command_line.h"
#include "platform/platform.h"

// Shows the account that the command line names and, when a date is given,
// changes it; ends with one result line. Returns the run's status.
int RunAccount(const CCmdLine& commandLine);
