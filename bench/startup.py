#!/usr/bin/env python3
"""Times the desktop from process start to the start-up screen shown (offscreen), and
reads its peak memory. usage: startup.py BUILD_DIR [RUNS]"""
import os
import statistics
import subprocess
import sys
import time

build = sys.argv[1]
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 20
env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
times, peaks = [], []
for _ in range(runs):
    start = time.perf_counter()
    proc = subprocess.Popen([f"{build}/startup_bench"], env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(proc.pid, 0)
    times.append((time.perf_counter() - start) * 1000)
    peaks.append(usage.ru_maxrss / 1024)
print(f"start-up to screen shown: median {statistics.median(times):.0f} ms, "
      f"max {max(times):.0f} ms over {runs} runs; peak memory {max(peaks):.1f} MB")
