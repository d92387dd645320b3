#pragma once

#include <map>
#include <string>
#include <vector>

// Sorts an argument vector into switches, each with an optional value, and
// positional arguments. It knows no switch names and rejects nothing: what a
// switch means is for its user to decide.
class CCmdLine {
public:
    CCmdLine(int argc, const char* const* argv, bool caseSensitive);

    bool HasSwitch(std::string name) const;
    std::string GetSwitchValue(std::string name) const;
    std::string GetArgument(int index) const;

private:
    std::map<std::string, std::string> m_switches;
    std::vector<std::string> m_arguments;
    int m_switchValueCount = 0;

public:
    int m_argumentCount = 0;  // read directly by the driver

private:
    bool m_caseSensitive;
    std::string m_programPath;

    std::string StoredName(std::string name) const;

    friend struct CCmdLineTestAccess;  // lets the tests check the invariants
};
