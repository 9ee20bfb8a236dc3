#!/usr/bin/env python3
"""Checks that the engine's layers depend one way: engine/frame/ includes
nothing from another engine folder, engine/fs/ includes only frame/, and no
part includes the files at the top of engine/ (the library-wide release and
the links, which may know every part)."""
import pathlib, re, sys

root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else '.').resolve() / 'engine'
folders = {p.name for p in root.iterdir() if p.is_dir()}
top = {p.name for p in root.iterdir() if p.is_file() and p.suffix == '.h'}
allowed = {'frame': {'frame'}, 'fs': {'frame', 'fs'}}
include = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)

problems = []
for path in sorted(root.rglob('*')):
    if path.suffix not in ('.h', '.hpp', '.cpp', '.inc', '.def') or path.parent == root:
        continue
    layer = path.relative_to(root).parts[0]
    for name in include.findall(path.read_text(encoding='utf-8', errors='replace')):
        first = name.split('/', 1)[0]
        if '/' not in name:
            if name in top:
                problems.append(f'{path.relative_to(root.parent)}: includes "{name}" from the top of engine/')
            continue
        if first in folders and layer in allowed and first not in allowed[layer]:
            problems.append(f'{path.relative_to(root.parent)}: includes "{name}"')

for p in problems:
    print(p)
print(f'{len(problems)} layer problem(s)')
sys.exit(1 if problems else 0)
