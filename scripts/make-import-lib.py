#!/usr/bin/env python3
"""Rewrites a 32-bit DLL's import library so that callers compiled against
the __stdcall declarations (which reference Name@N) bind to the plain export
Name. The @N of each export is read from the DLL's own symbol table."""
import argparse, re, subprocess, sys, tempfile, os

ap = argparse.ArgumentParser()
ap.add_argument('--nm', required=True)
ap.add_argument('--dlltool', required=True)
ap.add_argument('--def', dest='deffile', required=True)
ap.add_argument('--dll', required=True)
ap.add_argument('--implib', required=True)
a = ap.parse_args()

names = []
in_exports = False
library = os.path.basename(a.dll)
for line in open(a.deffile, encoding='utf-8'):
    line = line.split(';', 1)[0].strip()
    if not line:
        continue
    if line == 'EXPORTS':
        in_exports = True
    elif in_exports:
        names.append(line.split()[0])

symbols = subprocess.run([a.nm, a.dll], capture_output=True, text=True, check=True).stdout
decorated = {}
for m in re.finditer(r'^\S+ [Tt] _?([A-Za-z_][A-Za-z0-9_]*)@(\d+)$', symbols, re.M):
    decorated.setdefault(m.group(1), m.group(2))

with tempfile.NamedTemporaryFile('w', suffix='.def', delete=False) as f:
    f.write(f'LIBRARY {library}\nEXPORTS\n')
    for n in names:
        # cdecl exports (no @N) stay as they are.
        f.write(f'{n}@{decorated[n]}\n' if n in decorated else f'{n}\n')
    tmp = f.name
try:
    subprocess.run([a.dlltool, '-k', '-d', tmp, '-D', library, '-l', a.implib], check=True)
finally:
    os.unlink(tmp)
