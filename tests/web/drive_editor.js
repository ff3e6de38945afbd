// drive_editor.js PAGE_DIR OUT_DIR: the editor page in headless Chromium,
// driven with real mouse and key events. It closes the start-up help,
// opens a menu, makes a cut, draws a wire, places a component through the
// prompt and gives it a description, answers a message box, opens the
// help from the menu, the export dialog and the chooser, toggles the zoom,
// saves through Save as, prints to PDF and uploads a board; after a reload the files are
// still there, and leaving with unsaved work asks first. Writes the downloaded board, the canvas and
// screenshots (shot-*.png) into OUT_DIR; fails on any step that does
// not happen.
"use strict";
const fs = require("fs");
const path = require("path");
const { launch, serve } = require("./cdp.js");
const { driver, dialogTitle, sleep } = require("./page_driver.js");

const [pageDir, outDir] = process.argv.slice(2).map((a) => path.resolve(a));

async function main() {
  const server = await serve([pageDir]);
  const browser = await launch({ downloads: outDir });
  const { call, evaluate, waitFor } = browser;
  const { key, answer, locate, mouse, click, menu, pick, waitDialog, waitNoDialog } = driver(browser);
  const shot = async (name) => {
    const picture = await call("Page.captureScreenshot", { format: "png" });
    fs.writeFileSync(path.join(outDir, `shot-${name}.png`), Buffer.from(picture.data, "base64"));
  };
  const waitUntil = async (test, failure) => {
    for (let i = 0; i < 150 && !test(); i++) await sleep(100);
    if (!test()) throw new Error(failure);
  };
  const waitFile = (name) => waitUntil(() => browser.downloaded.includes(name), "no download of " + name);
  await call("Page.navigate", { url: `http://127.0.0.1:${server.address().port}/cuprolay.html?board=timer.cpx` });
  await waitDialog("Help");
  await locate();

  await shot("help-start");
  await key("Escape");
  await waitNoDialog();
  await sleep(300);
  await shot("board-10");

  // The menu, looked at, then left without a choice.
  await menu("Edit", "Wire");
  await evaluate("document.querySelector('.menu-title.open .menu-row.popup').dispatchEvent(new MouseEvent('mouseenter')), true");
  await shot("menu-edit");
  await key("Escape");

  await click(475, 320);                       // a cut between (470, 320) and (480, 320)
  await mouse("mouseMoved", 440, 320);         // a wire from (440, 320) to (500, 320)
  await mouse("mousePressed", 440, 320);
  await mouse("mouseMoved", 470, 320);
  await mouse("mouseMoved", 500, 320);
  await mouse("mouseReleased", 500, 320);
  await click(540, 340, "right");              // a component at (540, 340)
  await waitDialog("Cuprolay");
  await shot("ask");
  await answer("Cuprolay", "npn");
  await key("t");
  await answer("Cuprolay", "T1 BC547");
  await sleep(200);
  await shot("after-edits");

  // A message box: Quit with unsaved work asks, Cancel keeps the editor.
  await key("q");
  await waitDialog("Warning");
  await shot("message");
  await key("Escape");
  await waitNoDialog();

  // The help viewer from the menu, at its topic.
  await pick(await menu("Help", "Undo and redo"));
  await waitDialog("Help");
  await shot("help-topic");
  const top = await evaluate("(() => { const p = document.querySelector('.help .pane'); const b = p.getBoundingClientRect();" +
    "const s = [...p.children].find((e) => e.getBoundingClientRect().bottom > b.top + 8); return s ? s.textContent : ''; })()");
  if (!/^Undo and redo/i.test(top)) throw new Error("the help viewer does not show its topic at the top: " + top.slice(0, 80));
  await key("Escape");
  await waitNoDialog();

  // The export dialog (print), with Gerber chosen and then cancelled.
  await key("p");
  await waitDialog("Export");
  await evaluate("document.querySelector('.dialog input[value=G]').click(), true");
  await shot("export");
  await key("Escape");
  await waitNoDialog();

  // The zoom toggled and back.
  await key("z");
  await sleep(500);
  await shot("board-20");
  const wide = await evaluate("document.getElementById('screen').width");
  // Shown doubled without waiting for another event: pixel (705, 105),
  // black beside the board at zoom 10, is board now.
  const doubled = await evaluate("Array.from(document.getElementById('screen').getContext('2d').getImageData(705, 105, 1, 1).data.slice(0, 3)).join(' ')");
  await key("z");
  await sleep(500);

  // Save as through the menu and the chooser.
  await pick(await menu("File", "Save as..."));
  await waitDialog("Save as");
  await shot("chooser");
  await answer("Save as", "session.cpx");
  await waitFile("session.cpx");
  await sleep(300);
  const canvas = await evaluate("document.getElementById('screen').toDataURL('image/png')");
  fs.writeFileSync(path.join(outDir, "canvas.png"), Buffer.from(canvas.split(",")[1], "base64"));
  fs.writeFileSync(path.join(outDir, "zoom.txt"), `${wide}\n${doubled}\n`);

  // A print to PDF: the export dialog's OK, then the chooser; a download.
  await key("p");
  await waitDialog("Export");
  await evaluate("document.querySelector('.dialog input[value=D]').click(), true");
  await key("Enter");
  await waitFor(`!['', 'Export'].includes(${dialogTitle})`, 20000);
  await answer(await evaluate(dialogTitle), "board.pdf");
  await waitFile("board.pdf");
  if (fs.readFileSync(path.join(outDir, "board.pdf")).subarray(0, 5).toString() !== "%PDF-")
    throw new Error("the printed download is no PDF");

  // Upload... in a chooser puts a file from this computer into the folder.
  const upload = path.join(outDir, "uploaded.cpx");
  fs.copyFileSync(path.join(outDir, "session.cpx"), upload);
  await pick(await menu("File", "Insert file..."));
  await waitFor(`(${dialogTitle}) !== ''`, 20000);
  const { root } = await call("DOM.getDocument");
  const { nodeId } = await call("DOM.querySelector", { nodeId: root.nodeId, selector: ".dialog input[type=file]" });
  await call("DOM.setFileInputFiles", { nodeId, files: [upload] });
  await waitFor("[...document.querySelectorAll('.dialog select.files option')].some((o) => o.textContent === 'uploaded.cpx')", 20000);
  await shot("upload");
  await key("Escape");
  await waitDialog("Error: Couldn't open file");  // as on the desktop, after a cancelled Insert
  await key("Enter");
  await waitNoDialog();

  // The boards folder is kept across a reload.
  await sleep(1500);
  await call("Page.reload");
  await waitDialog("Help");
  const kept = await evaluate("['session.cpx', 'board.pdf', 'uploaded.cpx', 'timer.cpx'].every((n) => FS.analyzePath('/boards/' + n).exists)");
  if (!kept) throw new Error("the boards folder lost files across the reload: " + await evaluate("FS.readdir('/boards').join(' ')"));
  await key("Escape");
  await waitNoDialog();

  // Unsaved work: leaving the page asks first.
  await click(105, 200);
  await sleep(300);
  call("Page.navigate", { url: "about:blank" }).catch(() => {});
  await waitUntil(() => browser.events.some((m) => m.method === "Page.javascriptDialogOpening" && m.params.type === "beforeunload"),
    "no question before leaving with unsaved work");
  await call("Page.handleJavaScriptDialog", { accept: true });
  const problems = browser.consoleLines.filter((line) => /exception|abort|error/i.test(line));
  await browser.close();
  server.close();
  if (problems.length) throw new Error("the page reported: " + problems.join("\n"));
}

main().catch((error) => { console.error(error.stack || error); process.exit(1); });
