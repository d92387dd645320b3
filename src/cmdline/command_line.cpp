#include "cmdline/command_line.h"

namespace {

// A '-' followed by a digit is a negative number, not a switch.
bool IsSwitch(const char* argument)
{
    if (argument[0] == '/')
        return true;
    return argument[0] == '-' && !(argument[1] >= '0' && argument[1] <= '9');
}

}  // namespace

CCmdLine::CCmdLine(int argc, const char* const* argv, bool caseSensitive)
    : m_caseSensitive(caseSensitive), m_programPath(argc > 0 && argv[0] ? argv[0] : "")
{
    std::string pendingSwitch;  // empty: no switch waits for a value
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (IsSwitch(argument)) {
            std::string name = StoredName(argument + 1);
            m_switches[name] = std::string();
            pendingSwitch = name;
        } else if (!pendingSwitch.empty()) {
            m_switches[pendingSwitch] = argument;
            ++m_switchValueCount;
            pendingSwitch.clear();
        } else {
            m_arguments.emplace_back(argument);
            ++m_argumentCount;
        }
    }
}

std::string CCmdLine::StoredName(std::string name) const
{
    if (!m_caseSensitive) {
        for (char& c : name) {
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return name;
}

bool CCmdLine::HasSwitch(std::string name) const
{
    return m_switches.count(StoredName(name)) != 0;
}

std::string CCmdLine::GetSwitchValue(std::string name) const
{
    auto found = m_switches.find(StoredName(name));
    return found == m_switches.end() ? std::string() : found->second;
}

std::string CCmdLine::GetArgument(int index) const
{
    if (index < 1 || index > m_argumentCount)
        return std::string();
    return m_arguments[static_cast<std::size_t>(index - 1)];
}
