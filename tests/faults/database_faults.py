#!/usr/bin/env python3
"""Faults of the stand-in account database, each in a throwaway database:
concurrent runs, a run killed inside its write, a lock held past the wait,
and files that cannot serve as the database.

  database_faults.py COMMAND [TEST ...]   COMMAND is the build's vardun
"""

import hashlib
import os
import resource
import shutil
import signal
import sqlite3
import subprocess
import sys
import tempfile
import threading
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from run_e2e import ERROR_TEXTS, create_database, exit_code, unprivileged  # noqa: E402

COMMAND = None  # set from the command line
BUSY = 170
OK = "\nThe command completed successfully\n"
VIEW = "Account Expires: 1/1/1970 1:00 AM\n"
READ = "NetUserGetInfo: "
WRITE = "NetUserSetInfo: "
# The busy wait of the command is 5 s; a run must reach its wait well before.
SETTLE_SECONDS = 4


def error_line(prefix, status):
    return "%s(%d) %s" % (prefix, status, ERROR_TEXTS[status])


def day_value(days):
    """The date `days` after 1 January 2003 as typed, and the value a run
    in UTC writes for it (01:00 that day)."""
    value = 1041379200 + days * 86400 + 3600
    moment = time.gmtime(value)
    return "%d/%d/%d" % (moment.tm_mon, moment.tm_mday, moment.tm_year), value


class Fixture(unittest.TestCase):
    """A throwaway folder with an account database in it."""

    def setUp(self):
        self.make_folder()

    def make_folder(self):
        self.folder = tempfile.mkdtemp(prefix="vardun-faults-")
        os.chmod(self.folder, 0o755)
        self.path = os.path.join(self.folder, "accounts.db")
        self.addCleanup(shutil.rmtree, self.folder, ignore_errors=True)
        self.addCleanup(os.chmod, self.folder, 0o755)

    def create(self, rows):
        create_database(self.path, rows)

    def environment(self):
        return {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "TZ": "UTC0", "LC_ALL": "C",
                "VARDUN_ACCOUNT_DB": self.path}

    def start(self, *arguments, caller=None, largest_file=None):
        """largest_file: the size past which the run cannot write a file."""
        argv = [COMMAND, *arguments, "/q"]
        if caller == "unprivileged":
            argv = unprivileged(argv)

        def limit_files():
            signal.signal(signal.SIGXFSZ, signal.SIG_IGN)  # the write fails instead
            resource.setrlimit(resource.RLIMIT_FSIZE, (largest_file, largest_file))

        return subprocess.Popen(argv, env=self.environment(), stdin=subprocess.DEVNULL,
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                preexec_fn=limit_files if largest_file else None)

    def run_command(self, *arguments, **options):
        """(exit code, stdout, stderr) of one quiet run; a run that hangs fails."""
        process = self.start(*arguments, **options)
        try:
            out, err = process.communicate(timeout=30)
        except subprocess.TimeoutExpired:
            process.kill()
            process.communicate()
            self.fail("the command hangs: %r" % (arguments,))
        return process.returncode, out.decode("utf-8", "replace"), err.decode("utf-8", "replace")

    def hold(self, begin):
        """Another program's open transaction on the database."""
        holder = sqlite3.connect(self.path, isolation_level=None)
        self.addCleanup(holder.close)
        holder.execute(begin)
        holder.execute("SELECT * FROM accounts").fetchall()
        return holder

    def rows(self):
        database = sqlite3.connect("file:%s?mode=ro" % self.path, uri=True)
        try:
            self.assertEqual(database.execute("PRAGMA integrity_check").fetchall(), [("ok",)])
            return dict(((s, n), v) for s, n, v in
                        database.execute("SELECT server, name, acct_expires FROM accounts"))
        finally:
            database.close()

    def snapshot(self):
        """The folder's names and every file's bytes: what "nothing changed" means."""
        state = {}
        for name in sorted(os.listdir(self.folder)):
            path = os.path.join(self.folder, name)
            status = os.lstat(path)
            state[name] = (status.st_mode, status.st_size, status.st_mtime_ns)
            if os.path.isfile(path) and os.access(path, os.R_OK):
                with open(path, "rb") as file:
                    state[name] += (hashlib.sha256(file.read()).hexdigest(),)
        return state


class Concurrency(Fixture):
    PROCESSES = 8
    CHANGES = 50

    def change_all(self, account_of):
        """Runs PROCESSES workers at once, each making CHANGES changes one
        after another; returns, per worker, (exit code, value) of each run."""
        results = [[] for _ in range(self.PROCESSES)]

        def worker(index):
            for change in range(self.CHANGES):
                date, value = day_value(index * self.CHANGES + change)
                code, out, err = self.run_command(account_of(index), date)
                results[index].append((code, value, out, err))

        threads = [threading.Thread(target=worker, args=(i,)) for i in range(self.PROCESSES)]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
        # A failure inside a worker ends only that thread.
        self.assertEqual([len(runs) for runs in results], [self.CHANGES] * self.PROCESSES)

        for runs in results:
            for code, value, out, err in runs:
                self.assertIn(code, (0, BUSY), err)
                if code == 0:
                    self.assertTrue(out.startswith("Account Expires: ") and out.endswith(OK), out)
                    self.assertEqual(err, "")
                else:
                    self.assertIn(err, (error_line(READ, BUSY), error_line(WRITE, BUSY)))
        return [[(code, value) for code, value, _, _ in runs] for runs in results]

    def test_same_account(self):
        self.create([("", "shared", 3600), ("", "bystander", 7200)])
        results = self.change_all(lambda index: "shared")
        written = {value for runs in results for code, value in runs if code == 0}
        rows = self.rows()
        self.assertIn(rows[("", "shared")], written)
        self.assertEqual(rows[("", "bystander")], 7200)

    def test_different_accounts(self):
        self.create([("", "user%d" % i, 3600) for i in range(self.PROCESSES)])
        results = self.change_all(lambda index: "user%d" % index)
        rows = self.rows()
        for index, runs in enumerate(results):
            succeeded = [value for code, value in runs if code == 0]
            # Each worker's runs come one after another: its last success stays.
            self.assertEqual(rows[("", "user%d" % index)], succeeded[-1] if succeeded else 3600)


def in_busy_wait(process):
    """Whether the run sleeps in a system call: the busy wait is the only
    place where it sleeps."""
    try:
        with open("/proc/%d/syscall" % process.pid) as file:
            number = file.read().split()[0]
    except (OSError, IndexError):
        return False
    return number in ("35", "230")  # nanosleep, clock_nanosleep


class Interrupted(Fixture):
    """Writes cut off part way: the database keeps the old value, and the
    command's next runs roll the cut-off write back and go on."""
    def wait_for(self, condition, process):
        deadline = time.monotonic() + SETTLE_SECONDS
        while not condition():
            if time.monotonic() > deadline or process.poll() is not None:
                process.kill()
                self.fail("the run did not reach its wait")
            time.sleep(0.005)

    def kill(self, process):
        process.send_signal(signal.SIGKILL)
        process.communicate()
        self.assertEqual(process.returncode, -signal.SIGKILL)

    def check_recovers(self, old):
        """The next view shows the old value (rolling the cut-off write back if
        need be), the database is whole, and the next change works."""
        self.assertEqual(self.run_command("test"), (0, VIEW + OK, ""))
        self.assertEqual(self.rows()[("", "test")], old)
        code, out, err = self.run_command("test", "never")
        self.assertEqual((code, err), (0, ""))
        self.assertEqual(self.rows()[("", "test")], 0xFFFFFFFF)
        self.assertFalse(os.path.exists(self.path + "-journal"))

    def test_killed_while_waiting_to_write(self):
        self.create([("", "test", 3600)])
        holder = self.hold("BEGIN IMMEDIATE")  # the write lock: the run reads, then waits
        process = self.start("test", "1/30/02")
        first_line = process.stdout.readline()
        self.assertEqual(first_line, b"Account Expires: 1/1/1970 1:00 AM\n")
        self.wait_for(lambda: in_busy_wait(process), process)
        self.kill(process)
        holder.execute("ROLLBACK")
        self.check_recovers(3600)

    def test_killed_inside_its_write(self):
        self.create([("", "test", 3600)])
        reader = self.hold("BEGIN")  # a read lock: the run writes its journal, its commit waits
        process = self.start("test", "1/30/02")
        journal = self.path + "-journal"
        self.wait_for(lambda: os.path.exists(journal) and in_busy_wait(process), process)
        self.kill(process)
        reader.execute("COMMIT")
        self.assertTrue(os.path.exists(journal), "the killed write left its journal")
        self.check_recovers(3600)

    def test_killed_at_any_moment(self):
        # Runs killed after ever longer delays, so that some die before their
        # write, some inside it and some after it.
        self.create([("", "test", 3600)])
        dates = [day_value(0), day_value(1)]
        for attempt in range(40):
            before = self.rows()[("", "test")]
            date, value = dates[attempt % 2]
            process = self.start("test", date)
            time.sleep(attempt * 0.00025)
            process.send_signal(signal.SIGKILL)
            process.communicate()
            code, out, err = self.run_command("test")
            self.assertEqual((code, err), (0, ""), "after a kill %.2f ms in" % (attempt * 0.25))
            self.assertIn(self.rows()[("", "test")], (before, value))

    def test_write_fails_part_way(self):
        # The account on the last page; the journal fits below the limit, the
        # page does not, and neither does putting the old page back.
        self.create([("", "a%04d" % i, 1) for i in range(2000)] + [("", "test", 3600)])
        limit = 16 * 1024
        self.assertGreater(os.path.getsize(self.path), 2 * limit)
        self.assertEqual(self.run_command("test", "never", largest_file=limit),
                         (exit_code(1117), VIEW + "Setting...\n", error_line(WRITE, 1117)))
        self.check_recovers(3600)


class Locked(Fixture):
    """Another program holds the database past the wait of 5 s."""

    def run_while_held(self, begin, *arguments):
        self.create([("", "test", 3600)])
        before = self.snapshot()  # first: closing any file of it drops the lock
        holder = self.hold(begin)
        result = self.run_command(*arguments)
        holder.execute("ROLLBACK")
        self.assertEqual(self.snapshot(), before)
        return result

    def test_read_while_another_writes(self):
        self.assertEqual(self.run_while_held("BEGIN EXCLUSIVE", "test", "never"),
                         (BUSY, "", error_line(READ, BUSY)))

    def test_write_while_another_writes(self):
        self.assertEqual(self.run_while_held("BEGIN IMMEDIATE", "test", "never"),
                         (BUSY, VIEW + "Setting...\n", error_line(WRITE, BUSY)))


def read_only_file(fixture):
    fixture.create([("", "test", 3600)])
    os.chmod(fixture.folder, 0o777)
    os.chmod(fixture.path, 0o444)


def read_only_folder(fixture):
    fixture.create([("", "test", 3600)])
    os.chmod(fixture.path, 0o666)
    os.chmod(fixture.folder, 0o555)


def unreadable_file(fixture):
    fixture.create([("", "test", 3600)])
    os.chmod(fixture.path, 0o000)


def folder_in_its_place(fixture):
    os.mkdir(fixture.path)


def fifo_in_its_place(fixture):
    os.mkfifo(fixture.path)


def not_a_database(fixture):
    with open(fixture.path, "w") as file:
        file.write("server,name,acct_expires\n,test,3600\n" * 200)


def empty_file(fixture):
    open(fixture.path, "w").close()


def no_accounts_table(fixture):
    with sqlite3.connect(fixture.path) as database:
        database.execute("CREATE TABLE users (name TEXT, acct_expires INTEGER)")
        database.execute("INSERT INTO users VALUES ('test', 3600)")
    database.close()


def damaged_page(fixture):
    """The table's first leaf page overwritten: the file says it is a
    database, but the row cannot be read."""
    fixture.create([("", "test", 3600)] + [("", "user%d" % i, 1) for i in range(300)])
    with sqlite3.connect(fixture.path) as database:
        page_size = database.execute("PRAGMA page_size").fetchone()[0]
    database.close()
    with open(fixture.path, "r+b") as file:
        file.seek(page_size)
        file.write(b"\xa5" * page_size)


# (setup, caller, arguments, exit status, stdout, prefix of the error line).
# Whatever the run ends with, the folder holds what it held before.
FILE_CASES = {
    "read-only file, view": (read_only_file, "unprivileged", ["test"], 0, VIEW + OK, None),
    "read-only file, change": (read_only_file, "unprivileged", ["test", "never"], 5,
                               VIEW + "Setting...\n", WRITE),
    "read-only folder, view": (read_only_folder, "unprivileged", ["test"], 0, VIEW + OK, None),
    "read-only folder, change": (read_only_folder, "unprivileged", ["test", "never"], 5,
                                 VIEW + "Setting...\n", WRITE),
    "unreadable file": (unreadable_file, "unprivileged", ["test", "never"], 5, "", READ),
    "folder in place of the file": (folder_in_its_place, None, ["test", "never"], 110, "", READ),
    "FIFO in place of the file": (fifo_in_its_place, None, ["test", "never"], 110, "", READ),
    "not a database": (not_a_database, None, ["test", "never"], 1392, "", READ),
    "empty file": (empty_file, None, ["test", "never"], 1392, "", READ),
    "no accounts table": (no_accounts_table, None, ["test", "never"], 1392, "", READ),
    "damaged page": (damaged_page, None, ["test", "never"], 1392, "", READ),
}


class BadFiles(Fixture):
    def test_each_gives_its_status_and_changes_nothing(self):
        for name, (setup, caller, arguments, status, out, prefix) in FILE_CASES.items():
            with self.subTest(name):
                self.make_folder()
                setup(self)
                before = self.snapshot()
                err = "" if prefix is None else error_line(prefix, status)
                self.assertEqual(self.run_command(*arguments, caller=caller),
                                 (exit_code(status), out, err))
                self.assertEqual(self.snapshot(), before)


if __name__ == "__main__":
    COMMAND = os.path.abspath(sys.argv[1])
    unittest.main(argv=[sys.argv[0]] + sys.argv[2:], verbosity=2)
