#!/usr/bin/python3
"""The attract screen of the real demo station under Xvfb (no OpenGL): its movie moves on the
screen while the station waits for a customer (and repeats), stands still and pauses during a
visit, and plays again once the visit is over.

Usage: attract.py ROOT
ROOT is the station's KIVO_ROOT (made by kivo-demo, which turns the attract movie on); whether
the movie plays is read from the station's log.
Exit 0 when every check passed; otherwise 1 with the reason."""
import os
import subprocess
import sys
import time

import pyatspi

from station_ui import fail, find, press, shot, station, wait_for

ROOT = sys.argv[1]
LOG = os.path.join(ROOT, "logs", "KivoSalesStation.log")
# A blinking text cursor changes a few dozen pixels; the movie's falling snow thousands.
MOVING = 2000


def screen():
    """The whole screen's pixels, as the X server holds them."""
    return subprocess.run(["import", "-silent", "-window", "root", "-depth", "8", "rgb:-"],
                          check=True, capture_output=True).stdout


def changed_pixels(before, after):
    if len(before) != len(after):
        return len(after) // 3
    changed = 0
    row = 3 * 256
    for start in range(0, len(after), row):
        a, b = before[start:start + row], after[start:start + row]
        if a != b:
            changed += sum(1 for i in range(0, len(a), 3) if a[i:i + 3] != b[i:i + 3])
    return changed


def changes_a_second_apart():
    before = screen()
    time.sleep(1.0)
    return changed_pixels(before, screen())


def wait_for_movement(what):
    deadline = time.monotonic() + 30
    changed = 0
    while time.monotonic() < deadline:
        changed = changes_a_second_apart()
        if changed >= MOVING:
            return changed
    fail("%s stands still: %d pixels changed in a second" % (what, changed))


def movie_log():
    try:
        with open(LOG, encoding="utf-8", errors="replace") as f:
            return [line.strip() for line in f if "attract movie" in line]
    except OSError:
        return []


wait_for("the station on the accessibility bus", station, 60)
wait_for("the keypad", lambda: find("Enter", pyatspi.ROLE_PUSH_BUTTON), 30)
# Past the end of the demo's four-second movie: it repeats while the attract screen shows.
time.sleep(6.0)
wait_for_movement("the attract screen")
shot("attract-movie")

# A visit: the selling screen stands still, and the movie behind it is paused.
for ch in "100001":
    press(ch)
press("Enter")
wait_for("the selling screen", lambda: find("Show Summary", pyatspi.ROLE_PUSH_BUTTON), 60)
time.sleep(2.0)  # the photos finish loading
for _ in range(3):
    changed = changes_a_second_apart()
    if changed < MOVING:
        break
else:
    fail("the selling screen keeps moving: %d pixels changed in a second" % changed)
wait_for("the movie paused for the visit", lambda: "paused" in (movie_log() or [""])[-1], 10)

# Back at the attract screen the movie plays again.
press("Start Over")
wait_for("the keypad again", lambda: find("Enter", pyatspi.ROLE_PUSH_BUTTON), 30)
wait_for_movement("the attract screen after the visit")
if "plays" not in (movie_log() or [""])[-1]:
    fail("the movie did not play again after the visit: %r" % movie_log()[-3:])
print("attract screen: moving at rest, still and paused during a visit")
