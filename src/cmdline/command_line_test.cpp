#include "cmdline/command_line.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "cmdline/command_line_test_access.h"

namespace {

CCmdLine Parse(std::vector<const char*> arguments, bool caseSensitive = false)
{
    arguments.insert(arguments.begin(), "C:\\Tools\\VarDun.EXE");
    return CCmdLine(static_cast<int>(arguments.size()), arguments.data(), caseSensitive);
}

struct ParseCase {
    std::vector<const char*> arguments;
    std::map<std::string, std::string> switches;
    std::vector<std::string> positional;
    int switchValueCount;
};

class CommandLineParse : public testing::TestWithParam<ParseCase> {};

TEST_P(CommandLineParse, SortsArgumentsIntoSwitchesAndPositionals)
{
    const ParseCase& c = GetParam();
    CCmdLine commandLine = Parse(c.arguments);
    EXPECT_EQ(CCmdLineTestAccess::Switches(commandLine), c.switches);
    EXPECT_EQ(CCmdLineTestAccess::Arguments(commandLine), c.positional);
    EXPECT_EQ(commandLine.m_argumentCount, static_cast<int>(c.positional.size()));
    EXPECT_EQ(CCmdLineTestAccess::SwitchValueCount(commandLine), c.switchValueCount);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandLineParse,
    testing::Values(
        ParseCase{{}, {}, {}, 0},
        ParseCase{{"test", "1/30/02", "/s", "srv"}, {{"s", "srv"}}, {"test", "1/30/02"}, 1},
        ParseCase{{"-5", "-12", "12/31/2002"}, {}, {"-5", "-12", "12/31/2002"}, 0},
        ParseCase{{"-x", "--x", "/5"}, {{"x", ""}, {"-x", ""}, {"5", ""}}, {}, 0},
        ParseCase{{"/S", "Server"}, {{"s", "Server"}}, {}, 1},
        ParseCase{{"/s:srv", "/s=srv"}, {{"s:srv", ""}, {"s=srv", ""}}, {}, 0},
        ParseCase{{"/s", "srv", "extra"}, {{"s", "srv"}}, {"extra"}, 1},
        ParseCase{{"/q", "user"}, {{"q", "user"}}, {}, 1},
        ParseCase{{"/s", "/q", "x"}, {{"s", ""}, {"q", "x"}}, {}, 1},
        ParseCase{{"user", "/s"}, {{"s", ""}}, {"user"}, 0},
        ParseCase{{"/s", "a", "/s", "b"}, {{"s", "b"}}, {}, 2},
        ParseCase{{"/s", "a", "/s"}, {{"s", ""}}, {}, 1},
        ParseCase{{"/size", "-1"}, {{"size", "-1"}}, {}, 1},
        ParseCase{{"-", "x", "/", "y"}, {{"", ""}}, {"x", "y"}, 0},
        ParseCase{{"", "/s", "", ""}, {{"s", ""}}, {"", ""}, 1},
        ParseCase{{"-\xE9", "/\xC3\x89T\xC3\xA9"}, {{"\xE9", ""}, {"\xC3\x89t\xC3\xA9", ""}}, {}, 0},
        ParseCase{{"/MiXeD", "VaLuE"}, {{"mixed", "VaLuE"}}, {}, 1}));

TEST(CommandLine, EmptyCommandLineAnswersEveryQueryWithNothing)
{
    CCmdLine commandLine = Parse({});
    EXPECT_EQ(commandLine.m_argumentCount, 0);
    EXPECT_FALSE(commandLine.HasSwitch("s"));
    EXPECT_FALSE(commandLine.HasSwitch(""));
    EXPECT_EQ(commandLine.GetSwitchValue("s"), "");
    EXPECT_EQ(commandLine.GetArgument(1), "");
}

TEST(CommandLine, QueriesFoldCaseAndMatchWholeNames)
{
    CCmdLine commandLine = Parse({"/S", "srv", "/size", "5", "user"});
    EXPECT_TRUE(commandLine.HasSwitch("s"));
    EXPECT_TRUE(commandLine.HasSwitch("S"));
    EXPECT_EQ(commandLine.GetSwitchValue("S"), "srv");
    EXPECT_FALSE(commandLine.HasSwitch("si"));
    EXPECT_FALSE(commandLine.HasSwitch("siz"));
    EXPECT_TRUE(commandLine.HasSwitch("SIZE"));
    EXPECT_EQ(commandLine.GetSwitchValue("q"), "");
}

TEST(CommandLine, CaseSensitiveKeepsNamesAsTyped)
{
    CCmdLine commandLine = Parse({"/S", "upper", "/s", "lower"}, true);
    EXPECT_EQ(commandLine.GetSwitchValue("S"), "upper");
    EXPECT_EQ(commandLine.GetSwitchValue("s"), "lower");
    CCmdLine onlyUpper = Parse({"/S"}, true);
    EXPECT_FALSE(onlyUpper.HasSwitch("s"));
}

TEST(CommandLine, GetArgumentIsOneBasedAndBounded)
{
    CCmdLine commandLine = Parse({"/s", "srv", "first", "second"});
    EXPECT_EQ(commandLine.GetArgument(1), "first");
    EXPECT_EQ(commandLine.GetArgument(2), "second");
    for (int index : {0, -1, 3, -2147483647 - 1, 2147483647})
        EXPECT_EQ(commandLine.GetArgument(index), "") << index;
}

TEST(CommandLine, KeepsProgramPathUnchanged)
{
    EXPECT_EQ(CCmdLineTestAccess::ProgramPath(Parse({})), "C:\\Tools\\VarDun.EXE");
}

}  // namespace
