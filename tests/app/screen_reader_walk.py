#!/usr/bin/env python3
"""Walks what a screen reader sees of the running program through AT-SPI and
tells every push button, picture or icon shown without a name; with --no-pictures,
any picture at all (the decorations are to be hidden from readers).

    screen_reader_walk.py APPLICATION_NAME [--no-pictures]
"""
import sys
import time

import pyatspi


def application(name):
    for _ in range(50):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            candidate = desktop.getChildAtIndex(i)
            if candidate is not None and name in (candidate.name or ""):
                return candidate
        time.sleep(0.2)
    return None


def main():
    app = application(sys.argv[1])
    if app is None:
        print("the program is not on the accessibility bus")
        return 2
    problems = []
    seen = {}

    def walk(node):
        if node is None:
            return
        role = node.getRoleName()
        seen[role] = seen.get(role, 0) + 1
        shown = node.getState().contains(pyatspi.STATE_SHOWING)
        if shown and role in ("push button", "image", "icon") and not (node.name or "").strip():
            problems.append(f"a {role} without a name")
        if shown and role in ("image", "icon") and "--no-pictures" in sys.argv:
            problems.append(f"a picture shown to readers: {node.name!r}")
        for i in range(node.childCount):
            walk(node.getChildAtIndex(i))

    walk(app)
    print(sorted(seen.items()))
    for problem in problems:
        print(problem)
    if seen.get("push button", 0) == 0:
        print("no push button at all: the walk saw nothing")
        return 1
    return 1 if problems else 0


sys.exit(main())
