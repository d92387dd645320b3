// The whole command from main, for the banner and the usage decision: any
// arguments, over the double of the account calls (every call succeeds).
// main runs once per process (the quiet flag is never reset, and the usage
// text ends the process), so each input runs it in a child process.
// Input: the arguments, one per line.

#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "account_script.h"
#include "cmdline/command_line.h"
#include "driver/usage_text.h"
#include "fuzz_input.h"

int VardunMain(int argc, char** argv);  // main.cpp, built under this name

namespace {

bool g_inChild = false;

std::string ReadAll(int file)
{
    std::string text;
    char buffer[4096];
    ssize_t count;
    for (off_t at = 0; (count = pread(file, buffer, sizeof buffer, at)) > 0; at += count)
        text.append(buffer, static_cast<std::size_t>(count));
    return text;
}

}  // namespace

// The link wraps exit (-Wl,--wrap=exit): in the child it only flushes and
// ends, so the fuzzer's own exit handlers do not run there.
extern "C" [[noreturn]] void __real_exit(int status);
extern "C" [[noreturn]] void __wrap_exit(int status)
{
    if (!g_inChild)
        __real_exit(status);
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    _exit(status);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    FuzzArguments arguments(input.Rest());
    CCmdLine commandLine(arguments.Count(), arguments.Vector(), false);

    int out = memfd_create("stdout", 0);
    int err = memfd_create("stderr", 0);
    Require(out >= 0 && err >= 0, "memfd_create");
    std::fflush(nullptr);
    pid_t child = fork();
    Require(child >= 0, "fork");
    if (child == 0) {
        g_inChild = true;
        dup2(out, 1);
        dup2(err, 2);
        StartScript(AccountScript());
        __wrap_exit(VardunMain(arguments.Count(), arguments.Vector()));
    }
    int wait;
    pid_t waited;
    do
        waited = waitpid(child, &wait, 0);
    while (waited < 0 && errno == EINTR);  // the fuzzer's timer interrupts
    Require(waited == child, "waitpid");
    std::string written = ReadAll(out);
    std::string errors = ReadAll(err);
    close(out);
    close(err);

    bool quiet = commandLine.HasSwitch("q");
    bool usage = commandLine.HasSwitch("h") || commandLine.HasSwitch("?") ||
                 commandLine.m_argumentCount == 0;
    std::string detail = "stdout: " + written + "|\nstderr: " + errors + "|";
    Require(WIFEXITED(wait), "the command ends by exiting", detail);
    int status = WEXITSTATUS(wait);

    std::string banner = quiet ? "" : kBanner;
    Require(errors.compare(0, banner.size(), banner) == 0 &&
                (quiet || errors.find(kBanner, 1) == std::string::npos),
            "the banner opens standard error once, unless /q is given", detail);
    std::string after = errors.substr(banner.size());
    if (usage) {
        static const std::string usageText = after;  // the same text every time
        Require(after == usageText && after.compare(0, 7, "Usage:\n") == 0 &&
                    EndsWith(after, "\n\n"),
                "the usage text follows the banner", detail);
        Require(written.empty() && status == 1,
                "after the usage text nothing is written and the status is 1", detail);
    } else {
        Require(after.find("Usage:") == std::string::npos, "no usage text for a run", detail);
        // Every call succeeds: the run ends with a result line, 0 or -1.
        bool success = EndsWith(written, "\nThe command completed successfully\n");
        bool failure = EndsWith(written, "\nThe command did not complete successfully\n");
        Require((success && status == 0) || (failure && status == 255),
                "a run ends with its result line and status", detail);
    }
    return 0;
}
