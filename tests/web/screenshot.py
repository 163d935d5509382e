"""The README's pictures of the page (scripts/web.sh screenshot): 230/(3+j4) evaluated and
stored in MW1 with the tag Ia, on a desktop screen and on a phone 360 pixels wide."""

import os
import unittest

from kalvox_page import Keys, PageTest

OUTPUT = os.environ.get("KALVOX_SCREENSHOT", "docs/screenshot-web.png")


class Screenshot(PageTest):
    width, height = 660, 640

    def take(self, path):
        self.type("230/(3+j4)", Keys.ENTER)
        self.press("MW1")
        self.tag_box(1).send_keys("Ia")
        self.input_box().click()
        self.driver.save_screenshot(path)

    def test_desktop(self):
        self.take(OUTPUT)


class PhoneScreenshot(Screenshot):
    width, height = 360, 720

    def test_desktop(self):
        self.take(OUTPUT.replace(".png", "-phone.png"))


if __name__ == "__main__":
    unittest.main()
