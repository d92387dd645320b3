// Prints, for each status given, the exit code it ends the process with and
// the system's text for it, so the manual's list can be checked against both.

#include <cstdlib>
#include <iostream>
#include <string>

#include "platform/platform.h"

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        int status = std::atoi(argv[i]);
        std::string text;
        GetErrorText(text, status);
        std::cout << ProcessExitStatus(status) << ' ' << text;
    }
    return 0;
}
