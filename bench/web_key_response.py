"""How fast the page answers a key: the median time of a click, from the click to the
redrawn boxes, in headless Chromium. Run by `bash scripts/web.sh bench`; it measures
and prints, it passes or fails nothing."""

import os
import statistics
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))

from kalvox_page import PageTest  # noqa: E402

LONG = "(230ej10*conj(5ej-25))||(4+j3)/sqrt(2)^3"


class KeyResponse(PageTest):
    def milliseconds(self, caption, times=15):
        button = self.key(caption)
        spent = [self.driver.execute_script(
            "var t = performance.now(); arguments[0].click(); return performance.now() - t;",
            button) for _ in range(times)]
        return statistics.median(spent)

    def test_measure(self):
        rows = [("key 7, typing", self.milliseconds("7"))]
        self.press("清零")
        self.type(LONG)
        rows.append((f"key =, on {LONG}", self.milliseconds("=")))
        print()
        for name, ms in rows:
            print(f"web key response: {ms:6.2f} ms  {name}")


if __name__ == "__main__":
    unittest.main(verbosity=0)
