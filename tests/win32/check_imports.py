#!/usr/bin/env python3
"""Fails unless an executable imports only DLLs that come with Windows.

  check_imports.py OBJDUMP EXECUTABLE DLL...

The DLLs given are the ones allowed, compared without case.
"""

import subprocess
import sys


def main():
    objdump, executable, allowed = sys.argv[1], sys.argv[2], {d.lower() for d in sys.argv[3:]}
    headers = subprocess.run([objdump, "-p", executable], capture_output=True, text=True,
                             check=True).stdout
    imported = [line.split(":", 1)[1].strip() for line in headers.splitlines()
                if line.strip().startswith("DLL Name:")]
    print("imports: " + ", ".join(imported))
    foreign = [dll for dll in imported if dll.lower() not in allowed]
    if not imported or foreign:
        print("not allowed: " + (", ".join(foreign) if foreign else "no import table found"))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
