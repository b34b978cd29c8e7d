"""Times the start of the game against a bare SDL window: from starting each
program to its "first frame" line, written once its first buffer swap returns
(the game with QUORVEL_QUIT_AFTER_FIRST_FRAME set; both then quit). The two
run in turn, after one unmeasured run each; prints both medians in ms, their
ratio and the machine.
Usage: python3 start_time.py GAME BARE_WINDOW [RUNS]  (on an X display)"""

import os
import platform
import statistics
import subprocess
import sys
import time


def first_frame_ms(program):
    """Milliseconds from starting program to its "first frame" line."""
    env = dict(os.environ, QUORVEL_QUIT_AFTER_FIRST_FRAME="1")
    started = time.monotonic()
    process = subprocess.Popen([program], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                               env=env, cwd=os.path.dirname(program))
    line = process.stdout.readline()
    elapsed = 1000 * (time.monotonic() - started)
    process.stdout.close()
    status = process.wait(30)
    if line.strip() != b"first frame" or status != 0:
        sys.exit("%s: no first frame (status %s)" % (program, status))
    return elapsed


def machine():
    model = next((line.split(":", 1)[1].strip() for line in open("/proc/cpuinfo")
                  if line.startswith("model name")), platform.machine())
    memory = next(int(line.split()[1]) for line in open("/proc/meminfo")
                  if line.startswith("MemTotal"))
    return "%d x %s, %.0f GB, %s, load %.1f" % (os.cpu_count(), model, memory / 2**20,
                                                 platform.platform(), os.getloadavg()[0])


def main():
    game, bare = (os.path.abspath(path) for path in sys.argv[1:3])
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 9
    first_frame_ms(game), first_frame_ms(bare)  # caches warm
    times = {game: [], bare: []}
    for _ in range(runs):
        for program in (game, bare):
            times[program].append(first_frame_ms(program))
    game_ms, bare_ms = (statistics.median(times[p]) for p in (game, bare))
    print("Start to first frame, median of %d runs in turn:" % runs)
    print("  game        %6.0f ms  (%s)" % (game_ms, " ".join("%.0f" % t for t in times[game])))
    print("  bare window %6.0f ms  (%s)" % (bare_ms, " ".join("%.0f" % t for t in times[bare])))
    print("  ratio       %6.2f" % (game_ms / bare_ms))
    print("  machine     %s" % machine())


if __name__ == "__main__":
    main()
