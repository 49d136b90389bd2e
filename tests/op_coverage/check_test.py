#!/usr/bin/env python3
"""The gate's verdicts on small counts files: it passes only when every operation ran or is
exempt, and no exemption is run or unknown; counts from several processes add up."""
import os
import subprocess
import sys
import tempfile
import unittest

CHECK = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'check.py')


def verdict(counts, exemptions):
    with tempfile.TemporaryDirectory() as d:
        paths = [os.path.join(d, 'counts'), os.path.join(d, 'exemptions')]
        for path, text in zip(paths, (counts, exemptions)):
            with open(path, 'w') as f:
                f.write(text)
        proc = subprocess.run([sys.executable, CHECK] + paths, capture_output=True, text=True)
    return proc.returncode, proc.stdout + proc.stderr


# Two processes: the second runs what the first did not.
COUNTS = ('stack fast Add 3\nstack slow Add 0\nregion fast Pump 0\n'
          'stack fast Add 0\nstack slow Add 2\nregion fast Pump 0\n')


class Gate(unittest.TestCase):
    def test_counts_of_all_processes_add_up(self):
        status, out = verdict(COUNTS, 'region fast Pump no loop has a pump\n')
        self.assertEqual(status, 0, out)

    def test_an_operation_that_never_ran_fails(self):
        status, out = verdict(COUNTS, '# nothing exempt\n')
        self.assertEqual(status, 1)
        self.assertIn('never ran', out)
        self.assertIn('region fast Pump', out)

    def test_an_exempt_operation_that_ran_fails(self):
        status, out = verdict(COUNTS, 'region fast Pump x\nstack slow Add y\n')
        self.assertEqual(status, 1)
        self.assertIn('exempt, but ran', out)

    def test_an_exemption_no_machine_has_fails(self):
        status, out = verdict(COUNTS, 'region fast Pump x\nregion fast Pmup y\n')
        self.assertEqual(status, 1)
        self.assertIn('region fast Pmup', out)

    def test_no_counts_or_a_bad_line_fails(self):
        self.assertNotEqual(verdict('', '')[0], 0)
        self.assertNotEqual(verdict('stack quick Add 1\n', '')[0], 0)
        self.assertNotEqual(verdict(COUNTS, 'region fast Pump\n')[0], 0)  # no reason


if __name__ == '__main__':
    unittest.main()
