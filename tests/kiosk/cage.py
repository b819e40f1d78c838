#!/usr/bin/python3
"""cage's one client in run-cage.sh: starts the station on Qt's Wayland platform, waits for its
READY=1, checks that the ID keypad lies whole over the sales window, types a customer's ID on
it through AT-SPI and keeps pictures of the output (grim) before and after.

Usage: cage.py STATION WORK
WORK holds the station's root (root), its runtime folder (run) and the pictures (shots); the
verdict is left in WORK/status (cage does not pass its client's exit status on)."""
import os
import socket
import subprocess
import sys
import time

import pyatspi

STATION, WORK = sys.argv[1], sys.argv[2]
CUSTOMER = "100001"
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))


def verdict(status, message):
    print(("FAIL: " if status else "") + message, flush=True)
    with open(os.path.join(WORK, "status"), "w") as f:
        f.write("%d\n" % status)


def grim(name):
    path = os.path.join(WORK, "shots", name + ".png")
    subprocess.run(["grim", path], check=True, timeout=20)
    return path


def output_size(path):
    """The width and height of the picture grim took of the whole output."""
    size = subprocess.run(["identify", "-format", "%w %h", path], capture_output=True,
                          text=True, check=True, timeout=20).stdout.split()
    return int(size[0]), int(size[1])


def box(acc):
    return tuple(acc.queryComponent().getExtents(pyatspi.WINDOW_COORDS))


def check_keypad(find, output):
    """The keypad lies over the sales window, inside it, and every key is wholly on it, on an
    output of OUTPUT (width, height): a window of its own would be placed by the compositor,
    not under the station's control, and the keys of a sheet taller than the output cut off."""
    keys = [find(name, pyatspi.ROLE_PUSH_BUTTON) for name in
            list("0123456789") + ["Clear", "Enter", "Continue", "Admin"]]
    if None in keys:
        raise AssertionError("keys missing from the keypad: %r" % keys)
    sheet = keys[0].parent
    while sheet.getRole() != pyatspi.ROLE_DIALOG:
        sheet = sheet.parent
    above = sheet.parent
    if above is None or above.getRole() == pyatspi.ROLE_APPLICATION:
        raise AssertionError("the keypad is a window of its own, not within the sales window")
    width, height = box(sheet)[2:]
    if width > output[0] or height > output[1]:
        raise AssertionError("the keypad (%dx%d) is larger than the output (%dx%d)" %
                             ((width, height) + output))
    for key in keys:
        x, y, w, h = box(key)
        if x < 0 or y < 0 or x + w > width or y + h > height:
            raise AssertionError("%r at %r is not wholly on the keypad (%dx%d)" %
                                 (key.name, (x, y, w, h), width, height))


def typed(entry):
    try:
        text = entry.queryText()
        return text.getText(0, text.characterCount)
    except Exception:
        return None


def main():
    import station_ui
    from station_ui import find, press, wait_for

    def fail(message):
        raise AssertionError(message)

    # The verdict goes to WORK/status, which an exit from within the helpers would skip.
    station_ui.fail = fail

    notify_path = os.path.join(WORK, "run", "notify")
    notify = socket.socket(socket.AF_UNIX, socket.SOCK_DGRAM)
    notify.bind(notify_path)
    env = dict(os.environ, KIVO_ROOT=os.path.join(WORK, "root"),
               KIVO_RESOURCES=os.path.join(HERE, "..", "..", "resources"),
               QT_QPA_PLATFORM="wayland",
               # No attract movie: with a software OpenGL (no GPU here) each of its frames would
               # take the station seconds to convert.
               QT_MEDIA_BACKEND="none",
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               QT_ACCESSIBILITY="1", NOTIFY_SOCKET=notify_path)
    with open(os.path.join(WORK, "station.out"), "w") as out:
        station = subprocess.Popen([STATION], env=env, stdout=out, stderr=subprocess.STDOUT)
    try:
        deadline = time.monotonic() + 60
        ready = False
        while not ready:
            left = deadline - time.monotonic()
            if left <= 0 or station.poll() is not None:
                raise AssertionError("no READY=1 from the station (exit status %r)" %
                                     station.poll())
            notify.settimeout(min(left, 1.0))
            try:
                ready = b"READY=1" in notify.recv(4096).split(b"\n")
            except socket.timeout:
                pass

        wait_for("the station on the accessibility bus", station_ui.station, 30)
        wait_for("the keypad", lambda: find("Enter", pyatspi.ROLE_PUSH_BUTTON), 30)
        time.sleep(1.0)
        check_keypad(find, output_size(grim("attract")))
        for ch in CUSTOMER:
            press(ch)
        entry = wait_for("the keypad's entry", lambda: find("Entry", pyatspi.ROLE_TEXT))
        wait_for("the ID on the keypad", lambda: typed(entry) == CUSTOMER, 10)
        time.sleep(0.5)
        grim("keypad")
    finally:
        station.terminate()
        try:
            station.wait(10)
        except subprocess.TimeoutExpired:
            station.kill()
            station.wait()


try:
    main()
    verdict(0, "the station served under cage")
except Exception as error:  # anything wrong is the test's failure, told in WORK/status
    verdict(1, str(error))
