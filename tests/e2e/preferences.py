#!/usr/bin/python3
"""Opens the preferences of the real station through the accessibility interface (AT-SPI) as an
operator would: the administrator code on the keypad, a setting changed in the sheet, Continue;
then checks that the setting reached the settings file at once and that the station started
over at its keypad.

Usage: preferences.py ROOT
ROOT is the station's KIVO_ROOT (made by kivo-demo). With KIVO_SHOTS set to a folder, a picture
of the sheet is taken there as 10-preferences.png.
Exit 0 when every check passed; otherwise 1 with the reason."""
import os
import plistlib
import subprocess
import sys
import time

import pyatspi

ROOT = sys.argv[1]
OPEN_PREFERENCES_CODE = "*4826#"
SETTING_LABEL = "Search the day's subfolder"
SETTING_KEY = "prefSearchDailySubFolder"
SHOTS = os.environ.get("KIVO_SHOTS")


def fail(message):
    print("FAIL: " + message, flush=True)
    if SHOTS:
        subprocess.run(["import", "-window", "root", os.path.join(SHOTS, "failed.png")])
    sys.exit(1)


def wait_for(what, probe, seconds=30.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        try:
            value = probe()
        except Exception:  # the tree changes under us while windows come and go
            value = None
        if value:
            return value
        time.sleep(0.1)
    fail("timed out waiting for " + what)


def station():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "KivoSalesStation":
            return app
    return None


def showing(acc):
    try:
        return acc.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def find(name, role=None):
    """The first showing accessible called NAME (and of ROLE) in the station, breadth first."""
    app = station()
    queue = [app] if app is not None else []
    while queue:
        node = queue.pop(0)
        try:
            if node.name == name and (role is None or node.getRole() == role) and showing(node):
                return node
            queue.extend(child for child in node if child is not None)
        except Exception:
            continue
    return None


def act(acc):
    action = acc.queryAction()
    for i in range(action.nActions):
        if action.getName(i).lower() in ("press", "click", "toggle"):
            action.doAction(i)
            break
    else:
        action.doAction(0)
    time.sleep(0.25)


def press(name):
    act(wait_for("the button " + repr(name), lambda: find(name, pyatspi.ROLE_PUSH_BUTTON)))


def stored(key):
    with open(os.path.join(ROOT, "config", "KivoSalesStation.plist"), "rb") as f:
        return plistlib.load(f).get(key)


wait_for("the station on the accessibility bus", station, 60)
wait_for("the keypad", lambda: find("Enter", pyatspi.ROLE_PUSH_BUTTON), 30)

# The operator shows the * and # keys with the mode button and keys the command code.
press("Admin")
wait_for("the * key", lambda: find("*", pyatspi.ROLE_PUSH_BUTTON), 10)
for key in OPEN_PREFERENCES_CODE:
    press(key)
press("Enter")

sheet = wait_for("the preferences sheet", lambda: find("Preferences", pyatspi.ROLE_DIALOG))
box = wait_for("the check box " + SETTING_LABEL,
               lambda: find(SETTING_LABEL, pyatspi.ROLE_CHECK_BOX))
before = bool(stored(SETTING_KEY))
act(box)
wait_for(SETTING_KEY + " stored at once", lambda: bool(stored(SETTING_KEY)) != before, 10)
if box.getState().contains(pyatspi.STATE_CHECKED) == before:
    fail("the check box does not show the stored setting")
if find("Version") is None:
    fail("the sheet shows no version")
if SHOTS:
    time.sleep(1.0)
    subprocess.run(["import", "-window", "root", os.path.join(SHOTS, "10-preferences.png")],
                   check=True)

press("Continue")
wait_for("the sheet to close", lambda: find("Preferences", pyatspi.ROLE_DIALOG) is None, 10)
wait_for("the keypad after the start-over", lambda: find("Enter", pyatspi.ROLE_PUSH_BUTTON), 15)
if bool(stored(SETTING_KEY)) == before:
    fail("the setting did not survive Continue")
print("preferences: opened by the code, %s changed and kept, started over" % SETTING_KEY)
