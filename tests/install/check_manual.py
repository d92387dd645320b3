#!/usr/bin/env python3
"""Checks the manual page vardun(1) against the command it describes.

  check_manual.py render MANUAL            groff renders it without a warning
  check_manual.py examples MANUAL COMMAND  every example prints what it shows
  check_manual.py statuses MANUAL HELPER   the exit status list matches the
                                           program's texts and exit codes

MANUAL may be gzip-compressed, as installed. COMMAND is the vardun to run; a
bare name is looked up in PATH.
"""

import gzip
import os
import re
import shlex
import subprocess
import sys
import tempfile

# The examples use the default database path; they run on a throwaway copy.
DEFAULT_DATABASE_DIRECTORY = "/var/lib/vardun"
PROMPTS = ("$ ", "# ")
ESCAPES = {"e": "\\", "-": "-", "&": "", "(aq": "'", "(dq": '"'}


def read_manual(path):
    with open(path, "rb") as file:
        data = file.read()
    if data[:2] == b"\x1f\x8b":
        data = gzip.decompress(data)
    return data.decode("utf-8")


def unescape(line):
    """The text of a no-fill line; an escape not listed here is a mistake in
    the manual, not something to guess at."""
    def replace(match):
        name = match.group(1)
        if name not in ESCAPES:
            raise ValueError("unexpected escape \\%s in: %s" % (name, line))
        return ESCAPES[name]
    return re.sub(r"\\(\(..|.)", replace, line)


def render(source, *options):
    return subprocess.run(["groff", "-man", "-Tutf8", *options], input=source.encode(),
                          capture_output=True)


def example_blocks(source):
    """The .EX blocks whose first line is a command."""
    blocks, block = [], None
    for line in source.splitlines():
        if line == ".EX":
            block = []
        elif line == ".EE":
            if block and block[0].startswith(PROMPTS):
                blocks.append(block)
            block = None
        elif block is not None:
            block.append(unescape(line))
    return blocks


def sessions(block):
    """(command, expected output) pairs. A command goes on over the following
    lines while its quoting is open or it ends in a backslash."""
    pairs, index = [], 0
    while index < len(block):
        command = block[index][len(PROMPTS[0]):]
        index += 1
        while True:
            try:
                shlex.split(command)
                break
            except ValueError:
                if index == len(block):
                    raise ValueError("unfinished command: " + command)
                command += "\n" + block[index]
                index += 1
        output = []
        while index < len(block) and not block[index].startswith(PROMPTS):
            output.append(block[index] + "\n")
            index += 1
        pairs.append((command, "".join(output)))
    return pairs


def check_render(source):
    result = render(source, "-ww", "-z")
    if result.returncode != 0 or result.stderr:
        print(result.stderr.decode(errors="replace"))
        return ["groff warned or failed (exit status %d)" % result.returncode]
    return []


def check_examples(source, command):
    failures = []
    blocks = example_blocks(source)
    if not blocks:
        return ["no examples found"]

    # What the reader sees must be what runs: a quote or a hyphen that the
    # renderer turns into typography would break a pasted command.
    shown = {line.strip() for line in
             render(source, "-P-cbou").stdout.decode().splitlines()}
    for block in blocks:
        for line in block:
            if line.strip() and line.strip() not in shown:
                failures.append("rendered differently: " + line)

    with tempfile.TemporaryDirectory() as directory:
        database_directory = os.path.join(directory, "lib")
        path = os.environ["PATH"]
        if os.sep in command:
            bin_directory = os.path.join(directory, "bin")
            os.mkdir(bin_directory)
            os.symlink(os.path.abspath(command), os.path.join(bin_directory, "vardun"))
            path = bin_directory + os.pathsep + path
        environment = dict(os.environ, PATH=path, TZ="UTC0",
                           VARDUN_ACCOUNT_DB=os.path.join(database_directory, "accounts.db"))
        for block in blocks:
            for shell_command, expected in sessions(block):
                run = shell_command.replace(DEFAULT_DATABASE_DIRECTORY, database_directory)
                result = subprocess.run(["sh", "-c", run], cwd=directory, env=environment,
                                        stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                        stderr=subprocess.STDOUT)
                actual = result.stdout.decode(errors="replace")
                if actual != expected:
                    failures.append("%s\n--- the manual shows\n%s--- it prints\n%s"
                                    % (shell_command, expected, actual))
    return failures


def status_entries(source):
    """(exit status, status, text) of each '.B EXIT (STATUS)' item under
    EXIT STATUS; the first line of its body is the system's text."""
    section = source.split('.SH "EXIT STATUS"', 1)[1].split("\n.SH ", 1)[0]
    return [(int(exit_status), int(status), unescape(text)) for exit_status, status, text in
            re.findall(r"^\.TP.*\n\.B (\d+) \((\d+)\)\n([^.].*)$", section, re.MULTILINE)]


def check_statuses(source, helper):
    entries = status_entries(source)
    if not entries:
        return ["no statuses found"]
    result = subprocess.run([helper] + [str(status) for _, status, _ in entries],
                            capture_output=True, text=True, check=True)
    expected = "".join("%d %s\n" % (exit_status, text) for exit_status, _, text in entries)
    if result.stdout != expected:
        return ["--- the manual shows\n%s--- the program has\n%s" % (expected, result.stdout)]
    return []


def main():
    mode, manual = sys.argv[1], sys.argv[2]
    source = read_manual(manual)
    if mode == "render":
        failures = check_render(source)
    elif mode == "examples":
        failures = check_examples(source, sys.argv[3])
    elif mode == "statuses":
        failures = check_statuses(source, sys.argv[3])
    else:
        sys.exit("unknown mode " + mode)
    for failure in failures:
        print("FAIL: " + failure)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
