#!/usr/bin/python3
"""Sets up a new site through the preferences sheet alone, as an operator would, through the
accessibility interface (AT-SPI), and sells a visit with those settings.

The station starts with an empty settings file: its setup-error sheet offers "Open
Preferences...", which asks for the administrator code on the keypad first. In the sheet: the
images, invoice and order folders (typed; a folder that does not exist is refused), the receipt
printer (when a CUPS queue is given), a new price in the package list, the first editable text
item and a new release code. Continue; then a visit: an ID, two prints, the summary, the NEW
release code. The order file and the invoice must be in the chosen folders with the new price and
text, and the day's report in the sheet must count the order. Last, an idle time set in the sheet
must bring "Still there?" to the next visit.

Usage: setup.py ROOT SITE [PRINTER]
ROOT is the station's KIVO_ROOT, SITE a folder holding photos/ (the demo's photos), orders/ and
invoices/; PRINTER a CUPS queue for the receipts, or empty to skip the printer.
Exit 0 when every check passed; otherwise 1 with the reason."""
import os
import plistlib
import sys
import time

import pyatspi

from station_ui import (act, description, fail, files_under, find, money, press, select_photo,
                        settings, shot, station, totals_in, type_on_keys, wait_for,
                        wait_for_value)

ROOT, SITE = sys.argv[1], sys.argv[2]
PRINTER = sys.argv[3] if len(sys.argv) > 3 else ""
CUSTOMER = "100001"
PACKAGE, NEW_PRICE = "8x10 Print", "12.50"
TEXT = "Kivo Photo Corner, Level 2"
FACTORY_RELEASE_CODE, NEW_RELEASE_CODE = "3582", "7391"
OPEN_PREFERENCES_CODE = "*4826#"
IDLE_LABEL = 'Seconds without a touch before "Still there?" (0: off)'


def stored(key):
    return settings(ROOT).get(key)


def enter_text(field, text):
    """Types TEXT into FIELD as a finger would: touch the field, type, touch the next control
    (the version line), which hands the text over."""
    field.queryComponent().grabFocus()
    time.sleep(0.2)
    field.queryEditableText().setTextContents(text)
    time.sleep(0.1)
    find("Version", pyatspi.ROLE_TEXT).queryComponent().grabFocus()
    time.sleep(0.3)


def field(name, role=pyatspi.ROLE_TEXT):
    return wait_for("the field " + repr(name), lambda: find(name, role))


def labelled(label):
    """The control the visible LABEL names (a combo box is named by its text on this
    platform, and by its label only through the relation)."""
    text = wait_for("the label " + repr(label), lambda: find(label, pyatspi.ROLE_LABEL))
    for relation in text.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABEL_FOR:
            return relation.getTarget(0)
    fail("the label %r names no control" % label)


def tab(name):
    act(wait_for("the tab " + repr(name), lambda: find(name, pyatspi.ROLE_PAGE_TAB)))


def message(name):
    """The text of the message line NAME ("" while it is hidden)."""
    label = find(name, pyatspi.ROLE_LABEL)
    return label.description if label is not None else ""


def table_cell(table, column_text, column, wanted_column):
    """The cell in WANTED_COLUMN of the first row of TABLE whose COLUMN reads COLUMN_TEXT."""
    cells = table.queryTable()
    for row in range(cells.nRows):
        if cells.getAccessibleAt(row, column).name == column_text:
            return cells.getAccessibleAt(row, wanted_column)
    fail("no row of %r reads %r" % (table.name, column_text))


wait_for("the station on the accessibility bus", station, 60)
# Nothing is set up: the station says so and offers the preferences, behind the administrator
# code entered on the keypad.
press("Open Preferences...")
wait_for("the administrator code prompt", lambda: find("Enter", pyatspi.ROLE_PUSH_BUTTON), 30)
time.sleep(0.5)
if find("Preferences", pyatspi.ROLE_DIALOG) is not None:
    fail("the preferences opened without the administrator code")
type_on_keys(OPEN_PREFERENCES_CODE)
wait_for("the preferences sheet", lambda: find("Preferences", pyatspi.ROLE_DIALOG))

# Folders, typed: one that does not exist is refused and nothing is stored.
enter_text(field("Order folder"), os.path.join(SITE, "no such folder"))
if "does not exist" not in message("Message"):
    fail("a missing order folder was not refused (message %r)" % message("Message"))
for label, key, folder in (("Images folder", "prefMainImagesFolder", "photos"),
                           ("Pending invoice folder", "prefTilboxPendingInvoiceFolder",
                            "invoices"),
                           ("Order folder", "prefLocalServerPath", "orders")):
    path = os.path.join(SITE, folder)
    enter_text(field(label), path)
    wait_for(key + " stored", lambda: stored(key) == path, 5)

if PRINTER:
    tab("Receipts and Printers")
    primary = labelled("Primary receipt printer")
    typed = wait_for("the printer's text field",
                     lambda: [c for c in primary if c.getRole() == pyatspi.ROLE_TEXT])[0]
    enter_text(typed, "No Such Printer")
    if "There is no printer" not in message("Message"):
        fail("an unknown printer was taken (message %r)" % message("Message"))
    for name in ("(none)", PRINTER):
        enter_text(typed, name)
    wait_for("the printer stored", lambda: stored("prefReceiptPrinterNamePrimary") == PRINTER, 5)
    switch = field("Print on the primary printer", pyatspi.ROLE_CHECK_BOX)
    for _ in range(2):
        act(switch)
    if not switch.getState().contains(pyatspi.STATE_CHECKED):
        fail("the primary printer switch went off with the printer " + PRINTER)
else:
    print("printer step skipped: no CUPS queue is running (scripts/cups-test-queue.sh start)")

# A new price, typed into the field of the chosen cell, and saved.
tab("Packages and Prices")
packages = field("Packages", pyatspi.ROLE_TABLE)
# The first print of a photo sells as the first-item package at its own price.
first_price = money(table_cell(packages, "First " + PACKAGE, 2, 3).name)
price = table_cell(packages, PACKAGE, 2, 3)
act(price)  # a cell's own action selects it
wait_for("the price in the cell field", lambda: field("Selected cell").queryText().getText(0, -1)
         == price.name, 5)
enter_text(field("Selected cell"), NEW_PRICE)
press("Save Packages")
wait_for("the packages saved", lambda: message("Packages message").startswith("Saved"), 5)

# The first editable text item, and the release code (asked for the current one first).
tab("Codes and Texts")
press("Editable Text Items...")
texts = wait_for("the text items", lambda: find("Editable Text Items", pyatspi.ROLE_DIALOG))
first = wait_for("the first text item", lambda: find("Santa Editable Text Item 01",
                                                     pyatspi.ROLE_TABLE_CELL, texts))
act(first)
enter_text(field("Selected item"), TEXT)
press("Done")
wait_for("the text stored", lambda: (stored("prefEditableTextArray") or [""])[0] == TEXT, 5)
for label, code in (("Current code", FACTORY_RELEASE_CODE), ("New code", NEW_RELEASE_CODE),
                    ("New code again", NEW_RELEASE_CODE)):
    enter_text(field(label, pyatspi.ROLE_PASSWORD_TEXT), code)
press("Change Code")
if message("Codes message") != "Release code changed.":
    fail("the release code was not changed: %r" % message("Codes message"))
if NEW_RELEASE_CODE in open(os.path.join(ROOT, "config", "KivoSalesStation.plist")).read():
    fail("the new release code is stored in clear text")
shot("11-setup", 0.5)
press("Continue")

# A visit with the new settings.
wait_for("the keypad", lambda: find("Enter", pyatspi.ROLE_PUSH_BUTTON), 30)
type_on_keys(CUSTOMER)
wait_for("the selling screen", lambda: find("Show Summary", pyatspi.ROLE_PUSH_BUTTON), 30)
select_photo(CUSTOMER + "_01.jpg")
press("Add " + PACKAGE)
press("Add " + PACKAGE)
# The selling screen prices as the summary does: the first print at the first-item price.
subtotal = first_price + float(NEW_PRICE)
wait_for_value("Photo subtotal", "%.2f" % subtotal)
press("Show Summary")
wait_for("the order summary", lambda: find("Accept Order", pyatspi.ROLE_PUSH_BUTTON))
if abs(money(description("Subtotal")) - subtotal) > 0.005:
    fail("the summary's subtotal is %s, not %.2f" % (description("Subtotal"), subtotal))
press("Accept Order")
wait_for("the release code prompt", lambda: find("Enter", pyatspi.ROLE_PUSH_BUTTON), 30)
type_on_keys(NEW_RELEASE_CODE)

order_file = os.path.join(SITE, "orders", CUSTOMER + "_order.plist")
wait_for("the order file " + order_file, lambda: os.path.isfile(order_file), 30)
with open(order_file, "rb") as f:
    order = plistlib.load(f)
totals = totals_in(order) or {}
if abs(float(totals.get("subTotal", -1)) - subtotal) > 0.005:
    fail("the order file's subtotal is %r, not %.2f" % (totals.get("subTotal"), subtotal))
if (order.get("prefEditableTextArray") or [""])[0] != TEXT:
    fail("the order file does not carry the text item set in the sheet")
invoices = wait_for("the pending invoice",
                    lambda: files_under(os.path.join(SITE, "invoices")), 15)
if not any("," + NEW_PRICE + "," in open(path, errors="replace").read() for path in invoices):
    fail("no invoice carries the new price")

# The day's report in the sheet counts the order from the folders set above.
wait_for("the keypad of the next visit", lambda: find("Enter", pyatspi.ROLE_PUSH_BUTTON), 30)
press("Admin")
type_on_keys(OPEN_PREFERENCES_CODE)
wait_for("the preferences sheet", lambda: find("Preferences", pyatspi.ROLE_DIALOG))
tab("Day Report")
wait_for("the day's report", lambda: message("Summary").startswith("Orders: 1. "), 10)
shot("12-day-report", 0.5)
# A visit left alone from now on is asked "Still there?" after two seconds.
tab("Visit")
enter_text(field(IDLE_LABEL), "2")
press("Continue")
wait_for("the keypad", lambda: find("Enter", pyatspi.ROLE_PUSH_BUTTON), 30)
type_on_keys(CUSTOMER)
wait_for("the selling screen", lambda: find("Show Summary", pyatspi.ROLE_PUSH_BUTTON), 30)
wait_for("the idle prompt", lambda: find("Still there?"), 10)
print("setup: a new site set up through the sheet and a visit sold with its settings")
