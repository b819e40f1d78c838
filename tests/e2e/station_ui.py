"""The station as the end-to-end scripts reach it: through the accessibility interface (AT-SPI),
as a screen reader or a customer's touches would. Shared by visit.py, preferences.py and
setup.py."""
import contextlib
import os
import plistlib
import re
import subprocess
import sys
import time

import pyatspi

SHOTS = os.environ.get("KIVO_SHOTS")


class Meter:
    """The touches a customer makes (each press and each selection) and the seconds from the
    first of them, leaving out what happens aside (pictures taken, checks off the customer's
    way)."""

    def __init__(self):
        self.touches = 0
        self._seconds = 0.0
        self._since = None
        self._counting = True

    def touch(self):
        if not self._counting:
            return
        self.touches += 1
        if self._since is None:
            self._since = time.monotonic()

    def seconds(self):
        running = time.monotonic() - self._since if self._since is not None else 0.0
        return self._seconds + running

    @contextlib.contextmanager
    def aside(self):
        """Neither the touches nor the time within count."""
        counting, since = self._counting, self._since
        if since is not None:
            self._seconds += time.monotonic() - since
        self._counting, self._since = False, None
        try:
            yield
        finally:
            self._counting = counting
            if since is not None:
                self._since = time.monotonic()

    def stop(self):
        self._seconds, self._since, self._counting = self.seconds(), None, False


METER = Meter()


def fail(message):
    print("FAIL: " + message, flush=True)
    if SHOTS:
        # What the screen showed when the script went wrong.
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


def find(name, role=None, within=None):
    """The first showing accessible called NAME (and of ROLE) in WITHIN (the station by
    default), breadth first."""
    app = within if within is not None else station()
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


def visible(acc):
    try:
        return acc.getState().contains(pyatspi.STATE_VISIBLE)
    except Exception:
        return False


def find_all(wanted, role=None, within=None):
    """Every visible accessible whose name WANTED accepts (and of ROLE) in WITHIN (the station by
    default), in tree order. Visible, not showing: a control scrolled or pushed off the screen
    is still found."""
    app = within if within is not None else station()
    found, queue = [], [app] if app is not None else []
    while queue:
        node = queue.pop(0)
        try:
            if not visible(node):
                continue
            if wanted(node.name) and (role is None or node.getRole() == role):
                found.append(node)
            queue.extend(child for child in node if child is not None)
        except Exception:
            continue
    return found


def screen_size():
    """The X screen's width and height in pixels."""
    info = subprocess.run(["xdpyinfo"], capture_output=True, text=True, check=True).stdout
    match = re.search(r"dimensions:\s+(\d+)x(\d+) pixels", info)
    if not match:
        fail("xdpyinfo gives no screen size")
    return int(match.group(1)), int(match.group(2))


def extents(acc):
    box = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def in_sight(acc, size):
    """Whether ACC lies wholly on a screen of SIZE (width, height) and wholly within each of its
    containers, so that no scrolled view clips any of it away."""
    def inside(box, outer):
        return (box[0] >= outer[0] and box[1] >= outer[1] and
                box[0] + box[2] <= outer[0] + outer[2] and box[1] + box[3] <= outer[1] + outer[3])
    box = extents(acc)
    if box[2] <= 0 or box[3] <= 0 or not inside(box, (0, 0) + tuple(size)):
        return False
    node = acc.parent
    while node is not None and node.getRole() != pyatspi.ROLE_APPLICATION:
        if not inside(box, extents(node)):
            return False
        node = node.parent
    return True


def double_click(acc):
    """A double click of the first mouse button at ACC's centre, from the X server as a finger's
    would come."""
    METER.touch()
    x, y, w, h = extents(acc)
    pyatspi.Registry.generateMouseEvent(x + w // 2, y + h // 2, "b1d")


def act(acc):
    METER.touch()
    action = acc.queryAction()
    for i in range(action.nActions):
        if action.getName(i).lower() in ("press", "click", "toggle"):
            action.doAction(i)
            break
    else:
        action.doAction(0)
    # Qt answers the press with an animated click; a second press of the same key within it
    # would be lost.
    time.sleep(0.25)


def press(name, within=None):
    act(wait_for("the button " + repr(name),
                 lambda: find(name, pyatspi.ROLE_PUSH_BUTTON, within)))


def type_on_keys(text):
    for ch in text:
        press(ch)
    press("Enter")


def shot(name, settle=1.0):
    """A picture of the whole screen as it is now (only with KIVO_SHOTS)."""
    if not SHOTS:
        return
    with METER.aside():
        time.sleep(settle)  # thumbnails and sheets finish drawing
        subprocess.run(["import", "-window", "root", os.path.join(SHOTS, name + ".png")],
                       check=True)


def find_value(name):
    return find(name, pyatspi.ROLE_LABEL)


def description(name):
    """The value shown under the fixed accessible NAME (a total, a quantity)."""
    return wait_for("the value " + repr(name), lambda: find_value(name)).description


def wait_for_value(name, expected, seconds=10.0):
    wait_for("%s to show %s (it shows %r)" % (name, expected, find_value(name) and
                                               find_value(name).description),
             lambda: (find_value(name) is not None and
                      find_value(name).description == expected), seconds)


def select_child(cell, adding=False):
    """Selects CELL (a photo, a table row) through its parent's accessibility selection, as a
    screen reader would; the station takes it as a touch. ADDING keeps what is selected."""
    METER.touch()
    parent = cell.parent
    index = cell.getIndexInParent()
    try:
        selection = parent.querySelection()
        if not adding:
            selection.clearSelection()
        if selection.selectChild(index):
            return
    except NotImplementedError:
        pass
    table = parent.queryTable()
    if not table.addRowSelection(table.getRowAtIndex(index)):
        fail(cell.name + " could not be selected")


def select_photo(file_name, within=None, adding=False):
    select_child(wait_for("the photo " + file_name, lambda: find(file_name, within=within)),
                 adding)


def money(text):
    try:
        value = float(text)
    except (TypeError, ValueError):
        fail("not an amount: %r" % (text,))
    if text != "%.2f" % value:
        fail("an amount without two decimals: %r" % (text,))
    return value


def settings(root):
    with open(os.path.join(root, "config", "KivoSalesStation.plist"), "rb") as f:
        return plistlib.load(f)


def files_under(folder):
    found = []
    for base, _dirs, names in os.walk(folder):
        found.extend(os.path.join(base, n) for n in names)
    return found


def totals_in(node):
    """The first "curOrderTotalsInfo" record anywhere in a property list."""
    if isinstance(node, dict):
        if isinstance(node.get("curOrderTotalsInfo"), dict):
            return node["curOrderTotalsInfo"]
        node = list(node.values())
    if isinstance(node, list):
        for child in node:
            found = totals_in(child)
            if found:
                return found
    return None


def stacked_windows():
    """The titles of the top-level windows the X server shows, topmost first. With no window
    manager this order alone decides what is seen."""
    tree = subprocess.run(["xwininfo", "-root", "-children"], capture_output=True, text=True,
                          check=True).stdout
    titles = []
    for line in tree.splitlines():
        match = re.match(r'\s*(0x[0-9a-f]+) "(.*)": \(', line)
        if not match:
            continue
        info = subprocess.run(["xwininfo", "-id", match.group(1)], capture_output=True,
                              text=True).stdout
        if "IsViewable" in info:
            titles.append(match.group(2))
    return titles


def on_top_of(upper, lower):
    """Whether the window titled UPPER shows above the one titled LOWER."""
    titles = stacked_windows()
    return upper in titles and lower in titles and titles.index(upper) < titles.index(lower)


def type_keys(text):
    """TEXT typed on the X server's keyboard, reaching whichever window has the input focus, as a
    barcode scanner's keys do."""
    for ch in text:
        pyatspi.Registry.generateKeyboardEvent(ord(ch), None, pyatspi.KEY_SYM)
        time.sleep(0.1)
