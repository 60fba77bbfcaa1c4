#!/usr/bin/python3
"""A pupil's walk through the running program, seen through the accessibility
bus: splash, "Avvio", the menu; every exercise the menu offers, opened once and
left with its "esci" and Yes; last the menu's "Esci" and Yes.

The exercises are those the program lists (`gonioma --list-exercises`: window
name and menu caption), asked while the walked copy runs, so the listing must
pass by the lock that keeps a second copy from starting.

Windows and buttons are found by the names the program gives them (the captions
of its language file), and buttons are pressed through their own "Press"
action, so nothing depends on where a control stands or on how long a step
takes: every wait polls until its window or button is there, up to a time
limit.

Run by startup.sh on the program's own X server and accessibility bus; see
--help for the arguments.
"""
import argparse
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

# The title of the program's questions ("esci", "Esci").
QUESTION_TITLE = "Esercitazioni sugli gonioma"
# The Yes of a message box when the language file gives none: the platform's
# own, in the C locale the test runs the program in.
PLATFORM_YES = "Yes"
POLL_SECONDS = 0.05


class WalkFailed(Exception):
    pass


def say(text):
    print("e2e_startup: " + text, flush=True)


# ---- the language file ------------------------------------------------------

def read_language(path):
    """{section: {key: value}}, names in lower case, one pair of enclosing
    quotes dropped from each value."""
    sections = {}
    current = None
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            line = line.strip()
            if line.startswith("["):
                current = sections.setdefault(line.strip("[] \t").lower(), {})
                continue
            if current is None or "=" not in line:
                continue
            key, value = line.split("=", 1)
            value = value.strip()
            if len(value) >= 2 and value[0] == value[-1] == '"':
                value = value[1:-1]
            current.setdefault(key.strip().lower(), value)
    return sections


def caption(language, section, key):
    value = language.get(section.lower(), {}).get(key.lower(), "")
    if not value:
        raise WalkFailed(f"[{section}] {key} is missing from the language file")
    return value


def yes_caption(language):
    """The name of a message box's Yes button: the language's caption, its
    mnemonic marks dropped as the platform drops them from a button's name."""
    text = language.get("strings", {}).get("0090", "")
    if not text:
        return PLATFORM_YES
    return text.replace("&&", "\0").replace("&", "").replace("\0", "&")


def listed_exercises(program, seconds):
    """[(window name, menu caption)] of the exercises the program lists, in
    menu order."""
    try:
        listing = subprocess.run([program, "--list-exercises"], capture_output=True,
                                 timeout=seconds, check=False)
    except subprocess.TimeoutExpired:
        raise WalkFailed(f"'{program} --list-exercises' did not end within {seconds:g}s")
    if listing.returncode != 0:
        raise WalkFailed(f"'{program} --list-exercises' ended with status {listing.returncode}: "
                         f"{listing.stderr.decode(errors='replace').strip()}")
    exercises = []
    for line in listing.stdout.decode("utf-8").splitlines():
        name, tab, label = line.partition("\t")
        if not (name and tab and label):
            raise WalkFailed(f"the program lists an exercise as '{line}'")
        exercises.append((name, label))
    if not exercises:
        raise WalkFailed("the program lists no exercise")
    return exercises


# ---- the program on the accessibility bus -----------------------------------

class Program:
    def __init__(self, pid, seconds, screen):
        self.pid = pid
        self.seconds = seconds
        self.screen = screen  # (width, height)
        self.root = None

    def alive(self):
        try:
            with open(f"/proc/{self.pid}/stat") as stat:
                return stat.read().rsplit(")", 1)[1].split()[0] not in ("Z", "X")
        except OSError:
            return False

    def wait(self, what, probe, seen=None):
        """probe() until it gives something, or fail after the time limit,
        telling what is shown (or what seen() gives)."""
        deadline = time.monotonic() + self.seconds
        while True:
            if not self.alive():
                raise WalkFailed(f"the program ended while waiting for {what}")
            try:
                found = probe()
            except GLib.Error:  # the tree changed under the probe: look again
                found = None
            if found:
                return found
            if time.monotonic() > deadline:
                raise WalkFailed(f"{what} did not come within {self.seconds:g}s; "
                                 f"{self.describe(seen)}")
            time.sleep(POLL_SECONDS)

    def application(self):
        if self.root is None:
            desktop = pyatspi.Registry.getDesktop(0)
            desktop.clearCache()
            for app in desktop:
                if app is not None and app.get_process_id() == self.pid:
                    self.root = app
                    break
        return self.root

    def windows(self):
        """The program's windows on screen."""
        app = self.application()
        if app is None:
            return []
        app.clearCache()
        shown = []
        for window in app:
            # A tooltip under the resting pointer is a window too, but no window of the program's.
            if window is not None and window.getState().contains(pyatspi.STATE_SHOWING) \
                    and window.getRole() != pyatspi.ROLE_TOOL_TIP:
                shown.append(window)
        return shown

    def describe(self, seen):
        try:
            return seen() if seen else f"windows shown: {[w.name for w in self.windows()]}"
        except GLib.Error as error:
            return f"(cannot tell what is shown: {error})"

    def window(self, title):
        return self.wait(f"a window titled '{title}'",
                         lambda: next((w for w in self.windows() if w.name == title), None))

    def window_gone(self, title):
        self.wait(f"the end of the window titled '{title}'",
                  lambda: all(w.name != title for w in self.windows()))

    def buttons(self, title):
        """The buttons on screen in the windows titled TITLE."""
        return [control for window in self.windows() if window.name == title
                for control in descendants(window)
                if control.getRole() == pyatspi.ROLE_PUSH_BUTTON
                and control.getState().contains(pyatspi.STATE_SHOWING)]

    def button(self, title, name):
        """The button NAME of the window TITLE, once shown."""
        return self.wait(f"a button '{name}' in the window '{title}'",
                         lambda: next((b for b in self.buttons(title) if b.name == name), None),
                         lambda: f"buttons there: {[b.name for b in self.buttons(title)]}")

    def press(self, title, name):
        button = self.button(title, name)
        if not button.getState().contains(pyatspi.STATE_ENABLED):
            raise WalkFailed(f"'{name}' in '{title}' is disabled")
        self.on_screen(button, f"'{name}' in '{title}'")
        action = button.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        for wanted in ("Press", "press", "Click", "click"):
            if wanted in names:
                action.doAction(names.index(wanted))
                return
        raise WalkFailed(f"'{name}' in '{title}' has no press action, only {names}")

    def on_screen(self, control, what):
        """A pupil can only press what lies inside the screen."""
        box = control.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        width, height = self.screen
        if not (box.width > 0 and box.height > 0 and box.x >= 0 and box.y >= 0
                and box.x + box.width <= width and box.y + box.height <= height):
            raise WalkFailed(f"{what} lies at {box.x},{box.y} {box.width}x{box.height}, "
                             f"outside the {width}x{height} screen")


def descendants(accessible):
    for child in accessible:
        if child is not None:
            yield child
            yield from descendants(child)


# ---- the walk ---------------------------------------------------------------

def walk(program, language, exercises):
    splash = caption(language, "FormAvvio", "FormAvvio.Caption")
    menu = caption(language, "FormMenu", "FormMenu.Caption")
    yes = yes_caption(language)

    program.press(splash, caption(language, "FormAvvio", "BottoneAvvio.Caption"))
    program.window(menu)
    program.window_gone(splash)
    say("Avvio opens the menu and closes the splash")

    # The menu shows a button for every listed exercise and none besides.
    labels = [label for _, label in exercises]
    for label in labels:
        program.button(menu, label)
    others = {caption(language, "FormMenu", "Command8.Caption"), caption(language, "FormMenu", "Command1.Caption")}
    unlisted = [b.name for b in program.buttons(menu) if b.name not in labels and b.name not in others]
    if unlisted:
        raise WalkFailed(f"the menu shows buttons the program does not list: {unlisted}")
    say(f"the menu offers the {len(exercises)} exercises the program lists")

    for name, label in exercises:
        title = caption(language, name, name + ".Caption")
        program.press(menu, label)
        program.wait(f"the window '{title}' opened by '{label}'",
                     lambda: opened(program, title, menu, splash))
        program.window_gone(menu)
        program.press(title, caption(language, name, "Command7.Caption"))
        program.press(QUESTION_TITLE, yes)
        program.window(menu)
        program.window_gone(title)
        program.window_gone(QUESTION_TITLE)
        say(f"'{label}' opens '{title}'; its esci and Yes bring the menu back")

    program.press(menu, caption(language, "FormMenu", "Command1.Caption"))
    program.press(QUESTION_TITLE, yes)
    say("Esci and Yes answered")


def opened(program, title, menu, splash):
    """Whether the window TITLE is shown; fails on a window that is neither it
    nor one of the program's others."""
    for window in program.windows():
        # The name is read once: a window closing meanwhile answers with none.
        name = window.name
        if name == title:
            return True
        # A window just mapped can be seen on the bus a moment before its
        # title: it is looked at again on the next round.
        if not name:
            continue
        if name not in (menu, splash, QUESTION_TITLE):
            raise WalkFailed(f"a window titled '{name}' opened instead of '{title}'")
    return False


def screen_size(text):
    width, height = text.lower().split("x")
    return int(width), int(height)


def main():
    parser = argparse.ArgumentParser(description="A pupil's walk through the running program.")
    parser.add_argument("--pid", type=int, required=True, help="the running program")
    parser.add_argument("--program", required=True, help="its executable, asked for its exercises")
    parser.add_argument("--language", required=True, help="its current language file, in UTF-8")
    parser.add_argument("--screen", type=screen_size, required=True, help="WIDTHxHEIGHT of its X screen")
    parser.add_argument("--seconds", type=float, default=40.0, help="the limit of each single wait")
    args = parser.parse_args()
    program = Program(args.pid, args.seconds, args.screen)
    try:
        walk(program, read_language(args.language), listed_exercises(args.program, args.seconds))
    except WalkFailed as failure:
        print(f"e2e_startup: FAILED: {failure}", file=sys.stderr, flush=True)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
