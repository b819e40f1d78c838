#!/usr/bin/python3
"""Opens the preferences of the real station through the accessibility interface (AT-SPI) as an
operator would: the administrator code on the keypad, a setting changed in the sheet, Continue;
then checks that the setting reached the settings file at once and that the station started
over at its keypad, which shows above the sales window and takes the keyboard with no window
manager running.

Usage: preferences.py ROOT
ROOT is the station's KIVO_ROOT (made by kivo-demo). With KIVO_SHOTS set to a folder, a picture
of the sheet is taken there as 10-preferences.png.
Exit 0 when every check passed; otherwise 1 with the reason."""
import os
import subprocess
import sys
import time

import pyatspi

from station_ui import (SHOTS, act, fail, find, on_top_of, press, settings, station, type_keys,
                        wait_for)

ROOT = sys.argv[1]
OPEN_PREFERENCES_CODE = "*4826#"
SETTING_LABEL = "Search the day's subfolder"
SETTING_KEY = "prefSearchDailySubFolder"


def stored(key):
    return settings(ROOT).get(key)


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
wait_for("the keypad above the sales window", lambda: on_top_of("Photo ID", "Kivo Sales Station"),
         5)
entry = wait_for("the keypad's entry", lambda: find("Entry", pyatspi.ROLE_TEXT))
type_keys("12")
wait_for("the typed digits in the keypad's entry",
         lambda: entry.queryText().getText(0, -1) == "12", 5)
if bool(stored(SETTING_KEY)) == before:
    fail("the setting did not survive Continue")
print("preferences: opened by the code, %s changed and kept, started over with the keypad on top"
      % SETTING_KEY)
