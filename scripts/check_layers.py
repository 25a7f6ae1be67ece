#!/usr/bin/env python3
"""Checks that src/ is a stack of rooms.

The order of the rooms is the line "Order: a < b < ..." of
docs/ARCHITECTURE.md. Reports every include of a higher room from a lower
one and every include cycle among the modules of src/ (a module is a .h
and its .cpp). With --strict, any finding fails (exit status 1).
With --root DIR, checks the tree at DIR instead. With --globals, also lists the globals assigned from more than one room
(a guide for review: it reads assignments with a simple pattern).
"""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
if "--root" in sys.argv:  # another tree laid out alike: the check's own test
    ROOT = os.path.abspath(sys.argv[sys.argv.index("--root") + 1])
SRC = os.path.join(ROOT, "src")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z_]+)/([A-Za-z0-9_]+)\.h"')


def read_order():
    path = os.path.join(ROOT, "docs", "ARCHITECTURE.md")
    with open(path, encoding="utf-8") as f:
        for line in f:
            m = re.match(r"^ *order: *(.*)$", line, re.IGNORECASE)
            if m and "<" in m.group(1):
                return [r.strip(" `.") for r in m.group(1).split("<")]
    sys.exit("docs/ARCHITECTURE.md has no 'Order: a < b' line")


def sources():
    for room in sorted(os.listdir(SRC)):
        folder = os.path.join(SRC, room)
        if not os.path.isdir(folder):
            continue
        for name in sorted(os.listdir(folder)):
            if name.endswith((".h", ".cpp")):
                yield room, name, os.path.join(folder, name)


def includes(path):
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            m = INCLUDE.match(line)
            if m:
                yield number, m.group(1), m.group(2)


def upward(order):
    rank = {room: i for i, room in enumerate(order)}
    found = []
    for room, name, path in sources():
        if room not in rank:
            found.append(f"src/{room}/{name}: room '{room}' is not in the order")
            continue
        for number, to_room, to_file in includes(path):
            if to_room in rank and rank[to_room] > rank[room]:
                found.append(f"src/{room}/{name}:{number}: includes {to_room}/{to_file}.h")
    return found


def cycles():
    graph = {}
    for room, name, path in sources():
        node = f"{room}/{os.path.splitext(name)[0]}"
        edges = graph.setdefault(node, set())
        for _, to_room, to_file in includes(path):
            target = f"{to_room}/{to_file}"
            if target != node and os.path.exists(os.path.join(SRC, target + ".h")):
                edges.add(target)
    # Tarjan's strongly connected sets, iteratively.
    index, low, on_stack, stack, found = {}, {}, set(), [], []
    counter = [0]
    for start in sorted(graph):
        if start in index:
            continue
        work = [(start, iter(sorted(graph.get(start, ()))))]
        index[start] = low[start] = counter[0]
        counter[0] += 1
        stack.append(start)
        on_stack.add(start)
        while work:
            node, children = work[-1]
            advanced = False
            for child in children:
                if child not in index:
                    index[child] = low[child] = counter[0]
                    counter[0] += 1
                    stack.append(child)
                    on_stack.add(child)
                    work.append((child, iter(sorted(graph.get(child, ())))))
                    advanced = True
                    break
                if child in on_stack:
                    low[node] = min(low[node], index[child])
            if advanced:
                continue
            work.pop()
            if work:
                low[work[-1][0]] = min(low[work[-1][0]], low[node])
            if low[node] == index[node]:
                group = []
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    group.append(member)
                    if member == node:
                        break
                if len(group) > 1:
                    found.append(sorted(group))
    return found


def globals_by_rooms():
    """Globals declared extern in a header, and the rooms that assign them."""
    declared = {}
    extern = re.compile(r"^\s*extern\s+(?:const\s+)?[A-Za-z_][\w:<>, ]*?[\s*&]+([A-Za-z_]\w*)\s*(?:\[[^\]]*\])*\s*;")
    for room, name, path in sources():
        if not name.endswith(".h"):
            continue
        with open(path, encoding="utf-8") as f:
            for line in f:
                if re.match(r"^\s*extern\s+const\b", line) or "(" in line:
                    continue
                m = extern.match(line)
                if m:
                    declared[m.group(1)] = room
    writers = {g: set() for g in declared}
    for room, name, path in sources():
        if not name.endswith(".cpp"):
            continue
        with open(path, encoding="utf-8") as f:
            text = re.sub(r"//[^\n]*", "", f.read())
        # A definition at file scope gives the first value; it is no write.
        text = re.sub(r"^[A-Za-z_][^\n(]*?[\s*&]\w+\s*(?:\[[^\]]*\])*\s*(?:=|\{)[^\n]*", "", text,
                      flags=re.M)
        for g in declared:
            write = re.compile(
                r"(?<![\w.>])" + g +
                r"(?:\s*\[[^\]]*\])*(?:\s*(?:\.|->)\s*\w+(?:\s*\[[^\]]*\])*)*"
                r"\s*(?:[-+*/|&^]?=(?!=)|\+\+|--)|(?:\+\+|--)\s*" + g + r"\b")
            if write.search(text):
                writers[g].add(room)
    return {g: sorted(r) for g, r in writers.items() if len(r) > 1}, len(declared)


def main():
    strict = "--strict" in sys.argv
    order = read_order()
    up = upward(order)
    cyc = cycles()
    for line in up:
        print(line)
    for group in cyc:
        print(f"cycle of {len(group)} modules: " + " ".join(group))
    if "--globals" in sys.argv:
        many, total = globals_by_rooms()
        for g in sorted(many):
            print(f"global {g} assigned from: " + " ".join(many[g]))
        print(f"{len(many)} of {total} globals assigned from more than one room")
    if up or cyc:
        print(f"{len(up)} upward includes, {sum(len(g) for g in cyc)} modules in cycles"
              f" (order: {' < '.join(order)})")
        return 1 if strict else 0
    return 0


if __name__ == "__main__":
    sys.exit(main())
