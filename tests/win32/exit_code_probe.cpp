// Runs the command line that follows its own name, with the same standard
// handles, and writes the child's whole 32-bit exit code, in decimal, to the
// file that VARDUN_EXIT_CODE_FILE names. A POSIX parent of Wine sees only
// the low 8 bits of an exit code; this is how the tests see the rest.
//
//   exit_code_probe.exe program [arguments...]

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

// The command line past the first argument, exactly as it was given, so
// that the child splits its arguments as it would unwrapped.
wchar_t* ChildCommandLine()
{
    wchar_t* cursor = GetCommandLineW();
    bool quoted = false;
    for (; *cursor != 0 && (quoted || (*cursor != L' ' && *cursor != L'\t')); ++cursor) {
        if (*cursor == L'"')
            quoted = !quoted;
    }
    while (*cursor == L' ' || *cursor == L'\t')
        ++cursor;
    return cursor;
}

}  // namespace

int main()
{
    const char* report = std::getenv("VARDUN_EXIT_CODE_FILE");
    wchar_t* commandLine = ChildCommandLine();
    if (report == nullptr || *commandLine == 0) {
        std::fputs("usage: VARDUN_EXIT_CODE_FILE=file exit_code_probe program [arguments...]\n",
                   stderr);
        return 2;
    }

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine, nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "exit_code_probe: cannot start the program (%lu)\n",
                     GetLastError());
        return 2;
    }
    DWORD exitCode = 0;
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    std::FILE* file = std::fopen(report, "w");
    if (file == nullptr || std::fprintf(file, "%lu\n", exitCode) < 0 || std::fclose(file) != 0) {
        std::fputs("exit_code_probe: cannot write the exit code\n", stderr);
        return 2;
    }
    return static_cast<int>(exitCode);
}
