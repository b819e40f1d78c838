#!/usr/bin/python3
"""Opens the preferences of the real station through the accessibility interface (AT-SPI) as an
operator would: the administrator code on the keypad, a setting changed in the sheet, Continue;
then checks that the setting reached the settings file at once and that the station started
over at its keypad, which shows above the sales window and takes the keyboard with no window
manager running. On the way it checks that the demo's missing receipt printer shows on the
customer's screen only as the small staff notice, in full on the Status page, that the crop
editor opens from the sheet, and that the sponsor logo turned off in the sheet leaves the running
station's screens.

Usage: preferences.py ROOT
ROOT is the station's KIVO_ROOT (made by kivo-demo). With KIVO_SHOTS set to a folder, pictures
of the sheet, its Status page and the crop editor are taken there as 10-preferences.png,
13-status.png and 14-crop-editor.png.
Exit 0 when every check passed; otherwise 1 with the reason."""
import os
import subprocess
import sys
import time

import pyatspi

from station_ui import (SHOTS, act, fail, find, find_all, on_top_of, press, settings, shot,
                        showing, station, type_keys, wait_for)

ROOT = sys.argv[1]
OPEN_PREFERENCES_CODE = "*4826#"
SETTING_LABEL = "Search the day's subfolder"
SETTING_KEY = "prefSearchDailySubFolder"


def stored(key):
    return settings(ROOT).get(key)


def names_showing(node):
    """The names of everything showing under NODE."""
    names = []
    queue = [node]
    while queue:
        item = queue.pop(0)
        try:
            if showing(item):
                names.append(item.name)
            queue.extend(child for child in item if child is not None)
        except Exception:
            continue
    return names


def logos():
    return find_all(lambda name: name == "Sponsor logo")


wait_for("the station on the accessibility bus", station, 60)
wait_for("the keypad", lambda: find("Enter", pyatspi.ROLE_PUSH_BUTTON), 30)
process = station().get_process_id()
if not logos():
    fail("the attract screen shows no sponsor logo")

# The demo's receipt printer is missing: the customer's screen holds only a small staff notice,
# which says what is wrong to a screen reader and to nobody else.
notice = wait_for("the staff notice", lambda: find("Staff notice"))
problem = notice.description
if not problem:
    fail("the staff notice does not say what is wrong")
width, height = notice.queryComponent().getSize()
if width > 64 or height > 64:
    fail("the staff notice is %dx%d, larger than a touch target" % (width, height))
if any(problem in name for name in names_showing(station())):
    fail("the customer's screen shows the staff's text %r" % problem)

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
# The staff read the problem in full on the Status page, and open the crop editor from here.
act(wait_for("the Status page", lambda: find("Status", pyatspi.ROLE_PAGE_TAB)))
status = wait_for("the status text", lambda: find("Status", pyatspi.ROLE_LABEL))
if problem not in status.description:
    fail("the Status page reads %r, not %r" % (status.description, problem))
shot("13-status")
act(wait_for("the Codes and Texts page", lambda: find("Codes and Texts", pyatspi.ROLE_PAGE_TAB)))
press("Crop Editor...")
editor = wait_for("the crop editor", lambda: find("Edit Photo", pyatspi.ROLE_DIALOG))
shot("14-crop-editor")
press("Close", within=editor)
wait_for("the crop editor to close", lambda: find("Edit Photo", pyatspi.ROLE_DIALOG) is None, 10)
if SHOTS:
    time.sleep(1.0)
    subprocess.run(["import", "-window", "root", os.path.join(SHOTS, "10-preferences.png")],
                   check=True)

# The sponsor logo turned off in the sheet leaves the screens when the sheet continues, with
# the station still running.
act(wait_for("the Attract Screen page", lambda: find("Attract Screen", pyatspi.ROLE_PAGE_TAB)))
act(wait_for("the check box Show the sponsor logo",
             lambda: find("Show the sponsor logo", pyatspi.ROLE_CHECK_BOX)))
wait_for("the sponsor logo turned off", lambda: stored("prefDoUseSponsorLogo") is False, 10)

press("Continue")
wait_for("the sheet to close", lambda: find("Preferences", pyatspi.ROLE_DIALOG) is None, 10)
wait_for("the keypad after the start-over", lambda: find("Enter", pyatspi.ROLE_PUSH_BUTTON), 15)
wait_for("the keypad above the sales window", lambda: on_top_of("Photo ID", "Kivo Sales Station"),
         5)
entry = wait_for("the keypad's entry", lambda: find("Entry", pyatspi.ROLE_TEXT))
wait_for("the sponsor logo to leave the attract screen", lambda: not logos(), 5)
if station() is None or station().get_process_id() != process:
    fail("the station started again")
type_keys("12")
wait_for("the typed digits in the keypad's entry",
         lambda: entry.queryText().getText(0, -1) == "12", 5)
if bool(stored(SETTING_KEY)) == before:
    fail("the setting did not survive Continue")
print("preferences: opened by the code, %s changed and kept, started over with the keypad on top"
      % SETTING_KEY)
