#!/usr/bin/env python3
"""Runs the command's main paths under valgrind memcheck over a real account
database: no memory error and no leak of any kind may be reported.

  run_valgrind.py VALGRIND COMMAND
"""

import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from run_e2e import create_database, exit_code  # noqa: E402

MEMCHECK_FAILED = 99
SUPPRESSIONS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "static_libstdcxx.supp")
ACCOUNTS = [("", "test", 3600), ("", "old", 0xFFFFFFFF)]

# (what the run does, arguments, its status)
PATHS = [
    ("view", ["test"], 0),
    ("set a date", ["test", "1/30/02"], 0),
    ("set never", ["old", "never"], 0),
    ("rejected date", ["test", "2/30/2002"], -1),
    ("unknown user", ["nobody", "never"], 2221),
    ("unknown server", ["test", "/s", "elsewhere"], 53),
]


def main():
    valgrind, command = sys.argv[1], os.path.abspath(sys.argv[2])
    failed = 0
    with tempfile.TemporaryDirectory(prefix="vardun-valgrind-") as work:
        database = os.path.join(work, "accounts.db")
        create_database(database, ACCOUNTS)
        env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "TZ": "UTC0", "LC_ALL": "C",
               "VARDUN_ACCOUNT_DB": database}
        for name, arguments, status in PATHS:
            log = os.path.join(work, "memcheck.log")
            run = subprocess.run(
                [valgrind, "--quiet", "--error-exitcode=%d" % MEMCHECK_FAILED,
                 "--leak-check=full", "--show-leak-kinds=all", "--errors-for-leak-kinds=all",
                 "--suppressions=" + SUPPRESSIONS,
                 "--log-file=" + log, command] + arguments,
                env=env, stdin=subprocess.DEVNULL, capture_output=True)
            report = open(log).read()
            if run.returncode != exit_code(status) or report:
                failed += 1
                print("FAIL %s: exit %d, want %d\n%s" % (name, run.returncode, exit_code(status),
                                                         report))
            else:
                print("ok %s" % name)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
