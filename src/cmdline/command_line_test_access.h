#pragma once

#include <map>
#include <string>
#include <vector>

#include "cmdline/command_line.h"

// Reads the parsed table, so tests can check it whole.
struct CCmdLineTestAccess {
    static const std::map<std::string, std::string>& Switches(const CCmdLine& c) { return c.m_switches; }
    static const std::vector<std::string>& Arguments(const CCmdLine& c) { return c.m_arguments; }
    static int SwitchValueCount(const CCmdLine& c) { return c.m_switchValueCount; }
    static const std::string& ProgramPath(const CCmdLine& c) { return c.m_programPath; }
};
