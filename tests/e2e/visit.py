#!/usr/bin/python3
"""Drives one whole visit of the real station through the accessibility interface (AT-SPI),
as a screen reader or a customer's touches would: the ID on the keypad, the photos marked in
the marking window, each package row tried (wholly in sight, "Add" and "Clear" shown at once),
packages in the selling screen's browser, a closer look by a double tap and with "Zoom", the
summary, the release code; then checks what the visit left on disk and on the bus.

Usage: visit.py ROOT HOST_LOG
ROOT is the station's KIVO_ROOT (made by kivo-demo), HOST_LOG the output of `kivo-event host`.
With KIVO_SHOTS set to a folder, a picture of the whole screen is taken there at each screen of
the visit (scripts/screenshots.sh uses it).
It prints the customer's touches and the seconds from the first touch to the release code's
Enter ("Visit: N touches, S s"), leaving out the pictures and the two checks a customer's visit
needs not make (the zoom and the cancel question).
Exit 0 when the visit went through and every check passed; otherwise 1 with the reason."""
import os
import plistlib
import sys

import pyatspi

from station_ui import (METER, description, double_click, extents, fail, files_under, find,
                        find_all, in_sight, money, press, screen_size, select_photo, shot,
                        station, totals_in, wait_for, wait_for_value)

ROOT, HOST_LOG = sys.argv[1], sys.argv[2]
CUSTOMER = "100001"
RELEASE_CODE = "3582"


wait_for("the station on the accessibility bus", station, 60)

# The attract screen's keypad: the customer's ID.
wait_for("the keypad", lambda: find("Enter", pyatspi.ROLE_PUSH_BUTTON), 30)
shot("1-attract")
for ch in CUSTOMER:
    press(ch)
shot("2-keypad", 0.5)
press("Enter")

# The marking window with its instructions: the customer marks three of the four photos, and
# only those are offered for sale.
wait_for("the instructions", lambda: find("Close", pyatspi.ROLE_PUSH_BUTTON))
shot("7-instructions", 0.5)
press("Close")
marking = wait_for("the marking window", lambda: find("Choose Your Photos"))
for name in ("100001_01.jpg", "100001_02.jpg", "100001_04.jpg"):
    select_photo(name, within=marking, adding=True)
wait_for_value("Marked photos", "3")
shot("8-marking", 0.5)
press("Continue")
wait_for("the selling screen", lambda: find("Show Summary", pyatspi.ROLE_PUSH_BUTTON))
select_photo("100001_04.jpg")
if find("100001_03.jpg") is not None:
    fail("a photo that was not marked is offered for sale")

with METER.aside():
    # Every row's buttons are wholly on the screen and do something the customer sees: "Add"
    # raises the row's quantity and the photo's subtotal by the price the row shows, "Clear"
    # puts both back. No row offers a button that changes nothing on this screen.
    if find_all(lambda name: name.startswith("Buy "), pyatspi.ROLE_PUSH_BUTTON):
        fail("the selling screen shows a \"Buy\" button")
    rows = [button.name[len("Add "):] for button in
            find_all(lambda name: name.startswith("Add "), pyatspi.ROLE_PUSH_BUTTON)]
    if len(rows) < 6:
        fail("the selling screen offers %d packages, not the demo's six: %r" % (len(rows), rows))
    size = screen_size()
    for control in ["Show Summary"] + ["%s %s" % (verb, row) for row in rows
                                       for verb in ("Add", "Remove", "Clear")]:
        button = find(control, pyatspi.ROLE_PUSH_BUTTON)
        if button is None or not in_sight(button, size):
            fail("%r is not wholly in sight on the %dx%d screen (%r)" %
                 (control, size[0], size[1], button and extents(button)))
    wait_for_value("Photo subtotal", "0.00")
    for row in rows:
        price = description(row + " price")
        press("Add " + row)
        wait_for_value(row + " quantity", "1")
        wait_for_value("Photo subtotal", price)
        press("Clear " + row)
        wait_for_value(row + " quantity", "0")
        wait_for_value("Photo subtotal", "0.00")

# The selling screen: two 8x10 prints of the first photo, a USB drive with the second. Each row
# shows what one more costs: the visit's first print at its first-item price, then the unit
# price; a drive at its full price while the prints stay below the minimum.
select_photo("100001_01.jpg")
wait_for_value("8x10 Print price", "25.00")
press("Add 8x10 Print")
press("Add 8x10 Print")
wait_for_value("8x10 Print quantity", "2")
wait_for_value("8x10 Print price", "10.00")
wait_for_value("USB Drive price", "40.00")
select_photo("100001_02.jpg")
wait_for_value("8x10 Print quantity", "0")
press("Add USB Drive")
wait_for_value("USB Drive quantity", "1")
# The totals follow half a second after each touch, priced as the summary prices them.
wait_for_value("Photo subtotal", "40.00")
wait_for_value("Order subtotal", "75.00")
wait_for_value("Photo sheets", "1")
wait_for_value("Order sheets", "3")
wait_for_value("Print items", "2")
wait_for_value("USB items", "1")
select_photo("100001_01.jpg")
wait_for_value("8x10 Print quantity", "2")
wait_for_value("Photo subtotal", "35.00")
wait_for_value("Photo sheets", "2")
order_subtotal = money(description("Order subtotal"))
shot("3-selling")

with METER.aside():
    # A double tap on the large photo gives the customer a closer look, never the operator's
    # photo editing or crop tools.
    preview = wait_for("the large photo",
                       lambda: find("Photo", within=find("Selected photo")))
    double_click(preview)
    editing = lambda: find_all(lambda name: name == "Edit Photo" or "Crop" in name)
    wait_for("a window after the double tap", lambda: find("Zoomed photo") or editing(), 10)
    if editing():
        fail("a double tap on the photo opens %r" % [node.name for node in editing()])
    press("Close")
    wait_for("the selling screen again", lambda: find("Zoomed photo") is None)

    # A closer look at the photo, and back.
    press("Zoom")
    zoomed = wait_for("the zoomed photo", lambda: find("Zoomed photo"))
    photo = wait_for("the photo in the zoom window", lambda: find("Photo", within=zoomed))
    if photo.description != "100001_01.jpg":
        fail("the zoom window shows %r, not the selected photo" % (photo.description,))
    shot("9-zoom", 0.5)
    press("Close")
    wait_for("the selling screen again", lambda: find("Zoomed photo") is None)

    # "Start Over" with packages chosen asks first; the customer resumes.
    press("Start Over")
    wait_for("the cancel question", lambda: find("Resume Order", pyatspi.ROLE_PUSH_BUTTON))
    shot("6-progress", 0.5)
    press("Resume Order")

# The summary, priced as the release will price it.
press("Show Summary")
wait_for("the order summary", lambda: find("Accept Order", pyatspi.ROLE_PUSH_BUTTON))
subtotal = money(description("Subtotal"))
discount = money(description("Discount"))
tax = money(description("Tax"))
total = money(description("Total"))
if abs(subtotal - order_subtotal) > 0.005:
    fail("the summary's subtotal %.2f is not the selling screen's %.2f" % (subtotal, order_subtotal))
if description("Item count") != "3":
    fail("the summary counts %r items, not 3" % description("Item count"))
if subtotal <= 0 or abs(subtotal - discount + tax - total) > 0.011:
    fail("the summary's total %.2f is not %.2f - %.2f + %.2f" % (total, subtotal, discount, tax))
shot("4-summary")
press("Accept Order")

# The sales person's release code on the keypad.
wait_for("the release code prompt", lambda: find("Enter", pyatspi.ROLE_PUSH_BUTTON), 30)
for ch in RELEASE_CODE:
    press(ch)
shot("5-release-code", 0.5)
press("Enter")
METER.stop()

shared = os.path.join(ROOT, "shared", "KivoSalesStation")
order_file = os.path.join(shared, CUSTOMER + "_order.plist")
wait_for("the order file " + order_file, lambda: os.path.isfile(order_file), 30)
for name in (CUSTOMER + "_orderOrig.plist",):
    if not os.path.isfile(os.path.join(shared, name)):
        fail("missing order file " + name)
with open(os.path.join(ROOT, "config", "KivoSalesStation.plist"), "rb") as f:
    invoices = plistlib.load(f)["prefTilboxPendingInvoiceFolder"]


written = None
for name in os.listdir(shared):
    if name.startswith(CUSTOMER) and name.endswith(".plist"):
        with open(os.path.join(shared, name), "rb") as f:
            written = written or totals_in(plistlib.load(f))
if written is None:
    fail("no order file carries the order's totals")
if abs(float(written.get("total", -1)) - total) > 0.005:
    fail("the order files carry the total %r, the summary showed %.2f" % (written.get("total"), total))
wait_for("the pending invoice in " + invoices, lambda: files_under(invoices), 15)
wait_for("the print host's new-order event",
         lambda: any("KVXq" in line and CUSTOMER in line for line in open(HOST_LOG)), 15)
wait_for("the receipt copy", lambda: [f for f in files_under(ROOT) if f.endswith(".pdf")], 30)
# Back on the attract screen, with the customer's lock released.
wait_for("the keypad of the next visit", lambda: find("Enter", pyatspi.ROLE_PUSH_BUTTON), 30)
locks = [f for f in files_under(ROOT) if f.endswith(".inUse")]
if locks:
    fail("customer lock left behind: " + ", ".join(locks))
print("Visit: %d touches, %.0f s" % (METER.touches, METER.seconds()), flush=True)
print("visit ok", flush=True)
