// The command-line parser over any argument vector.
// Input: one byte whose low bit is the case flag, then the arguments, one per
// line.

#include <map>
#include <string>
#include <vector>

#include "cmdline/command_line.h"
#include "cmdline/command_line_test_access.h"
#include "fuzz_input.h"

namespace {

bool IsSwitch(const char* argument)
{
    unsigned char second = static_cast<unsigned char>(argument[0] == 0 ? 0 : argument[1]);
    return argument[0] == '/' || (argument[0] == '-' && (second < '0' || second > '9'));
}

bool HasUpperCase(const std::string& text)
{
    for (char c : text) {
        if (c >= 'A' && c <= 'Z')
            return true;
    }
    return false;
}

std::string Fold(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + ('a' - 'A'));
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    bool caseSensitive = (input.Byte() & 1) != 0;
    FuzzArguments arguments(input.Rest());
    CCmdLine commandLine(arguments.Count(), arguments.Vector(), caseSensitive);

    const auto& switches = CCmdLineTestAccess::Switches(commandLine);
    const auto& positional = CCmdLineTestAccess::Arguments(commandLine);

    // Every argument that is not a switch is either a positional argument or
    // the value of the switch before it.
    int nonSwitches = 0;
    std::vector<std::string> expectedPositional;
    bool pending = false;
    for (int i = 1; i < arguments.Count(); ++i) {
        const char* argument = arguments.At(i);
        if (IsSwitch(argument)) {
            pending = argument[1] != 0;  // the empty name never takes a value
            continue;
        }
        ++nonSwitches;
        if (!pending)
            expectedPositional.push_back(argument);
        pending = false;
    }

    Require(commandLine.m_argumentCount == static_cast<int>(positional.size()),
            "m_argumentCount counts the positional arguments");
    Require(positional == expectedPositional,
            "positional arguments are the non-switches that no switch took, unchanged");
    Require(CCmdLineTestAccess::SwitchValueCount(commandLine) + commandLine.m_argumentCount ==
                nonSwitches,
            "each non-switch is a value or a positional argument");
    Require(CCmdLineTestAccess::ProgramPath(commandLine) == arguments.At(0),
            "the program path is kept unchanged");

    for (const auto& entry : switches) {
        Require(caseSensitive || !HasUpperCase(entry.first),
                "no upper-case byte in a stored switch name when the case flag is false",
                entry.first);
        Require(commandLine.HasSwitch(entry.first), "a stored switch is found", entry.first);
        Require(commandLine.GetSwitchValue(entry.first) == entry.second,
                "a stored switch gives its value", entry.first);
        if (!caseSensitive) {
            std::string upper = entry.first;
            for (char& c : upper) {
                if (c >= 'a' && c <= 'z')
                    c = static_cast<char>(c - ('a' - 'A'));
            }
            Require(commandLine.GetSwitchValue(upper) == entry.second,
                    "queries fold case when the case flag is false", entry.first);
        }
    }

    // Every switch on the command line is in the table, and only those.
    std::size_t names = 0;
    std::map<std::string, bool> typed;
    for (int i = 1; i < arguments.Count(); ++i) {
        const char* argument = arguments.At(i);
        if (IsSwitch(argument)) {
            std::string name = caseSensitive ? argument + 1 : Fold(argument + 1);
            Require(switches.count(name) == 1, "a typed switch is stored", name);
            names += typed.emplace(name, true).second ? 1 : 0;
        }
    }
    Require(names == switches.size(), "nothing but typed switches is stored");

    // A value is the text of an argument given right after its switch.
    for (const auto& entry : switches) {
        if (entry.second.empty())
            continue;
        bool found = false;
        for (int i = 1; i + 1 < arguments.Count() && !found; ++i) {
            const char* argument = arguments.At(i);
            found = IsSwitch(argument) &&
                    (caseSensitive ? argument + 1 : Fold(argument + 1)) == entry.first &&
                    entry.second == arguments.At(i + 1);
        }
        Require(found, "a switch value is the argument that followed it", entry.first);
    }

    for (int index : {-1, 0, commandLine.m_argumentCount + 1})
        Require(commandLine.GetArgument(index).empty(), "an index out of range gives nothing");
    for (int index = 1; index <= commandLine.m_argumentCount; ++index)
        Require(commandLine.GetArgument(index) == positional[static_cast<std::size_t>(index - 1)],
                "GetArgument is one-based");
    return 0;
}
