#!/usr/bin/env python3
"""The operation coverage gate: every operation of every machine ran in the test suite.

Reads the counts that a build configured with BRINDLE_OP_COUNTS appends, at the exit of each
process, to the file named by BRINDLE_OP_COUNTS_FILE: lines "machine path operation count",
where path is "fast" (the default) or "slow" (BRINDLE_SLOW_PATHS=1). Every process writes a
line for every operation, run or not, so the file also lists what there is to run. The machines
that exist only on the fast paths (three-address code, comparison chains, regions) have fast
lines only; the stack machine and the WHILE head have both.

Each (machine, path, operation) must have run at least once, unless the exemptions file names
it with the reason it cannot run. An exempt operation that runs fails the gate too, so that the
list stays true.

usage: check.py COUNTS_FILE EXEMPTIONS_FILE
"""
import collections
import sys


def read_counts(path):
    counts = collections.Counter()
    with open(path) as f:
        for number, line in enumerate(f, 1):
            fields = line.split()
            if len(fields) != 4 or fields[1] not in ('fast', 'slow') or not fields[3].isdigit():
                sys.exit('%s:%d: not "machine path operation count": %r' % (path, number, line))
            counts[tuple(fields[:3])] += int(fields[3])
    return counts


def read_exemptions(path):
    """(machine, path, operation) -> reason; blank lines and lines starting with # are skipped."""
    exemptions = {}
    with open(path) as f:
        for number, line in enumerate(f, 1):
            if not line.strip() or line.startswith('#'):
                continue
            fields = line.split(None, 3)
            if len(fields) < 4:
                sys.exit('%s:%d: not "machine path operation reason": %r' % (path, number, line))
            exemptions[tuple(fields[:3])] = fields[3].strip()
    return exemptions


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    counts = read_counts(sys.argv[1])
    if not counts:
        sys.exit('no operation counts in %s: did the tests run with a counting build?' % sys.argv[1])
    exemptions = read_exemptions(sys.argv[2])

    never_ran = [key for key in sorted(counts) if counts[key] == 0 and key not in exemptions]
    exempt_ran = [key for key in sorted(exemptions) if counts.get(key, 0) > 0]
    unknown = [key for key in sorted(exemptions) if key not in counts]

    by_machine = collections.defaultdict(lambda: [0, 0, 0])  # ran, exempt, operations
    for key, count in counts.items():
        tally = by_machine[key[:2]]
        tally[2] += 1
        if count > 0:
            tally[0] += 1
        elif key in exemptions:
            tally[1] += 1
    print('operations run by the tests (machine, path: ran + exempt / all):')
    for (machine, path), (ran, exempt, total) in sorted(by_machine.items()):
        print('  %-12s %-5s %3d + %d / %d' % (machine, path, ran, exempt, total))

    for title, keys in (('never ran, and not exempt (add a test that runs it):', never_ran),
                        ('exempt, but ran (take it off the exemptions):', exempt_ran),
                        ('exempt, but no machine has it (a misspelling?):', unknown)):
        if keys:
            print(title)
            for key in keys:
                print('  %s %s %s' % key)
    if never_ran or exempt_ran or unknown:
        sys.exit(1)
    print('every operation ran, on every path it has, but the %d exempt' % len(exemptions))


if __name__ == '__main__':
    main()
