#!/usr/bin/env python3
"""Times the desktop from process start to the start-up screen shown (offscreen), against a
bare Qt window with the same picture and font, alternately; reads CPU time and peak memory.
usage: startup.py BUILD_DIR [RUNS]"""
import os
import statistics
import subprocess
import sys
import time

build = sys.argv[1]
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 20
env = dict(os.environ, QT_QPA_PLATFORM="offscreen")


def sample(program):
    start = time.perf_counter()
    proc = subprocess.Popen([f"{build}/{program}"], env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, _, usage = os.wait4(proc.pid, 0)
    return ((time.perf_counter() - start) * 1000,
            (usage.ru_utime + usage.ru_stime) * 1000, usage.ru_maxrss / 1024)


results = {"startup_bench": [], "bare_qt_window": []}
for _ in range(runs):
    for program, samples in results.items():
        samples.append(sample(program))
cpu = {}
for program, samples in results.items():
    wall, used, peak = zip(*samples)
    cpu[program] = statistics.median(used)
    print(f"{program}: wall median {statistics.median(wall):.0f} ms, CPU median "
          f"{cpu[program]:.0f} ms, peak memory {max(peak):.1f} MB over {runs} runs")
print(f"CPU ratio: {cpu['startup_bench'] / cpu['bare_qt_window']:.2f}")
