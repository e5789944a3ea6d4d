#!/usr/bin/env python3
"""Fails when an include points against the layers.

Every quoted include must name its folder ("engine/UVelquor.h"), and a file
may include only from its own folder and the folders below it. Tests and
benchmarks may use the layer they test and whatever that layer may use.
Usage: check_layers.py SOURCE_DIR
"""
import os
import re
import sys

# Folder -> folders it may include from directly (besides itself).
BELOW = {
    "common": [],
    "bitmap": ["common"],
    "palette": ["common"],
    "expression": ["common"],
    "engine": ["bitmap", "palette", "expression", "common"],
    "imaging": ["bitmap", "common"],
    "xml": ["common"],
    "platform": ["common"],
    "settings": ["common"],
    "document": ["engine", "imaging", "xml", "platform", "settings"],
    "ui": ["document"],
    "app": ["ui"],
    "cli": ["document"],
    "tests/support": ["document", "cli"],
    "bench": ["document", "ui"],  # bench_window drives the window itself
    # The fuzz targets (tests/fuzz) feed what the programs read.
    "fuzz": ["document", "cli"],
}
# Layers that must build without Qt, so that velquor-render links none (the
# test velquor_render_links_no_qt checks the linked result).
QT_FREE = {"common", "bitmap", "palette", "expression", "engine", "imaging", "xml", "platform", "document", "cli"}


def reachable(folder):
    seen, todo = set(), [folder]
    while todo:
        f = todo.pop()
        if f in seen:
            continue
        seen.add(f)
        todo.extend(BELOW[f])
    return seen


def layer_of(rel):
    parts = rel.split("/")
    if parts[0] == "tests" and len(parts) > 2:
        return "tests/" + parts[1]
    return parts[0]


def allowed_for(layer):
    if layer.startswith("tests/"):
        tested = layer[len("tests/"):]
        if tested == "support":
            return reachable("tests/support") | {"tests/support"}
        # Fuzz targets may drive whatever the shared test support can reach.
        if tested == "fuzz":
            return reachable("tests/support") | {"tests/support", layer}
        # A test program uses its layer, the shared test support, and its own folder.
        return reachable(tested) | reachable("tests/support") | {"tests/support", layer}
    return reachable(layer)


INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]', re.M)


def check(root):
    problems = []
    for dirpath, dirnames, filenames in os.walk(root):
        rel_dir = os.path.relpath(dirpath, root)
        if rel_dir == ".":
            dirnames[:] = [d for d in dirnames if d in BELOW or d == "tests"]
            continue
        for name in filenames:
            if not name.endswith((".h", ".cpp")):
                continue
            rel = os.path.join(rel_dir, name).replace(os.sep, "/")
            layer = layer_of(rel)
            if layer not in BELOW and not layer.startswith("tests/"):
                continue
            allowed = allowed_for(layer)
            with open(os.path.join(dirpath, name), encoding="utf-8") as f:
                text = f.read()
            for m in INCLUDE.finditer(text):
                line = text.count("\n", 0, m.start()) + 1
                kind, target = m.group(1), m.group(2)
                where = f"{rel}:{line}"
                if kind == "<":
                    tested = layer[len("tests/"):] if layer.startswith("tests/") else layer
                    if target.startswith("Q") and (tested in QT_FREE or tested in ("support", "fuzz")):
                        problems.append(f"{where}: {layer} must stay free of Qt ({target})")
                    continue
                if "/" not in target:
                    problems.append(f'{where}: include "{target}" does not name its folder')
                    continue
                target_layer = layer_of(target)
                if target_layer not in allowed:
                    problems.append(f"{where}: {layer} may not include {target} ({target_layer} is not below it)")
    return problems


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    problems = check(root)
    for p in problems:
        print(p)
    print(f"layers: {len(problems)} includes against the direction")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
