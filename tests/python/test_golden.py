"""Every golden case of tests/data: each report's cells as the export file dictates.

Each case is one subtest; a failing case lists every cell that differs. Arguments name the
kinds to run (`test_golden.py photometry kinetics`); none runs all.
"""

import sys
import tempfile
import unittest

import golden

KINDS = []


class GoldenTest(unittest.TestCase):
    def test_golden_cases(self):
        cases = golden.discover(KINDS)
        self.assertTrue(cases, "no golden cases found")
        for case in cases:
            with self.subTest(case=case.label):
                with tempfile.TemporaryDirectory(prefix="korvanta-golden-") as work_dir:
                    result = golden.run(case, work_dir)
                    found = golden.problems(case, result)
                if found:
                    self.fail(f"{case.label}:\n  " + "\n  ".join(found) +
                              "\n  stderr: " + (result.stderr.strip() or "(empty)"))


if __name__ == "__main__":
    KINDS.extend(arg for arg in sys.argv[1:] if not arg.startswith("-"))
    unittest.main(argv=[sys.argv[0]] + [arg for arg in sys.argv[1:] if arg.startswith("-")])
