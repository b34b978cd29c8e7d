#!/usr/bin/env python3
"""Plants the faults of tools/faults.txt in the source one at a time, rebuilds
build-faults/ and runs the tests, to see which faults the tests catch.

Usage, from anywhere in a checkout (it works on the checkout it lives in):
  python3 tools/plant-faults.py [--check] [--slow] [--no-baseline] [SELECT...]
SELECT: fault numbers (7, 3-9) or folders (board, framework/sdl); all if none.
--check only tells whether every fault still applies. --slow also runs the
soak and install tests. Each fault: the unit and GL tests, then, if they all
pass, the whole-program tests. The file is restored after each fault, on
Ctrl-C too; a run killed outright is restored at the next start.
QUORVEL_TEST_DISPLAY: the first X display number tried (default 90).
"""
import os, re, signal, subprocess, sys, time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.join(ROOT, "build-faults")
PLANTED = os.path.join(BUILD, "planted-fault")  # "pid path\n" + original text
SLOW = "e2e_soak|e2e_install"
ENV = dict(os.environ, LIBGL_ALWAYS_SOFTWARE="1", GALLIUM_DRIVER="llvmpipe")
ENV.pop("WAYLAND_DISPLAY", None)


def parse(path):
    """Faults: dicts of file, kind, player, old, new, number."""
    faults, f = [], None
    for line in open(path, encoding="utf-8").read().splitlines():
        if line.startswith("== "):
            f = {"file": line[3:].strip(), "old": [], "new": [], "kind": "", "player": ""}
            faults.append(f)
        elif f and line.startswith(("kind:", "player:")):
            key, _, value = line.partition(":")
            f[key] = value.strip()
        elif f and line.startswith("-"):
            f["old"].append(line[2:])
        elif f and line.startswith("+"):
            f["new"].append(line[2:])
    for n, f in enumerate(faults, 1):
        f["number"], f["old"], f["new"] = n, "\n".join(f["old"]), "\n".join(f["new"])
    return faults


def selected(faults, args):
    """Faults chosen by number (7), range (3-9) or folder prefix (framework/sdl)."""
    def chosen(f, a):
        m = re.fullmatch(r"(\d+)(?:-(\d+))?", a)
        return int(m[1]) <= f["number"] <= int(m[2] or m[1]) if m else f["file"].startswith(a.rstrip("/") + "/")
    return [f for f in faults if not args or any(chosen(f, a) for a in args)]


def run(cmd, timeout, log=None):
    try:
        p = subprocess.run(cmd, cwd=ROOT, env=ENV, timeout=timeout, stdout=subprocess.PIPE,
                           stderr=subprocess.STDOUT, text=True, errors="replace")
        out, rc = p.stdout, p.returncode
    except subprocess.TimeoutExpired:
        out, rc = "timed out after %d s\n" % timeout, -1
    if log:
        open(log, "w").write(out)
    return rc


def ctest(label_args, timeout):
    """None when every test passed, else the first failed test's name."""
    failed_log = os.path.join(BUILD, "Testing", "Temporary", "LastTestsFailed.log")
    if os.path.exists(failed_log):
        os.remove(failed_log)
    rc = run(["ctest", "--test-dir", BUILD, "-j2", "--stop-on-failure", "--no-tests=error"]
             + label_args, timeout, os.path.join(BUILD, "fault-ctest.log"))
    if rc == 0:
        return None
    names = [l.split(":", 1)[1].strip() for l in open(failed_log)] if os.path.exists(failed_log) else []
    return names[0] if names else "ctest (status %d)" % rc


def restore():
    """Puts back the file a fault was planted in, unless another live run planted it."""
    if os.path.exists(PLANTED):
        head, _, text = open(PLANTED, encoding="utf-8", newline="").read().partition("\n")
        pid, path = head.split(" ", 1)
        if int(pid) != os.getpid() and os.path.exists("/proc/" + pid):
            sys.exit("plant-faults: run %s has a fault planted in %s" % (pid, path))
        open(os.path.join(ROOT, path), "w", encoding="utf-8", newline="").write(text)
        os.remove(PLANTED)


def start_display():
    """Xvfb on the first free number, then openbox; returns both processes."""
    n = int(os.environ.get("QUORVEL_TEST_DISPLAY", "90"))
    for n in range(n, n + 40):
        if os.path.exists("/tmp/.X%d-lock" % n) or os.path.exists("/tmp/.X11-unix/X%d" % n):
            continue
        r, w = os.pipe()
        x = subprocess.Popen(["Xvfb", ":%d" % n, "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                              "-displayfd", str(w)], pass_fds=[w], stderr=subprocess.DEVNULL,
                             start_new_session=True)
        os.close(w)
        # The read end stays open: the server writes its number again at every reset.
        if os.read(r, 16).strip():
            ENV["DISPLAY"] = ":%d" % n
            wm = subprocess.Popen(["openbox", "--sm-disable"], env=ENV, stderr=subprocess.DEVNULL,
                                  start_new_session=True)
            for _ in range(100):
                if b"window id" in subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                                                  env=ENV, capture_output=True).stdout:
                    break
                time.sleep(0.1)
            return [wm, x]
        os.close(r)
        x.kill()
        x.wait()
    sys.exit("plant-faults: no free X display")


def test(slow):
    """'caught by NAME' or 'survived'; the fast tests first, then the whole program."""
    stages = [["-L", "^(unit|gl)$"], ["-L", "^e2e$", "-E", SLOW]] + ([["-R", SLOW]] if slow else [])
    for stage in stages:
        name = ctest(stage, 900)
        if name:
            return "caught by " + name
    return "survived"


def main():
    args = sys.argv[1:]
    flags = {a for a in args if a.startswith("--")}
    faults = selected(parse(os.path.join(ROOT, "tools", "faults.txt")), [a for a in args if a not in flags])
    restore()
    for f in faults:
        text = open(os.path.join(ROOT, f["file"]), encoding="utf-8", newline="").read()
        f["text"], f["usable"] = text, text.count(f["old"]) == 1 and f["old"] != f["new"]
        if not f["usable"]:
            print("%3d %-34s refused: the snippet occurs %d times" % (f["number"], f["file"], text.count(f["old"])))
    if "--check" in flags:
        return 0 if all(f["usable"] for f in faults) else 1
    # Ctrl-C and kill end the run through the restoring `finally`, even where
    # the caller started it with SIGINT ignored (a background job).
    signal.signal(signal.SIGINT, signal.default_int_handler)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    if run(["cmake", "-S", ROOT, "-B", BUILD, "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DQUORVEL_TESTS=ON",
            "-DQUORVEL_BENCHMARKS=OFF"], 600) != 0:
        sys.exit("plant-faults: configure failed")
    procs, results, started = start_display(), [], time.time()
    try:
        if run(["cmake", "--build", BUILD, "-j2"], 3600) != 0:
            sys.exit("plant-faults: the unchanged source does not build")
        if "--no-baseline" not in flags and test("--slow" in flags) != "survived":
            sys.exit("plant-faults: a test fails on the unchanged source; see build-faults/fault-ctest.log")
        for f in (f for f in faults if f["usable"]):
            since = time.time()
            path = os.path.join(ROOT, f["file"])
            open(PLANTED, "w", encoding="utf-8", newline="").write("%d %s\n%s" % (os.getpid(), f["file"], f["text"]))
            open(path, "w", encoding="utf-8", newline="").write(f["text"].replace(f["old"], f["new"]))
            built = run(["cmake", "--build", BUILD, "-j2"], 1800, os.path.join(BUILD, "fault-build.log")) == 0
            outcome = test("--slow" in flags) if built else "did not compile"
            restore()
            if any(p.poll() is not None for p in procs):
                sys.exit("plant-faults: the X display or its window manager ended; results from fault %d on are void" % f["number"])
            results.append((f, outcome))
            print("%3d %-34s %-40s %3.0f s  [%s; player: %s]" % (f["number"], f["file"], outcome,
                  time.time() - since, f["kind"], f["player"]), flush=True)
    finally:
        restore()
        for p in procs:
            p.terminate()
            p.wait()
    # Each folder, and each top folder with subfolders (framework/) as a whole.
    groups = {os.path.dirname(f["file"]) for f, _ in results}
    groups |= {f["file"].split("/")[0] + "/*" for f, _ in results if f["file"].count("/") > 1}
    for group in sorted(groups):
        mine = [o for f, o in results if os.path.dirname(f["file"]) == group
                or group.endswith("/*") and f["file"].startswith(group[:-1])]
        built = [o for o in mine if o != "did not compile"]
        print("%-20s caught %2d of %2d; %d did not compile" % (group, sum(o.startswith("caught") for o in built),
              len(built), len(mine) - len(built)))
    built = [o for _, o in results if o != "did not compile"]
    print("caught %d of %d in %.0f s; %d did not compile; survivors: %s" % (
        sum(o.startswith("caught") for o in built), len(built), time.time() - started,
        len(results) - len(built), " ".join(str(f["number"]) for f, o in results if o == "survived")))
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except KeyboardInterrupt:
        sys.exit("plant-faults: interrupted; the source is as it was")
