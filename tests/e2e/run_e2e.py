#!/usr/bin/env python3
"""Runs the rows of cases.py against a build of the command.

  run_e2e.py double  COMMAND   rows over the scripted double (vardun_double)
  run_e2e.py database COMMAND  rows over a real account database (vardun)
"""

import os
import sqlite3
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import cases  # noqa: E402

SCHEMA = ("CREATE TABLE accounts (server TEXT NOT NULL COLLATE NOCASE, name TEXT NOT NULL "
          "COLLATE NOCASE, acct_expires INTEGER NOT NULL, PRIMARY KEY (server, name))")

# The stand-in's texts for its statuses; any other status has none.
ERROR_TEXTS = {
    5: "Access is denied.\n",
    13: "The account database holds an expiration value out of range.\n",
    53: "The network path was not found.\n",
    87: "The parameter is incorrect.\n",
    110: "The account database could not be opened.\n",
    170: "The account database is locked by another program.\n",
    1117: "The account database could not be read or written.\n",
    1392: "The account database is corrupt or is not an account database.\n",
    2221: "The user name could not be found.\n",
}


def exit_code(status):
    """Only the low 8 bits of a status reach the parent; statuses that would
    read as success there end with 255."""
    if status != 0 and status & 0xFF == 0:
        return 255
    return status & 0xFF


def create_database(path, rows):
    with sqlite3.connect(path) as database:
        database.execute(SCHEMA)
        database.executemany("INSERT INTO accounts VALUES (?, ?, ?)", rows)
    database.close()


def read_database(path):
    database = sqlite3.connect("file:%s?mode=ro" % path, uri=True)
    rows = sorted(database.execute("SELECT server, name, acct_expires FROM accounts"))
    database.close()
    return rows


def unprivileged(command):
    """Runs as a user who may read the database but not write it."""
    if os.getuid() == 0:
        return ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"] + command
    return command


def run(case, backend, command, work):
    env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "TZ": "UTC0", "LC_ALL": "C"}
    env.update(case.env)
    argv = [command] + [a if isinstance(a, bytes) else a.encode() for a in case.args]
    problems = []

    if backend == "double":
        log = os.path.join(work, "calls")
        env["VARDUN_DOUBLE_LOG"] = log
        env["VARDUN_DOUBLE_EXPIRES"] = str(case.expires)
        for call, statuses in case.script.items():
            env["VARDUN_DOUBLE_" + call.upper()] = ",".join(str(s) for s in statuses)
    else:
        database = os.path.join(work, "accounts.db")
        env["VARDUN_ACCOUNT_DB"] = database
        if case.accounts != cases.NO_DATABASE:
            create_database(database, case.accounts)
        if case.caller == "unprivileged":
            os.chmod(work, 0o755)
            os.chmod(database, 0o644)
            if os.getuid() != 0:
                os.chmod(database, 0o444)
                os.chmod(work, 0o555)
            argv = unprivileged(argv)

    result = subprocess.run(argv, env=env, stdin=subprocess.DEVNULL, capture_output=True)
    os.chmod(work, 0o755)
    out = result.stdout.decode("utf-8", "replace")
    err = result.stderr.decode("utf-8", "replace")
    if out != case.out:
        problems.append("stdout\n  want %r\n  got  %r" % (case.out, out))
    expected_err = cases.expected_err(case, ERROR_TEXTS)
    if err != expected_err:
        problems.append("stderr\n  want %r\n  got  %r" % (expected_err, err))
    if result.returncode != exit_code(case.status):
        problems.append("exit status: want %d, got %d" % (exit_code(case.status),
                                                         result.returncode))

    if backend == "double" and case.calls is not None:
        calls = open(log).read().splitlines() if os.path.exists(log) else []
        if calls != case.calls:
            problems.append("calls\n  want %r\n  got  %r" % (case.calls, calls))
    if backend == "database":
        if case.accounts == cases.NO_DATABASE:
            if os.path.exists(database):
                problems.append("a read created the database file")
        elif read_database(database) != sorted(case.after):
            problems.append("database\n  want %r\n  got  %r" % (sorted(case.after),
                                                              read_database(database)))
    return problems


def run_rows(rows, run, directory=None):
    """Runs each row as run(case, work), in a fresh folder `work`, and prints
    the rows that fail with their problems. Returns the exit status."""
    passed = failed = 0
    for case in rows:
        with tempfile.TemporaryDirectory(prefix="vardun-e2e-", dir=directory) as work:
            problems = run(case, work)
        if problems:
            failed += 1
            print("FAIL %s: %s" % (case.name, " ".join(repr(a) for a in case.args)))
            for problem in problems:
                print("  " + problem)
        else:
            passed += 1
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


def main():
    backend, command = sys.argv[1], os.path.abspath(sys.argv[2])
    selected = [c for c in cases.CASES if (c.accounts is not None) == (backend == "database")]
    return run_rows(selected, lambda case, work: run(case, backend, command, work))


if __name__ == "__main__":
    sys.exit(main())
