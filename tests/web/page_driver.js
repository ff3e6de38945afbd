// Real mouse and key events for the editor page in headless Chromium, and
// the waits on its dialogs, over a browser from cdp.js.
"use strict";

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// The title of the open dialog, "" when none is open.
const dialogTitle = "document.querySelector('#overlay:not([hidden]) .dialog:not([data-answered]) h1')?.textContent || ''";
const dialogText = "[...document.querySelectorAll('#overlay:not([hidden]) .dialog p.text')].map((p) => p.textContent).join('\\n')";

function driver(browser) {
  const { call, evaluate, waitFor } = browser;
  let box = [0, 0];
  const waitDialog = (title) => waitFor(`(${dialogTitle}) === ${JSON.stringify(title)}`, 20000);
  const waitNoDialog = () => waitFor(`(${dialogTitle}) === ''`, 20000);
  // modifiers: 2 holds control, as the desktop's Ctrl.
  const key = async (name, options = {}) => {
    const text = name.length === 1 && !options.modifiers ? name : undefined;
    const special = { ".": ["Period", 190], " ": ["Space", 32], Enter: ["Enter", 13], Escape: ["Escape", 27] }[name];
    const code = special ? special[0] : /[0-9]/.test(name) ? "Digit" + name : "Key" + name.toUpperCase();
    const vk = special ? special[1] : name.toUpperCase().charCodeAt(0);
    const base = { key: name, code, windowsVirtualKeyCode: vk, modifiers: options.modifiers || 0 };
    await call("Input.dispatchKeyEvent", { type: text ? "keyDown" : "rawKeyDown", text, ...base });
    await call("Input.dispatchKeyEvent", { type: "keyUp", ...base });
    await sleep(60);
  };
  const type = async (text) => { for (const c of text) await key(c); };
  // Answers the open dialog with a key and waits until it has gone (the
  // next may follow at once, with the same title).
  const settle = async (keyName) => {
    await evaluate("document.querySelector('#overlay .dialog').dataset.answered = 1, true");
    await key(keyName);
    await waitFor("!document.querySelector('#overlay:not([hidden]) .dialog[data-answered]')", 20000);
  };
  const answerWith = async (title, keyName) => {
    await waitDialog(title);
    await settle(keyName);
  };
  const answer = async (title, text) => {
    await waitDialog(title);
    await evaluate("document.querySelector('.dialog input[type=text]').select(), true");
    await type(text);
    await settle("Enter");
  };
  // Model units are canvas pixels at zoom 10.
  const locate = async () => {
    box = await evaluate("(() => { const b = document.getElementById('screen').getBoundingClientRect(); return [b.left, b.top]; })()");
  };
  const mouse = async (type, x, y, button = "left") => {
    await call("Input.dispatchMouseEvent", { type, x: box[0] + x, y: box[1] + y, button,
      buttons: type === "mouseReleased" ? 0 : button === "left" ? 1 : 2, clickCount: 1 });
    await sleep(80);
  };
  const click = async (x, y, button = "left") => {
    await mouse("mouseMoved", x, y);
    await mouse("mousePressed", x, y, button);
    await mouse("mouseReleased", x, y, button);
  };
  // Opens a menu and points at one of its rows; returns the row's place.
  const menu = async (title, item) => {
    await evaluate(`[...document.querySelectorAll('.menu-title')].find((t) => t.firstChild.textContent === ${JSON.stringify(title)})
      .dispatchEvent(new MouseEvent('mousedown', { bubbles: true })), true`);
    const row = await evaluate(`(() => { const r = [...document.querySelectorAll('.menu-title.open .menu-row')]
      .find((e) => e.firstChild.textContent === ${JSON.stringify(item)}).getBoundingClientRect();
      return [r.left + 20, r.top + r.height / 2]; })()`);
    await call("Input.dispatchMouseEvent", { type: "mouseMoved", x: row[0], y: row[1] });
    await sleep(50);
    return row;
  };
  const pick = async (row) => {
    await call("Input.dispatchMouseEvent", { type: "mousePressed", x: row[0], y: row[1], button: "left", buttons: 1, clickCount: 1 });
    await call("Input.dispatchMouseEvent", { type: "mouseReleased", x: row[0], y: row[1], button: "left", clickCount: 1 });
    await sleep(100);
  };
  return { key, type, answer, answerWith, settle, locate, mouse, click, menu, pick, waitDialog, waitNoDialog };
}

module.exports = { driver, dialogTitle, dialogText, sleep };
