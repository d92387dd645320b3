#include "driver/usage_text.h"

#include <cstdlib>
#include <iostream>

#define VARDUN_CONTACT "vardun@example.org"

const char kBanner[] = "\nVardun R01.01.00idi The Vardun developers (" VARDUN_CONTACT ") August 2002\n\n";

void ShowUsage()
{
    static const char* const kRows[] = {
        "Usage:\n Vardun user date [/s machine]\n\n",
        "   user          User ID to view/modify\n",
        "   date          Date in US format mm/dd/yy or mm/dd/yyyy\n",
        "                 Value of NEVER clears the expiration\n",
        "   machine       Machine to make the change at\n",
        "\n",
        "  Ex1:\n",
        "    Vardun test\n",
        "      View expiration date of account test on local machine\n",
        "\n",
        "  Ex2:\n",
        "    Vardun test /s testmachine\n",
        "      View expiration date of account test on server testmachine\n",
        "\n",
        "  Ex3:\n",
        "    Vardun test 1/30/02\n",
        "      Change expiration date of account t0 1/30/2002 for user test\n",
        "\n",
        "  Ex4:\n",
        "    Vardun test never\n",
        "      Set test to never expire\n",
        "\n",
        "\n\n",
        " \n",
        " If you have improvement ideas, bugs, or just wish to say Hi, I\n",
        " receive email 24x7 and read it in a semi-regular timeframe.\n",
        " You can usually find me at " VARDUN_CONTACT "\n\n",
    };
    for (const char* row : kRows)
        std::cerr << row;
    std::exit(1);
}
