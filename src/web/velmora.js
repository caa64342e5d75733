// SPDX-License-Identifier: GPL-3.0-or-later
// The page's front end: each input becomes one call into the C++ core (core_api.cpp),
// and the view it returns is shown as it is. No rule of the puzzle lives here.
"use strict";
(() => {
    // The core's inputs, numbered as core_api.cpp numbers them.
    const Act = {
        Start: 0, SwitchMode: 1, TypeStart: 2, ChooseFigure: 3, Compute: 4, Clear: 5,
        ClickTriangle: 6, ClickRhombus: 7, ClickListItem: 8, AskHint: 9, RevealSolution: 10,
        AskWhy: 11, AskHowToPlay: 12, View: 13, RestoreOwnPlacement: 14,
    };
    const kZoomSteps = [100, 125, 150, 175, 200, 250, 300];
    const kTwipsPerPixel = 15;
    const kDesign = { width: 481, height: 399 };
    const kSmallest = 0.75; // the form's scale on a 360-pixel phone
    const $ = (id) => document.getElementById(id);
    const form = $("Velmora");
    const list = $("List1");
    const triangle = [0, 1, 2, 3, 4, 5].map((k) => $("Label3_" + k));
    const rhombus = [0, 1, 2, 3].map((v) => $("Label2_" + v));
    const placeNames = new Map([...triangle, ...rhombus].map((e) => [e, e.getAttribute("aria-label")]));
    const sums = { 0: [0, 1, 2].map((l) => $("LineSum3_" + l)), 1: [0, 1, 2, 3].map((l) => $("LineSum2_" + l)) };
    const sumNames = new Map([...sums[0], ...sums[1]].map((e) => [e, e.getAttribute("aria-label")]));

    // Anything that goes wrong is kept for the tests and told to the pupil.
    window.velmoraErrors = [];
    const report = (what) => {
        window.velmoraErrors.push(String(what));
        $("status").textContent = "Грешка в страницата: " + what;
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

    function act(action, argument = 0, text = "") {
        view = JSON.parse(core.ccall("velmora_act", "string", ["number", "number", "string"],
                                     [action, argument, text]));
        window.velmoraView = view; // what the core said, for the tests to compare
        show();
        if (view.message)
            tell(action === Act.AskWhy ? "Защо става?" : action === Act.AskHowToPlay
                 ? "Как се играе" : document.title, view.message);
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
        for (let size = largest; size > 9.5 && (element.scrollHeight > element.clientHeight ||
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

    function show() {
        const practising = view.practice;
        setClass(document.body, "triangle-shown", view.shown === 0);
        setClass(document.body, "rhombus-shown", view.shown === 1);
        document.querySelectorAll("#Frame1 input").forEach((input, i) => { input.checked = view.figure === i; });
        if ($("Text2").value !== view.start)
            $("Text2").value = view.start;
        const showPosition = (element, caption, position, figure) => {
            setText(element, caption);
            const picked = practising && view.shown === figure && view.pickedPosition === position;
            setClass(element, "picked", picked);
            if (element.tabIndex !== (practising ? 0 : -1))
                element.tabIndex = practising ? 0 : -1;
            const name = placeNames.get(element) + (caption ? ": " + caption : "");
            setAttribute(element, "aria-label", picked ? name + ", избрано за число" : name);
        };
        triangle.forEach((e, k) => showPosition(e, view.triangle[k], k, 0));
        rhombus.forEach((e, v) => showPosition(e, view.rhombus[v], v, 1));
        for (const figure of [0, 1])
            sums[figure].forEach((element, line) => {
                const mine = practising && view.shown === figure && line < view.sums.length;
                const text = mine ? view.sums[line] : "";
                setText(element, text);
                setClass(element, "shown", text !== "");
                setClass(element, "equal", mine && view.sumMarks[line] === "equal");
                setClass(element, "off", mine && view.sumMarks[line] === "off");
                setAttribute(element, "aria-label", mine && view.sumsSpoken[line] ? view.sumsSpoken[line]
                                                                                  : sumNames.get(element));
            });
        showList();
        // «Защо става?» and «Как се играе» leave the line as it was, so a hint stays to read.
        if (!view.keepStatus)
            setText($("status"), view.status);
        setAttribute($("modeDemonstration"), "aria-pressed", String(!practising));
        setAttribute($("modePractice"), "aria-pressed", String(practising));
        $("hint").disabled = !practising;
        const solution = $("solution");
        solution.disabled = !practising;
        const words = view.canRestore ? solution.dataset.restore : solution.dataset.reveal;
        if (solution.textContent !== words)
            solution.textContent = words;
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
            list.setAttribute("aria-label", texts.length ? "Списък с числата: " + texts.join(", ")
                                                         : "Списък с числата");
        }
        const selected = view.practice ? view.pickedNumber : listRow;
        listItems.forEach((item, row) => {
            const placed = view.practice && view.placed[row] === true;
            setClass(item, "placed", placed);
            setClass(item, "selected", row === selected);
            setAttribute(item, "aria-selected", String(row === selected));
            setAttribute(item, "aria-label", placed ? item.dataset.text + ", поставено" : item.dataset.text);
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

    // The boxes of a figure's outline labels where the layout puts them, in twips. Read
    // before the input changes anything, the page's layout is still the one on screen and
    // reading it costs nothing (hidden labels keep their places).
    function outlineBoxes(figure) {
        const labels = figure === 0 ? triangle.slice(0, 3) : figure === 1 ? rhombus : [];
        return labels.map((label) => [label.offsetLeft, label.offsetTop, label.offsetWidth,
                                      label.offsetHeight].map((pixels) => pixels * kTwipsPerPixel));
    }

    // The outline anchored on those boxes, by the core.
    function drawOutline(boxes) {
        const svg = $("outline");
        svg.replaceChildren();
        if (view.shown !== 0 && view.shown !== 1)
            return;
        const memory = core._malloc(8 * 16);
        core.HEAPF64.set(boxes.flat(), memory / 8);
        const result = JSON.parse(core.ccall("velmora_outline", "string", ["number", "number"],
                                             [view.shown, memory]));
        core._free(memory);
        if (result.error)
            return report(result.error);
        window.velmoraOutline = result.segments;
        for (const [x1, y1, x2, y2] of result.segments) {
            const line = document.createElementNS("http://www.w3.org/2000/svg", "line");
            Object.entries({ x1, y1, x2, y2 }).forEach(([k, v]) => line.setAttribute(k, v));
            svg.appendChild(line);
        }
    }

    // The form fills the room the buttons and the status line leave, scaled as a whole and
    // centred: never wider than the window, so nothing needs scrolling sideways; as tall as
    // the room, but in a short window no smaller than on a phone, the page scrolling down
    // instead. A zoom step shows it smaller; presenting, it always fills the screen.
    // Everything is read before anything is written, so the browser lays the page out once
    // here (the first frame needs that anyway) rather than at each read.
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
            form.style.transform = scale === 1 ? "" : `scale(${scale})`;
            // The room to spare goes half above the form: in a window, with the status line
            // kept just below it; presenting, where the status line stays at the bottom.
            const shown = kDesign.height * scale;
            const spare = Math.max(0, Math.floor(room - shown));
            stage.style.height = (presenting ? shown + spare : shown) + "px";
            stage.style.marginTop = presenting ? "" : Math.floor(spare / 2) + "px";
            form.style.left = Math.max(0, (width - kDesign.width * scale) / 2) + "px";
            form.style.top = presenting ? spare / 2 + "px" : "0";
            // Only a page taller than the window can have brought a scroll bar.
            if (presenting || above + shown + statusHeight <= innerHeight ||
                document.documentElement.clientWidth === width)
                break;
            width = document.documentElement.clientWidth;
        }
        $("zoomValue").textContent = Math.round(scale * 100) + " %";
        $("zoomIn").disabled = presenting || !zoom;
        $("zoomOut").disabled = presenting || smallerStep() === undefined;
        $("fullScreen").setAttribute("aria-pressed", String(presenting));
        // Presenting, the button says the way out, as the window's does.
        const button = $("fullScreen");
        button.dataset.enter ??= button.textContent;
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
    }

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
            input.addEventListener("click", handler(() => {
                const boxes = outlineBoxes(i);
                act(Act.ChooseFigure, i);
                drawOutline(boxes);
            })));
        on("Command1_0", "click", () => act(Act.Compute));
        on("Command1_1", "click", () => act(Act.Clear));
        on("Text2", "input", (event, typed) => act(Act.TypeStart, 0, typed ?? $("Text2").value));
        // Reached by Tab in practice, the start number is not selected: the Space the help
        // tells of must not erase it.
        $("Text2").addEventListener("focus", () => {
            const toEnd = () => {
                const end = $("Text2").value.length;
                $("Text2").setSelectionRange(end, end);
            };
            if (view && view.practice) {
                toEnd(); // the browser selects on focus by key before telling of it
                setTimeout(toEnd);
            }
        });
        // Enter computes in practice; the demonstration's start box keeps the window's ways.
        on("Text2", "keydown", (event) => {
            if (event.key === "Enter" && view.practice) {
                event.preventDefault();
                act(Act.Compute);
            }
        });
        triangle.forEach((e, k) => e.addEventListener("click", handler(() => act(Act.ClickTriangle, k))));
        rhombus.forEach((e, v) => e.addEventListener("click", handler(() => act(Act.ClickRhombus, v))));
        [...triangle, ...rhombus].forEach((e) => e.addEventListener("keydown", (event) => {
            if (event.key === " " || event.key === "Enter") {
                event.preventDefault();
                e.click();
            }
        }));
        on("List1", "click", (event) => {
            const item = event.target.closest(".item");
            if (item)
                selectRow(Number(item.dataset.row));
        });
        on("List1", "keydown", (event) => {
            const current = view.practice ? view.pickedNumber : listRow;
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
        // The desktop's keys. Taken from the browser at once, even those that wait for the core.
        document.addEventListener("keydown", timed((event) => {
            const ctrl = event.ctrlKey || event.metaKey;
            // Ctrl+R is the solution here, never the browser's reload that would lose the game.
            const keys = {
                "ctrl+h": later(() => view.practice && act(Act.AskHint)), "ctrl+r": later(solutionOrOwn),
                "ctrl+e": later(() => act(Act.AskWhy)),
                "ctrl++": zoomIn, "ctrl+=": zoomIn, "ctrl+-": zoomOut, "ctrl+0": () => setZoom(0),
                "F11": () => setPresenting(!presenting), "F1": later(() => act(Act.AskHowToPlay)),
                // Esc closes a message first, then leaves the presentation.
                "Escape": () => ($("message").open ? $("message").close()
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
        act(Act.Start, practiceAsked ? 1 : 0);
        performance.mark("velmora-first-call");
    }

    // The module's bytes, from base64 in one native call where the browser has one.
    function moduleBytes() {
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

    // Compiled off the main thread; the loader (velmora_core.js) only instantiates what it
    // is handed.
    function startCore() {
        const compiled = WebAssembly.compile(moduleBytes());
        performance.mark("velmora-decoded");
        compiled.then(() => performance.mark("velmora-compiled"));
        VelmoraCore({
            instantiateWasm(imports, receive) {
                compiled.then((module) => WebAssembly.instantiate(module, imports)).then((instance) => {
                    performance.mark("velmora-instantiated");
                    receive(instance);
                }, report);
                return {};
            },
        }).then((module) => {
            core = module;
            // The demonstration starts as the form already shows it, so its first call waits
            // for the first input or a quiet moment; practice has its first words to say.
            if (practiceAsked || waiting.length)
                started();
            else
                (window.requestIdleCallback || setTimeout)(started);
            waiting.splice(0).forEach((work) => work());
            // The window's first focus, unless the pupil has already gone somewhere. Not
            // sooner: focusing before the first frame delayed it when measured.
            // Practice opens in the start box, so a number can be typed at once.
            if (document.activeElement === document.body)
                $(practiceAsked ? "Text2" : "Text1_0").focus();
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
    $("solution").dataset.reveal = $("solution").textContent;
    bind();
    layout();
    performance.mark("velmora-script");
})();
