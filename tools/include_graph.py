#!/usr/bin/env python3
"""The include graph of the program's folders and of the files of framework/.

    tools/include_graph.py            checks the rules below; exit 1 on a breach
    tools/include_graph.py --dot      prints the graph for Graphviz

Rules:
  - a folder includes only from itself and the folders below it:
    app -> ui -> controls -> framework -> core (resources holds generated-header
    templates and artwork, reachable from every folder);
  - no header includes itself through others (no loop among files);
  - in framework/, a base class never includes the classes built on it: no file
    of a class includes the header of a class derived from it.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
LAYERS = ["app", "ui", "controls", "framework", "core"]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
CLASS = re.compile(r"^class\s+(\w+)\s*(?:final\s*)?:\s*public\s+(?:\w+::)?(\w+)", re.M)


def sources():
    for layer in LAYERS:
        for path in sorted((ROOT / layer).glob("*")):
            if path.suffix in (".h", ".cpp"):
                yield path


def resolve(including, name):
    """The tree file an include names, or None for a generated or system one."""
    for base in (including.parent, ROOT):
        candidate = (base / name).resolve()
        if candidate.is_file() and ROOT in candidate.parents:
            return candidate
    return None


def graph():
    edges = {}
    for path in sources():
        targets = [resolve(path, n) for n in INCLUDE.findall(path.read_text())]
        edges[path] = [t for t in targets if t]
    return edges


def folder(path):
    return path.relative_to(ROOT).parts[0]


def rank(name):
    return LAYERS.index(name) if name in LAYERS else len(LAYERS)


def derived_classes():
    """class -> set of classes built on it, from the headers of framework/."""
    parent = {}
    for header in (ROOT / "framework").glob("*.h"):
        for child, base in CLASS.findall(header.read_text()):
            parent[child] = base
    derived = {}
    for child in parent:
        base = parent.get(child)
        while base:
            derived.setdefault(base, set()).add(child)
            base = parent.get(base)
    return derived


def breaches(edges):
    found = []
    for src, targets in edges.items():
        for dst in targets:
            if folder(dst) != folder(src) and folder(dst) != "resources" and rank(folder(dst)) <= rank(folder(src)):
                found.append(f"{rel(src)} includes {rel(dst)}: an arrow up the layers")
    derived = derived_classes()
    for src, targets in edges.items():
        if folder(src) != "framework":
            continue
        for dst in targets:
            if folder(dst) == "framework" and dst.stem in derived.get(src.stem, ()):
                found.append(f"{rel(src)} includes {rel(dst)}: a base class includes a class built on it")
    # A loop among files: depth-first search for a back edge.
    state = {}

    def visit(node, stack):
        state[node] = "open"
        stack.append(node)
        for nxt in edges.get(node, []):
            if state.get(nxt) == "open":
                loop = stack[stack.index(nxt):] + [nxt]
                found.append("a loop: " + " -> ".join(rel(p) for p in loop))
            elif nxt not in state:
                visit(nxt, stack)
        stack.pop()
        state[node] = "done"

    for node in edges:
        if node not in state:
            visit(node, [])
    return found


def rel(path):
    return str(path.relative_to(ROOT))


def dot(edges):
    print("digraph includes {\n  rankdir=TB; node [shape=box, fontsize=10];")
    folders = set()
    for src, targets in edges.items():
        for dst in targets:
            if folder(src) == "framework" and folder(dst) == "framework":
                print(f'  "{rel(src)}" -> "{rel(dst)}";')
            elif folder(src) != folder(dst):
                folders.add((folder(src), folder(dst)))
    for a, b in sorted(folders):
        print(f'  "{a}/" -> "{b}/" [penwidth=2];')
    print("}")


def main():
    edges = graph()
    if "--dot" in sys.argv[1:]:
        dot(edges)
        return 0
    found = breaches(edges)
    for line in found:
        print(line)
    print(f"include graph: {sum(map(len, edges.values()))} includes among {len(edges)} files, {len(found)} breaches")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
