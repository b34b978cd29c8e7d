"""Reads the protections back from a built program, with readelf and objdump:
  pie              position-independent (FLAGS_1 PIE), so loaded at a random place
  relro            relocated data made read-only after start (GNU_RELRO)
  bindnow          every symbol bound at start (BIND_NOW), so the GOT is read-only
  stack-protector  functions with buffers check a canary (__stack_chk_fail)
  fortify          C library calls checked against their buffers' sizes (__*_chk)
  cf-protection    functions start with a branch target mark (endbr64 at main;
                   x86 only, not stripped, and read from the code: Debian's C
                   start files lack the IBT property, so a program never has it)
Each argument after the program, NAME=WHY, names a protection the build left
out on purpose (dist/Hardening.cmake). A missing protection fails, named with
what was looked for; one the build left out is said, with why, and the test
is then skipped (status 77): less protected, as the packager chose.
Usage: python3 hardening.py PROGRAM [NAME=WHY ...]"""

import re
import subprocess
import sys

SKIPPED = 77
CHECKS = {  # name: (pattern in readelf's and objdump's output, what it looks for)
    "pie": (r"\(FLAGS_1\).*\bPIE\b", "PIE flag in the dynamic section"),
    "relro": (r"^\s*GNU_RELRO\b", "GNU_RELRO program header"),
    "bindnow": (r"\(FLAGS\).*\bBIND_NOW\b|\(FLAGS_1\).*\bNOW\b", "BIND_NOW flag"),
    "stack-protector": (r"\b__stack_chk_fail\b", "call to __stack_chk_fail"),
    "fortify": (r"\b__\w+_chk\b", "call to a checked function such as __memcpy_chk"),
    "cf-protection": (r"<main>:\n.*\bendbr(64|32)\b", "endbr64 as main's first instruction"),
}


def output(*command):
    return subprocess.run(command, capture_output=True, text=True, check=True).stdout


def main():
    program, left_out = sys.argv[1], dict(arg.split("=", 1) for arg in sys.argv[2:])
    shown = output("readelf", "-W", "--file-header", "--program-headers", "--dynamic",
                   "--dyn-syms", program)
    checks = dict(CHECKS)
    if re.search(r"Machine:.*(X86-64|80386)", shown):
        shown += output("objdump", "-d", "--disassemble=main", program)
    if "<main>:" not in shown:
        print("not read: cf-protection (no x86 code, or no symbol main: stripped)")
        del checks["cf-protection"]
    missing, chosen = [], []
    for name, (pattern, sought) in checks.items():
        if re.search(pattern, shown, re.MULTILINE):
            print("ok: %s (%s)" % (name, sought))
        elif name in left_out:
            chosen.append("left out: %s, as %s" % (name, left_out[name]))
        else:
            missing.append("MISSING: %s: no %s in %s" % (name, sought, program))
    for name in sorted(set(left_out) - set(checks)):
        print("left out: %s, as %s (not readable from the program)" % (name, left_out[name]))
    for line in chosen + missing:
        print(line)
    return 1 if missing else SKIPPED if chosen else 0


if __name__ == "__main__":
    sys.exit(main())
