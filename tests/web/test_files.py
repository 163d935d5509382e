"""保存 and 打开: the downloaded file has the desktop writer's bytes, and a chosen file is
read by the same reader, with the same words for a refused one."""

import os
import subprocess
import tempfile
import time
import unittest

from kalvox_page import REFERENCE, By, Keys, PageTest, calc, desktop_file_bytes


def desktop_reading(path):
    """The desktop reader's verdict on a file, named as the page names it."""
    folder, name = os.path.split(path)
    done = subprocess.run([REFERENCE, "read", name], cwd=folder, capture_output=True,
                          text=True, check=True)
    return done.stdout


class FileTest(PageTest):
    def setUp(self):
        super().setUp()
        if not self.driver.execute_script("return Module.Panel.hasResultFiles()"):
            self.skipTest("this page is built without result files")
        for name in os.listdir(self.downloads):
            os.remove(os.path.join(self.downloads, name))

    def save_as(self, name, filter_text):
        self.press("保存")
        self.by_id("saveName").send_keys(name)
        self.driver.find_element(By.CSS_SELECTOR, f"#saveFilter option[value='{filter_text}']") \
            .click()
        self.by_id("saveOK").click()

    def downloaded(self, name):
        path = os.path.join(self.downloads, name)
        self.wait_until(lambda: os.path.exists(path) and not os.path.exists(path + ".crdownload"))
        time.sleep(0.2)
        with open(path, "rb") as f:
            return f.read()

    def open_file(self, path):
        self.key("打开").click()
        self.by_id("openFile").send_keys(path)

    def test_save_gives_the_desktop_bytes(self):
        self.type("230/(3+j4)", Keys.ENTER)
        self.press("MW1")
        self.tag_box(1).send_keys("CT变比")
        self.press("清零")
        self.type("1/(3+j4)")
        self.press("MW2")  # stored before "=": the input as typed, the output empty
        self.tag_box(3).send_keys("cosφ")
        self.save_as("三相计算", "计算结果(*.jsq)")
        saved = self.downloaded("三相计算.jsq")
        self.assertEqual(saved, desktop_file_bytes(self.stored_state()))
        self.assertTrue(saved.startswith(b"1/(3+j4)=" + calc("1/(3+j4)")[0].encode()))

    def test_cancel_writes_nothing(self):
        self.type("1+2")
        self.press("保存")
        self.by_id("saveCancel").click()
        self.assertEqual(self.output_text(), "3")  # the save key evaluates first
        time.sleep(0.5)
        self.assertEqual(os.listdir(self.downloads), [])

    def test_unencodable_character_is_refused(self):
        self.tag_box(1).send_keys("☃")
        self.press("MW1")
        self.save_as("x", "文本文件(*.txt)")
        self.assertIn("GBK", self.shown_message())
        time.sleep(0.5)
        self.assertEqual(os.listdir(self.downloads), [])

    def test_open_a_result_file(self):
        state = {"input": "230/(3+j4)", "output": "0",
                 "registers": [{"tag": "Ia", "content": "5ej30", "storedExpression": "5ej30"},
                               {"tag": "", "content": "7", "storedExpression": "3+4"}]}
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "结果.jsq")
            with open(path, "wb") as f:
                f.write(desktop_file_bytes(state))
            self.open_file(path)
            self.wait_until(lambda: self.content(1) == "5ej30")
        self.assertEqual(self.output_text(), calc("230/(3+j4)")[0])
        self.assertEqual(self.tag_box(1).get_attribute("value"), "Ia")
        self.assertEqual(self.content(2), "7")
        self.assertIsNone(self.message())

    def test_open_a_bad_file(self):
        bad = {
            "no equals": b"1+2\r\n",
            "not GBK": b"1+2=3\r\n\xff\xfe=1\r\n",
            "control character": b"1+2=\t3\r\n",
            "ten registers": b"1=1\r\n" + b"a=1=1\r\n" * 10,
        }
        for name, content in bad.items():
            with self.subTest(name), tempfile.TemporaryDirectory() as folder:
                self.type("5", Keys.ENTER)
                path = os.path.join(folder, "bad.jsq")
                with open(path, "wb") as f:
                    f.write(content)
                self.open_file(path)
                self.assertEqual(self.shown_message(), desktop_reading(path))
                self.driver.find_element(By.CSS_SELECTOR, "#messageBox button").click()
                self.assertEqual(self.output_text(), "5")  # nothing changed
                self.press("清零")


if __name__ == "__main__":
    unittest.main()
