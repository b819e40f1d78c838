#!/usr/bin/python3
"""Two real stations of one site on the test share, driven through AT-SPI.

  two_stations.py configure ROOT SITE METHOD  points the station of ROOT at the site's folders
                                              (SITE/images, SITE/pos) with search method METHOD
  two_stations.py serve CTL NAME              inside a station's display and bus: runs the steps
                                              asked in CTL/NAME.cmd, answers in CTL/NAME.out
  two_stations.py site BUILD WORK SITE        the site's test: starts the stations (WORK/a and
                                              WORK/b, station-env.sh), drives them and checks
                                              what they leave on the share and on disk

The share's folders come from KIVO_SHARE_DIR, KIVO_SHARE_SERVER, KIVO_SHARE_A and KIVO_SHARE_B
(smb-test-share.sh). Exit 0 when every check passed; otherwise 1 with the reason."""
import io
import contextlib
import json
import os
import plistlib
import shutil
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
RELEASE_CODE = "3582"
ID_PROMPT = "Please Enter/Scan Your Photo ID"


def write_json(path, value):
    with open(path + ".new", "w") as f:
        json.dump(value, f)
    os.replace(path + ".new", path)


# ---- configure ------------------------------------------------------------------------------

def configure(root, site, method):
    path = os.path.join(root, "config", "KivoSalesStation.plist")
    with open(path, "rb") as f:
        settings = plistlib.load(f)
    settings["prefMainImagesFolder"] = os.path.join(site, "images")
    settings["prefTilboxPendingInvoiceFolder"] = os.path.join(site, "pos")
    settings["prefSearchIDMethodTag"] = int(method)
    # The references name the demo's own folders; the paths alone say where the share is.
    for key in ("prefMainImagesFolderAliasData", "prefTilboxPendingInvoiceFolderAliasData"):
        settings.pop(key, None)
    with open(path + ".new", "wb") as f:
        plistlib.dump(settings, f)
    os.replace(path + ".new", path)


# ---- serve: the steps one station takes, inside its display and bus ------------------------

def steps():
    sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
    import pyatspi
    import station_ui as ui

    button = lambda name: ui.find(name, pyatspi.ROLE_PUSH_BUTTON)

    def labelled(prefix):
        found = ui.find_all(lambda name: bool(name) and name.startswith(prefix))
        return found[0].name if found else None

    def ready():
        ui.wait_for("the station on the accessibility bus", ui.station, 60)
        return screen(40)

    def screen(seconds=10):
        """What the station shows: "id-prompt", "out-of-service" or "setup-problem"."""
        def which():
            if ui.find("Out of Service"):
                return "out-of-service"
            if labelled("UNABLE to Find REQUIRED Volumes"):
                return "setup-problem"
            if labelled(ID_PROMPT) and button("Enter"):
                return "id-prompt"
            return None
        return ui.wait_for("a screen of the station", which, seconds)

    def enter_id(customer):
        """Types CUSTOMER on the keypad; answers "selling", "none" (no photos) or the refusal."""
        ui.wait_for("the ID prompt", lambda: labelled(ID_PROMPT) and button("Enter"), 30)
        for ch in customer:
            ui.press(ch)
        ui.press("Enter")

        def outcome():
            refused = labelled("Sorry - Your ID")
            if refused:
                return refused
            if labelled("No Images Found for ID: [%s]" % customer):
                return "none"
            if button("Close"):  # the instructions before the first photos
                ui.act(button("Close"))
            # The sales window stays under the keypad: only the customer's photos in it tell.
            if button("Show Summary") and ui.find_all(lambda n: n.startswith(customer + "_")):
                return "selling"
            return None
        return ui.wait_for("the outcome of the ID " + customer, outcome, 30)

    def start_over():
        ui.press("Start Over")
        ui.wait_for("the start over", lambda: button("Cancel Order") or labelled(ID_PROMPT), 10)
        if button("Cancel Order"):
            ui.press("Cancel Order")
        return screen(30)

    def retrying(what, action, done=lambda: True):
        """ACTION again while it meets an accessible that went away as the screen was redrawn,
        until DONE."""
        for _ in range(10):
            try:
                action()
                if ui.wait_for(what, done, 10):
                    return
            except Exception:
                time.sleep(0.5)
        ui.fail(what)

    def buy(photo):
        retrying("the photo selected", lambda: ui.select_photo(photo))
        quantity = lambda: ui.find_value("8x10 Print quantity").description
        retrying("a print added", lambda: quantity() == "1" or ui.press("Add 8x10 Print"),
                 lambda: quantity() == "1")
        retrying("the summary", lambda: ui.press("Show Summary"), lambda: button("Accept Order"))
        ui.press("Accept Order")
        ui.wait_for("the release code prompt", lambda: labelled("Enter Release Code"), 30)
        return True

    def release():
        """The release code; answers "released", or the failure's message with the staff's."""
        for ch in RELEASE_CODE:
            ui.press(ch)
        ui.press("Enter")

        def outcome():
            if button("Try Again"):
                notice = ui.find("Staff notice")
                return {"failed": labelled("UNABLE to Save This Order"),
                        "staff": notice.description if notice else None}
            if labelled(ID_PROMPT) and not labelled("Enter Release Code"):
                return "released"
            return None
        return ui.wait_for("the release's outcome", outcome, 40)

    def try_again():
        ui.press("Try Again")
        ui.wait_for("the next visit's ID prompt",
                    lambda: not button("Try Again") and labelled(ID_PROMPT), 40)
        return "released"

    return {f.__name__: f for f in (ready, screen, enter_id, start_over, buy, release,
                                    try_again)}


def serve(ctl, name):
    known = steps()
    command, answer = os.path.join(ctl, name + ".cmd"), os.path.join(ctl, name + ".out")
    idle_since = time.monotonic()
    # Never outlives its driver: without a step for three minutes it ends, and its station with it.
    while os.path.isdir(ctl) and time.monotonic() - idle_since < 180:
        try:
            with open(command) as f:
                asked = json.load(f)
            os.remove(command)
        except (OSError, ValueError):
            time.sleep(0.1)
            continue
        if asked["step"] == "quit":
            write_json(answer, {"n": asked["n"], "ok": True, "value": None})
            return
        printed = io.StringIO()
        reply = {"n": asked["n"], "ok": True}
        try:
            with contextlib.redirect_stdout(printed):
                reply["value"] = known[asked["step"]](*asked["args"])
        except SystemExit:  # station_ui.fail
            reply = {"n": asked["n"], "ok": False, "error": printed.getvalue().strip()}
        except Exception as e:
            reply = {"n": asked["n"], "ok": False, "error": "%s: %r" % (asked["step"], e)}
        print("%s%r -> %r" % (asked["step"], asked["args"], reply), flush=True)
        write_json(answer, reply)
        idle_since = time.monotonic()


# ---- site: the test -------------------------------------------------------------------------

STARTED = time.monotonic()


def say(text):
    """A line of the test's progress, with the seconds since it started."""
    print("[%5.1f s] %s" % (time.monotonic() - STARTED, text), flush=True)


def fail(message):
    say("FAIL: " + message)
    sys.exit(1)


class Station:
    def __init__(self, build, work, name):
        self.build, self.work, self.name = build, work, name
        self.ctl = os.path.join(work, "ctl")
        self.root = os.path.join(work, name)
        self.orders = os.path.join(self.root, "shared", "KivoSalesStation")
        self.process = None
        self.n = 0

    def start(self, **environment):
        os.makedirs(self.ctl, exist_ok=True)
        for suffix in (".cmd", ".out"):
            with contextlib.suppress(FileNotFoundError):
                os.remove(os.path.join(self.ctl, self.name + suffix))
        self.process = subprocess.Popen(
            [os.path.join(HERE, "station-env.sh"), self.build, self.work, self.name],
            env=dict(os.environ, **environment))

    def ask(self, step, *args):
        self.n += 1
        write_json(os.path.join(self.ctl, self.name + ".cmd"),
                   {"n": self.n, "step": step, "args": list(args)})

    def answer(self, seconds=90):
        path = os.path.join(self.ctl, self.name + ".out")
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            with contextlib.suppress(OSError, ValueError):
                with open(path) as f:
                    reply = json.load(f)
                if reply["n"] == self.n:
                    os.remove(path)
                    if not reply["ok"]:
                        fail("station %s: %s" % (self.name.upper(), reply["error"]))
                    return reply["value"]
            if self.process.poll() is not None:
                fail("station %s's environment ended" % self.name.upper())
            time.sleep(0.1)
        fail("station %s did not finish %r in %d s" % (self.name.upper(), self.n, seconds))

    def do(self, step, *args):
        self.ask(step, *args)
        return self.answer()

    def stop(self):
        if self.process is None or self.process.poll() is not None:
            return
        with contextlib.suppress(SystemExit):
            self.ask("quit")
            self.answer(20)
        try:
            self.process.wait(30)
        except subprocess.TimeoutExpired:
            self.process.terminate()  # the environment this driver started, by its own id
            self.process.wait(10)


def share(command):
    subprocess.run([os.path.join(HERE, "..", "..", "scripts", "smb-test-share.sh"), command,
                    os.environ["KIVO_SHARE_DIR"]], check=True, timeout=30)


def camera_writes(images, customer, sample):
    """A photo of CUSTOMER written on the server's side, as a camera station writes it: under a
    hidden name, then renamed."""
    target = os.path.join(images, customer + "_01.jpg")
    hidden = os.path.join(images, "." + customer + "_01.jpg.part")
    shutil.copyfile(sample, hidden)
    os.rename(hidden, target)
    return time.monotonic()


def found_within(station, customer, written, limit=10.0):
    """Searches CUSTOMER on STATION until its photo is found: a search that starts LIMIT seconds
    after the photo was written must find it. Prints when the finding search started and how
    long the station took to answer it (the customer's typing included)."""
    while True:
        started = time.monotonic()
        outcome = station.do("enter_id", customer)
        if outcome == "selling":
            say("search: station %s found %s by a search started %.1f s after it was written, "
                "answered %.1f s later" % (station.name.upper(), customer, started - written,
                                           time.monotonic() - started))
            return
        if outcome != "none":
            fail("station %s answered %r to the new ID %s" % (station.name.upper(), outcome,
                                                               customer))
        if started - written > limit:
            fail("station %s did not find the photo of %s written %.1f s before the search" %
                 (station.name.upper(), customer, started - written))


def unfinished(folder):
    """Files under FOLDER that no finished release leaves: temporaries, partial files, and
    release journal entries still open (the journal's lock stays)."""
    found = []
    for base, _dirs, names in os.walk(folder):
        for name in names:
            path = os.path.relpath(os.path.join(base, name), folder)
            if path != os.path.join(".journal", ".lock") and (
                    "/." in "/" + path or "tmp" in name.lower() or
                    name.endswith((".new", ".part")) or path.startswith(".journal")):
                found.append(path)
    return sorted(found)


def expect_settled(*folders):
    """Fails unless every release into FOLDERS is finished within 10 s (the journal's entry goes
    once the print host was told)."""
    for folder in folders:
        deadline = time.monotonic() + 10
        while unfinished(folder) and time.monotonic() < deadline:
            time.sleep(0.2)
        if unfinished(folder):
            fail("the release left %r in %s" % (unfinished(folder), folder))


def invoices_of(pos, customer):
    return sorted(n for n in os.listdir(pos)
                  if n == customer + ".txt" or (n.startswith(customer + "-") and n.endswith(".txt")))


def check_invoice(path, photo):
    with open(path, "rb") as f:
        text = f.read().decode("utf-8")
    header, _, data = text.partition("\r")
    if not header.startswith("versNum\t") or not data.startswith("V1002\t") or \
            not data.endswith("~") or photo not in data:
        fail("the invoice %s is not whole: %r" % (path, text))


def site(build, work, site_name):
    server = os.path.join(os.environ["KIVO_SHARE_SERVER"], site_name)
    images, pos = os.path.join(server, "images"), os.path.join(server, "pos")
    sample = os.path.join(images, "100001_01.jpg")
    a, b = Station(build, work, "a"), Station(build, work, "b")
    try:
        a.start()
        # B's release steps slowed down, so that the share can go away between them.
        b.start(KIVO_RELEASE_STEP_DELAY_MS="400")
        for s in (a, b):
            s.ask("ready")
        for s in (a, b):
            if s.answer() != "id-prompt":
                fail("station %s does not start at the ID prompt" % s.name.upper())
        say("both stations at the ID prompt")

        # An ID open on A is refused on B, and served there once A starts over.
        if a.do("enter_id", "100001") != "selling":
            fail("station A does not serve 100001")
        refusal = b.do("enter_id", "100001")
        if refusal != "Sorry - Your ID [100001] Is In Use By Another System...":
            fail("station B answers %r to the ID open on station A" % refusal)
        a.do("start_over")
        if b.do("enter_id", "100001") != "selling":
            fail("station B does not serve 100001 once station A started over")
        say("lock: refused on B while open on A, served once A started over")

        # The share goes away during B's visit: the release fails with the staff's message,
        # leaves nothing half-written, and goes through with "Try Again" once the share is back.
        b.do("buy", "100001_01.jpg")
        share("pause")
        try:
            failed = b.do("release")
        finally:
            share("resume")
        if failed == "released" or not failed.get("failed"):
            fail("the release with the share away answered %r" % (failed,))
        if "The order of 100001 was not saved" not in (failed.get("staff") or ""):
            fail("the failed release told the staff nothing: %r" % failed.get("staff"))
        say("release with the share away: %r; staff: %r" %
            (failed["failed"], [line for line in failed["staff"].splitlines() if "100001" in line]))
        for folder in (b.orders, pos):
            if unfinished(folder):
                fail("the failed release left %r in %s" % (unfinished(folder), folder))
        if invoices_of(pos, "100001") or os.listdir(b.orders) != [".journal"]:
            fail("the failed release left files: %r" % (invoices_of(pos, "100001") +
                                                        os.listdir(b.orders)))
        b.do("try_again")
        invoices = invoices_of(pos, "100001")
        if invoices != ["100001.txt"]:
            fail("after \"Try Again\" the invoices of 100001 are %r" % invoices)
        check_invoice(os.path.join(pos, invoices[0]), "100001_01.jpg")
        for name in ("100001_orderOrig.plist", "100001_order.plist"):
            with open(os.path.join(b.orders, name), "rb") as f:
                plistlib.load(f)
        expect_settled(b.orders, pos, images)
        if any(n.startswith("100001") and "inUse" in n for n in os.listdir(images)):
            fail("the lock of 100001 is left on the share")
        say("release: \"Try Again\" went through once the share was back")

        # New photos written on the server's side are found on each station (A by the index,
        # B by the index tool).
        for station, customer in ((a, "100101"), (b, "100102")):
            found_within(station, customer, camera_writes(images, customer, sample))
            station.do("start_over")

        # The share goes away in the middle of the release's writes, once the invoice is staged
        # on it (B's release steps are slowed down): the same failure, no invoice in sight, and
        # "Try Again" writes the one invoice.
        if b.do("enter_id", "100003") != "selling":
            fail("station B does not serve 100003")
        b.do("buy", "100003_01.jpg")
        b.ask("release")
        deadline = time.monotonic() + 30
        while not [n for n in os.listdir(pos) if n.startswith(".100003.txt")]:
            if time.monotonic() > deadline:
                fail("no invoice of 100003 was staged")
            time.sleep(0.05)
        share("pause")
        try:
            failed = b.answer()
        finally:
            share("resume")
        if failed == "released" or "The order of 100003 was not saved: the pending invoice " \
                "file was not written" not in failed["staff"]:
            fail("the release that lost the share midway answered %r" % (failed,))
        if invoices_of(pos, "100003"):
            fail("the release that lost the share midway left %r" % invoices_of(pos, "100003"))
        b.do("try_again")
        invoices = invoices_of(pos, "100003")
        if invoices != ["100003.txt"]:
            fail("after \"Try Again\" the invoices of 100003 are %r" % invoices)
        check_invoice(os.path.join(pos, invoices[0]), "100003_01.jpg")
        # "Try Again" finished the cut release: nothing of it is left for the next start to
        # move into place and announce a second time.
        expect_settled(b.orders, pos)
        say("release that lost the share midway: failed, one invoice after \"Try Again\"")

        # B started while the share is away keeps from selling, and serves again by itself when
        # it returns (now searching by a scan of the folder).
        b.stop()
        say("station B stopped")
        configure(b.root, os.path.join(os.environ["KIVO_SHARE_B"], site_name), 2)
        share("pause")
        try:
            b.start()
            shown = b.do("ready")
        finally:
            share("resume")
        back = time.monotonic()
        if shown == "id-prompt":
            fail("station B started while the share was away offers the ID prompt")
        b.ask("screen", 60)
        while b.answer() != "id-prompt":
            if time.monotonic() - back > 60:
                fail("station B does not serve again within 60 s of the share's return")
            time.sleep(0.5)
            b.ask("screen", 60)
        say("start-up with the share away: %s, serving %.1f s after it returned" %
            (shown, time.monotonic() - back))
        found_within(b, "100103", camera_writes(images, "100103", sample))
    finally:
        for s in (a, b):
            s.stop()
    say("two stations ok")


if __name__ == "__main__":
    mode = sys.argv[1] if len(sys.argv) > 1 else ""
    if mode == "configure" and len(sys.argv) == 5:
        configure(*sys.argv[2:])
    elif mode == "serve" and len(sys.argv) == 4:
        serve(*sys.argv[2:])
    elif mode == "site" and len(sys.argv) == 5:
        site(*sys.argv[2:])
    else:
        sys.exit(__doc__)
