// Headless Chromium driven over the DevTools protocol (through its pipe),
// and a static server on 127.0.0.1 for the page and its test files.
"use strict";
const { spawn } = require("child_process");
const fs = require("fs");
const http = require("http");
const os = require("os");
const path = require("path");

// Serves the files of the given directories (the first that has a name).
function serve(directories) {
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, "http://x").pathname).replace(/^\/+/, "");
    for (const directory of directories) {
      const file = path.join(directory, name);
      if (!file.startsWith(directory) || !fs.existsSync(file) || !fs.statSync(file).isFile()) continue;
      response.writeHead(200, { "Content-Type": file.endsWith(".html") ? "text/html" : "application/octet-stream" });
      response.end(fs.readFileSync(file));
      return;
    }
    response.writeHead(404);
    response.end();
  });
  return new Promise((resolve) => server.listen(0, "127.0.0.1", () => resolve(server)));
}

async function launch(options = {}) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "cuprolay-chromium-"));
  const downloads = options.downloads || profile;
  const child = spawn("chromium", [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--user-data-dir=" + profile, "--remote-debugging-pipe", "--window-size=1400,1000", "about:blank",
  ], { stdio: ["ignore", "ignore", "pipe", "pipe", "pipe"] });
  let stderr = "";
  child.stderr.on("data", (data) => { stderr += data; });
  const toChrome = child.stdio[3], fromChrome = child.stdio[4];
  let nextId = 1, buffered = "";
  const waiting = new Map(), listeners = [];
  fromChrome.on("data", (data) => {
    buffered += data;
    let end;
    while ((end = buffered.indexOf("\0")) >= 0) {
      const message = JSON.parse(buffered.slice(0, end));
      buffered = buffered.slice(end + 1);
      if (message.id && waiting.has(message.id)) {
        const { resolve, reject } = waiting.get(message.id);
        waiting.delete(message.id);
        if (message.error) reject(new Error(JSON.stringify(message.error))); else resolve(message.result);
      } else {
        for (const listener of listeners) listener(message);
      }
    }
  });
  // A browser that ends (or crashes) fails every call still waiting, so
  // that no test hangs on it.
  let ended = false;
  const exited = new Promise((resolve) => child.on("exit", (code, signal) => {
    ended = true;
    for (const { reject } of waiting.values()) reject(new Error(`chromium ended (${code ?? signal})`));
    waiting.clear();
    resolve();
  }));
  function send(method, params = {}, sessionId) {
    if (ended) return Promise.reject(new Error("chromium has ended"));
    const id = nextId++;
    const message = { id, method, params };
    if (sessionId) message.sessionId = sessionId;
    toChrome.write(JSON.stringify(message) + "\0");
    return new Promise((resolve, reject) => waiting.set(id, { resolve, reject }));
  }
  const { targetInfos } = await send("Target.getTargets");
  const page = targetInfos.find((target) => target.type === "page");
  const { sessionId } = await send("Target.attachToTarget", { targetId: page.targetId, flatten: true });
  const call = (method, params) => send(method, params, sessionId);
  const consoleLines = [], events = [];
  listeners.push((message) => {
    if (message.sessionId !== sessionId) return;
    events.push(message);
    if (message.method === "Runtime.consoleAPICalled")
      consoleLines.push(message.params.args.map((a) => a.value !== undefined ? a.value : a.description).join(" "));
    if (message.method === "Runtime.exceptionThrown")
      consoleLines.push("exception: " + ((message.params.exceptionDetails.exception || {}).description ||
        JSON.stringify(message.params.exceptionDetails)).slice(0, 600));
  });
  await call("Runtime.enable");
  await call("Page.enable");
  // Downloads land under their id; the name the page offered is kept
  // here, and the file renamed to it once complete.
  const downloaded = [];
  const offered = new Map();
  listeners.push((message) => {
    if (message.method === "Browser.downloadWillBegin") offered.set(message.params.guid, message.params.suggestedFilename);
    if (message.method === "Browser.downloadProgress" && message.params.state === "completed") {
      const name = offered.get(message.params.guid);
      fs.renameSync(path.join(downloads, message.params.guid), path.join(downloads, name));
      downloaded.push(name);
    }
  });
  await send("Browser.setDownloadBehavior", { behavior: "allowAndName", downloadPath: downloads, eventsEnabled: true });

  async function evaluate(expression) {
    const result = await call("Runtime.evaluate", { expression, returnByValue: true, awaitPromise: true });
    if (result.exceptionDetails) throw new Error("page: " + JSON.stringify(result.exceptionDetails).slice(0, 400));
    return result.result.value;
  }
  async function waitFor(expression, timeoutMs = 60000) {
    const start = Date.now();
    for (;;) {
      // A page that is navigating answers nothing: ask again.
      const value = await evaluate(expression).catch((error) => {
        if (/navigated or closed|context/i.test(error.message)) return undefined;
        throw error;
      });
      if (value) return value;
      if (Date.now() - start > timeoutMs)
        throw new Error("timed out waiting for " + expression + "\n" + consoleLines.join("\n"));
      await new Promise((resolve) => setTimeout(resolve, 50));
    }
  }
  async function close() {
    try { await send("Browser.close"); } catch (error) { child.kill(); }
    await exited;
    fs.rmSync(profile, { recursive: true, force: true });
  }
  return { send, call, evaluate, waitFor, close, consoleLines, events, downloaded, stderr: () => stderr };
}

module.exports = { launch, serve };
