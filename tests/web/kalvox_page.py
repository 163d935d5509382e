"""The page in headless Chromium, driven as a person would, and the desktop programs
the tests compare it with (paths from scripts/web.sh test)."""

import json
import os
import subprocess
import tempfile
import time
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

PAGE = os.environ.get("KALVOX_PAGE", "build-web/kalvox.html")
CALC = os.environ.get("KALVOX_CALC", "build/kalvox-calc")
REFERENCE = os.environ.get("KALVOX_RESULT_REFERENCE", "build/web_result_file_reference")


def calc(*expressions, algebraic=False):
    """What kalvox-calc prints for each expression, one per line."""
    args = [CALC] + (["-a"] if algebraic else []) + list(expressions)
    done = subprocess.run(args, capture_output=True, text=True, env={"LC_ALL": "C.UTF-8"})
    return done.stdout.splitlines()


def echoed(expression):
    """kalvox-calc --echo: the input as "=" repairs it, and the result."""
    line = calc("--echo", expression)[0]
    text, _, result = line.rpartition("=")
    return text, result


def desktop_file_bytes(state):
    """The desktop writer's result file for a state of both boxes and the registers."""
    lines = [state["input"], state["output"]]
    for reg in state["registers"]:
        lines += [reg["tag"], reg["content"], reg["storedExpression"]]
    done = subprocess.run([REFERENCE], input="\n".join(lines).encode("utf-8") + b"\n",
                          capture_output=True, check=True)
    return done.stdout


class PageTest(unittest.TestCase):
    """One browser for the class, a fresh page with empty storage for every test."""

    width, height = 1000, 800

    @classmethod
    def setUpClass(cls):
        cls.downloads = tempfile.mkdtemp(prefix="kalvox-web-")
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for arg in ("--headless=new", "--no-sandbox", "--disable-gpu",
                    "--disable-dev-shm-usage", f"--window-size={cls.width},{cls.height}"):
            options.add_argument(arg)
        options.add_experimental_option("prefs", {
            "download.default_directory": cls.downloads,
            "download.prompt_for_download": False,
        })
        cls.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        cls.driver.set_window_size(cls.width, cls.height)
        # The copy entries write to the clipboard; the tests read it back.
        cls.driver.execute_cdp_cmd("Browser.grantPermissions", {
            "permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()

    def setUp(self):
        self.open_page()
        self.driver.execute_script("window.localStorage.clear()")
        self.open_page()

    def open_page(self):
        self.driver.get("file://" + os.path.abspath(PAGE))
        self.wait_until(lambda: self.driver.execute_script(
            "return document.body.getAttribute('data-ready')") == "1")

    def wait_until(self, condition, seconds=10):
        end = time.time() + seconds
        while time.time() < end:
            if condition():
                return
            time.sleep(0.05)
        self.fail("the page did not get there in time")

    # --- controls -------------------------------------------------------------------
    def by_id(self, name):
        return self.driver.find_element(By.ID, name)

    def key(self, caption):
        """The button captioned so, found by its accessible name."""
        found = [b for b in self.driver.find_elements(By.CSS_SELECTOR, "button")
                 if b.accessible_name == caption]
        self.assertEqual(len(found), 1, f"one key captioned {caption!r}")
        return found[0]

    def press(self, *captions):
        for caption in captions:
            self.key(caption).click()

    def type(self, text, *more):
        self.input_box().send_keys(text, *more)

    def chord(self, *keys):
        """Modifier keys held while the last key is pressed."""
        actions = ActionChains(self.driver)
        for k in keys[:-1]:
            actions.key_down(k)
        actions.send_keys(keys[-1])
        for k in reversed(keys[:-1]):
            actions.key_up(k)
        actions.perform()

    def input_box(self):
        return self.by_id("inputBox")

    def input_text(self):
        return self.input_box().get_attribute("value")

    def output_text(self):
        return self.by_id("outputBox").get_attribute("value")

    def content(self, k):
        return self.by_id(f"contentBox_{k - 1}").text

    def tag_box(self, k):
        return self.by_id(f"tagBox_{k - 1}")

    def option(self, caption):
        """The option or check box labelled so."""
        return self.driver.find_element(
            By.XPATH, f"//label[normalize-space()='{caption}']/input")

    def mode(self, caption):
        self.option(caption).click()

    def complex_menu(self, caption):
        self.driver.find_element(By.CSS_SELECTOR, "#complexMenu > button").click()
        self.key(caption).click()

    def message(self):
        """The text of the message box when it is open, else None."""
        return self.driver.execute_script(
            "var d = document.getElementById('messageBox');"
            "return d.open ? document.getElementById('messageText').textContent : null;")

    def shown_message(self):
        """The text of the message box, once it opens: dialogs close and report in a
        later task, so a message may come a moment after the click."""
        self.wait_until(lambda: self.message() is not None)
        return self.message()

    def clipboard_text(self, expected, seconds=10):
        """The clipboard's text once it reads as expected, or its last reading after
        the time: the page writes the clipboard in a promise of its own."""
        end = time.time() + seconds
        while True:
            text = self.driver.execute_async_script(
                "var done = arguments[0]; navigator.clipboard.readText().then(done, "
                "function (e) { done('refused: ' + e); });")
            if text == expected or time.time() > end:
                return text
            time.sleep(0.05)

    def stored_state(self):
        """Both boxes and the registers, as the page keeps them."""
        saved = json.loads(self.driver.execute_script(
            "return window.localStorage.getItem('kalvox.panel')"))
        return {"input": self.input_text(), "output": self.output_text(),
                "registers": saved["registers"]}


__all__ = ["PageTest", "calc", "echoed", "desktop_file_bytes", "By", "Keys"]
