#!/usr/bin/env python3
"""Runs the rows of tests/e2e/cases.py against the Windows build under Wine.

  run_wine.py VARDUN_EXE NETAPI32_DLL NETMSG_DLL EXIT_CODE_PROBE_EXE

The command runs over the stand-in netapi32.dll, put beside it with the
tests' netmsg.dll: the rows of the scripted double over its shared account,
the database rows over its accounts file. Left out are the rows that need
what only POSIX has:
- posix_only rows: they expect the bytes of the command line read as UTF-8,
  which no ANSI code page of Windows does, pass an argument longer than a
  Windows command line may be, or store a value only an SQLite column holds;
- caller="unprivileged" rows: under Wine every process is the same user, so
  there is no caller who may read the accounts but not write them.

One Wine session (wine_session.py) serves the whole run.
"""

import os
import shutil
import subprocess
import sys

import wine_session

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import cases  # noqa: E402
import run_e2e  # noqa: E402

windows_path = wine_session.windows_path

# Wine's texts for the statuses the table reaches; any other status has none.
# A system text's CR LF reaches standard error as CR LF, like every other
# line break, and is folded to LF before comparing.
ERROR_TEXTS = {
    5: "Access denied.\n",
    53: "Bad network path.\n",
    87: "Invalid parameter.\n",
    1234: "Port unreachable.\n",
    2221: "The username could not be found.\n",
    # From the tests' netmsg.dll; it holds texts for 2099 and 3000 too, which
    # lie outside the range looked up there.
    2100: "Stand-in text for status 2100.\n",
    2999: "Stand-in text for status 2999.\n",
}

# What only the Windows build does, in the form of the shared rows.
WINDOWS_CASES = [
    # Wine hands the command line over in code page 1252, which has the euro
    # sign at 0x80.
    cases.Case("name in the ANSI code page", ["jos\u00e9\u20ac"],
               cases.expires("Never") + cases.OK, cases.BANNER, env={"LC_ALL": "C.UTF-8"},
               calls=[cases.get(user='"jos\\u00E9\\u20AC"'), cases.FREE]),
    # This C runtime's time_t has 32 bits: the last day it reaches is still
    # a date.
    cases.Case("set the last day before 2038 ends", ["test", "1/19/2038"],
               cases.expires("Never") + cases.SETTING + cases.expires("1/19/2038 1:00 AM") +
               cases.OK, cases.BANNER,
               calls=cases.VIEW + [cases.set_(2147475600)] + cases.VIEW),
] + [
    cases.Case("text of %d from netmsg.dll" % status, ["test"], "",
               [cases.BANNER, cases.get_failed(status)], status, script={"get": [status]})
    for status in (2099, 2100, 2999, 3000)
]

def posix_exit_code(code):
    """What Wine hands a POSIX parent for a Windows exit code: its low 8 bits,
    or 1 when those are 0 and the code is not."""
    return code & 0xFF or (1 if code else 0)


def write_accounts(path, rows):
    with open(path, "w", encoding="utf-8", newline="\n") as accounts:
        for server, name, value in rows:
            accounts.write("%s\t%s\t%d\n" % (server, name, value))


def read_accounts(path):
    with open(path, encoding="utf-8") as accounts:
        rows = [line.rstrip("\r\n").split("\t") for line in accounts if line.strip()]
    return sorted((server, name, int(value)) for server, name, value in rows)


def run(case, prefix, programs, work):
    env = wine_session.environment(prefix)
    env.update({"TZ": "UTC0", "WINEDLLOVERRIDES": "netapi32=n"})
    env.update(case.env)
    code_file = os.path.join(work, "exit_code")
    env["VARDUN_EXIT_CODE_FILE"] = windows_path(code_file)
    log = os.path.join(work, "calls")
    env["VARDUN_DOUBLE_LOG"] = windows_path(log)
    accounts = os.path.join(work, "accounts")
    if case.accounts is None:
        env["VARDUN_DOUBLE_EXPIRES"] = str(case.expires)
        for call, statuses in case.script.items():
            env["VARDUN_DOUBLE_" + call.upper()] = ",".join(str(s) for s in statuses)
    else:
        env["VARDUN_STANDIN_ACCOUNTS"] = windows_path(accounts)
        if case.accounts != cases.NO_DATABASE:
            write_accounts(accounts, case.accounts)

    argv = ["wine", os.path.join(programs, "exit_code_probe.exe"), "vardun.exe"]
    argv += [a if isinstance(a, bytes) else a.encode() for a in case.args]
    result = subprocess.run(argv, env=env, cwd=work, stdin=subprocess.DEVNULL,
                            capture_output=True, timeout=wine_session.RUN_SECONDS)
    problems = []
    out = result.stdout.decode("utf-8", "replace").replace("\r\n", "\n")
    err = result.stderr.decode("utf-8", "replace").replace("\r\n", "\n")
    if out != case.out:
        problems.append("stdout\n  want %r\n  got  %r" % (case.out, out))
    expected_err = cases.expected_err(case, ERROR_TEXTS)
    if err != expected_err:
        problems.append("stderr\n  want %r\n  got  %r" % (expected_err, err))

    # A Windows parent sees the whole 32-bit code (the probe reports it).
    want = case.status & 0xFFFFFFFF
    code = open(code_file).read().strip() if os.path.exists(code_file) else "none"
    if code != str(want):
        problems.append("exit code: want %d, got %s" % (want, code))
    if result.returncode != posix_exit_code(want):
        problems.append("exit code seen from POSIX: want %d, got %d" % (posix_exit_code(want),
                                                                       result.returncode))

    if case.accounts is None and case.calls is not None:
        calls = open(log).read().splitlines() if os.path.exists(log) else []
        if calls != case.calls:
            problems.append("calls\n  want %r\n  got  %r" % (case.calls, calls))
    if case.accounts == cases.NO_DATABASE:
        if os.path.exists(accounts):
            problems.append("a read created the accounts file")
    elif case.accounts is not None and read_accounts(accounts) != sorted(case.after):
        problems.append("accounts\n  want %r\n  got  %r" % (sorted(case.after),
                                                          read_accounts(accounts)))
    return problems


def main():
    command, standin, messages, probe = (os.path.abspath(path) for path in sys.argv[1:5])
    selected = [c for c in cases.CASES if not c.posix_only and c.caller != "unprivileged"]
    print("%d rows left out: they need POSIX" % (len(cases.CASES) - len(selected)))
    with wine_session.session() as prefix:
        programs = os.path.join(os.path.dirname(prefix), "programs")
        os.mkdir(programs)
        shutil.copy(command, os.path.join(programs, "vardun.exe"))
        shutil.copy(standin, os.path.join(programs, "netapi32.dll"))
        shutil.copy(messages, os.path.join(programs, "netmsg.dll"))
        shutil.copy(probe, os.path.join(programs, "exit_code_probe.exe"))
        return run_e2e.run_rows(selected + WINDOWS_CASES,
                                lambda case, work: run(case, prefix, programs, work),
                                os.path.dirname(prefix))

if __name__ == "__main__":
    sys.exit(main())
