// The page draws the panel model's state and forwards every event to it, as the Qt
// window does: the rules of the calculator live in the C++ model (web/bindings.cpp).
// What is here: building the controls from the model's key table, reading the input
// box's text, caret and selection, the keyboard, the dialogs and the browser's storage.
"use strict";

var Module = {
    onRuntimeInitialized: function () { kalvoxPage.start(Module); }
};

var kalvoxPage = (function () {
    var panel, M, G, keys, keyAt = {}, buttons = [], complexItems = [];
    var text1, text2, tagBoxes = [], contentBoxes = [], modeOptions = [], inverseBox;
    var coarsePointer = window.matchMedia && window.matchMedia("(pointer: coarse)").matches;
    var storageKey = "kalvox.panel";

    // The key pad in rows, as the window places it: [group name, index].
    var padRows = [
        [["Function", 0], ["Function", 1], ["Function", 2], ["Function", 3], ["Function", 7],
         ["Function", 8]],
        [["Function", 4], ["Function", 5], ["Function", 6], ["Function", 9], ["Function", 10],
         ["Function", 11]],
        null,
        [["Digit", 7], ["Digit", 8], ["Digit", 9], ["Complex", 0], ["Complex", 2], ["Operator", 0]],
        [["Digit", 4], ["Digit", 5], ["Digit", 6], ["Complex", 1], ["Complex", 3], ["Operator", 1]],
        [["Digit", 1], ["Digit", 2], ["Digit", 3], ["Complex", 6], ["Equals", 0], ["Operator", 2]],
        [["Digit", 0], ["Digit", 10], ["Pi", 0], ["Complex", 4], ["Complex", 5], ["Operator", 3]]
    ];
    // The options in the frame from left to right.
    var frameModes = ["WholeInput", "Symbol", "Output"];

    var aboutTexts = {
        caption: "关于Kalvox",
        title: "Kalvox",
        version: "版本:测试版",
        description: "本计算器专门针对电工计算中复杂的复数运算及常用函数设计 " +
            ",在输入框中可直接输入表达式即计算公式," +
            "按计算按钮或=计算出结果,可暂将结果保存,最多可同时保存9个中间结果," +
            "还可将计算结果保存至文件。",
        contact: "有问题或建议请告诉开发者。",
        disclaimer: "警各:1.本计算器对负数的小于1的除(1/2,1/3)次方外的其他各次方的计算将出现错误," +
            "计算时应输入正数。对反正切、反佘切函数的计算不能正确区分象限,还有其他未知的错误," +
            "请使用者注意。\n" +
            "2.结果保留15位有效数字,末位或有舍入误差。\n" +
            "3.存储的结果关闭程序后即丢失,请及时保存。"
    };
    function el(tag, attrs, text) {
        var e = document.createElement(tag);
        if (attrs) Object.keys(attrs).forEach(function (k) { e.setAttribute(k, attrs[k]); });
        if (text !== undefined) e.textContent = text;
        return e;
    }

    function keyOf(groupName, index) { return keyAt[G[groupName] + ":" + (index || 0)]; }

    // --- Building the controls ------------------------------------------------------
    function keyButton(groupName, index, className) {
        var key = keyOf(groupName, index);
        var b = el("button", {type: "button", id: key.name}, key.caption);
        if (className) b.className = className;
        if (key.tooltip) b.title = key.tooltip;
        // A click leaves the focus, and so the caret and selection, in the input box.
        b.addEventListener("mousedown", function (e) { e.preventDefault(); });
        b.addEventListener("click", function () { forward(key); });
        buttons.push({key: key, element: b});
        return b;
    }

    function build() {
        var root = document.getElementById("panel");
        root.textContent = "";

        var bar = el("nav", {id: "menubar"});
        var about = keyOf("About"), open = keyOf("Open");
        [about, open].forEach(function (key) {
            var b = el("button", {type: "button", id: key.name}, key.caption);
            if (key.shortcut) b.title = key.shortcut;
            b.addEventListener("click", function () { forward(key); });
            bar.appendChild(b);
        });
        var menu = el("div", {"class": "menu", id: "complexMenu"});
        var menuButton = el("button", {type: "button", "aria-haspopup": "true",
                                       "aria-expanded": "false"}, "复数");
        var list = el("div", {"class": "menu-list", role: "menu"});
        keys.forEach(function (key) {
            if (key.group !== G.ComplexMenu) return;
            var item = el("button", {type: "button", role: "menuitem", id: key.name,
                                     "aria-label": key.caption});
            item.appendChild(el("span", null, key.caption));
            item.appendChild(el("span", {"class": "keys"}, key.shortcut));
            item.title = key.tooltip;
            item.addEventListener("mousedown", function (e) { e.preventDefault(); });
            item.addEventListener("click", function () { closeMenu(); forward(key); });
            complexItems.push({key: key, element: item});
            list.appendChild(item);
        });
        menuButton.addEventListener("mousedown", function (e) { e.preventDefault(); });
        menuButton.addEventListener("click", function () {
            if (menu.classList.contains("open")) closeMenu(); else openMenu();
        });
        menu.appendChild(menuButton);
        menu.appendChild(list);
        bar.appendChild(menu);
        root.appendChild(bar);

        var row1 = el("div", {"class": "box-row"});
        row1.appendChild(el("label", {"for": "inputBox", id: "inputLabel"}, "输入"));
        text1 = el("input", {type: "text", id: "inputBox", title: "表达式输入框", autocomplete: "off",
                             spellcheck: "false", autocapitalize: "off"});
        row1.appendChild(text1);
        root.appendChild(row1);

        var row2 = el("div", {"class": "box-row"});
        row2.appendChild(el("label", {"for": "outputBox", id: "outputLabel"}, "输出"));
        text2 = el("input", {type: "text", id: "outputBox", title: "计算结果输出框", autocomplete: "off",
                             spellcheck: "false", autocapitalize: "off"});
        row2.appendChild(text2);
        var commands = el("div", {"class": "commands"});
        ["Calculate", "Clear", "Backspace", "Save"].forEach(function (name) {
            commands.appendChild(keyButton(name));
        });
        row2.appendChild(commands);
        root.appendChild(row2);

        var work = el("div", {id: "work"});
        var left = el("div", {id: "keys"});
        var frame = el("fieldset", {id: "modeFrame"});
        frameModes.forEach(function (modeName) {
            var key = keyOf("Mode", M[modeName]);
            var label = el("label", {title: key.tooltip});
            var option = el("input", {type: "radio", name: "mode", id: key.name});
            option.addEventListener("change", function () {
                if (option.checked) forward(key);
            });
            label.appendChild(option);
            label.appendChild(document.createTextNode(key.caption));
            modeOptions.push({key: key, element: option});
            frame.appendChild(label);
        });
        left.appendChild(frame);
        var inverseRow = el("div", {id: "inverse-row"});
        var inverseKey = keyOf("Inverse");
        var inverseLabel = el("label");
        inverseBox = el("input", {type: "checkbox", id: inverseKey.name});
        inverseBox.addEventListener("change", function () { forward(inverseKey); });
        inverseLabel.appendChild(inverseBox);
        inverseLabel.appendChild(document.createTextNode(inverseKey.caption));
        inverseRow.appendChild(inverseLabel);
        left.appendChild(inverseRow);

        var pad = el("div", {id: "pad"});
        padRows.forEach(function (row) {
            if (!row) { pad.appendChild(el("div", {"class": "gap-row"})); return; }
            row.forEach(function (cell) { pad.appendChild(keyButton(cell[0], cell[1])); });
        });
        left.appendChild(pad);
        work.appendChild(left);

        var memory = el("div", {id: "memory"});
        var tags = Module.Panel.presetTags();
        var datalist = el("datalist", {id: "presetTags"});
        tags.forEach(function (t) { datalist.appendChild(el("option", {value: t})); });
        memory.appendChild(datalist);
        for (var i = 0; i < 9; ++i) {
            memory.appendChild(keyButton("Store", i));
            var tag = el("input", {type: "text", id: "tagBox_" + i, list: "presetTags",
                                   "aria-label": "存储标志" + (i + 1), autocomplete: "off"});
            tag.title = Module.Panel.tagTooltip(i + 1, "");
            (function (index, box) {
                box.addEventListener("input", function () {
                    panel.editTag(index, box.value);
                    box.title = Module.Panel.tagTooltip(index + 1, box.value);
                    store();
                });
            })(i, tag);
            tagBoxes.push(tag);
            memory.appendChild(tag);
            var content = el("output", {id: "contentBox_" + i, "aria-label": "存储结果" + (i + 1)});
            contentBoxes.push(content);
            memory.appendChild(content);
            memory.appendChild(keyButton("Recall", i));
        }
        work.appendChild(memory);
        root.appendChild(work);
        var outputMenu = el("div", {id: "outputMenu", "class": "menu-list", role: "menu"});
        outputMenu.hidden = true;
        root.appendChild(outputMenu);
        buildDialogs();
    }

    function buildDialogs() {
        var message = el("dialog", {id: "messageBox"});
        message.appendChild(el("h2", null, "Kalvox"));
        message.appendChild(el("div", {"class": "body", id: "messageText"}));
        var ok = el("div", {"class": "buttons"});
        var okButton = el("button", {type: "button"}, "确定");
        okButton.addEventListener("click", function () { message.close(); });
        ok.appendChild(okButton);
        message.appendChild(ok);
        document.body.appendChild(message);

        var about = el("dialog", {id: "aboutDialog", "aria-label": aboutTexts.caption});
        about.appendChild(el("h2", null, aboutTexts.caption));
        var body = el("div", {"class": "body", id: "about"});
        body.appendChild(el("div", {"class": "title", id: "title"}, aboutTexts.title));
        body.appendChild(el("div", {id: "version"}, aboutTexts.version));
        body.appendChild(el("p", {id: "description"}, aboutTexts.description));
        body.appendChild(el("p", {id: "contactLine"}, aboutTexts.contact));
        body.appendChild(el("hr"));
        body.appendChild(el("p", {id: "disclaimer"}, aboutTexts.disclaimer));
        about.appendChild(body);
        var aboutButtons = el("div", {"class": "buttons"});
        var okButton = el("button", {type: "button", id: "okButton"}, "确定");
        okButton.addEventListener("click", function () { about.close(); });
        aboutButtons.appendChild(okButton);
        about.appendChild(aboutButtons);
        document.body.appendChild(about);

        var help = el("dialog", {id: "shortcutList", "aria-label": "Kalvox 快捷键"});
        help.appendChild(el("h2", null, "Kalvox 快捷键"));
        var helpBody = el("div", {"class": "body"});
        var table = el("table", {id: "shortcutTable"});
        var head = el("tr");
        head.appendChild(el("th", null, "按键"));
        head.appendChild(el("th", null, "作用"));
        table.appendChild(head);
        keys.forEach(function (key) {
            if (!key.shortcut) return;
            var row = el("tr");
            row.appendChild(el("td", null, key.shortcut));
            row.appendChild(el("td", null, key.helpLine));
            table.appendChild(row);
        });
        helpBody.appendChild(table);
        helpBody.appendChild(el("p", {id: "typingNote"}, Module.Panel.typingNote().join("\n")));
        help.appendChild(helpBody);
        var helpButtons = el("div", {"class": "buttons"});
        var close = el("button", {type: "button"}, "关闭");
        close.addEventListener("click", function () { help.close(); });
        helpButtons.appendChild(close);
        help.appendChild(helpButtons);
        document.body.appendChild(help);

        [message, about, help].forEach(function (d) {
            d.addEventListener("close", function () { if (!coarsePointer) text1.focus(); });
        });
    }

    function showDialog(id) {
        var d = document.getElementById(id);
        if (!d.open) d.showModal();
        return d;
    }

    function showMessage(text) {
        document.getElementById("messageText").textContent = text;
        showDialog("messageBox");
    }

    // The output box's menu of copies.
    function showOutputMenu(forms, x, y) {
        var menu = document.getElementById("outputMenu");
        menu.textContent = "";
        forms.forEach(function (form) {
            var item = el("button", {type: "button", role: "menuitem", id: form.name},
                          form.caption);
            item.disabled = !form.text;
            item.addEventListener("click", function () {
                closeOutputMenu();
                copyText(form.text);
            });
            menu.appendChild(item);
        });
        menu.style.left = x + "px";
        menu.style.top = y + "px";
        menu.hidden = false;
    }

    function closeOutputMenu() { document.getElementById("outputMenu").hidden = true; }

    function copyText(text) {
        if (navigator.clipboard && navigator.clipboard.writeText) {
            navigator.clipboard.writeText(text).catch(function () { copyBySelection(text); });
        } else {
            copyBySelection(text);
        }
    }

    function copyBySelection(text) {
        var area = el("textarea");
        area.value = text;
        document.body.appendChild(area);
        area.select();
        document.execCommand("copy");
        area.remove();
        text1.focus();
    }

    function openMenu() {
        var menu = document.getElementById("complexMenu");
        menu.classList.add("open");
        menu.firstChild.setAttribute("aria-expanded", "true");
    }

    function closeMenu() {
        var menu = document.getElementById("complexMenu");
        menu.classList.remove("open");
        menu.firstChild.setAttribute("aria-expanded", "false");
    }

    // --- Events into the model ------------------------------------------------------
    function syncInput(edited) {
        var start = text1.selectionStart, end = text1.selectionEnd;
        var caret = text1.selectionDirection === "backward" ? start : end;
        panel.syncInput(text1.value, caret, start, end - start, edited);
    }

    function forward(key) {
        syncInput(false);
        panel.press(key.group, key.index);
        var state = render();
        if (state.message) showMessage(state.message);
        afterCommand(key);
    }

    function afterCommand(key) {
        if (key.group === G.About) showDialog("aboutDialog");
        else if (key.group === G.ShortcutList) showDialog("shortcutList");
        else if (key.group === G.Save) kalvoxFiles.save(panel, showMessage);
        else if (key.group === G.Open) kalvoxFiles.open(panel, showMessage, render);
    }

    // --- Drawing the model's state --------------------------------------------------
    function render() {
        var s = panel.state();
        if (s.edit.kind !== 0) {
            if (text1.value !== s.input) text1.value = s.input;
            if (s.selectionLength > 0) {
                text1.setSelectionRange(s.selectionStart, s.selectionStart + s.selectionLength);
            } else {
                text1.setSelectionRange(s.caret, s.caret);
            }
        }
        if (text2.value !== s.output) text2.value = s.output;
        text2.title = s.outputTooltip;
        buttons.forEach(function (b) {
            var i = b.key.position;
            b.element.disabled = !s.enabled[i];
            if (s.tooltips[i]) b.element.title = s.tooltips[i];
        });
        complexItems.forEach(function (item) {
            item.element.disabled = !s.enabled[item.key.position];
        });
        modeOptions.forEach(function (o) { o.element.checked = o.key.index === s.mode; });
        inverseBox.checked = s.inverse;
        for (var i = 0; i < 9; ++i) {
            var reg = s.registers[i];
            if (s.registersReplaced) {
                tagBoxes[i].value = reg.tag;
                tagBoxes[i].title = reg.tagTooltip;
            }
            contentBoxes[i].textContent = reg.content;
            contentBoxes[i].title = reg.contentTooltip;
        }
        if (!coarsePointer || document.activeElement === text1 ||
            document.activeElement === text2) {
            if (s.focus === "input") text1.focus();
            if (s.focus === "output") text2.focus();
        }
        store(s);
        return s;
    }

    // --- The browser's storage: registers with their tags, the mode and 反函数 -------
    function store(state) {
        var s = state || panel.state();
        try {
            window.localStorage.setItem(storageKey, JSON.stringify({
                registers: s.registers.map(function (r) {
                    return {tag: r.tag, content: r.content, storedExpression: r.storedExpression};
                }),
                mode: s.mode,
                inverse: s.inverse
            }));
        } catch (e) { /* storage off: the page works without it */ }
    }

    function restore() {
        var saved = null;
        try { saved = JSON.parse(window.localStorage.getItem(storageKey)); } catch (e) { }
        if (!saved) return;
        if (Array.isArray(saved.registers)) {
            panel.restoreRegisters(saved.registers.map(function (r) {
                return {tag: String(r.tag || ""), content: String(r.content || ""),
                        storedExpression: String(r.storedExpression || "")};
            }));
        }
        if (saved.mode === M.WholeInput || saved.mode === M.Output) panel.selectMode(saved.mode);
        if (saved.inverse === true) panel.toggleInverse();
    }

    // --- Keyboard -------------------------------------------------------------------
    function parseShortcut(text) {
        var parts = text.split("+");
        return {ctrl: parts.indexOf("Ctrl") >= 0, alt: parts.indexOf("Alt") >= 0,
                shift: parts.indexOf("Shift") >= 0, key: parts[parts.length - 1]};
    }

    function eventKeyName(e) {
        if (/^F\d+$/.test(e.key)) return e.key;
        if (/^Key[A-Z]$/.test(e.code)) return e.code.substring(3);
        if (/^Digit\d$/.test(e.code)) return e.code.substring(5);
        return null;
    }

    function shortcutFor(e) {
        var name = eventKeyName(e);
        if (!name) return null;
        for (var i = 0; i < keys.length; ++i) {
            var k = keys[i];
            if (!k.shortcut) continue;
            var s = k.parsed || (k.parsed = parseShortcut(k.shortcut));
            if (s.key === name && s.ctrl === e.ctrlKey && s.alt === e.altKey &&
                s.shift === e.shiftKey && !e.metaKey) return k;
        }
        return null;
    }

    function onKeyDown(e) {
        var openDialog = document.querySelector("dialog[open]");
        if (openDialog) return;  // the dialog's own keys: Enter on its button, Esc closes it
        if (e.key === "Escape") {
            closeMenu();
            closeOutputMenu();
            e.preventDefault();
            return;
        }
        var key = shortcutFor(e);
        if (key) {
            e.preventDefault();
            // A key that is off on the screen is off from the keyboard too.
            if (key.group === G.Mode || key.group === G.ShortcutList ||
                panel.state().enabled[key.position]) {
                closeMenu();
                forward(key);
            }
            return;
        }
        if (e.key === "Enter" && !e.isComposing) {
            if (e.target.tagName === "BUTTON") return;  // Enter presses the focused key
            e.preventDefault();
            forward(keyOf("Equals"));
            return;
        }
        if (e.target === text1 && !e.ctrlKey && !e.altKey && !e.metaKey && !e.shiftKey &&
            (e.key === "ArrowUp" || e.key === "ArrowDown")) {
            e.preventDefault();
            syncInput(false);
            panel.walkHistory(e.key === "ArrowUp");
            render();
            return;
        }
        // Alt with a key is a shortcut; one the panel does not use types nothing either.
        if (e.altKey && e.key.length === 1) e.preventDefault();
    }

    // Every character typed into the input box goes through the model's filter.
    function onBeforeInput(e) {
        if (e.inputType !== "insertText" || e.data === null) return;
        var accepted = "";
        for (var i = 0; i < e.data.length; ++i) {
            var code = e.data.charCodeAt(i);
            var signed = code >= 0x8000 ? code - 0x10000 : code;
            var out = Module.Panel.filterKey(signed);
            if (out !== 0) accepted += String.fromCharCode(out & 0xFFFF);
        }
        if (accepted === e.data) return;
        e.preventDefault();
        if (accepted) {
            text1.setRangeText(accepted, text1.selectionStart, text1.selectionEnd, "end");
            syncInput(true);
        }
    }

    function connect() {
        document.addEventListener("keydown", onKeyDown);
        text1.addEventListener("beforeinput", onBeforeInput);
        text1.addEventListener("input", function () { syncInput(true); });
        text2.addEventListener("input", function () {
            panel.editOutput(text2.value);
            render();
        });
        document.addEventListener("click", function (e) {
            var menu = document.getElementById("complexMenu");
            if (!menu.contains(e.target)) closeMenu();
            if (!document.getElementById("outputMenu").contains(e.target)) closeOutputMenu();
        });
        text2.addEventListener("contextmenu", function (e) {
            // A complex value on show: its copy in either form; otherwise the
            // browser's own menu.
            var forms = panel.copyForms();
            if (!forms[0].text) return;
            e.preventDefault();
            showOutputMenu(forms, e.clientX, e.clientY);
        });
    }

    function start(module) {
        var Panel = module.Panel;
        G = Panel.groups();
        M = Panel.modes();
        keys = Panel.keys();
        keys.forEach(function (k, i) {
            k.position = i;
            keyAt[k.group + ":" + k.index] = k;
        });
        panel = new Panel();
        build();
        connect();
        restore();
        var s = panel.state();
        s.registersReplaced = true;
        for (var i = 0; i < 9; ++i) {
            tagBoxes[i].value = s.registers[i].tag;
            tagBoxes[i].title = s.registers[i].tagTooltip;
        }
        render();
        if (!coarsePointer) text1.focus();
        document.body.setAttribute("data-ready", "1");
    }

    return {start: start};
})();

// The result file: 保存 asks for a name and a filter as the save dialog does and
// downloads what the model wrote; 打开 hands the chosen file to the model.
var kalvoxFiles = (function () {
    function unavailable(showMessage) {
        showMessage("这个网页没有结果文件功能。");
    }

    function saveDialog(panel, showMessage) {
        var dialog = document.getElementById("saveDialog");
        if (!dialog) {
            dialog = document.createElement("dialog");
            dialog.id = "saveDialog";
            dialog.setAttribute("aria-label", "保存");
            dialog.innerHTML = "<h2>保存</h2><form method=\"dialog\" class=\"body\">" +
                "<label>文件名 <input id=\"saveName\" type=\"text\" autocomplete=\"off\"></label>" +
                "<br><label>保存类型 <select id=\"saveFilter\"></select></label>" +
                "<div class=\"buttons\"><button value=\"save\" id=\"saveOK\">保存</button> " +
                "<button value=\"cancel\" id=\"saveCancel\">取消</button></div></form>";
            var select = dialog.querySelector("#saveFilter");
            Module.Panel.saveFilters().forEach(function (f) {
                var option = document.createElement("option");
                option.value = option.textContent = f;
                select.appendChild(option);
            });
            document.body.appendChild(dialog);
        }
        dialog.returnValue = "";
        dialog.onclose = function () {
            if (dialog.returnValue !== "save") return;
            var saved = panel.saveFile(dialog.querySelector("#saveName").value,
                                       dialog.querySelector("#saveFilter").value);
            var message = panel.state().message;
            if (message) showMessage(message);
            if (!saved.bytes) return;
            var link = document.createElement("a");
            link.href = URL.createObjectURL(new Blob([saved.bytes], {type: "text/plain"}));
            link.download = saved.fileName.replace(/^.*\//, "");
            document.body.appendChild(link);
            link.click();
            link.remove();
            setTimeout(function () { URL.revokeObjectURL(link.href); }, 10000);
        };
        dialog.showModal();
        dialog.querySelector("#saveName").focus();
    }

    function openChooser(panel, showMessage, render) {
        var chooser = document.getElementById("openFile");
        if (!chooser) {
            chooser = document.createElement("input");
            chooser.type = "file";
            chooser.id = "openFile";
            chooser.hidden = true;
            document.body.appendChild(chooser);
        }
        chooser.value = "";
        chooser.onchange = function () {
            var file = chooser.files[0];
            if (!file) return;
            file.arrayBuffer().then(function (buffer) {
                var loaded = panel.openFile(file.name, new Uint8Array(buffer));
                var state = render();
                if (!loaded && state.message) showMessage(state.message);
            });
        };
        chooser.click();
    }

    return {
        save: function (panel, showMessage) {
            if (Module.Panel.hasResultFiles()) saveDialog(panel, showMessage);
            else unavailable(showMessage);
        },
        open: function (panel, showMessage, render) {
            if (Module.Panel.hasResultFiles()) openChooser(panel, showMessage, render);
            else unavailable(showMessage);
        }
    };
})();
