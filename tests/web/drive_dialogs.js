// drive_dialogs.js PAGE_DIR OUT_DIR: every command of the editor's table
// that waits or opens a dialog, driven in the page with real events: the
// help by key, a component and a text placed by key and dragged, undo and
// redo, a region printed as the whole Gerber set, the collection's two
// boxes, Save with and without a name, the font chooser, Open, and a
// declined overwrite. The same session is written as a script
// (OUT_DIR/session.script) for the Linux program, so that the downloaded
// files can be compared with its files. Then, in fresh pages, a save into
// a browser whose storage refuses the folder must still succeed and be
// downloaded, leaving while the copy is under way must ask, and a heap that refuses every request must end the program
// with its message.
"use strict";
const fs = require("fs");
const path = require("path");
const { launch, serve } = require("./cdp.js");
const { driver, dialogTitle, dialogText, sleep } = require("./page_driver.js");

const [pageDir, outDir] = process.argv.slice(2).map((a) => path.resolve(a));

const gerber = [["Board contour file", "g.ctr"], ["Solder masks (.smt=.smb)", "g.smb"],
  ["Silk screen top file", "g.sst"], ["Bottom copper layer file", "g.bot"],
  ["Top copper layer file", "g.top"], ["Excellon Drill drawing file", "g.drd"]];

// One row per user action: what the page is given, and the script line
// that gives the Linux program the same.
const session = [
  ["key", "a"], ["help"], ["key", "h"], ["help"], ["key", "space"], ["help"],
  ["move", 420, 300], ["key", "c"], ["ask", "dil8"], ["move", 450, 310], ["click", 450, 310],
  ["key", "esc"], ["move", 400, 370], ["key", "t"], ["ask", "HELLO"], ["click", 420, 380],
  ["key", "u"], ["key", "r"],
  ["key", "^A"], ["key", "p"], ["export", "G", "1.00", "1.00"],
  ...gerber.map(([title, name]) => ["file", title, name]), ["ask", "go"],
  ["key", "^G"], ["ok", "Message"], ["ok", "Message"],
  ["key", "^S"], ["file", "Save as", "dialogs.cpx"],
  ["click", 505, 50], ["key", "^S"], ["ok", "File saved:"],
  ["key", "b"], ["file-cancel", "Load 128(H)x256(W) font bitmap file"],
  ["key", "^O"], ["file", "Find", "dialogs.cpx"], ["key", "^W"], ["file", "Save as", "reopened.cpx"],
  ["key", "^W"], ["file", "Save as", "timer.cpx"], ["cancel", "Question"], ["ok", "Error: Couldn't open output file:"],
  ["key", "q"],
];
const downloads = ["dialogs.cpx", "reopened.cpx", ...gerber.map(([, name]) => name)];

function scriptLine([kind, ...a]) {
  switch (kind) {
  case "key": return `key ${a[0]}`;
  case "move": case "click": return `${kind} ${a[0]} ${a[1]}`;
  case "ask": return `answer ${a[0]}`;
  case "file": return `file ${a[1]}`;
  case "export": return `export ${a.join(" ")}`;
  case "help": return null;  // the scripted viewer closes by itself
  default: return kind;      // ok, cancel, file-cancel
  }
}

async function main() {
  const server = await serve([pageDir]);
  const browser = await launch({ downloads: outDir });
  const { call, evaluate, waitFor } = browser;
  const page = driver(browser);
  const url = `http://127.0.0.1:${server.address().port}/cuprolay.html?board=timer.cpx`;
  const start = async () => {
    await call("Page.navigate", { url });
    await page.waitDialog("Help");
    await page.locate();
    await page.key("Escape");
    await page.waitNoDialog();
  };
  const keyOf = (name) => {
    if (name.startsWith("^")) return page.key(name[1].toLowerCase(), { modifiers: 2 });
    return page.key({ esc: "Escape", enter: "Enter", space: " " }[name] || name);
  };
  const act = {
    key: keyOf,
    move: (x, y) => page.mouse("mouseMoved", x, y),
    click: (x, y) => page.click(x, y),
    help: () => page.answerWith("Help", "Escape"),
    ask: (text) => page.answer("Cuprolay", text),
    ok: (title) => page.answerWith(title, "Enter"),
    cancel: (title) => page.answerWith(title, "Escape"),
    file: (title, name) => page.answer(title, name),
    "file-cancel": (title) => page.answerWith(title, "Escape"),
    export: async (format, h, v) => {
      await page.waitDialog("Export");
      await evaluate(`(() => { document.querySelector('.dialog input[value=${format}]').click();
        const [hf, vf] = document.querySelectorAll('.dialog .scales input'); hf.value = ${JSON.stringify(h)};
        vf.value = ${JSON.stringify(v)}; return true; })()`);
      await page.settle("Enter");
    },
  };

  await start();
  for (const [i, step] of session.entries()) {
    try {
      await act[step[0]](...step.slice(1));
    } catch (error) {
      throw new Error(`step ${i} ${JSON.stringify(step)}: ${error.message}`);
    }
  }
  await waitFor(`(${dialogTitle}) !== ''`, 20000);
  const endText = await evaluate(`(${dialogTitle}) + ': ' + ${dialogText}`);
  if (!/^Cuprolay: .*has ended/.test(endText)) throw new Error("Quit did not end the program: " + endText);
  for (let i = 0; i < 100 && !downloads.every((n) => browser.downloaded.includes(n)); i++) await sleep(100);
  const missing = downloads.filter((n) => !browser.downloaded.includes(n));
  if (missing.length) throw new Error("no download of " + missing.join(", "));
  fs.writeFileSync(path.join(outDir, "session.script"), session.map(scriptLine).filter((l) => l !== null).join("\n") + "\n");

  // A browser that keeps nothing: the save still succeeds and is offered
  // as a download, and the notice says that the folder is not kept.
  await start();
  // (The start-up's copy may come after this too: the copy that counts
  // is the first to hold the saved board.)
  await evaluate(`IDBFS.getDB = (name, callback) => {
    if (FS.analyzePath('/boards/unkept.cpx').exists) window.refusedSave = true;
    callback(new Error('refused'));
  }, true`);
  await page.click(505, 60);
  await page.key("w", { modifiers: 2 });
  await page.answer("Save as", "unkept.cpx");
  await waitFor("window.refusedSave === true", 20000);
  const notice = await evaluate("document.getElementById('notice').textContent");
  if (!/did not keep.*refused/.test(notice)) throw new Error("the refused copy shows: " + notice);
  const after = await evaluate(`(${dialogTitle})`);
  if (after !== "") throw new Error("the save into a browser that keeps nothing reported: " + after);
  for (let i = 0; i < 50 && !browser.downloaded.includes("unkept.cpx"); i++) await sleep(100);
  if (!browser.downloaded.includes("unkept.cpx")) throw new Error("no download of the save the browser did not keep");
  // A copy still under way: leaving asks first, as it did while the save
  // itself waited on the copy.
  await evaluate("IDBFS.getDB = () => {}, true");
  await page.click(505, 60);
  await page.key("s", { modifiers: 2 });
  await page.answerWith("File saved:", "Enter");
  const asked = () => browser.events.some((m) => m.method === "Page.javascriptDialogOpening" && m.params.type === "beforeunload");
  call("Page.navigate", { url: "about:blank" }).catch(() => {});
  for (let i = 0; i < 100 && !asked(); i++) await sleep(100);
  if (!asked()) throw new Error("no question before leaving while the copy is under way");
  await call("Page.handleJavaScriptDialog", { accept: true });
  await waitFor("location.href === 'about:blank'", 20000);

  // Out of memory: the end comes with the message, and nothing waits on it.
  await start();
  await evaluate("Module._web_refuse_heap_requests_from(1), true");
  await page.click(505, 60);
  await waitFor(`(${dialogTitle}) === 'Error'`, 20000);
  const fatal = await evaluate(dialogText);
  if (!/^Out of memory in malloc\n.*has ended/.test(fatal)) throw new Error("the out-of-memory end shows: " + fatal);

  const problems = browser.consoleLines.filter((line) => /exception|abort|unreachable/i.test(line));
  await browser.close();
  server.close();
  if (problems.length) throw new Error("the page reported: " + problems.join("\n"));
}

main().catch((error) => { console.error(error.stack || error); process.exit(1); });
