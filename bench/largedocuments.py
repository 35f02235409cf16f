#!/usr/bin/env python3
"""Writes the large files bench_largedocument is run on into the folder given (default: .):
2,000,000 short lines of plain text, rich text of 10^6 and 1.2 * 10^6 paragraphs, 50 MB of rich
text on one line, and 5 MB of random bytes named .rtf."""
import os
import random
import sys

where = sys.argv[1] if len(sys.argv) > 1 else '.'
os.makedirs(where, exist_ok=True)
head = '{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 '


def path(name):
    return os.path.join(where, name)


with open(path('lines2m.txt'), 'w') as f:
    f.write(''.join('%04d\n' % (i % 10000) for i in range(2000000)))
for name, n in (('par1m.rtf', 1000000), ('par1200k.rtf', 1200000)):
    with open(path(name), 'w') as f:
        f.write(head + ''.join('Line %d\\par\n' % i for i in range(n)) + '}')
with open(path('oneline50m.rtf'), 'w') as f:
    word = 'abcdefgh '
    f.write(head + word * (50 * 1024 * 1024 // len(word)) + '}')
with open(path('binary.rtf'), 'wb') as f:
    f.write(random.Random(1).randbytes(5 * 1024 * 1024))
