"""What only a browser shows: the phone layout and the keys' names. How fast a key
answers is measured by bench/web_key_response.py."""

from kalvox_page import By, Keys, PageTest, calc


class PhoneLayoutTest(PageTest):
    width, height = 360, 740

    def setUp(self):
        # The window size includes no frame in headless Chromium: the viewport is 360 wide.
        super().setUp()
        self.assertEqual(self.driver.execute_script("return window.innerWidth"), 360)

    def test_nothing_scrolls_sideways(self):
        scroll, client = self.driver.execute_script(
            "var d = document.documentElement; return [d.scrollWidth, d.clientWidth];")
        self.assertLessEqual(scroll, client)

    def test_every_key_is_wide_enough_and_inside_the_screen(self):
        for b in self.driver.find_elements(By.CSS_SELECTOR, "#panel button"):
            if not b.is_displayed():
                continue  # the 复数 menu's entries, while it is closed
            left, right, width = self.driver.execute_script(
                "var r = arguments[0].getBoundingClientRect(); return [r.left, r.right, r.width];",
                b)
            with self.subTest(b.accessible_name):
                self.assertGreaterEqual(width, 36)
                self.assertGreaterEqual(left, 0)
                self.assertLessEqual(right, 360)

    def test_registers_below_the_keys(self):
        pad_bottom = self.driver.execute_script(
            "return document.getElementById('pad').getBoundingClientRect().bottom")
        memory_top = self.driver.execute_script(
            "return document.getElementById('memory').getBoundingClientRect().top")
        self.assertGreaterEqual(memory_top, pad_bottom)

    def test_every_key_can_be_reached(self):
        self.type("230/(3+j4)", Keys.ENTER)
        store = self.key("MW9")
        self.driver.execute_script("arguments[0].scrollIntoView()", store)
        store.click()
        self.assertEqual(self.content(9), calc("230/(3+j4)")[0])


class AccessibilityTest(PageTest):
    def test_every_key_is_a_button_with_a_name(self):
        # The 复数 menu's entries are named while the menu is open.
        self.driver.find_element(By.CSS_SELECTOR, "#complexMenu > button").click()
        captions = [b.accessible_name for b in
                    self.driver.find_elements(By.CSS_SELECTOR, "#panel button")]
        self.assertTrue(all(captions))
        for caption in ("MW1", "MR9", "sin", "ej-j", "π", "=", "计算", "保存", "共轭 conj"):
            self.assertIn(caption, captions)

    def test_boxes_have_their_labels(self):
        self.assertEqual(self.input_box().accessible_name, "输入")
        self.assertEqual(self.by_id("outputBox").accessible_name, "输出")
