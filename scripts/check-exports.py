#!/usr/bin/env python3
"""Checks a built DLL's export table against its .def file: every name of the
.def must be exported under exactly that name (no @N decoration, no added
leading underscore) and nothing else may be exported."""
import argparse, re, subprocess, sys

ap = argparse.ArgumentParser()
ap.add_argument('--objdump', required=True)
ap.add_argument('--def', dest='deffile', required=True)
ap.add_argument('--dll', required=True)
a = ap.parse_args()

want = []
in_exports = False
for line in open(a.deffile, encoding='utf-8'):
    line = line.split(';', 1)[0].strip()
    if not line:
        continue
    if re.match(r'^(LIBRARY|NAME)\b', line):
        continue
    if line == 'EXPORTS':
        in_exports = True
        continue
    if in_exports:
        want.append(line.split()[0].split('=')[0])

out = subprocess.run([a.objdump, '-p', a.dll], capture_output=True, text=True, check=True).stdout
table = out.split('[Ordinal/Name Pointer] Table', 1)
have = re.findall(r'^\s*\[\s*\d+\]\s+(\S+)\s*$', table[1].split('\n\n', 1)[0], re.M) if len(table) == 2 else []

bad = []
dups = sorted({n for n in want if want.count(n) > 1})
if dups:
    bad.append('listed twice in the .def: ' + ' '.join(dups))
decorated = [n for n in have if '@' in n or (n.startswith('_') and n not in want and n[1:] in want)]
if decorated:
    bad.append('decorated exports: ' + ' '.join(decorated[:20]))
missing = sorted(set(want) - set(have))
if missing:
    bad.append('missing exports: ' + ' '.join(missing[:50]))
extra = sorted(set(have) - set(want) - set(decorated))
if extra:
    bad.append('exports not in the .def: ' + ' '.join(extra[:50]))
if bad:
    print('\n'.join(bad))
    sys.exit(1)
print(f'{a.dll}: {len(have)} exports, all plain and all listed')
