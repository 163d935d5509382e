"""Journeys through the page as a person makes them; every result is kalvox-calc's."""

from selenium.webdriver.common.action_chains import ActionChains

from kalvox_page import By, Keys, PageTest, calc, echoed


class EvaluationTest(PageTest):
    def test_typed_expression_and_enter(self):
        self.type("230/(3+j4)", Keys.ENTER)
        text, result = echoed("230/(3+j4)")
        self.assertEqual(self.output_text(), result)
        self.assertEqual(self.input_text(), text)

    def test_typed_expressions_give_the_calculators_results(self):
        cases = [
            ("implicit product", "2(3+j4)"),
            ("error with its part selected", "2*x"),
            ("division by zero", "10/0"),
            ("phasor sum", "2ej30*3+j4"),
            ("Euler's number and prefixes", "12*(1-e^(-5m/(1k*10u)))"),
            ("angle expression", "100ej-arccos(0.9)"),
            ("degree sign in radians", "e^(j30\u00b0)"),
        ]
        for name, expression in cases:
            with self.subTest(name):
                self.press("清零")
                self.type(expression, Keys.ENTER)
                text, result = echoed(expression)
                self.assertEqual(self.output_text(), result)

    def test_typing_filter_lowers_e_and_j(self):
        self.type("2E3+J")
        self.assertEqual(self.input_text(), "2e3+j")

    def test_history_up_and_down(self):
        self.type("1+2", Keys.ENTER)
        self.press("清零")
        self.type("7*6", Keys.ENTER)
        self.press("清零")
        self.type("5")
        self.type(Keys.ARROW_UP)
        self.assertEqual(self.input_text(), "7*6")
        self.type(Keys.ARROW_UP)
        self.assertEqual(self.input_text(), "1+2")
        self.type(Keys.ARROW_DOWN, Keys.ARROW_DOWN)
        self.assertEqual(self.input_text(), "5")


class KeysAndModesTest(PageTest):
    def test_keys_build_an_expression(self):
        self.press("2", "*", "(", "3", "+", "j", "4", ")", "=")
        self.assertEqual(self.output_text(), calc("2*(3+j4)")[0])

    def test_keys_insert_at_the_caret(self):
        self.type("12", Keys.ARROW_LEFT)
        self.press("5")
        self.assertEqual(self.input_text(), "152")
        self.press("退格")
        self.assertEqual(self.input_text(), "12")

    def test_whole_input_mode_wraps_the_input(self):
        self.type("1+2")
        self.mode("整式输入")
        self.press("sin")
        self.assertEqual(self.input_text(), "sin(1+2)")
        self.press("=")
        self.assertEqual(self.output_text(), calc("sin(1+2)")[0])

    def test_inverse_in_symbol_mode(self):
        self.option("反函数").click()
        self.press("sin")
        self.type("0.5")
        self.press("=")
        self.assertEqual(self.output_text(), calc("arcsin0.5")[0])

    def test_output_mode_applies_the_key_to_the_result(self):
        self.type("30", Keys.ENTER)
        self.mode("输出求值")
        self.press("sin")
        self.assertEqual(self.output_text(), calc("sin(30)")[0])
        self.assertEqual(self.input_text(), "sin(30)")

    def test_keys_off_by_mode(self):
        off = lambda caption: not self.key(caption).is_enabled()
        self.assertTrue(off("x^2") and off("x^3") and off("1/x"))
        self.mode("输出求值")
        self.assertFalse(off("x^2") or off("1/x"))
        self.assertTrue(off("^"))
        self.type("1/0", Keys.ENTER)
        self.assertTrue(all(off(c) for c in ("sin", "ln", "n!", "ej-j")))

    def test_ej_j_turns_the_result_around(self):
        self.type("230/(3+j4)", Keys.ENTER)
        self.press("ej-j")
        self.assertEqual(self.output_text(), calc("230/(3+j4)", algebraic=True)[0])
        self.press("ej-j")
        self.assertEqual(self.output_text(), calc("230/(3+j4)")[0])

    def test_output_menu_copies_the_other_form(self):
        self.type("230/(3+j4)", Keys.ENTER)
        ActionChains(self.driver).context_click(self.by_id("outputBox")).perform()
        self.by_id("copyAlgebraic").click()
        expected = calc("230/(3+j4)", algebraic=True)[0]
        self.assertEqual(self.clipboard_text(expected), expected)
        self.assertEqual(self.output_text(), calc("230/(3+j4)")[0])

    def test_shortcuts(self):
        self.chord(Keys.ALT, "s")
        self.assertEqual(self.input_text(), "sin")
        self.type("30")
        self.chord(Keys.CONTROL, "l")
        self.assertEqual(self.input_text(), "")
        self.chord(Keys.CONTROL, "p")
        self.assertEqual(self.input_text(), "3.14159265358979")
        self.chord(Keys.F2)
        self.assertTrue(self.option("整式输入").is_selected())
        self.chord(Keys.F5)
        self.assertTrue(self.option("反函数").is_selected())

    def test_escape_leaves_the_boxes(self):
        self.type("1+2", Keys.ESCAPE)
        self.assertEqual(self.input_text(), "1+2")
        self.assertEqual(self.output_text(), "0")


class RegisterTest(PageTest):
    def test_store_with_tag_survives_a_reload(self):
        self.type("230/(3+j4)", Keys.ENTER)
        self.press("MW1")
        self.tag_box(1).send_keys("Ia")
        result = calc("230/(3+j4)")[0]
        self.open_page()
        self.assertEqual(self.content(1), result)
        self.assertEqual(self.tag_box(1).get_attribute("value"), "Ia")
        self.type("2*")
        self.press("MR1")
        self.assertEqual(self.input_text(), "2*" + result)

    def test_mode_and_inverse_survive_a_reload(self):
        self.mode("整式输入")
        self.option("反函数").click()
        self.open_page()
        self.assertTrue(self.option("整式输入").is_selected())
        self.assertTrue(self.option("反函数").is_selected())
        self.assertFalse(self.key("^").is_enabled())


class ComplexMenuTest(PageTest):
    def test_function_word_follows_the_mode(self):
        self.type("3+j4")
        self.mode("整式输入")
        self.complex_menu("共轭 conj")
        self.assertEqual(self.input_text(), "conj(3+j4)")
        self.press("=")
        self.assertEqual(self.output_text(), calc("conj(3+j4)")[0])

    def test_symmetrical_components(self):
        phases = ["100ej10", "80ej-100", "120ej135"]
        for k, phase in enumerate(phases, start=1):
            self.press("清零")
            self.type(phase, Keys.ENTER)
            self.press(f"MW{k}")
        self.tag_box(1).send_keys("Ua")
        self.complex_menu("对称分量")
        expected = calc("((100ej10)+(80ej-100)+(120ej135))/3",
                        "((100ej10)+1ej120*(80ej-100)+1ej-120*(120ej135))/3",
                        "((100ej10)+1ej-120*(80ej-100)+1ej120*(120ej135))/3")
        self.assertEqual([self.content(k) for k in (4, 5, 6)], expected)
        self.assertEqual([self.tag_box(k).get_attribute("value") for k in (4, 5, 6)],
                         ["U0", "U1", "U2"])

    def test_symmetrical_components_name_an_empty_phase(self):
        self.complex_menu("对称分量")
        self.assertIn("1", self.shown_message())
        self.assertEqual(self.content(4), "")

    def test_menu_shortcut(self):
        self.chord(Keys.ALT, "m")
        self.assertEqual(self.input_text(), "abs")


class DialogTest(PageTest):
    def test_f1_lists_the_shortcuts(self):
        self.chord(Keys.F1)
        table = self.by_id("shortcutTable")
        self.assertTrue(table.is_displayed())
        rows = table.find_elements(By.TAG_NAME, "tr")
        self.assertIn("Ctrl+S", [r.find_elements(By.TAG_NAME, "td")[0].text
                                 for r in rows[1:]])
        # The note on typing is the window's, from the model.
        self.assertIn("2.71828182845905", self.by_id("typingNote").text)
        self.chord(Keys.ESCAPE)
        self.assertFalse(table.is_displayed())

    def test_about(self):
        self.key("关于").click()
        self.assertTrue(self.by_id("version").is_displayed())
        self.assertEqual(self.by_id("version").text, "版本:测试版")
        self.by_id("okButton").click()
        self.assertFalse(self.by_id("aboutDialog").is_displayed())
