#!/usr/bin/env python3
"""Keeps the folders of src/ in one direction of dependency.

The order is the list of folders in the README's "Layout" section: a file may
include from its own folder and from the folders listed before it, never from
one listed after it. A file belongs to the longest listed folder its path
starts with. Prints every include against the order as FILE:LINE and exits 1;
a folder of src/ that the list does not name is an error too.

    tools/check_layers.py [ROOT]     ROOT: the checkout (default: this file's)
"""

import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
LISTED = re.compile(r"^\s{4}(src/\S+)")
SOURCE_ENDINGS = (".h", ".hpp", ".c", ".cc", ".cpp", ".rc")


def layout_order(readme):
    """The folders in the order the README lists them, as paths below src/."""
    order, inside = [], False
    with open(readme, encoding="utf-8") as text:
        for line in text:
            if line.startswith("## "):
                inside = line.strip() == "## Layout"
                continue
            match = LISTED.match(line) if inside else None
            if match:
                order.append(match.group(1).rstrip("/")[len("src/"):])
    return order


def folder_of(path, order):
    """The listed folder holding `path` (relative to src/), or None."""
    best = None
    for folder in order:
        if (path == folder or path.startswith(folder + "/")) and len(folder) > len(best or ""):
            best = folder
    return best


def check(root):
    src = os.path.join(root, "src")
    order = layout_order(os.path.join(root, "README.md"))
    if not order:
        return ["README.md: the Layout section lists no src/ folders"]
    rank = {folder: index for index, folder in enumerate(order)}
    problems = []
    for directory, _, names in sorted(os.walk(src)):
        for name in sorted(names):
            if not name.endswith(SOURCE_ENDINGS):
                continue
            full = os.path.join(directory, name)
            path = os.path.relpath(full, src).replace(os.sep, "/")
            own = folder_of(path, order)
            shown = os.path.relpath(full, root)
            if own is None:
                problems.append(f"{shown}: its folder is not in the README's Layout list")
                continue
            with open(full, encoding="utf-8", errors="replace") as text:
                for number, line in enumerate(text, 1):
                    match = INCLUDE.match(line)
                    if not match or not os.path.exists(os.path.join(src, match.group(1))):
                        continue
                    target = folder_of(match.group(1), order)
                    if target is None or target == own or rank[target] < rank[own]:
                        continue
                    problems.append(f"{shown}:{number}: includes \"{match.group(1)}\": "
                                    f"src/{target} stands after src/{own} in the layout")
    return problems


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(
        os.path.abspath(__file__)))
    problems = check(root)
    for problem in problems:
        print(problem)
    if problems:
        print(f"{len(problems)} include(s) against the folder order of README.md's Layout section")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
