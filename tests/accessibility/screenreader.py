#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

"""Meets the running program as a screen reader does, through AT-SPI: finds it
by its process id, walks its tree, and presses its close button.

Usage: screenreader.py PID. Prints what it met; exit status 0 when the tree is
as a reader should find it and the button was pressed, 1 otherwise."""

import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

# Action names are read the way Debian 12's AT-SPI offers, deprecated since.
warnings.filterwarnings("ignore", category=DeprecationWarning)

PICTURE_NAME = "ランダム ドット ステレオグラム"
BUTTON_NAME = "閉じる"
BUTTON_DESCRIPTION = "ウィンドウを閉じて、プログラムを終了します。"
FIND_TIMEOUT_SECONDS = 15

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what)


def find_application(pid):
    desktop = Atspi.get_desktop(0)
    deadline = time.monotonic() + FIND_TIMEOUT_SECONDS
    while time.monotonic() < deadline:
        for i in range(desktop.get_child_count()):
            application = desktop.get_child_at_index(i)
            try:
                if application is not None and application.get_process_id() == pid \
                        and application.get_child_count() > 0:
                    return application
            except gi.repository.GLib.Error:
                pass  # an application that has gone meanwhile
        time.sleep(0.05)
    return None


def describe(node, depth=0):
    print("  " * depth + f"{node.get_role_name()} {node.get_name()!r}")
    for i in range(node.get_child_count()):
        describe(node.get_child_at_index(i), depth + 1)


def every_node(node):
    yield node
    for i in range(node.get_child_count()):
        yield from every_node(node.get_child_at_index(i))


def actions(node):
    """{name: key binding} of the node's actions."""
    if "Action" not in node.get_interfaces():
        return {}
    return {Atspi.Action.get_action_name(node, i): Atspi.Action.get_key_binding(node, i)
            for i in range(Atspi.Action.get_n_actions(node))}


def main():
    pid = int(sys.argv[1])
    application = find_application(pid)
    if application is None:
        print(f"FAIL: no accessible application with process {pid} on the accessibility bus")
        return 1
    describe(application)

    windows = [application.get_child_at_index(i) for i in range(application.get_child_count())]
    check(len(windows) == 1, f"one window, not {len(windows)}")
    frame = windows[0]
    check(frame.get_role_name() == "frame", f"the window is a frame, not a {frame.get_role_name()}")
    check(frame.get_name() == "Form1", f"the window is named by its caption, not {frame.get_name()!r}")

    for node in every_node(frame):
        check(node.get_role_name() != "filler", f"a filler layer {node.get_name()!r} to step through")
        check(node.get_name() != "", f"an unnamed {node.get_role_name()}")

    controls = [frame.get_child_at_index(i) for i in range(frame.get_child_count())]
    check([c.get_role_name() for c in controls] == ["image", "push button"],
          f"the frame holds the picture and the button, not {[c.get_role_name() for c in controls]}")
    for index, control in enumerate(controls):
        check(control.get_parent() == frame and control.get_index_in_parent() == index,
              f"{control.get_role_name()} knows the frame as its parent, at {index}")
    if len(controls) != 2:
        return 1
    picture, button = controls

    check(picture.get_name() == PICTURE_NAME, f"the picture's name: {picture.get_name()!r}")
    description = picture.get_description()
    check(len(description) > len(PICTURE_NAME) and "三本の腕" in description,
          f"the picture's description tells what it shows: {description!r}")
    check(button.get_name() == BUTTON_NAME, f"the button's name: {button.get_name()!r}")
    check(button.get_description() == BUTTON_DESCRIPTION, f"the button's description: {button.get_description()!r}")
    states = button.get_state_set()
    check(states.contains(Atspi.StateType.FOCUSED), "the button has the focus")
    button_actions = actions(button)
    check(button_actions.get("Press") == "Alt+C", f"the button is pressed with Alt+C: {button_actions}")

    if failures:
        return 1
    # The program ends on this; the caller checks how.
    check(Atspi.Action.do_action(button, list(button_actions).index("Press")), "the press action was refused")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
