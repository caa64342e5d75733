// SPDX-License-Identifier: GPL-3.0-or-later
// The practice board: laid out and worded by the core (velmora_board: board.h and
// board_view.h), drawn here box by box at the core's pixels. Every tap, drag and key
// becomes one call of the core through `page.act`; nothing is decided here.
"use strict";
// Called once by velmora.js, which joins this script in the page's one script element
// (make_page.py), with what the board needs of it.
function velmoraBoard(page) {
    const { act, Act, handler } = page;
    // The core's board commands (board.h, BoardCommand), in its order.
    const Command = { Hint: 0, Solution: 1, Why: 2, Clear: 3, HowToPlay: 4, Compute: 5, Demonstration: 6 };
    const kDragSlop = 8; // pixels a finger may wander before a tap becomes a drag
    const kOnTray = -2; // velmora_drop_at: on the tray, no place
    // Where a number let go at the pointer lands, as the core finds it on its layout (the
    // board fills the window from its top left corner, so the pointer's pixels are the board's).
    const dropAt = (event) => page.core()._velmora_drop_at(event.clientX, event.clientY);
    const $ = (id) => document.getElementById(id);
    const board = $("board");
    const lines = $("boardLines");
    const parts = {
        levels: $("boardLevels"), places: $("boardPlaces"), sums: $("boardSums"), tiles: $("boardTiles"),
        chips: $("boardChips"), buttons: $("boardButtons"),
    };
    const startBox = $("startBox");
    let layout = null;
    let placing = false; // the core sent a new layout: every box is placed again
    let shown = null; // the board's view as last drawn
    let size = [0, 0];
    let placeFocus = -1; // the place and the tile Tab comes to (a roving tab stop each)
    let tileFocus = 0;

    const px = (v) => v + "px";
    // An element at the core's box, in CSS pixels; written only where it moved.
    function put(element, [x, y, w, h]) {
        if (!placing)
            return;
        const style = element.style;
        const want = [px(x), px(y), px(w), px(h)];
        if (style.left !== want[0]) style.left = want[0];
        if (style.top !== want[1]) style.top = want[1];
        if (style.width !== want[2]) style.width = want[2];
        if (style.height !== want[3]) style.height = want[3];
    }
    const font = (element, pixels) => {
        if (placing && element.style.fontSize !== px(pixels))
            element.style.fontSize = px(pixels);
    };
    const text = (element, words) => {
        if (element.textContent !== words)
            element.textContent = words;
    };
    const attribute = (element, name, value) => {
        if (element.getAttribute(name) !== value)
            element.setAttribute(name, value);
    };
    const toggle = (element, name, on) => {
        if (element.classList.contains(name) !== on)
            element.classList.toggle(name, on);
    };
    // As many children as `count`, each made by `make(k)` when missing.
    function children(parent, count, make) {
        while (parent.children.length > count)
            parent.lastElementChild.remove();
        while (parent.children.length < count)
            parent.append(make(parent.children.length));
        return [...parent.children];
    }
    function button(className, k) {
        const element = document.createElement("button");
        element.type = "button";
        element.className = className;
        element.dataset.index = k;
        return element;
    }

    // The core's layout for the board's size now and its view, drawn.
    function show() {
        const reply = JSON.parse(page.core().ccall("velmora_board", "string", ["number", "number"], size));
        if (reply.error)
            throw new Error(reply.error);
        placing = reply.layout !== undefined;
        board.classList.add("laid");
        layout = reply.layout ?? layout;
        shown = reply.view;
        window.velmoraBoardView = { layout, view: shown }; // for the tests, to compare with what is drawn
        const view = page.view();
        const fonts = layout.fonts;

        children(parts.levels, layout.levels.length, (k) => button("step", k)).forEach((step, k) => {
            const level = shown.levels[k];
            put(step, layout.levels[k]);
            font(step, fonts.button);
            text(step, level.text);
            attribute(step, "aria-label", level.spoken);
            attribute(step, "aria-pressed", String(level.current));
            toggle(step, "done", level.done);
            toggle(step, "suggested", level.suggested);
        });
        put($("levelTitle"), layout.levelTitle);
        $("levelTitle").hidden = layout.levelTitle[2] === 0; // no room for it beside the steps
        font($("levelTitle"), fonts.title);
        text($("levelTitle"), shown.levelTitle);
        put($("startLabel"), layout.startLabel);
        font($("startLabel"), fonts.button);
        text($("startLabel"), shown.startLabel);
        put(startBox, layout.startBox);
        font(startBox, fonts.button);
        if (startBox.value !== shown.startText)
            startBox.value = shown.startText;

        // The figure: its lines, or the square's cells; its places; each line's sum.
        if (placing) {
            attribute(lines, "viewBox", `0 0 ${layout.width} ${layout.height}`);
            const segments = children(lines, layout.edges.length,
                                      () => document.createElementNS("http://www.w3.org/2000/svg", "line"));
            segments.forEach((line, k) => ["x1", "y1", "x2", "y2"].forEach((end, i) =>
                attribute(line, end, String(layout.edges[k][i]))));
            toggle(board, "grid", layout.grid);
        }
        if (placeFocus < 0 || placeFocus >= layout.places.length)
            placeFocus = layout.readingOrder[0] ?? 0;
        children(parts.places, layout.places.length, (k) => button("place", k)).forEach((place, k) => {
            const what = shown.places[k];
            put(place, layout.places[k]);
            font(place, fonts.place);
            text(place, what.text);
            attribute(place, "aria-label", what.spoken);
            toggle(place, "picked", what.picked);
            attribute(place, "aria-pressed", String(what.picked));
            place.tabIndex = k === placeFocus ? 0 : -1;
        });
        children(parts.sums, layout.sums.length, () => {
            const sum = document.createElement("div");
            sum.className = "sum";
            sum.setAttribute("role", "note");
            sum.append(document.createElement("span"), document.createElement("span"));
            return sum;
        }).forEach((sum, k) => {
            const what = shown.sums[k];
            put(sum, layout.sums[k]);
            font(sum, fonts.sum);
            text(sum.children[0], what.sum);
            text(sum.children[1], what.detail);
            for (const mark of ["equal", "off", "alone"])
                toggle(sum, mark, what.mark === mark);
            toggle(sum, "empty", what.sum === "");
            attribute(sum, "aria-label", what.spoken);
        });

        // The tiles in their tray.
        put($("tray"), layout.tray);
        if (tileFocus >= layout.tiles.length)
            tileFocus = 0;
        children(parts.tiles, layout.tiles.length, (k) => button("tile", k)).forEach((tile, k) => {
            const what = shown.tiles[k] ?? { text: "", spoken: "", state: "free" };
            put(tile, layout.tiles[k]);
            font(tile, fonts.tile);
            text(tile, what.text);
            attribute(tile, "aria-label", what.spoken);
            for (const state of ["free", "placed", "picked"])
                toggle(tile, state, what.state === state);
            attribute(tile, "aria-pressed", String(what.state === "picked"));
            tile.disabled = what.text === ""; // a figure chosen, no numbers yet
            tile.tabIndex = k === tileFocus ? 0 : -1;
        });

        // The status line says what the input's answer said; «Защо става?» and the help
        // leave it as it was. Its letters are the core's for that text: a little smaller
        // for a long one, so that it shows whole.
        const status = $("boardStatus");
        put(status, layout.status);
        if (status.style.fontSize !== px(shown.statusFont))
            status.style.fontSize = px(shown.statusFont);
        if (!view.keepStatus)
            text(status, view.status);
        put($("chipsLabel"), layout.chipsLabel);
        font($("chipsLabel"), fonts.button);
        text($("chipsLabel"), shown.chipsLabel);
        attribute(parts.chips, "aria-label", shown.chipsSpoken);
        children(parts.chips, layout.chips.length, () => document.createElement("span")).forEach((chip, k) => {
            const what = shown.chips[k] ?? { text: "", found: false };
            put(chip, layout.chips[k]);
            font(chip, fonts.button);
            text(chip, what.text);
            toggle(chip, "found", what.found);
        });
        children(parts.buttons, layout.buttons.length, (k) => button("command", k)).forEach((element, k) => {
            put(element, layout.buttons[k].box);
            font(element, fonts.button);
            text(element, shown.buttonLabels[k]);
            attribute(element, "title", shown.buttonHelp[k]);
            element.dataset.command = layout.buttons[k].command;
        });
    }

    // A change that takes the pupil's placed numbers away is asked first, in the page's box.
    function unlessItLoses(work) {
        if (!shown || !shown.losePlacement)
            return work();
        page.ask(shown.losePlacement).then((yes) => yes && handler(work)());
    }
    const compute = () => unlessItLoses(() => act(Act.Compute));
    function chooseLevel(figure) {
        if (shown && shown.levels.some((level) => level.current && level.figure === figure))
            return;
        unlessItLoses(() => page.chooseFigure(figure));
    }
    const commands = {
        [Command.Hint]: () => act(Act.AskHint), [Command.Solution]: page.solutionOrOwn,
        [Command.Why]: () => act(Act.AskWhy), [Command.Clear]: () => act(Act.Clear),
        [Command.HowToPlay]: () => act(Act.AskHowToPlay), [Command.Compute]: compute,
        [Command.Demonstration]: () => act(Act.SwitchMode, 0),
    };

    // The number a drag or Delete takes from place `k`, as the core says.
    const numberOn = (k) => shown.places[k]?.number ?? -1;

    // A tap (or Enter and Space on a focused button): a tile picks its number, a place
    // takes the number picked, or is picked itself, as the core decides.
    board.addEventListener("click", (event) => {
        if (dragged) {
            dragged = false;
            return;
        }
        const target = event.target.closest("button");
        if (!target || !board.contains(target))
            return;
        const k = Number(target.dataset.index);
        if (target.classList.contains("tile"))
            handler(() => act(Act.ClickListItem, k))(event);
        else if (target.classList.contains("place"))
            handler(() => act(Act.ClickPosition, k))(event);
        else if (target.classList.contains("step"))
            handler(() => chooseLevel(shown.levels[k].figure))(event);
        else if (target.classList.contains("command"))
            handler(commands[Number(target.dataset.command)])(event);
    });

    // Dragging: a copy of the number follows the finger (only its transform changes per
    // move); where it is let go, the core says: a place takes it, the tray takes it back.
    let press = null; // { index, from, x, y, id, dragging, over }: a number pressed
    let dragged = false;
    const ghost = $("ghost");
    board.addEventListener("pointerdown", (event) => {
        dragged = false;
        if (!event.isPrimary || event.button > 0 || !shown)
            return;
        const target = event.target.closest(".tile, .place");
        if (!target)
            return;
        const k = Number(target.dataset.index);
        const index = target.classList.contains("tile") ? k : numberOn(k);
        if (index < 0 || !shown.tiles[index])
            return;
        press = { index, from: target, x: event.clientX, y: event.clientY, id: event.pointerId, dragging: false };
    });
    board.addEventListener("pointermove", (event) => {
        if (!press || event.pointerId !== press.id)
            return;
        const dx = event.clientX - press.x, dy = event.clientY - press.y;
        if (!press.dragging) {
            if (Math.hypot(dx, dy) < kDragSlop)
                return;
            press.dragging = true;
            try {
                board.setPointerCapture(press.id); // the moves keep coming off the board's edge
            } catch { /* a pointer the browser no longer has */ }
            // The copy starts where the core put the tile or place it is taken from.
            const from = press.from;
            const [x, y, w, h] = (from.classList.contains("tile") ? layout.tiles : layout.places)[from.dataset.index];
            ghost.textContent = shown.tiles[press.index].text;
            Object.assign(ghost.style, { left: px(x), top: px(y), width: px(w), height: px(h),
                                         fontSize: from.style.fontSize });
            ghost.hidden = false;
        }
        event.preventDefault();
        ghost.style.transform = `translate(${dx}px, ${dy}px)`;
        // The place the number would land on, marked: the core finds it among its boxes.
        const at = dropAt(event);
        const under = at >= 0 ? parts.places.children[at] ?? null : null;
        if (under !== press.over) {
            press.over?.classList.remove("over");
            under?.classList.add("over");
            press.over = under;
        }
    });
    function letGo(event, dropped) {
        if (!press || event.pointerId !== press.id)
            return;
        const { index, dragging, over } = press;
        over?.classList.remove("over");
        press = null;
        if (!dragging)
            return;
        ghost.hidden = true;
        ghost.style.transform = "";
        dragged = true; // the click this release makes is no tap
        setTimeout(() => { dragged = false; });
        if (!dropped)
            return;
        const at = dropAt(event);
        if (at >= 0)
            handler(() => act(Act.DropNumber, index, "", at))(event);
        else if (at === kOnTray)
            handler(() => act(Act.ReturnNumber, index))(event);
    }
    board.addEventListener("pointerup", (event) => letGo(event, true));
    board.addEventListener("pointercancel", (event) => letGo(event, false));

    // Keys: arrows walk the places in the core's reading order and along the tiles;
    // Delete and Backspace give a number back.
    board.addEventListener("keydown", (event) => {
        const target = event.target;
        const step = { ArrowRight: 1, ArrowDown: 1, ArrowLeft: -1, ArrowUp: -1 }[event.key];
        const isPlace = target.classList.contains("place"), isTile = target.classList.contains("tile");
        if (step && isPlace) {
            const order = layout.readingOrder;
            const next = order[(order.indexOf(Number(target.dataset.index)) + step + order.length) % order.length];
            event.preventDefault();
            focusPlace(next);
        } else if (step && isTile) {
            const count = parts.tiles.children.length;
            tileFocus = (Number(target.dataset.index) + step + count) % count;
            event.preventDefault();
            for (const tile of parts.tiles.children)
                tile.tabIndex = Number(tile.dataset.index) === tileFocus ? 0 : -1;
            parts.tiles.children[tileFocus].focus();
        } else if ((event.key === "Delete" || event.key === "Backspace") && (isPlace || isTile)) {
            const k = Number(target.dataset.index);
            const index = isPlace ? numberOn(k) : k;
            event.preventDefault();
            if (index >= 0)
                handler(() => act(Act.ReturnNumber, index))(event);
        }
    });
    function focusPlace(k) {
        placeFocus = k;
        for (const place of parts.places.children)
            place.tabIndex = Number(place.dataset.index) === k ? 0 : -1;
        parts.places.children[k]?.focus();
    }
    board.addEventListener("focusin", (event) => {
        const k = Number(event.target.dataset.index);
        if (event.target.classList.contains("place") && k !== placeFocus)
            focusPlace(k);
        else if (event.target.classList.contains("tile"))
            tileFocus = k;
    });

    // The start box: what is typed goes to the core, which keeps at most three digits;
    // Enter computes.
    startBox.addEventListener("input", handler((event, typed) => act(Act.EditStart, 0, typed ?? startBox.value)));
    startBox.addEventListener("keydown", (event) => {
        if (event.key === "Enter") {
            event.preventDefault();
            handler(compute)(event);
        }
    });

    // Laid out again whenever the window gives the board another size.
    new ResizeObserver((entries) => {
        const box = entries[entries.length - 1].contentRect;
        if (box.width === size[0] && box.height === size[1])
            return;
        size = [box.width, box.height];
        if (page.core() && page.view()?.practice && size[0] > 0)
            show();
    }).observe(board);

    return {
        show() {
            if (size[0] === 0)
                size = [board.clientWidth || innerWidth, board.clientHeight || innerHeight];
            show();
        },
        startBox,
    };
}
