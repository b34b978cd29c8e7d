"""README.md's apt-get line for installing by hand names exactly the packages
that tools/setup.sh installs (tools/debian-packages.txt)."""

import re
import sys

with open("tools/debian-packages.txt") as f:
    wanted = {line.strip() for line in f if line.strip() and not line.startswith("#")}

with open("README.md") as f:
    readme = f.read().replace("\\\n", " ")
lines = re.findall(r"apt-get install ([^\n`]*)", readme)
if len(lines) != 1:
    sys.exit("README.md should have one apt-get install line, has %d" % len(lines))
listed = {word for word in lines[0].split() if not word.startswith("-")}

missing, extra = sorted(wanted - listed), sorted(listed - wanted)
if missing or extra:
    sys.exit("README.md's package list differs from tools/debian-packages.txt:\n"
             "  not in README: %s\n  only in README: %s" % (" ".join(missing), " ".join(extra)))
print("%d packages, the same in both" % len(wanted))
