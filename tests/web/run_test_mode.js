// run_test_mode.js PAGE_DIR FILES_DIR OUT_DIR QUERY...: opens the page
// served on 127.0.0.1 once per query ("script=a.script&board=b.cpx") in a
// fresh headless Chromium, waits for the test mode to finish and writes
// the result (OUT_DIR/N.json) and the canvas capture (OUT_DIR/N.canvas.json).
"use strict";
const fs = require("fs");
const path = require("path");
const { launch, serve } = require("./cdp.js");

async function main() {
  const [pageDir, filesDir, outDir, ...queries] = process.argv.slice(2).map((a, i) => i < 3 ? path.resolve(a) : a);
  const server = await serve([pageDir, filesDir]);
  const port = server.address().port;
  let failed = false;
  for (let i = 0; i < queries.length; i++) {
    // A new browser each time: the boards folder starts as the examples.
    const browser = await launch();
    try {
      await browser.call("Page.navigate", { url: `http://127.0.0.1:${port}/cuprolay.html?${queries[i]}` });
      await browser.waitFor("document.title === 'done'", 120000);
      fs.writeFileSync(path.join(outDir, `${i + 1}.json`), await browser.evaluate("document.getElementById('result').textContent"));
      fs.writeFileSync(path.join(outDir, `${i + 1}.canvas.json`),
        await browser.evaluate("document.getElementById('canvas-capture').textContent"));
    } catch (error) {
      console.error(`${queries[i]}: ${error.message}\n${browser.consoleLines.join("\n")}`);
      failed = true;
    }
    await browser.close();
  }
  server.close();
  process.exit(failed ? 1 : 0);
}
main().catch((error) => { console.error(error); process.exit(1); });
