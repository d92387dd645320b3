#!/usr/bin/env python3
"""A Wine prefix of its own in a temporary folder, booted once and kept up
for any number of Windows programs, and shut down at the end.

  wine_session.py PROGRAM [ARGUMENT...]   runs one program in a new session

Nothing of the caller's display reaches Wine, and every step is time-boxed,
so a Wine that wants a display fails instead of waiting.
"""

import contextlib
import os
import subprocess
import sys
import tempfile

BOOT_SECONDS = 300
RUN_SECONDS = 60


def windows_path(path):
    """The path as a Windows program under Wine names it: drive Z: is /."""
    return "Z:" + path.replace("/", "\\")


def environment(prefix):
    """The environment of the session's programs, to which a run adds."""
    return {
        "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
        "HOME": prefix,
        "WINEPREFIX": prefix,
        "WINEDEBUG": "-all",
        "LC_ALL": "C",
    }


@contextlib.contextmanager
def session():
    """Yields the folder of a booted prefix whose wineserver stays up."""
    with tempfile.TemporaryDirectory(prefix="vardun-wine-") as root:
        prefix = os.path.join(root, "prefix")
        os.mkdir(prefix)
        env = environment(prefix)
        try:
            subprocess.run(["wineserver", "--persistent"], env=env, timeout=RUN_SECONDS,
                           check=True)
            # No Mono or Gecko: nothing to install, no dialog to wait for.
            subprocess.run(["wineboot", "--init"], env=dict(env, WINEDLLOVERRIDES="mscoree,mshtml="),
                           stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=BOOT_SECONDS, check=True)
            yield prefix
        finally:
            subprocess.run(["wineserver", "--kill"], env=env, timeout=RUN_SECONDS)
            subprocess.run(["wineserver", "--wait"], env=env, timeout=RUN_SECONDS)


def main():
    with session() as prefix:
        result = subprocess.run(["wine"] + sys.argv[1:], env=environment(prefix),
                                stdin=subprocess.DEVNULL, timeout=RUN_SECONDS)
    return result.returncode


if __name__ == "__main__":
    sys.exit(main())
