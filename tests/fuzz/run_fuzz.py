#!/usr/bin/env python3
"""Runs one libFuzzer target for a bounded time and fails on any finding.

  run_fuzz.py TARGET SEEDS WORK [--seconds N]

SEEDS is the seed corpus in the repository, which is only read; what the
fuzzer finds is kept in WORK/corpus, so later runs go on from there, and a
failing input is written to WORK as crash-*, leak-*, timeout-* or oom-*.
Rerun one with: TARGET WORK/crash-...
The environment variable VARDUN_FUZZ_SECONDS overrides --seconds.
"""

import argparse
import os
import re
import subprocess
import sys
import time


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("target")
    parser.add_argument("seeds")
    parser.add_argument("work")
    parser.add_argument("--seconds", type=int, default=60)
    options = parser.parse_args()
    seconds = int(os.environ.get("VARDUN_FUZZ_SECONDS", options.seconds))

    corpus = os.path.join(options.work, "corpus")
    os.makedirs(corpus, exist_ok=True)
    command = [options.target, corpus, options.seeds,
               "-max_total_time=%d" % seconds, "-timeout=10", "-rss_limit_mb=2048",
               "-max_len=4096", "-use_value_profile=1", "-print_final_stats=1",
               "-artifact_prefix=" + os.path.join(options.work, "")]
    started = time.monotonic()
    result = subprocess.run(command, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                            stderr=subprocess.STDOUT, text=True, errors="replace")
    elapsed = time.monotonic() - started
    log = result.stdout
    with open(os.path.join(options.work, "last-run.log"), "w") as file:
        file.write(log)

    executions = re.search(r"stat::number_of_executed_units:\s*(\d+)", log)
    print("%s: %s executions in %.0f s, %d inputs in the corpus, exit %d" % (
        os.path.basename(options.target), executions.group(1) if executions else "?",
        elapsed, len(os.listdir(corpus)), result.returncode))
    if result.returncode != 0:
        # The end of the log holds the finding and the input that caused it.
        print("\n".join(log.splitlines()[-80:]))
    return result.returncode


if __name__ == "__main__":
    sys.exit(main())
