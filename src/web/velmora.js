// SPDX-License-Identifier: GPL-3.0-or-later
// The page's front end: each input becomes one call into the C++ core (core_api.cpp),
// and the view it returns is shown as it is. No rule of the puzzle lives here.
"use strict";
(() => {
    // The core's inputs, numbered as core_api.cpp numbers them.
    const Act = {
        Start: 0, SwitchMode: 1, TypeStart: 2, ChooseFigure: 3, Compute: 4, Clear: 5,
        ClickTriangle: 6, ClickRhombus: 7, ClickListItem: 8, AskHint: 9, RevealSolution: 10,
        AskWhy: 11, AskHowToPlay: 12, View: 13, RestoreOwnPlacement: 14, ClickPosition: 15,
        ForgetProgress: 16, SetZoom: 17, DropNumber: 18, ReturnNumber: 19, EditStart: 20,
    };
    const kZoomSteps = [100, 125, 150, 175, 200, 250, 300];
    const kTwipsPerPixel = 15;
    const kDesign = { width: 481, height: 399 };
    const kSmallest = 0.75; // the form's scale on a 360-pixel phone
    const $ = (id) => document.getElementById(id);
    // The page's own texts in the pupil's language (the page's first script, velmora.html).
    const tr = velmoraTexts.tr;
    const form = $("Velmora");
    const list = $("List1");
    const triangle = [0, 1, 2, 3, 4, 5].map((k) => $("Label3_" + k));
    const rhombus = [0, 1, 2, 3].map((v) => $("Label2_" + v));
    // Each place's name as the page was written, given in the language by `tr`.
    const placeNames = new Map([...triangle, ...rhombus].map((e) => [e, velmoraTexts.source(e, "aria-label")]));
    const kProgressKey = "velmora.progress";
    const kLanguageKey = "velmora.language"; // the language the pupil chose, read by velmora.html
    // Anything that goes wrong is kept for the tests and told to the pupil.
    window.velmoraErrors = [];
    const report = (what) => {
        window.velmoraErrors.push(String(what));
        // TRANSLATORS: {error} is what the browser said went wrong, in its own words.
        $("status").textContent = tr("Грешка в страницата: {error}", { error: what });
    };
    window.addEventListener("error", (event) => report(event.message));
    window.addEventListener("unhandledrejection", (event) => report(event.reason));

    let core = null;
    let view = null;
    let zoom = 0; // a step of kZoomSteps, or 0: the form fills the room it has
    let scale = 1; // the form's, as shown
    let presenting = false;
    let listRow = -1; // the demonstration's selected list row
    let listItems = [];
    let shownSeries = "";
    // How long each handled input took, in milliseconds (the benchmark reads them); the
    // latest few thousand, so a whole school day's clicks cost no memory.
    window.velmoraTimings = [];

    // The pupil's progress, kept in the browser under one key as the core writes it. A
    // browser may refuse storage (some for file://, private windows): the game goes on.
    // Read once the core is compiled. (The browser's first look into its storage, up to
    // 25 ms in a fresh browser, comes before the first frame all the same: the language
    // chosen, velmora.html, must be known before the page shows.)
    let storage = null;
    let keptProgress = "";
    let unwritten = false;
    function readKept() {
        try {
            storage = window.localStorage;
            keptProgress = storage.getItem(kProgressKey) || "";
        } catch { /* nothing kept */ }
    }
    // Written when the browser is idle, and at once when the page is hidden or left: a
    // write took up to 0.7 ms, more than the rest of a click.
    function write() {
        if (!unwritten)
            return;
        unwritten = false;
        try {
            if (storage)
                storage.setItem(kProgressKey, keptProgress);
        } catch { /* full or refused */ }
    }
    function keep(progress) {
        if (progress === keptProgress)
            return;
        keptProgress = progress;
        if (!unwritten)
            (window.requestIdleCallback || setTimeout)(write, { timeout: 1000 });
        unwritten = true;
    }
    addEventListener("pagehide", write);
    document.addEventListener("visibilitychange", () => document.hidden && write());

    // `position`: where the board's drop puts number `argument`.
    function act(action, argument = 0, text = "", position = 0) {
        view = JSON.parse(core.ccall("velmora_act", "string", ["number", "number", "string", "number"],
                                     [action, argument, text, position]));
        window.velmoraView = view; // what the core said, for the tests to compare
        keep(view.progress);
        show();
        if (view.message)
            tell(action === Act.AskWhy ? tr("Защо става?") : action === Act.AskHowToPlay
                 ? tr("Как се играе") : document.title, view.message);
    }

    // Times one input from the event to the shown result.
    const timed = (work) => (event, value) => {
        const start = performance.now();
        work(event, value);
        const timings = window.velmoraTimings;
        if (timings.length >= 4096)
            timings.splice(0, 2048);
        timings.push(performance.now() - start);
    };

    // Inputs that come while the core is still compiling wait for it, in their order; the
    // page takes them from its first paint on. Each keeps what its control said at the time,
    // as the core's first view (started) sets the start box back.
    const waiting = [];
    const later = (work) => (event) => {
        const value = event && event.target ? event.target.value : undefined;
        if (!core)
            return void waiting.push(() => work(event, value));
        started();
        work(event, value);
    };
    // An input for the core: timed when it is ready, kept until then.
    const handler = (work) => later(timed(work));

    function tell(title, text) {
        $("messageTitle").textContent = title;
        // The core's texts are its own simple paragraphs; anything else shows as text.
        if (/^<p>/.test(text))
            $("messageText").innerHTML = text;
        else
            $("messageText").textContent = text;
        const box = $("message");
        if (!box.open)
            box.showModal();
        fitMessage();
        // The focus on «Затвори» scrolled a long text to its end; it is read from its start.
        box.scrollTop = 0;
    }

    // The box's letters grow with the form, as far as the window lets the text show whole.
    function fitMessage() {
        const box = $("message");
        if (!box.open)
            return;
        let size = Math.round(16 * Math.min(Math.max(scale, 1), 1.75));
        do
            box.style.setProperty("--message-size", size + "px");
        while (box.scrollHeight > box.clientHeight && --size >= 14);
    }

    // The largest size, from `dataset.size` down, at which the text shows whole.
    function fitText(element) {
        const largest = Number(element.dataset.size) || 16;
        element.style.fontSize = element.dataset.size ? largest + "px" : "";
        // The list scrolls down: only its width counts.
        const tall = element !== list;
        for (let size = largest; size > 9.5 && (tall && element.scrollHeight > element.clientHeight ||
                                               element.scrollWidth > element.clientWidth); size -= 0.5)
            element.style.fontSize = size + "px";
    }

    // Measuring makes the browser lay the page out at once: the texts that changed are
    // fitted in one go just before the next frame, not inside the input's handling.
    const toFit = new Set();
    let scrollTo = null;
    function fitBeforeFrame() {
        if (toFit.size === 0 && !scrollTo)
            requestAnimationFrame(() => {
                toFit.forEach(fitText);
                toFit.clear();
                if (scrollTo)
                    scrollTo.scrollIntoView({ block: "nearest" });
                scrollTo = null;
            });
    }

    function setText(element, text) {
        if (element.textContent === text)
            return;
        element.textContent = text;
        fitBeforeFrame();
        toFit.add(element);
    }

    function setClass(element, name, on) {
        if (element.classList.contains(name) !== on)
            element.classList.toggle(name, on);
    }

    function setAttribute(element, name, value) {
        if (element.getAttribute(name) !== value)
            element.setAttribute(name, value);
    }

    // A place with its caption, named with it.
    function showPlace(element, caption) {
        setText(element, caption);
        setAttribute(element, "aria-label", tr(placeNames.get(element)) + (caption ? ": " + caption : ""));
    }

    function show() {
        const practising = view.practice;
        if (shownPractice !== undefined && practising !== shownPractice) {
            toFirstStep = true;
            requestAnimationFrame(focusFirstStep);
        }
        shownPractice = practising;
        // Practice is on the board, laid out by the core; the form is the demonstration's.
        setClass(document.body, "board-shown", practising);
        if (practising) {
            board.show();
            showToolbar();
            return;
        }
        const shown = view.shown;
        setClass(document.body, "triangle-shown", shown === 0);
        setClass(document.body, "rhombus-shown", shown === 1);
        if (shown !== outlined)
            drawOutline(shown);
        document.querySelectorAll("#Frame1 input").forEach((input, i) => { input.checked = view.figure === i; });
        if ($("Text2").value !== view.start)
            $("Text2").value = view.start;
        [triangle, rhombus].forEach((labels, figure) => labels.forEach((element, k) =>
            showPlace(element, (figure ? view.rhombus : view.triangle)[k])));
        showList();
        // «Защо става?» and «Как се играе» leave the line as it was, so a hint stays to read.
        if (!view.keepStatus)
            setText($("status"), view.status);
        showToolbar();
    }

    // The mode buttons, the levels while open and the teaching buttons, as the mode has them.
    function showToolbar() {
        const practising = view.practice;
        if (!$("levels").hidden)
            showLevels();
        setAttribute($("modeDemonstration"), "aria-pressed", String(!practising));
        setAttribute($("modePractice"), "aria-pressed", String(practising));
        $("hint").disabled = !practising;
        const solution = $("solution");
        solution.disabled = !practising;
        const words = view.canRestore ? solution.dataset.restore : solution.dataset.reveal;
        if (solution.textContent !== words)
            solution.textContent = words;
    }

    // The figure menu, while it is open: the levels in their order as the core titles them,
    // the figure on show pressed, the one the core suggests next marked.
    function showLevels() {
        const levels = JSON.parse(core.ccall("velmora_levels", "string", [], []));
        $("forget").dataset.confirm = levels.startAgain;
        const list = $("levelList");
        if (list.children.length !== levels.titles.length)
            list.replaceChildren(...levels.figures.map((figure) => {
                const button = document.createElement("button");
                button.type = "button";
                button.className = "level";
                button.id = "level" + figure;
                button.addEventListener("click", handler(() => chooseFigure(figure, true)));
                return button;
            }));
        levels.figures.forEach((figure, level) => {
            const button = list.children[level];
            if (button.textContent !== levels.titles[level])
                button.textContent = levels.titles[level];
            setAttribute(button, "aria-pressed", String(figure === view.figure));
            setClass(button, "suggested", figure === levels.suggested);
        });
    }

    // From the frame's options or the menu; the menu closes and practice goes on in the
    // start box, where the next number is typed.
    function chooseFigure(figure, fromMenu) {
        if (!view.practice && (figure === 0 || figure === 1))
            labelBoxes(figure); // read while the layout on screen is still the one measured
        if (fromMenu)
            openLevels(false); // first, so the levels are not titled again for a closed menu
        act(Act.ChooseFigure, figure);
        // With the next frame, which lays the new figure out anyway, or the next key, should
        // one come first: focusing the box at once made the browser lay the figure out for
        // it, 1.5 to 3.5 ms in a click of 0.5 ms.
        if (fromMenu) {
            toStartBox = true;
            requestAnimationFrame(focusStartBox);
        }
    }

    // Unless the pupil has gone somewhere else meanwhile.
    let toStartBox = false;
    function focusStartBox() {
        if (!toStartBox)
            return;
        toStartBox = false;
        const at = document.activeElement;
        if (!at || at === document.body || at === $("figureMenu") || $("levels").contains(at) ||
            at.closest("#boardLevels"))
            (view.practice ? board.startBox : $("Text2")).focus();
    }

    // Another mode goes on at its first step, when the focus went with the controls the mode
    // hides: with the next frame, or the next key, as for a figure from the menu.
    let shownPractice, toFirstStep = false;
    function focusFirstStep() {
        if (!toFirstStep)
            return;
        toFirstStep = false;
        const at = document.activeElement;
        if (!at || at === document.body || !at.getClientRects().length)
            (view.practice ? board.startBox : $("Text1_0")).focus();
    }

    // A question answered «Да» or «Не» in the page's own box: true for «Да».
    function ask(question) {
        const box = $("confirm");
        $("confirmText").textContent = question;
        box.returnValue = "";
        box.showModal();
        return new Promise((answer) => box.addEventListener("close", () => answer(box.returnValue === "yes"),
                                                            { once: true }));
    }

    function openLevels(open) {
        const menu = $("figureMenu");
        const panel = $("levels");
        if (open === !panel.hidden)
            return;
        panel.hidden = !open;
        menu.setAttribute("aria-expanded", String(open));
        if (!open)
            return;
        showLevels();
        placePanel(menu, panel);
        const current = panel.querySelector("[aria-pressed=true]") || panel.querySelector(".suggested") ||
            panel.querySelector("button");
        current.focus();
    }

    // A menu's panel below its button, or beside it when presenting; always on the screen.
    function placePanel(menu, panel) {
        const r = menu.getBoundingClientRect();
        const width = panel.offsetWidth;
        panel.style.left = Math.max(4, Math.min(presenting ? r.right + 4 : r.left, innerWidth - width - 4)) + "px";
        panel.style.top = (presenting ? r.top : r.bottom + 2) + "px";
    }

    // The language menu: each language by its own name, as the core names them, the one in
    // use pressed.
    function openLanguages(open) {
        const menu = $("languageMenu");
        const panel = $("languages");
        if (open === !panel.hidden)
            return;
        panel.hidden = !open;
        menu.setAttribute("aria-expanded", String(open));
        if (!open)
            return;
        if (!panel.children.length) {
            const { codes, names } = JSON.parse(core.ccall("velmora_languages", "string", [], []));
            panel.replaceChildren(...codes.map((code, k) => {
                const button = document.createElement("button");
                button.type = "button";
                button.lang = code;
                button.dataset.language = code;
                button.textContent = names[k];
                button.addEventListener("click", () => chooseLanguage(code));
                return button;
            }));
        }
        for (const button of panel.children)
            setAttribute(button, "aria-pressed", String(button.dataset.language === velmoraTexts.language));
        placePanel(menu, panel);
        (panel.querySelector("[aria-pressed=true]") || panel.firstElementChild).focus();
    }

    // Kept for the next time the page opens (the address's ?lang= still wins then).
    function chooseLanguage(code) {
        openLanguages(false);
        try {
            window.localStorage.setItem(kLanguageKey, code);
        } catch { /* refused: this time only */ }
        if (code !== velmoraTexts.language)
            speak(code);
        $("languageMenu").focus();
    }

    // Every text in another language at once: the page's own, the core's in a new view of
    // the game as it stands (a hint said before gives way to the status), the board laid
    // out again for the new words.
    function speak(code) {
        velmoraTexts.use(code);
        if (core && view) {
            core.ccall("velmora_set_language", "string", ["string"], [code]);
            act(Act.View);
        }
        layout(); // the zoom's per cent, the full screen's words
        fitForm();
    }

    // The form's own words as large as their boxes show them whole: the window's size, which
    // the Bulgarian has; a longer translation is shrunk.
    function fitForm() {
        ["Label1_0", "Label1_1", "Label1_2", "Frame1_title", "Option1_0", "Option1_1", "Command1_0", "Command1_1"]
            .forEach((id) => fitText($(id)));
    }

    function solutionOrOwn() {
        if (view.practice)
            act(view.canRestore ? Act.RestoreOwnPlacement : Act.RevealSolution);
    }

    // The list is rebuilt only when the series changes, so a fill keeps the selection.
    function showList() {
        const texts = view.series;
        if (texts.join("\n") !== shownSeries) {
            shownSeries = texts.join("\n");
            listItems = texts.map((text, row) => {
                const item = document.createElement("div");
                item.className = "item";
                item.id = "List1_item" + row;
                item.setAttribute("role", "option");
                item.dataset.text = text;
                item.dataset.row = row;
                item.textContent = text;
                return item;
            });
            list.replaceChildren(...listItems);
            listRow = -1;
        }
        // TRANSLATORS: the list's name for a screen reader; {numbers} are the numbers in it,
        // "7, 8, 9, 10, 11, 12".
        setAttribute(list, "aria-label", texts.length ? tr("Списък с числата: {numbers}", { numbers: texts.join(", ") })
                                                      : tr("Списък с числата"));
        const selected = listRow;
        listItems.forEach((item, row) => {
            setClass(item, "selected", row === selected);
            setAttribute(item, "aria-selected", String(row === selected));
            setAttribute(item, "aria-label", item.dataset.text);
        });
        if (selected >= 0 && listItems[selected]) {
            setAttribute(list, "aria-activedescendant", listItems[selected].id);
            fitBeforeFrame();
            scrollTo = listItems[selected];
        } else {
            list.removeAttribute("aria-activedescendant");
        }
    }

    function selectRow(row) {
        if (row < 0 || row >= view.series.length)
            return;
        listRow = row;
        act(Act.ClickListItem, row);
    }

    // The boxes of a figure's outline labels where the layout puts them, in twips: the
    // form's own, so read once (hidden labels keep their places), before an input changes
    // anything, while the layout on screen is still the one measured.
    const labelBoxesOf = [];
    function labelBoxes(figure) {
        labelBoxesOf[figure] ??= (figure === 0 ? triangle.slice(0, 3) : rhombus).map((label) =>
            [label.offsetLeft, label.offsetTop, label.offsetWidth, label.offsetHeight]
                .map((pixels) => pixels * kTwipsPerPixel));
        return labelBoxesOf[figure];
    }

    // The figure's outline, anchored on its labels' boxes by the core.
    let outlined = null; // the figure whose outline is drawn
    function drawOutline(figure) {
        outlined = figure;
        let segments = [];
        if (figure === 0 || figure === 1) {
            const memory = core._malloc(8 * 16);
            core.HEAPF64.set(labelBoxes(figure).flat(), memory / 8);
            const result = JSON.parse(core.ccall("velmora_outline", "string", ["number", "number"],
                                                 [figure, memory]));
            core._free(memory);
            if (result.error)
                report(result.error);
            segments = result.segments || [];
        }
        window.velmoraOutline = segments;
        $("outline").replaceChildren(...segments.map(([x1, y1, x2, y2]) => {
            const line = document.createElementNS("http://www.w3.org/2000/svg", "line");
            Object.entries({ x1, y1, x2, y2 }).forEach(([k, v]) => line.setAttribute(k, v));
            return line;
        }));
    }

    // The form fills the room the buttons and the status line leave, scaled as a whole and
    // centred: never wider than the window, so nothing needs scrolling sideways; as tall as
    // the room, but in a short window no smaller than on a phone, the page scrolling down
    // instead. A zoom step shows it smaller; presenting, it always fills the screen.
    // Everything is read before anything is written, so the browser lays the page out once
    // here rather than at each read.
    // The style sheet fits the form to a window by itself (velmora.css), so the first frame
    // waits for no script; the script places it for a zoom step and the presentation, and
    // wherever a browser's style sheets cannot divide one length by another.
    const fitByStyle = window.CSS?.supports("transform", "scale(calc(1px / 1px))");
    let laidOut = false;
    const firstLayout = window.ResizeObserver && new ResizeObserver(() => layoutOnce());
    function layoutOnce() {
        if (laidOut)
            return;
        laidOut = true;
        firstLayout?.disconnect();
        layout();
        if (velmoraTexts.language !== "bg")
            fitForm();
    }

    function layout() {
        const stage = $("stage");
        const status = $("status");
        const toolbar = $("toolbar");
        let width = presenting ? innerWidth - toolbar.offsetWidth : document.documentElement.clientWidth;
        const above = presenting ? 0 : toolbar.offsetHeight;
        // Twice: a scroll bar the first pass brings narrows the room for the second.
        for (let pass = 0; pass < 2; pass++) {
            // The status line grows with the form, so a class reads the verdicts too.
            const guess = Math.min(width / kDesign.width, (innerHeight - above - 64) / kDesign.height);
            const letters = Math.round(16 * Math.min(Math.max(guess, 1), 1.375));
            // Three lines of the largest letters; fitting shrinks only the letters.
            const statusHeight = 3 * 1.25 * letters + 4;
            if (status.dataset.size !== String(letters)) {
                status.dataset.size = letters;
                status.style.fontSize = letters + "px";
                status.style.height = statusHeight + "px";
                fitBeforeFrame();
                toFit.add(status);
            }
            const room = innerHeight - above - statusHeight;
            const widthScale = width / kDesign.width;
            const fill = Math.min(widthScale, Math.max(room / kDesign.height, kSmallest));
            scale = presenting || !zoom ? fill : Math.min(zoom / 100, fill);
            const placed = presenting || zoom || !fitByStyle;
            form.style.transform = placed ? `scale(${scale})` : "";
            // The room to spare goes half above the form: in a window, with the status line
            // kept just below it; presenting, where the status line stays at the bottom.
            const shown = kDesign.height * scale;
            const spare = Math.max(0, Math.floor(room - shown));
            stage.style.height = placed ? (presenting ? shown + spare : shown) + "px" : "";
            stage.style.marginTop = !placed ? "" : presenting ? "0" : Math.floor(spare / 2) + "px";
            form.style.left = placed ? Math.max(0, (width - kDesign.width * scale) / 2) + "px" : "";
            form.style.top = presenting ? spare / 2 + "px" : "";
            // Only a page taller than the window can have brought a scroll bar.
            if (presenting || above + shown + statusHeight <= innerHeight ||
                document.documentElement.clientWidth === width)
                break;
            width = document.documentElement.clientWidth;
        }
        // TRANSLATORS: the form's size as the zoom shows it, {zoom} per cent: "125 %".
        $("zoomValue").textContent = tr("{zoom} %", { zoom: Math.round(scale * 100) });
        $("zoomIn").disabled = presenting || !zoom;
        $("zoomOut").disabled = presenting || smallerStep() === undefined;
        $("fullScreen").setAttribute("aria-pressed", String(presenting));
        // Presenting, the button says the way out, as the window's does.
        const button = $("fullScreen");
        button.textContent = presenting ? button.dataset.leave : button.dataset.enter;
        fitMessage();
    }

    // The room's own scale, whatever the zoom.
    function fillScale() {
        const kept = zoom;
        zoom = 0;
        layout();
        const fill = scale;
        zoom = kept;
        return fill;
    }

    function smallerStep() {
        return kZoomSteps.filter((step) => step < Math.round(scale * 100)).pop();
    }

    function setZoom(percent) {
        zoom = percent;
        layout();
        keepZoom();
    }

    // The zoom as shown, kept with the progress: a step as itself, the room's own size as
    // the per cent it came to, which is no step (or shows the same).
    const keepZoom = later(() => {
        const shown = zoom || Math.round(scale * 100);
        if (view.zoom !== shown)
            act(Act.SetZoom, shown);
    });

    // Up a step while it is smaller than the room, else to the room's size.
    function zoomIn() {
        if (presenting || !zoom)
            return;
        const fill = fillScale() * 100;
        const next = kZoomSteps.find((step) => step > zoom);
        setZoom(next !== undefined && next < fill - 0.5 ? next : 0);
    }

    function zoomOut() {
        const step = presenting ? undefined : smallerStep();
        if (step !== undefined)
            setZoom(step);
    }

    function setPresenting(on) {
        if (on === presenting)
            return;
        presenting = on;
        setClass(document.body, "presenting", on);
        // The browser's full screen where it allows it; the page fills the window either way.
        const root = document.documentElement;
        if (on && !document.fullscreenElement && root.requestFullscreen)
            root.requestFullscreen().catch(() => {});
        else if (!on && document.fullscreenElement)
            document.exitFullscreen().catch(() => {});
        layout();
    }

    function setMode(practice) {
        act(Act.SwitchMode, practice ? 1 : 0);
    }

    function bind() {
        const on = (id, type, work) => $(id).addEventListener(type, handler(work));
        document.querySelectorAll("#Frame1 input").forEach((input, i) =>
            input.addEventListener("click", handler(() => chooseFigure(i, false))));
        on("Command1_0", "click", () => act(Act.Compute));
        on("Command1_1", "click", () => act(Act.Clear));
        on("Text2", "input", (event, typed) => act(Act.TypeStart, 0, typed ?? $("Text2").value));
        triangle.forEach((e, k) => e.addEventListener("click", handler(() => act(Act.ClickTriangle, k))));
        rhombus.forEach((e, v) => e.addEventListener("click", handler(() => act(Act.ClickRhombus, v))));
        on("List1", "click", (event) => {
            const item = event.target.closest(".item");
            if (item)
                selectRow(Number(item.dataset.row));
        });
        on("List1", "keydown", (event) => {
            const current = listRow;
            const last = view.series.length - 1;
            const row = { ArrowDown: Math.min(current + 1, last), ArrowUp: Math.max(current - 1, 0),
                          Home: 0, End: last, PageDown: Math.min(current + 3, last),
                          PageUp: Math.max(current - 3, 0), " ": Math.max(current, 0) }[event.key];
            if (row === undefined)
                return;
            event.preventDefault();
            // Space takes the number under the cursor, even the one already chosen.
            if (row !== current || event.key === " ")
                selectRow(row);
        });
        on("modeDemonstration", "click", () => setMode(false));
        on("modePractice", "click", () => setMode(true));
        on("hint", "click", () => act(Act.AskHint));
        on("solution", "click", solutionOrOwn);
        on("why", "click", () => act(Act.AskWhy));
        on("help", "click", () => act(Act.AskHowToPlay));
        // The figure menu: opened by its button, walked by arrows, closed by Esc, a choice or
        // a tap elsewhere. «Започни отначало» asks first.
        $("figureMenu").addEventListener("click", later(() => openLevels($("levels").hidden)));
        // The language menu likewise, its choice at once; both walked by arrows.
        $("languageMenu").addEventListener("click", later(() => openLanguages($("languages").hidden)));
        const walk = (event) => {
            const buttons = [...event.currentTarget.querySelectorAll("button")];
            const at = buttons.indexOf(document.activeElement);
            const next = { ArrowDown: at + 1, ArrowUp: at - 1, Home: 0, End: buttons.length - 1 }[event.key];
            if (next === undefined)
                return;
            event.preventDefault();
            buttons[(next + buttons.length) % buttons.length].focus();
        };
        $("levels").addEventListener("keydown", walk);
        $("languages").addEventListener("keydown", walk);
        // A click or tap beside an open menu closes it. On a control, that control takes the
        // focus; on no control, the menu's button keeps it, rather than nothing: the press is
        // kept from taking it away.
        let keepFocus = null;
        document.addEventListener("pointerdown", (event) => {
            const open = !$("levels").hidden ? $("figureMenu") : !$("languages").hidden ? $("languageMenu") : null;
            if (!event.target.closest("#levels, #figureMenu"))
                openLevels(false);
            if (!event.target.closest("#languages, #languageMenu"))
                openLanguages(false);
            keepFocus = open && open.getAttribute("aria-expanded") === "false" &&
                !event.target.closest("button, input, textarea, select, label, a[href], [tabindex]") ? open : null;
            keepFocus?.focus();
        });
        document.addEventListener("mousedown", (event) => {
            if (keepFocus)
                event.preventDefault();
            keepFocus = null;
        });
        $("levels").addEventListener("focusout", (event) => {
            if (event.relatedTarget && !event.relatedTarget.closest("#levels, #figureMenu"))
                openLevels(false);
        });
        $("languages").addEventListener("focusout", (event) => {
            if (event.relatedTarget && !event.relatedTarget.closest("#languages, #languageMenu"))
                openLanguages(false);
        });
        $("forget").addEventListener("click", (event) => {
            openLevels(false);
            $("figureMenu").focus(); // the browser's question gives the focus back where it was
            if (window.confirm($("forget").dataset.confirm))
                handler(() => act(Act.ForgetProgress))(event);
        });
        // The page's own: at once, core or not (full screen only in the tap's own time).
        $("zoomIn").addEventListener("click", timed(zoomIn));
        $("zoomOut").addEventListener("click", timed(zoomOut));
        $("fullScreen").addEventListener("click", timed(() => setPresenting(!presenting)));
        document.addEventListener("fullscreenchange", () => {
            if (!document.fullscreenElement && presenting)
                setPresenting(false);
        });
        // Another window size (or screen): the form fills the new room, or keeps its step
        // while that still fits.
        window.addEventListener("resize", () => {
            if (zoom && zoom > fillScale() * 100)
                zoom = 0;
            layout();
        });
        // A key typed just after a figure is chosen from the menu goes into the start box, one
        // typed just after another mode shows into its first step.
        document.addEventListener("keydown", focusStartBox, true);
        document.addEventListener("keydown", focusFirstStep, true);
        // The desktop's keys. Taken from the browser at once, even those that wait for the core.
        document.addEventListener("keydown", timed((event) => {
            const ctrl = event.ctrlKey || event.metaKey;
            // Ctrl+R is the solution here, never the browser's reload that would lose the game.
            const keys = {
                "ctrl+h": later(() => view.practice && act(Act.AskHint)), "ctrl+r": later(solutionOrOwn),
                "ctrl+e": later(() => act(Act.AskWhy)),
                "ctrl++": zoomIn, "ctrl+=": zoomIn, "ctrl+-": zoomOut, "ctrl+0": () => setZoom(0),
                "F11": () => setPresenting(!presenting), "F1": later(() => act(Act.AskHowToPlay)),
                // Esc closes a question (as «Не») or a message first, then leaves the presentation.
                "Escape": () => ($("confirm").open ? $("confirm").close() : $("message").open ? $("message").close()
                                 : !$("levels").hidden ? (openLevels(false), $("figureMenu").focus())
                                     : !$("languages").hidden ? (openLanguages(false), $("languageMenu").focus())
                                         : presenting && setPresenting(false)),
            };
            // A letter by its key's place too, so Ctrl+H works on the Bulgarian keyboard.
            const letter = /^[a-z]$/i.test(event.key) ? event.key.toLowerCase()
                : /^Key[A-Z]$/.test(event.code) ? event.code.slice(3).toLowerCase() : null;
            const key = ctrl ? "ctrl+" + (letter ?? event.key.toLowerCase()) : event.key;
            const work = keys[key];
            if (work) {
                event.preventDefault();
                work();
            }
        }));
    }

    // The game as the core starts it; its first call also compiles what every input needs.
    function started() {
        if (view)
            return;
        const resumed = keptProgress !== "";
        // The core speaks the page's language; the page's texts its table lacks are the core's.
        velmoraTexts.lookUp = (text) => core.ccall("velmora_translate", "string", ["string"], [text]);
        if (velmoraTexts.language !== "bg") {
            core.ccall("velmora_set_language", "string", ["string"], [velmoraTexts.language]);
            velmoraTexts.use(velmoraTexts.language);
            fitForm();
        }
        act(Act.Start, practiceAsked ? 1 : 0, keptProgress);
        // The zoom step the pupil left, unless one was chosen while the core was coming.
        if (resumed && !zoom && kZoomSteps.includes(view.zoom)) {
            zoom = view.zoom;
            layout();
        }
        keepZoom();
        performance.mark("velmora-first-call");
    }

    // The module's gzip bytes, from base64 in one native call where the browser has one.
    function packedBytes() {
        const element = $("module");
        const text = element.textContent;
        element.remove();
        if (Uint8Array.fromBase64)
            return Uint8Array.fromBase64(text);
        const binary = atob(text);
        const bytes = new Uint8Array(binary.length);
        for (let i = 0; i < binary.length; i++)
            bytes[i] = binary.charCodeAt(i);
        return bytes;
    }

    // A gzip member unpacked (RFC 1951 and 1952), for browsers without DecompressionStream.
    // The page's own member has no optional header fields; its last four bytes give the size.
    function inflate(packed) {
        const end = packed.length - 4;
        const out = new Uint8Array(packed[end] | packed[end + 1] << 8 | packed[end + 2] << 16 | packed[end + 3] << 24);
        let at = 10 * 8; // in bits, past the header
        let written = 0;
        const bits = (n) => {
            let value = 0;
            for (let i = 0; i < n; i++, at++)
                value |= (packed[at >> 3] >> (at & 7) & 1) << i;
            return value;
        };
        // A canonical code from its lengths: how many codes of each length, symbols in order.
        const code = (lengths) => {
            const count = new Uint16Array(16);
            lengths.forEach((length) => count[length]++);
            count[0] = 0;
            const offsets = [0];
            for (let length = 1; length < 16; length++)
                offsets[length] = offsets[length - 1] + count[length - 1];
            const symbols = new Uint16Array(lengths.length);
            lengths.forEach((length, symbol) => {
                if (length)
                    symbols[offsets[length]++] = symbol;
            });
            return { count, symbols };
        };
        const decode = ({ count, symbols }) => {
            for (let length = 1, first = 0, index = 0, value = 0; length < 16; length++) {
                value |= bits(1);
                if (value - count[length] < first)
                    return symbols[index + value - first];
                index += count[length];
                first = (first + count[length]) << 1;
                value <<= 1;
            }
            throw new Error("the core's module is damaged");
        };
        const lengthBase = [3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 17, 19, 23, 27, 31, 35, 43, 51, 59, 67, 83, 99, 115,
                            131, 163, 195, 227, 258];
        const lengthExtra = [0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0];
        const distanceBase = [1, 2, 3, 4, 5, 7, 9, 13, 17, 25, 33, 49, 65, 97, 129, 193, 257, 385, 513, 769, 1025,
                              1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577];
        const order = [16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15];
        for (let last = 0; !last;) {
            last = bits(1);
            const type = bits(2);
            if (type === 0) { // stored
                at = (at + 7) & ~7;
                const length = packed[at >> 3] | packed[(at >> 3) + 1] << 8;
                out.set(packed.subarray((at >> 3) + 4, (at >> 3) + 4 + length), written);
                written += length;
                at += (4 + length) * 8;
                continue;
            }
            let literals, distances;
            if (type === 1) {
                literals = code([...Array(288)].map((_, i) => (i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : 8)));
                distances = code(Array(30).fill(5));
            } else {
                const literalCount = bits(5) + 257, distanceCount = bits(5) + 1, codeCount = bits(4) + 4;
                const codeLengths = Array(19).fill(0);
                for (let i = 0; i < codeCount; i++)
                    codeLengths[order[i]] = bits(3);
                const lengthCode = code(codeLengths);
                const lengths = [];
                while (lengths.length < literalCount + distanceCount) {
                    const symbol = decode(lengthCode);
                    if (symbol < 16)
                        lengths.push(symbol);
                    else if (symbol === 16)
                        lengths.push(...Array(3 + bits(2)).fill(lengths[lengths.length - 1]));
                    else
                        lengths.push(...Array(symbol === 17 ? 3 + bits(3) : 11 + bits(7)).fill(0));
                }
                literals = code(lengths.slice(0, literalCount));
                distances = code(lengths.slice(literalCount));
            }
            for (let symbol = decode(literals); symbol !== 256; symbol = decode(literals)) {
                if (symbol < 256) {
                    out[written++] = symbol;
                    continue;
                }
                const length = lengthBase[symbol - 257] + bits(lengthExtra[symbol - 257]);
                const d = decode(distances);
                const distance = distanceBase[d] + bits(d < 4 ? 0 : (d >> 1) - 1);
                for (let i = 0; i < length; i++, written++)
                    out[written] = out[written - distance];
            }
        }
        return out;
    }

    // The module unpacked and compiled off the main thread, the compiling as the bytes come
    // where the browser can; unpacked by `inflate` where it cannot. The bytes go in as a
    // stream of their own: a Blob's stream went through the browser's storage and took three
    // times as long.
    function compile(packed) {
        if (!window.DecompressionStream)
            return WebAssembly.compile(inflate(packed));
        const stream = new ReadableStream({
            start(bytes) {
                bytes.enqueue(packed);
                bytes.close();
            },
        }).pipeThrough(new DecompressionStream("gzip"));
        const module = new Response(stream, { headers: { "Content-Type": "application/wasm" } });
        return WebAssembly.compileStreaming ? WebAssembly.compileStreaming(module)
            : module.arrayBuffer().then((bytes) => WebAssembly.compile(bytes));
    }

    // Compiled off the main thread; until it is, the main thread is left to the first
    // frame: the loader (velmora_core.js) and the first look into storage wait for the
    // compiled module, and the loader only instantiates what it is handed.
    function startCore() {
        const compiled = compile(packedBytes());
        performance.mark("velmora-decoded");
        compiled.then(loadCore, report);
    }

    function loadCore(compiled) {
        performance.mark("velmora-compiled");
        readKept();
        VelmoraCore({
            instantiateWasm(imports, receive) {
                WebAssembly.instantiate(compiled, imports).then((instance) => {
                    performance.mark("velmora-instantiated");
                    receive(instance);
                }, report);
                return {};
            },
        }).then((module) => {
            core = module;
            layoutOnce(); // should the core come before the first frame
            // The demonstration starts as the form already shows it, so its first call waits
            // for the first input or a quiet moment; practice has its first words to say.
            if (practiceAsked || keptProgress || waiting.length)
                started();
            else
                (window.requestIdleCallback || setTimeout)(started);
            waiting.splice(0).forEach((work) => work());
            // The window's first focus, unless the pupil has already gone somewhere. Not
            // sooner: focusing before the first frame delayed it when measured.
            // Practice opens in the start box, so a number can be typed at once.
            if (document.activeElement === document.body)
                (view && view.practice ? board.startBox : $("Text1_0")).focus();
            document.documentElement.dataset.ready = "true";
            performance.mark("velmora-usable");
        }, report);
    }

    // The form as the core will show it, before the core is there: the mode asked for, laid
    // out for the window, every control taking inputs.
    performance.mark("velmora-start");
    const practiceAsked = new URLSearchParams(location.search).has("practice");
    // Once the module and its loader, after this script, are read: the browser paints the
    // form when this script ends, before reading on. With the module ahead of this script
    // instead, a freshly started browser took far longer to reach the script and the paint.
    document.addEventListener("DOMContentLoaded", startCore);
    $("modeDemonstration").setAttribute("aria-pressed", String(!practiceAsked));
    $("modePractice").setAttribute("aria-pressed", String(practiceAsked));
    setClass(document.body, "board-shown", practiceAsked);
    const board = velmoraBoard({
        act, Act, handler, ask, solutionOrOwn, core: () => core, view: () => view,
        chooseFigure: (figure) => chooseFigure(figure, true),
    });
    bind();
    // Where the style sheet fits the form, a Bulgarian first frame needs nothing of the
    // script: the zoom's per cent is said after it. Else laid out for the window in the
    // first frame (another language's words fitted to their boxes), once the browser has
    // laid the page out itself and before it paints: measuring here, halfway through reading
    // the page, made the browser lay it out twice and held the first paint back by 8 to 16 ms.
    if (fitByStyle && velmoraTexts.language === "bg")
        requestAnimationFrame(() => setTimeout(layoutOnce));
    else if (window.ResizeObserver)
        firstLayout.observe($("toolbar"));
    else
        layoutOnce();
    performance.mark("velmora-script");
})();
