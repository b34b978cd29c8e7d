#!/usr/bin/env python3
"""Measures the built page (build-web/, tools/build-web.sh) in Debian's headless
Chromium with WebGL through SwiftShader, the browser the page's tests use:
  - its weight: every file, as is and gzipped (-9);
  - navigation to the first frame: from the start of the navigation to the
    first animation frame after the game's first draw call, a fresh browser
    (empty cache) each run, the page served from localhost;
  - the time a frame takes, unpaced, at the given size, empty board and full
    (81 pieces, no five): the game's own pacing waits with setTimeout, which is
    made to wait no time, so frames follow one another as fast as the browser
    takes them; frames are counted by the game's one glClear each.
Compare with the native game's BM_Frame/EmptyBoardWithHint and
BM_Frame/FullBoardWithHint (tools/run-benchmarks.sh) at the same size.
Usage: python3 tools/measure-web.py [--runs N] [--size 1920x1080] [--seconds S]"""

import argparse
import gzip
import os
import statistics
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "web"))
from browser import Browser, served  # noqa: E402
from harness import green, red, squares  # noqa: E402

# Before the page's own scripts: the first draw's frame, the frames drawn, and
# optionally no wait between them.
PROBE = """
window.quorvelFrames = 0;
window.quorvelFirstFrame = null;
(function () {
  var proto = WebGLRenderingContext.prototype;
  var clear = proto.clear;
  proto.clear = function (mask) { window.quorvelFrames++; return clear.call(this, mask); };
  ["drawArrays", "drawElements"].forEach(function (name) {
    var draw = proto[name];
    proto[name] = function () {
      if (window.quorvelFirstFrame === null) {
        window.quorvelFirstFrame = 0;
        requestAnimationFrame(function () { window.quorvelFirstFrame = performance.now(); });
      }
      return draw.apply(this, arguments);
    };
  });
  if (%s) {
    var setTimeoutBefore = window.setTimeout;
    window.setTimeout = function (f) { return setTimeoutBefore(f, 0); };
  }
})();
"""


def weight(site):
    rows = []
    for name in sorted(os.listdir(site)):
        with open(os.path.join(site, name), "rb") as f:
            data = f.read()
        rows.append((name, len(data), len(gzip.compress(data, 9))))
    for name, size, packed in rows:
        print("  %-14s %9d bytes, %9d gzipped" % (name, size, packed))
    print("  %-14s %9d bytes, %9d gzipped" % ("all", sum(r[1] for r in rows),
                                               sum(r[2] for r in rows)))


def open_page(browser, url, unpaced):
    browser.page("Page.addScriptToEvaluateOnNewDocument",
                 source=PROBE % ("true" if unpaced else "false"))
    browser.open(url)


def first_frame(url, size):
    with Browser(*size) as browser:
        open_page(browser, url, False)
        deadline = time.monotonic() + 60
        while time.monotonic() < deadline:
            value = browser.evaluate("window.quorvelFirstFrame")
            if value:
                return value
            time.sleep(0.05)
    raise RuntimeError("no frame in 60 s")


def fill_board(browser, grid):
    """Clicks every square, red and green in turn, in the pattern of the native
    benchmark's full board: owners alternate in pairs of columns, shifted every
    row, so no five ever lines up."""
    owner = lambda row, column: (column // 2 + row) % 2
    cells = [(r, c) for r in range(9) for c in range(9)]
    reds = [cell for cell in cells if owner(*cell) == 0]
    greens = [cell for cell in cells if owner(*cell) == 1]
    order = [cell for pair in zip(reds, greens) for cell in pair] + reds[len(greens):]
    for row, column in order:
        browser.move(*grid[row][column])
        time.sleep(0.05)
        browser.click(0.05)


def frame_time(browser, seconds):
    """Milliseconds a frame over `seconds` of frames."""
    start_frames = browser.evaluate("quorvelFrames")
    start = time.monotonic()
    time.sleep(seconds)
    frames = browser.evaluate("quorvelFrames") - start_frames
    return 1000.0 * (time.monotonic() - start) / max(1, frames), frames


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--size", default="1920x1080")
    parser.add_argument("--seconds", type=float, default=10)
    parser.add_argument("--site", default=os.path.join(ROOT, "build-web"))
    args = parser.parse_args()
    size = tuple(int(n) for n in args.size.split("x"))

    print("Weight of %s:" % args.site)
    weight(args.site)
    with served(args.site) as url:
        times = [first_frame(url, size) for _ in range(args.runs)]
        print("Navigation to first frame at %dx%d, %d runs: median %.0f ms (%s)" % (
            size + (args.runs, statistics.median(times), ", ".join("%.0f" % t for t in times))))
        with Browser(*size) as browser:
            open_page(browser, url, True)
            start = browser.seen(lambda s: squares(s) is not None, 60)
            if not start:
                raise RuntimeError("no board")
            # The pointer rests in the middle, off the board's squares.
            browser.move(size[0] // 2, size[1] // 8)
            time.sleep(3)  # SwiftShader compiles its drawing code as states first come
            ms, frames = frame_time(browser, args.seconds)
            print("Frame, unpaced, empty board, %dx%d: %.2f ms (%d frames)" % (size + (ms, frames)))
            fill_board(browser, squares(start))
            browser.move(size[0] // 2, size[1] // 8)
            time.sleep(3)
            shot = browser.screen()
            if not shot.count(red, step=4) or not shot.count(green, step=4):
                raise RuntimeError("the board was not filled")
            ms, frames = frame_time(browser, args.seconds)
            print("Frame, unpaced, full board, %dx%d: %.2f ms (%d frames)" % (size + (ms, frames)))


if __name__ == "__main__":
    main()
