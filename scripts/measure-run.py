#!/usr/bin/env python3
"""Runs a command several times and prints "CPU-seconds peak-MB" of the run of least processor
time, for the benchmark scripts.

    measure-run.py REPEAT FOLDER CMD...

The processor time (user + system) comes from the kernel's accounting of the children, in
microseconds where time(1) rounds to hundredths; the peak resident memory from time(1), which
runs CMD (the accounting of this process's children would count the memory of the forked Python
before it becomes CMD). Exit statuses 0 and 1 count as runs (vex verify gives 1 when it finds
something); any other stops with the command's messages (kept in FOLDER/err) and status 1.
"""
import resource
import subprocess
import sys


def main():
    repeat, folder, cmd = int(sys.argv[1]), sys.argv[2], sys.argv[3:]
    best = None
    for _ in range(repeat):
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        with open(folder + "/err", "w") as log:
            status = subprocess.run(
                ["/usr/bin/time", "-f", "%M", "-o", folder + "/peak"] + cmd,
                stdout=subprocess.DEVNULL, stderr=log).returncode
        if status not in (0, 1):
            with open(folder + "/err") as log:
                sys.stderr.write("failed (%d): %s\n%s" % (status, " ".join(cmd), log.read()))
            sys.exit(1)
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
        with open(folder + "/peak") as peak:
            run = (cpu, int(peak.read().split()[-1]) / 1024.0)
        best = run if best is None or run[0] < best[0] else best
    print("%.4f %.1f" % best)


if __name__ == "__main__":
    main()
