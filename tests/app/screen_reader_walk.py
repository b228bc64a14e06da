#!/usr/bin/env python3
# Walks what a screen reader sees of the running program through AT-SPI:
# every push button shown needs a name, and no picture is shown at all (the
# decorations are hidden from readers). Usage: screen_reader_walk.py NAME
import sys
import time

import pyatspi


def application(name):
    for _ in range(50):
        desktop = pyatspi.Registry.getDesktop(0)
        apps = [desktop.getChildAtIndex(i) for i in range(desktop.childCount)]
        found = [a for a in apps if a is not None and name in (a.name or "")]
        if found:
            return found[0]
        time.sleep(0.2)
    return None


def walk(node, seen, problems):
    role = node.getRoleName()
    seen[role] = seen.get(role, 0) + 1
    if node.getState().contains(pyatspi.STATE_SHOWING):
        if role == "push button" and not (node.name or "").strip():
            problems.append("a push button without a name")
        if role in ("image", "icon"):
            problems.append(f"a picture shown to readers: {node.name!r}")
    for i in range(node.childCount):
        if (child := node.getChildAtIndex(i)) is not None:
            walk(child, seen, problems)


app = application(sys.argv[1])
if app is None:
    sys.exit("the program is not on the accessibility bus")
seen, problems = {}, []
walk(app, seen, problems)
print(sorted(seen.items()), *problems, sep="\n")
sys.exit(1 if problems or not seen.get("push button") else 0)
