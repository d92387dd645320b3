#include <iostream>

#include "cmdline/command_line.h"
#include "driver/account_run.h"
#include "driver/usage_text.h"
#include "platform/platform.h"

namespace {

bool g_quiet = false;

}  // namespace

int main(int argc, char** argv)
{
    CCmdLine commandLine(argc, argv, false);
    if (commandLine.HasSwitch("q"))
        g_quiet = true;
    if (!g_quiet)
        std::cerr << kBanner;

    if (commandLine.HasSwitch("h") || commandLine.HasSwitch("?") ||
        commandLine.m_argumentCount == 0)
        ShowUsage();

    return ProcessExitStatus(RunAccount(commandLine));
}
