// The playground in headless Chromium against the native tool, typed into key by key as a person
// types: the page must show what `loopcost` prints, give the same JSON for every golden program,
// show the costs beside the lines as they are typed, mark an error where the fix goes and lose it
// on undo, hover, format, stay responsive while its worker analyses, show a huge program a
// screenful at a time, say what failed, plot one curve per model, round-trip its share link,
// compare the programs of a link, and fit a phone.
//
// node web/test/playground.test.mjs BUILD_WEB_DIR NATIVE_LOOPCOST
import assert from "node:assert/strict";
import { spawnSync } from "node:child_process";
import crypto from "node:crypto";
import fs from "node:fs";
import http from "node:http";
import os from "node:os";
import path from "node:path";
import zlib from "node:zlib";
import { after, before, describe, it } from "node:test";
import { fileURLToPath } from "node:url";
import puppeteer from "puppeteer-core";

const ROOT = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "../..");
const [buildWeb = path.join(ROOT, "build-web"), nativeTool = path.join(ROOT, "build/loopcost")] =
  process.argv.slice(2).map((argument) => path.resolve(argument));
const CHROMIUM = process.env.CHROMIUM ?? "/usr/bin/chromium";
const MODELS = [["2", "4"], ["1", "5"]];
const WORKED_EXAMPLE = path.join(ROOT, "tests/golden/worked_example/prog.txt");

function run(arguments_, input) {
  const result = spawnSync(nativeTool, arguments_,
                           { cwd: ROOT, input, encoding: "utf8", maxBuffer: 1 << 28 });
  assert.equal(result.error, undefined, `${nativeTool} could not run`);
  return result.stdout;
}

// The tool's JSON document for a file, or for `text` on standard input, less the file's name.
function nativeJson(file, { models = ["2,4", "1,5"], text, dialect = "classic" } = {}) {
  const cpus = models.flatMap((model) => ["--cpu", model]);
  const document = JSON.parse(run(["--format=json", "--dialect", dialect, ...cpus, file], text));
  delete document.files[0].file;
  return document;
}

// The module as the page loads it, in the page but apart from the page's own worker.
function loadCore(page) {
  return page.evaluateHandle(async () => (await import("./loopcost.mjs")).default());
}

// That module's JSON document for a program, less the file's name.
async function coreJson(core, text, models = MODELS, dialect = "classic") {
  const document = JSON.parse(await core.evaluate((module, program, prices, read) =>
    module.analyseMany(JSON.stringify([{ name: "program", text: program }]), JSON.stringify(prices), "en", read),
    text, models, dialect));
  delete document.files[0].file;
  return document;
}

function goldenPrograms() {
  const golden = path.join(ROOT, "tests/golden");
  const expectations = new Set(["args", "locale", "stdin", "stdout", "stderr", "status"]);
  return fs.readdirSync(golden).flatMap((folder) =>
    fs.readdirSync(path.join(golden, folder))
      .filter((name) => !expectations.has(name))
      .map((name) => path.join(golden, folder, name)),
  );
}

const TYPES = {
  ".html": "text/html; charset=utf-8",
  ".css": "text/css",
  ".js": "text/javascript",
  ".mjs": "text/javascript",
  ".wasm": "application/wasm",
  ".json": "application/json",
  ".txt": "text/plain; charset=utf-8",
};

// Under /faulty/ the site's module is slow to start, fails as a trapped core would on any
// program that mentions "trap", and answers one that mentions "garble" with a document the page
// cannot show; an example is not found.
const FAULTY = {
  "/faulty/loopcost.mjs": `import createLoopcost from "../loopcost.mjs";
    export default async function createFaulty() {
      const core = await createLoopcost();
      await new Promise((resolve) => setTimeout(resolve, 500));
      const analyseMany = core.analyseMany;
      core.analyseMany = (programs, ...rest) => {
        if (programs.includes("trap")) throw new WebAssembly.RuntimeError("unreachable");
        if (programs.includes("garble")) return '{"files": [{"ok": true}]}';
        return analyseMany(programs, ...rest);
      };
      return core;
    }`,
  "/faulty/examples/all_pairs.txt": null,
};

// A static server for the site on a free local port, inside this process so that it ends with
// it; resolves to the server and its address.
function serve(site) {
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, "http://localhost").pathname);
    if (name in FAULTY) {
      if (FAULTY[name] === null) response.writeHead(404).end();
      else response.writeHead(200, { "Content-Type": TYPES[path.extname(name)] }).end(FAULTY[name]);
      return;
    }
    const file = path.join(site, name.replace(/^\/faulty\//, "/").replace(/\/$/, "/index.html"));
    if (!file.startsWith(site + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { "Content-Type": TYPES[path.extname(file)] ?? "application/octet-stream" });
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => {
    server.listen(0, "127.0.0.1", () =>
      resolve({ server, address: `http://127.0.0.1:${server.address().port}/` }));
  });
}

let browser;
let server;
let address;
let profile;
const problems = [];  // console errors, uncaught exceptions, failed requests

async function openPage(url) {
  const page = await browser.newPage();
  page.on("console", (message) => {
    if (message.type() === "error") problems.push(`console: ${message.text()}`);
  });
  page.on("pageerror", (error) => problems.push(`exception: ${error.message}`));
  page.on("requestfailed", (request) => problems.push(`request failed: ${request.url()}`));
  page.on("response", (response) => {
    if (response.status() >= 400) problems.push(`HTTP ${response.status()}: ${response.url()}`);
  });
  await page.setViewport({ width: 1280, height: 900 });
  await page.goto(url, { waitUntil: "networkidle0" });
  await settled(page);
  return page;
}

// The page says it is analysing from an edit until the answer is shown.
async function settled(page) {
  await page.waitForFunction(() => (document.body.dataset.state ?? "analysing") !== "analysing",
                             { timeout: 0 });
  return page.$eval("body", (body) => body.dataset.state);
}

// Opens the page afresh at a fragment; resolves to its state once it has analysed.
async function openAt(page, fragment) {
  await page.goto("about:blank");
  await page.goto(`${address}${fragment}`);
  return settled(page);
}

const EDITOR = "#editor .cm-content";

async function selectAll(page) {
  await page.click(EDITOR);
  await page.keyboard.down("Control");
  await page.keyboard.press("a");
  await page.keyboard.up("Control");
}

// Types a program in place of the editor's, key by key, a line at a time: the editor indents
// each line as it is begun, and takes an END back out. Resolves to the page's state once it has
// analysed the text.
async function typeProgram(page, text) {
  await selectAll(page);
  await page.keyboard.press("Backspace");
  const lines = text.replace(/\n$/, "").split("\n").map((line) => line.trim());
  for (const [index, line] of lines.entries()) {
    if (index > 0) await page.keyboard.press("Enter");
    await page.keyboard.type(line);
  }
  return settled(page);
}

// Replaces the editor's text at once, as pasting does.
async function paste(page, text) {
  await selectAll(page);
  await page.$eval(EDITOR, (content, program) => {
    const data = new DataTransfer();
    data.setData("text/plain", program);
    content.dispatchEvent(new ClipboardEvent("paste", { clipboardData: data, bubbles: true, cancelable: true }));
  }, text);
}

async function pasteProgram(page, text) {
  await paste(page, text);
  return settled(page);
}

// The editor's text as it shows it, without the glances beside its lines.
function editorText(page) {
  return page.$$eval("#editor .cm-line", (lines) => lines.map((line) => {
    const copy = line.cloneNode(true);
    copy.querySelectorAll(".cm-glance").forEach((glance) => glance.remove());
    return copy.textContent;
  }).join("\n"));
}

// The glances beside the lines, by line: [line text, glance].
function glances(page) {
  return page.$$eval("#editor .cm-line", (lines) => lines.flatMap((line) => {
    const glance = line.querySelector(".cm-glance");
    if (!glance) return [];
    const copy = line.cloneNode(true);
    copy.querySelector(".cm-glance").remove();
    return [[copy.textContent.trim(), glance.textContent]];
  }));
}

// The glances once they are these: they come a moment after the analysis, for the lines in view.
async function glancesBecome(page, expected) {
  await page.waitForFunction((wanted) => JSON.stringify([...document.querySelectorAll("#editor .cm-glance")]
    .map((glance) => glance.textContent)) === wanted, { timeout: 5000 }, JSON.stringify(expected.map(([, glance]) => glance)))
    .catch(() => {});
  return glances(page);
}

function pageTexts(page, selector) {
  return page.$$eval(selector, (nodes) => nodes.map((node) => node.textContent));
}

// The page's share link once it is written, and its fields unpacked.
async function shareLink(page) {
  await page.waitForSelector("#share-link:not([aria-busy])");
  return page.$eval("#share-link", (anchor) => anchor.href);
}

async function linked(page) {
  const { hash } = new URL(await shareLink(page));
  assert.match(hash, /^#z=[\w-]+$/);
  return JSON.parse(zlib.inflateRawSync(Buffer.from(hash.slice(3), "base64url")));
}

// The texts under `selector` that stand at less than 4.5:1 against what lies behind them, each as
// [text, ratio]; the opacity of their ancestors counts.
function lowContrast(page, selector) {
  return page.$$eval(selector, (nodes) => {
    const channels = (colour) => colour.match(/[\d.]+/g).map(Number);
    const luminance = (rgb) => rgb.map((value) => value / 255)
      .map((value) => (value <= 0.03928 ? value / 12.92 : ((value + 0.055) / 1.055) ** 2.4))
      .reduce((sum, value, index) => sum + value * [0.2126, 0.7152, 0.0722][index], 0);
    return nodes.filter((node) => node.textContent.trim() && node.getClientRects().length).flatMap((node) => {
      let behind = null;
      let opacity = 1;
      for (let at = node; at; at = at.parentElement) {
        const style = getComputedStyle(at);
        opacity *= Number(style.opacity);
        const [r, g, b, alpha = 1] = channels(style.backgroundColor);
        if (!behind && alpha > 0.5) behind = [r, g, b];
      }
      const [r, g, b, alpha = 1] = channels(getComputedStyle(node).color);
      const text = [r, g, b].map((value, index) => value * alpha * opacity + behind[index] * (1 - alpha * opacity));
      const [light, dark] = [luminance(text), luminance(behind)].sort((x, y) => y - x);
      const ratio = (light + 0.05) / (dark + 0.05);
      return ratio < 4.5 ? [[node.textContent.trim().slice(0, 30), ratio.toFixed(2)]] : [];
    });
  });
}

// The durations of the page's long tasks (50 ms or more) since the last call, in ms; the first
// call starts counting.
function longTasks(page) {
  return page.evaluate(() => {
    if (!window.longTasks) {
      window.longTasks = [];
      new PerformanceObserver((list) => window.longTasks.push(...list.getEntries().map((task) => task.duration)))
        .observe({ type: "longtask" });
    }
    return window.longTasks.splice(0);
  });
}

function modelInputs(page) {
  return page.$$eval("#models input", (inputs) => inputs.map((input) => input.value));
}

describe("playground", () => {
  let page;
  let core;  // the test's own instance of the module

  before(async () => {
    ({ server, address } = await serve(path.join(buildWeb, "site")));
    profile = fs.mkdtempSync(path.join(os.tmpdir(), "loopcost-chromium-"));
    browser = await puppeteer.launch({
      executablePath: CHROMIUM,
      headless: true,
      userDataDir: profile,
      pipe: true,  // the browser ends when this process does, however it ends
      args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking",
             "--disable-component-update", "--disable-sync", "--no-first-run"],
    });
    page = await openPage(address);
    core = await loadCore(page);
  });

  after(async () => {
    await browser?.close();
    server?.closeAllConnections();
    server?.close();
    if (profile) fs.rmSync(profile, { recursive: true, force: true });
  });

  // First, while the module's code is still in its first, least compact compilation.
  it("analyses loops nested 1000 deep as the tool does, and rejects 1001", async () => {
    for (const [depth, state] of [[1000, "ok"], [1001, "error"]]) {
      const text = `BEGIN ${"LOOP n ".repeat(depth)}a; ${"END ".repeat(depth)}END\n`;
      assert.deepEqual(await coreJson(core, text), nativeJson("-", { text }), `depth ${depth}`);
      assert.equal(await pasteProgram(page, text), state, `depth ${depth} in the page's worker`);
    }
    await pasteProgram(page, fs.readFileSync(WORKED_EXAMPLE, "utf8"));
  });

  it("shows the worked example's echo and cost lines as the tool prints them", async () => {
    const printed = run(["--encoding=utf-8", WORKED_EXAMPLE]).split("\n");
    const echo = await pageTexts(page, "#annotated tr[aria-rowindex] td.code");
    const labels = await pageTexts(page, "#totals .model-label");
    const costs = await pageTexts(page, "#totals .cost-line");
    assert.deepEqual([...echo, labels[0], costs[0], labels[1], costs[1]], printed.slice(0, 10));
  });

  it("annotates each line and compares the models as the tool's explanation does", async () => {
    const explained = run(["--explain", "--encoding=utf-8", WORKED_EXAMPLE]).split("\n");
    const header = explained.findIndex((line) => line.startsWith("line "));
    const rows = explained.slice(header + 1, header + 7).map((line) => line.trim().replace(/ +/g, " "));
    const cells = await page.$$eval("#annotated tbody tr[aria-rowindex]", (trs) => trs.map((tr) =>
      [...tr.cells].map((td) => td.textContent.trim()).filter((text) => text !== "").join(" ")));
    assert.deepEqual(cells, rows);
    assert.equal(rows[3], "4 a * b ; n^1 0 1 4 * n^1 5 * n^1");
    const cheapest = explained.slice(explained.indexOf("cheapest:") + 1)
      .filter((line) => line.startsWith("  ")).map((line) => line.trim());
    assert.equal(cheapest.length, 3);
    assert.deepEqual(await pageTexts(page, "#comparison li"), cheapest);
    const growth = explained.filter((line) => line.includes(" growth ")).map((line) => line.split(" growth ")[1]);
    assert.deepEqual(await pageTexts(page, "#totals .growth"), growth);
    assert.match(await page.$eval(".help", (help) => help.textContent), /Runs is how often a line runs/);
  });

  it("gives the tool's JSON for every golden program", async () => {
    const programs = goldenPrograms();
    assert.ok(programs.length >= 40, `only ${programs.length} golden programs`);
    for (const file of programs) {
      const text = fs.readFileSync(file, "utf8");
      assert.deepEqual(await coreJson(core, text), nativeJson(file), path.relative(ROOT, file));
    }
    const extended = path.join(ROOT, "examples/extended");
    for (const name of fs.readdirSync(extended)) {
      const file = path.join(extended, name);
      assert.deepEqual(await coreJson(core, fs.readFileSync(file, "utf8"), MODELS, "extended"),
                       nativeJson(file, { dialect: "extended" }), name);
    }
  });

  it("gives the tool's JSON under other cost models", async () => {
    const file = path.join(ROOT, "examples/mixed_nesting.txt");
    const models = ["0.5,3", "1,1", "2.25,0"];
    assert.deepEqual(await coreJson(core, fs.readFileSync(file, "utf8"), models.map((model) => model.split(","))),
                     nativeJson(file, { models }));
  });

  it("shows the costs beside the lines as they are typed", async () => {
    assert.equal(await typeProgram(page, "BEGIN\na+b;\nLOOP n\na*b;\nEND\nEND"), "ok");
    assert.equal(await editorText(page), "BEGIN\n  a+b;\n  LOOP n\n    a*b;\n  END\nEND");
    const expected = [
      ["a+b;", "CPU1: 2 · CPU2: 1"],
      ["LOOP n", "CPU1: 4 * n^1 · CPU2: 5 * n^1"],
      ["a*b;", "CPU1: 4 * n^1 · CPU2: 5 * n^1"],
    ];
    assert.deepEqual(await glancesBecome(page, expected), expected);
    await page.keyboard.press("ArrowUp");
    await page.keyboard.press("ArrowUp");
    await page.keyboard.press("End");
    await page.keyboard.press("ArrowLeft");
    // The live region speaks once the typing pauses, not at every key.
    const spoken = await page.evaluateHandle(() => {
      const said = [];
      const region = document.getElementById("announce");
      new MutationObserver(() => said.push(region.textContent)).observe(region, { childList: true });
      return said;
    });
    await page.keyboard.type("*c", { delay: 200 });
    assert.equal(await settled(page), "ok");
    await new Promise((resolve) => setTimeout(resolve, 1200));
    assert.deepEqual(await spoken.jsonValue(), ["CPU1(2,4) 執行時間 = 8 * n^1 + 2; CPU2(1,5) 執行時間 = 10 * n^1 + 1"]);
    expected[1] = ["LOOP n", "CPU1: 8 * n^1 · CPU2: 10 * n^1"];
    expected[2] = ["a*b*c;", "CPU1: 8 * n^1 · CPU2: 10 * n^1"];
    assert.deepEqual(await glancesBecome(page, expected), expected);
  });

  it("marks a missing ';' where it goes, with what was expected, and loses the mark on undo", async () => {
    assert.equal(await typeProgram(page, "BEGIN\na+b;\nLOOP n\na*b;\nEND\nEND"), "ok");
    await page.keyboard.press("ArrowUp");
    await page.keyboard.press("ArrowUp");
    await page.keyboard.press("End");
    await page.keyboard.press("Backspace");
    assert.equal(await settled(page), "error");
    const expected = (await coreJson(core, "BEGIN\n  a+b;\n  LOOP n\n    a*b\n  END\nEND")).files[0].error;
    assert.match(await page.$eval("#error .message", (node) => node.textContent),
                 /^expected ';' at the end of the statement$/);
    assert.equal(await page.$eval("#error .position", (node) => node.textContent),
                 `at line ${expected.line}, column ${expected.column}`);
    assert.equal(expected.line, 4);
    assert.equal(await page.$$eval("#editor .cm-lint-marker-error", (marks) => marks.length), 1);
    const [marked, width] = await page.$eval("#editor .cm-lintRange-error",
                                             (mark) => [mark.closest(".cm-line").textContent, mark.getBoundingClientRect().width]);
    assert.match(marked, /^\s*a\*b/);
    assert.ok(width > 0, "the mark is seen");
    assert.equal(await page.$eval("[role=tab]", (tab) => tab.classList.contains("faulty")), true);

    await page.keyboard.down("Control");
    await page.keyboard.press("z");
    await page.keyboard.up("Control");
    assert.equal(await settled(page), "ok");
    assert.match(await editorText(page), /a\*b;/);
    assert.equal(await page.$$eval("#editor .cm-lint-marker-error", (marks) => marks.length), 0);
    assert.equal(await page.$eval("[role=tab]", (tab) => tab.classList.contains("faulty")), false);
  });

  it("marks the LOOP whose END did not come", async () => {
    assert.equal(await pasteProgram(page, "BEGIN\n  LOOP n\n    LOOP n a; END\n"), "error");
    assert.match(await page.$eval("#error .message", (node) => node.textContent), /LOOP at line 2/);
    const marks = await page.$$eval("#editor .cm-lintRange-error", (nodes) =>
      nodes.map((mark) => [mark.textContent, mark.closest(".cm-line").textContent.trim()]));
    assert.ok(marks.some(([text, line]) => text === "LOOP" && line === "LOOP n"), JSON.stringify(marks));
  });

  it("keeps every text legible, light or dark, the report dimmed by an error too", async () => {
    assert.equal(await pasteProgram(page, fs.readFileSync(WORKED_EXAMPLE, "utf8")), "ok");
    assert.equal(await pasteProgram(page, "BEGIN\n  LOOP n a END\nEND"), "error");
    const texts = "#report td, #report th, #totals span, #totals code, #comparison li, #editor .cm-line span, #editor .cm-gutterElement";
    for (const scheme of ["light", "dark"]) {
      await page.emulateMediaFeatures([{ name: "prefers-color-scheme", value: scheme }]);
      assert.deepEqual(await lowContrast(page, texts), [], scheme);
    }
    assert.ok(await page.$eval("#editor .cm-gutters", (gutter) =>
      getComputedStyle(gutter).backgroundColor.match(/\d+/g).slice(0, 3).every((value) => value < 64)), "a dark gutter");
    await page.emulateMediaFeatures([]);
  });

  it("moves the caret to the error, where typing the fix recovers", async () => {
    assert.equal(await typeProgram(page, "BEGIN\na+b;\nLOOP n\na*b\nEND\nEND"), "error");
    await page.focus("#error button");
    await page.keyboard.press("Enter");
    await page.keyboard.type(";");
    assert.equal(await settled(page), "ok");
    assert.equal(await page.$eval("#error", (node) => node.hidden), true);
    assert.equal((await pageTexts(page, "#totals .cost-line"))[0], "執行時間 = 4 * n^1 + 2");
  });

  it("shows a line's runs and costs on hovering it, as the language server does", async () => {
    assert.equal(await typeProgram(page, "BEGIN\na+b;\nLOOP n\na*b;\nEND\nEND"), "ok");
    const line = (await page.$$("#editor .cm-line"))[3];
    const box = await line.boundingBox();
    await page.mouse.move(box.x + 40, box.y + box.height / 2);
    await page.waitForSelector(".cm-hover", { timeout: 5000 });
    const hover = await page.$eval(".cm-hover", (node) => node.textContent);
    assert.match(hover, /^a \* b ; runs n\^1 times, with 0 additions and 1 multiplication a run:/);
    assert.match(hover, /CPU1\(2,4\): 4 \* n\^1/);
    await page.mouse.move(0, 0);
  });

  it("formats the program as the tool echoes it, keeping what follows its END", async () => {
    assert.equal(await pasteProgram(page, "BEGIN a+b;LOOP n a*b; END END\nnotes: keep me\n"), "ok");
    assert.equal(await page.$$eval("#editor .cm-unnecessary", (marks) => marks.length) > 0, true);
    await page.click("#format");
    assert.equal(await settled(page), "ok");
    assert.equal(await editorText(page),
                 "BEGIN\n  a + b ;\n  LOOP n\n    a * b ;\n  END\nEND\nnotes: keep me\n");
    await pasteProgram(page, "BEGIN a; END");
    await page.click(EDITOR);
    await page.keyboard.down("Shift");
    await page.keyboard.down("Alt");
    await page.keyboard.press("f");
    await page.keyboard.up("Alt");
    await page.keyboard.up("Shift");
    assert.equal(await settled(page), "ok");
    assert.equal(await editorText(page), "BEGIN\n  a ;\nEND\n");
  });

  it("answers the user during a long analysis, and shows the newest text's", async () => {
    await paste(page, `BEGIN ${"LOOP n a+b*c; d*e; f; ".repeat(1000)}${"END ".repeat(1000)}END\n`);
    await new Promise((resolve) => setTimeout(resolve, 300));  // well into the analysis
    const started = performance.now();
    const status = await page.evaluate(() => new Promise((resolve) =>
      requestAnimationFrame(() => resolve(document.getElementById("status").textContent))));
    console.log(`# a frame ${(performance.now() - started).toFixed(1)} ms into a program nested 1000 deep`);
    assert.equal(status, "Analysing…");
    assert.equal(await pasteProgram(page, "BEGIN a+b; END"), "ok");
    assert.deepEqual(await pageTexts(page, "#totals .cost-line"), ["執行時間 = 2", "執行時間 = 1"]);
  });

  it("says what failed: the examples, the module (restarted with the edits made meanwhile), a report", async () => {
    const faulty = await openPage(`${address}faulty/`);
    const expected = problems.length;
    await faulty.select("#examples", "all_pairs.txt");
    await faulty.waitForSelector("#examples-error:not([hidden])");
    assert.match(await faulty.$eval("#examples-error", (error) => error.textContent),
                 /example could not be loaded \(examples\/all_pairs.txt: 404/);
    assert.deepEqual(problems.splice(expected).filter((problem) => !/404|all_pairs.txt$/.test(problem)), []);
    assert.equal(await pasteProgram(faulty, "BEGIN trap; END"), "failed");
    assert.match(await faulty.$eval("#status", (status) => status.textContent), /failed.*restarted/);
    assert.equal(await pasteProgram(faulty, "BEGIN a+b; END"), "ok");  // while the new one starts
    assert.deepEqual(await pageTexts(faulty, "#totals .cost-line"), ["執行時間 = 2", "執行時間 = 1"]);

    assert.equal(await pasteProgram(faulty, "BEGIN garble; END"), "failed");
    assert.match(await faulty.$eval("#status", (status) => status.textContent), /could not be shown/);
    assert.equal(await faulty.$eval("body", (body) => body.classList.contains("stale")), true);
    await faulty.close();
  });

  it("takes an edit of 50,000 statements, shows its analysis and writes its link without holding the page up", async () => {
    assert.equal(await pasteProgram(page, `BEGIN\n${"  a+b;\n".repeat(50000)}END\n`), "ok");
    await new Promise((resolve) => setTimeout(resolve, 1000));  // the link written
    await longTasks(page);
    await page.keyboard.down("Control");
    await page.keyboard.press("Home");
    await page.keyboard.up("Control");
    await page.keyboard.press("ArrowDown");
    await page.keyboard.press("End");
    await page.keyboard.press("ArrowLeft");
    await page.keyboard.type("*c*d*e", { delay: 150 });
    const typing = await longTasks(page);  // CodeMirror's own, at each key
    assert.equal(await settled(page), "ok");
    await new Promise((resolve) => setTimeout(resolve, 1000));
    const answer = await longTasks(page);
    const longest = (tasks) => `${tasks.length} long tasks, the longest ${Math.max(0, ...tasks).toFixed(0)} ms`;
    console.log(`# 6 keys typed in 50,000 statements: ${longest(typing)}; their analysis shown and linked: ${longest(answer)}`);
    assert.ok(answer.every((duration) => duration < 100), String(answer));
  });

  it("shows 200,000 statements with only the rows in view in the document", async () => {
    const lines = 200002;
    const text = `BEGIN\n${"  a+b;\n  a*b;\n".repeat((lines - 2) / 2)}END\n`;
    await longTasks(page);
    const started = performance.now();
    assert.equal(await pasteProgram(page, text), "ok");
    console.log(`# ${lines} lines shown ${(performance.now() - started).toFixed(0)} ms after pasting ` +
                `(${await page.$eval("#status", (status) => status.textContent)}), the longest task ` +
                `${Math.max(...await longTasks(page)).toFixed(0)} ms`);
    assert.ok(await page.$$eval("#annotated tr", (rows) => rows.length) < 100);
    // The row at a height of the scrolled table: its number and its text, which alternate.
    // The rows come from the worker a moment after they come into view.
    const rowAt = (fraction) => page.$eval("#report .scroll", async (scroller, part) => {
      scroller.scrollIntoView({ block: "center" });
      scroller.scrollTop = (scroller.scrollHeight - scroller.clientHeight) * part;
      for (;;) {
        await new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));
        const box = scroller.getBoundingClientRect();
        const y = Math.min(box.bottom - 4, Math.max(box.top + 40, box.top + box.height * part));
        const row = document.elementFromPoint(box.left + 20, y).closest("tr");
        if (row.cells.length > 1) return [Number(row.cells[0].textContent), row.cells[1].textContent.trim()];
      }
    }, fraction);
    assert.deepEqual(await rowAt(0), [1, "BEGIN"]);
    assert.deepEqual(await rowAt(1), [lines, "END"]);
    const [middle, code] = await rowAt(0.5);
    assert.ok(Math.abs(middle - lines / 2) < 10, `line ${middle} in the middle`);
    assert.equal(code, middle % 2 === 0 ? "a + b ;" : "a * b ;");
  });

  it("plots one curve per model and marks where the cheapest model changes", async () => {
    await pasteProgram(page, fs.readFileSync(WORKED_EXAMPLE, "utf8"));
    assert.equal((await page.$$("#plot > svg path.curve")).length, 2);
    assert.deepEqual(await page.$$eval("#plot > svg .crossover", (marks) =>
      marks.map((mark) => mark.dataset.n)), ["1"]);

    await page.click("#models .add-model");
    await page.keyboard.down("Control");
    await page.keyboard.press("a");
    await page.keyboard.up("Control");
    await page.keyboard.type("3");
    await settled(page);
    assert.deepEqual(await page.$$eval("#plot > svg path.curve", (curves) =>
      curves.map((curve) => curve.dataset.name)), ["CPU1(2,4)", "CPU2(1,5)", "CPU3(3,1)"]);
    await page.click("#log-scale");
    assert.equal((await page.$$("#plot > svg path.curve")).length, 3);
    assert.equal(await page.$$eval("#plot .legend li", (items) => items.length), 3);
    await page.click("#log-scale");
  });

  it("draws the steps that log n makes, and a crossing between powers of two", async () => {
    const stepped = await openPage(address);  // the tool's two models
    await stepped.click("#dialect");
    const program = fs.readFileSync(path.join(ROOT, "examples/extended/cheapest_inside_a_power_of_two.txt"), "utf8");
    assert.equal(await pasteProgram(stepped, program), "ok");
    await stepped.evaluate(() => ["n-from", "n-to"].forEach((id, index) => {
      const input = document.getElementById(id);
      input.value = ["0", "40"][index];
      input.dispatchEvent(new Event("input"));
    }));
    assert.deepEqual(await stepped.$$eval("#plot > svg .crossover", (marks) => marks.map((mark) => mark.dataset.n)), ["10"]);
    // Upright steps: two points of a curve at one x, at n = 2, 4, 8, 16 and 32.
    const steps = await stepped.$$eval("#plot > svg path.curve", (curves) => curves.map((curve) => {
      const points = [...curve.getAttribute("d").matchAll(/[ML]([\d.]+),([\d.]+)/g)].map(([, x, y]) => [Number(x), Number(y)]);
      return points.filter(([x, y], k) => k > 0 && Math.abs(x - points[k - 1][0]) < 0.01 && Math.abs(y - points[k - 1][1]) > 0.5).length;
    }));
    assert.deepEqual(steps, [5, 5]);
    await stepped.close();
  });

  it("labels each tick in full, and says when costs are too large to plot", async () => {
    const labels = (axis) => pageTexts(page, `#plot .tick-${axis}`);
    for (const range of [["0", "40000"], ["1100000000000", "1400000000000"]]) {
      await page.evaluate((...values) => ["n-from", "n-to"].forEach((id, index) => {
        const input = document.getElementById(id);
        input.value = values[index];
        input.dispatchEvent(new Event("input"));
      }), ...range);
      for (const axis of ["x", "y"]) {
        const values = (await labels(axis)).map(Number);
        assert.ok(values.every((value, i) => i === 0 || value > values[i - 1]), `${range}: ${await labels(axis)}`);
      }
    }
    assert.equal(await page.$eval("#plot .beyond", (note) => note.hidden), true);
    await pasteProgram(page, `BEGIN ${"LOOP 1000000000 ".repeat(200)}a+b; ${"END ".repeat(200)}END`);
    assert.equal(await page.$eval("#plot .beyond", (note) => note.hidden), false);
  });

  it("scrolls a wide table inside its card, as far as its last column", async () => {
    await page.setViewport({ width: 400, height: 900 });
    const fits = await page.$eval("#report .scroll", (scroller) => {
      scroller.scrollLeft = scroller.scrollWidth;
      const card = scroller.closest("section");
      const last = scroller.querySelector("th:last-child").getBoundingClientRect();
      return [card.scrollWidth <= card.clientWidth, last.right <= scroller.getBoundingClientRect().right + 0.5];
    });
    await page.setViewport({ width: 1280, height: 900 });
    assert.deepEqual(fits, [true, true]);
  });

  it("round-trips the share link, with the models as typed or the tool's defaults", async () => {
    const program = "BEGIN\n  x*y + z;\n  LOOP 7 q; END\nEND";
    // Links as they were first written, which still open.
    const fragment = (text, models) =>
      `#program=${encodeURIComponent(text)}${models ? `&cpu=${encodeURIComponent(models)}` : ""}`;
    await typeProgram(page, program);
    assert.equal(await editorText(page), program);
    assert.deepEqual(await linked(page), { programs: [{ text: program }], cpu: "2,4;1,5;3,1" });
    const totals = await pageTexts(page, "#totals");
    const shared = await openPage(await shareLink(page));
    assert.equal(await editorText(shared), program);
    assert.deepEqual(await modelInputs(shared), ["2", "4", "1", "5", "3", "1"]);
    assert.deepEqual(await pageTexts(shared, "#totals"), totals);

    // With the extended dialect on, a triangular loop's costs and each line's runs and costs hold
    // from an n on, as the tool says; its link opens with the dialect on.
    const triangular = "BEGIN\nLOOP i = 1 TO n\nLOOP j = i + 1 TO n\na + b;\nEND\nEND\nEND";
    await shared.click("#dialect");
    assert.equal(await typeProgram(shared, triangular), "ok");
    const explained = run(["--dialect", "extended", "-x", "--encoding=utf-8", "--cpu", "2,4", "--cpu", "1,5",
                           "--cpu", "3,1", "-"], triangular).split("\n");
    const costLines = explained.filter((line) => line.startsWith("執行時間"));
    assert.equal(costLines[1], "執行時間 = 1/2 * n^2 - 1/2 * n^1 (n >= 0)");
    assert.deepEqual(await pageTexts(shared, "#totals .cost-line"), costLines);
    const header = explained.findIndex((line) => line.startsWith("line "));
    const cells = () => shared.$$eval("#annotated tbody tr[aria-rowindex]", (trs) => trs.map((tr) =>
      [...tr.cells].filter((_, column) => column < 3 || column > 4)  // the tool writes no operations here
        .map((td) => td.textContent.trim()).filter((text) => text !== "").join(" ")));
    assert.deepEqual(await cells(), explained.slice(header + 1, header + 8).map((line) => line.trim().replace(/ +/g, " ")));
    assert.equal((await linked(shared)).dialect, "extended");
    const reopened = await openPage(await shareLink(shared));
    assert.equal(await reopened.$eval("#dialect", (toggle) => toggle.checked), true);
    assert.deepEqual(await pageTexts(reopened, "#totals .cost-line"), costLines);
    await reopened.close();
    // A program with no single polynomial is refused, its LOOP's count marked.
    const parity = fs.readFileSync(path.join(ROOT, "examples/extended/parity.txt"), "utf8");
    assert.equal(await pasteProgram(shared, parity), "error");
    await shared.waitForSelector(".cm-lintRange-error");
    assert.deepEqual(await pageTexts(shared, ".cm-lintRange-error"), ["m = k TO n - k"]);
    assert.match(await shared.$eval("#error .message", (message) => message.textContent), /^no single polynomial: /);

    // Without models, the defaults: their prices as the core gives them, and no models in the link.
    const defaults = nativeJson(WORKED_EXAMPLE, { models: [] }).files[0].models
      .flatMap((model) => [String(model.addition), String(model.multiplication)]);
    assert.equal(await openAt(shared, fragment(program)), "ok");
    assert.deepEqual(await modelInputs(shared), defaults);
    assert.deepEqual(await linked(shared), { programs: [{ text: program }] });
    // A syntax error, with what a fragment must escape, opened over a program with a report: the
    // report was another program's, and goes.
    const odd = "BEGIN a&b; # 100% = ? END";
    await shared.evaluate((hash) => (location.hash = hash), fragment(odd));
    await shared.waitForFunction(() => document.body.dataset.state === "error");
    assert.equal(await shared.$eval("body", (body) => body.classList.contains("no-result")), true);
    assert.equal(await editorText(shared), odd);
    assert.deepEqual(await linked(shared), { programs: [{ text: odd }] });

    // Models the core rejects: kept as typed, in the boxes and the link, the box and what it
    // takes named.
    const invalid = () => shared.$$eval("#models input", (inputs) => inputs.map((input) => input.getAttribute("aria-invalid")));
    for (const [cpu, box, marks] of [["1%25,2", "model 1, the price of +: '1%'", ["true", "false"]],
                                     ["1,2,3", "model 1, the price of *: '2,3'", ["false", "true"]]]) {
      const models = decodeURIComponent(cpu);
      assert.equal(await openAt(shared, `${fragment(program)}&cpu=${cpu}`), "error");
      assert.deepEqual(await invalid(), marks);
      assert.equal((await modelInputs(shared)).join(","), models);
      assert.deepEqual(await linked(shared), { programs: [{ text: program }], cpu: models });
      assert.equal(await shared.$eval("#models-error", (error) => error.textContent),
                   `${box} is not a price: write a number in digits, such as 2 or 0.5`);
    }

    // Past what a browser opens, no link and no address, and the page says why.
    const noise = crypto.randomBytes(2 << 20).toString("base64").replace(/[^A-Za-z0-9]/g, "").replace(/.{80}/g, "$&\n");
    assert.equal(await pasteProgram(shared, `BEGIN\n${noise}`), "error");
    assert.equal(await shareLink(shared), "");
    assert.equal(await shared.$eval("#link-too-long", (note) => note.hidden), false);
    assert.equal(await shared.evaluate(() => location.hash), "");
    assert.deepEqual(await shared.evaluate(async () => {  // and it offers the program as a file
      const link = document.getElementById("download");
      document.addEventListener("click", (event) => event.preventDefault(), { capture: true, once: true });
      link.click();
      return [link.download, (await (await fetch(link.href)).text()).length];
    }), ["program 1.txt", `BEGIN\n${noise}`.length]);

    // A link cut short or changed by hand: said so, the worked example shown, the address kept.
    for (const broken of ["#z=c8lNzQFyCvPLk", "#program=%E0%A4%A"]) {
      assert.equal(await openAt(shared, broken), "ok");
      await shareLink(shared);
      assert.equal(await shared.$eval("#link-unreadable", (note) => note.hidden), false);
      assert.equal(await shared.evaluate(() => location.hash), broken);
    }
    await shared.close();
  });

  it("compares the programs of a link, in words and on the plot, keeps each one's report, and links back", async () => {
    const pair = [["all pairs", "all_pairs.txt"], ["thousand passes", "thousand_passes.txt"]];
    const fragment = `#${pair.map(([name, file]) => `name=${encodeURIComponent(name)}&program=` +
      encodeURIComponent(fs.readFileSync(path.join(ROOT, "examples", file), "utf8"))).join("&")}&cpu=${encodeURIComponent("2,4;1,5")}`;
    const shared = await openPage(`${address}${fragment}`);
    const curves = () => shared.$$eval("#plot > svg path.curve", (paths) => paths.map((curve) => curve.dataset.name));
    assert.deepEqual(await pageTexts(shared, "[role=tab]"), ["all pairs", "thousand passes"]);
    assert.deepEqual(await pageTexts(shared, ".compared li"), [
      "for n = 0: both cost the same",
      "for 1 <= n <= 999: all pairs is cheaper",
      "for n = 1000: both cost the same",
      "for every n >= 1001: thousand passes is cheaper",
    ]);
    assert.deepEqual(await curves(), ["all pairs", "thousand passes"]);
    assert.deepEqual(await shared.$$eval("#plot > svg .crossover", (marks) =>
      marks.map((mark) => [mark.dataset.n, mark.querySelectorAll("circle").length])), [["0", 1], ["1000", 1]]);

    // The second program's own report, and the plot of its models.
    await shared.click("#program-tab-1");
    assert.deepEqual(await pageTexts(shared, "#totals .cost-line"), ["執行時間 = 6e+03 * n^1", "執行時間 = 6e+03 * n^1"]);
    await shared.select(".plot-choice select", "");
    assert.deepEqual(await curves(), ["CPU1(2,4)", "CPU2(1,5)"]);

    // A name already taken is refused, and said to be; the link still carries both programs as opened.
    await shared.click(".program-name input", { clickCount: 3 });
    await shared.keyboard.type("all pairs");
    await shared.keyboard.press("Enter");
    assert.match(await shared.$eval(".name-error", (error) => error.hidden ? "" : error.textContent), /already called/);
    assert.deepEqual(await pageTexts(shared, "[role=tab]"), ["all pairs", "thousand passes"]);
    assert.deepEqual(await linked(shared), {  // the link opens on the tab on show
      programs: pair.map(([name, file]) => ({ name, text: fs.readFileSync(path.join(ROOT, "examples", file), "utf8") })),
      cpu: "2,4;1,5",
      tab: 2,
    });
    const link = await shareLink(shared);

    // A program with an error: its tab marked, and the same reason on every tab.
    await shared.click(EDITOR);
    await shared.keyboard.press("End");
    await shared.keyboard.down("Control");
    await shared.keyboard.press("End");
    await shared.keyboard.up("Control");
    for (let i = 0; i < 4; ++i) await shared.keyboard.press("Backspace");
    assert.equal(await settled(shared), "error");
    const reason = () => shared.$eval(".compared .skipped", (note) => note.hidden ? "" : note.textContent);
    assert.deepEqual(await shared.$$eval("[role=tab]", (tabs) => tabs.map((tab) => tab.classList.contains("faulty"))), [false, true]);
    assert.equal(await reason(), "The programs were not compared: thousand passes was not analysed");
    await shared.click("#program-tab-0");
    await shared.select(".plot-choice select", "0");
    assert.equal(await reason(), "The programs were not compared: thousand passes was not analysed");

    // A price that is not one: the reason, and each program keeps its mark.
    await shared.focus("#models input");
    await shared.keyboard.press("End");
    await shared.keyboard.type("x");
    assert.equal(await settled(shared), "error");
    assert.equal(await reason(), "The programs were not compared: model 1, the price of +: '2x' is not a price: " +
                                 "write a number in digits, such as 2 or 0.5");
    assert.deepEqual(await shared.$$eval("[role=tab]", (tabs) => tabs.map((tab) => tab.classList.contains("faulty"))), [false, true]);
    await shared.close();

    const reopened = await openPage(link);
    assert.equal(await reopened.$eval("#program-tab-1", (tab) => tab.getAttribute("aria-selected")), "true");
    await reopened.close();
  });

  // The budget's figures, reported: the site's size gzipped, in its parts, and the time from
  // loading the page to the first analysis on show.
  it("reports the site's size and the time to the first analysis", async () => {
    const site = path.join(buildWeb, "site");
    const gzipped = (name) => zlib.gzipSync(fs.readFileSync(path.join(site, name)), { level: 9 }).length;
    const parts = { WebAssembly: ["loopcost.wasm", "loopcost.mjs"], "page and CodeMirror": ["app.js", "worker.js", "index.html", "style.css"] };
    let total = 0;
    for (const [part, names] of Object.entries(parts)) {
      const bytes = names.reduce((sum, name) => sum + gzipped(name), 0);
      total += bytes;
      console.log(`# ${part}: ${(bytes / 1024).toFixed(0)} KB gzipped`);
    }
    console.log(`# the site: ${(total / 1024).toFixed(0)} KB gzipped`);
    assert.ok(total <= 400 * 1024, `${total} bytes`);
    const fresh = await browser.newPage();
    await fresh.goto(address);
    await settled(fresh);
    const [shown, loaded] = await fresh.evaluate(() =>
      [performance.now(), performance.getEntriesByType("navigation")[0].loadEventEnd]);
    console.log(`# first analysis on show ${shown.toFixed(0)} ms after the page began to load, ` +
                `${(shown - loaded).toFixed(0)} ms after its load event`);
    await fresh.close();
  });

  it("fits a phone, every cost in view and whole, and puts the source beside the report on a wide screen", async () => {
    await page.setViewport({ width: 375, height: 812, isMobile: true, hasTouch: true });
    assert.equal(await pasteProgram(page, fs.readFileSync(path.join(ROOT, "examples/insertion_sort.txt"), "utf8")), "ok");
    await page.waitForSelector("#editor .cm-glance", { timeout: 5000 });
    assert.equal(await page.$$eval("#models li", (models) => models.length), 3);
    const cut = () => page.$$eval("#editor .cm-glance", (glances) => glances.map((glance) => glance.textContent)
      .filter((text) => !text.includes("CPU3") || text.includes("…")));
    await page.waitForFunction(() => [...document.querySelectorAll("#editor .cm-glance")]
      .every((glance) => glance.textContent.includes("CPU3") && !glance.textContent.includes("…")), { timeout: 5000 }).catch(() => {});
    assert.deepEqual(await cut(), []);
    const broken = await page.$$eval("#editor .cm-glance > span, #annotated td.cost", (nodes) => nodes.filter((node) => {
      const box = node.getBoundingClientRect();
      return box.right > window.innerWidth || box.left < 0 || node.getClientRects().length > 1;
    }).map((node) => node.textContent));
    assert.deepEqual(broken, []);
    assert.deepEqual(await page.$$eval("input[type=checkbox]", (boxes) =>
      boxes.filter((box) => box.getBoundingClientRect().width < 24 || box.getBoundingClientRect().height < 24).map((box) => box.id)), []);
    assert.deepEqual(await page.evaluate(() => [...document.querySelectorAll("body *")]
      .filter((node) => node.getBoundingClientRect().right > window.innerWidth + 0.5 && !node.closest(".scroll, .cm-scroller"))
      .map((node) => node.tagName + "." + node.className)), []);
    await page.setViewport({ width: 1920, height: 1080 });  // no longer a phone: the page is loaded again
    await settled(page);
    const [source, report] = await page.$$eval(".source, .report", (panes) => panes.map((pane) => pane.getBoundingClientRect().toJSON()));
    assert.ok(source.right <= report.left && report.top < 300, JSON.stringify([source, report]));
    assert.equal(await page.$eval(".source", (pane) => getComputedStyle(pane).resize), "horizontal");
    await page.setViewport({ width: 1280, height: 900 });
  });

  it("swaps a range of n typed backwards, and says so", async () => {
    await pasteProgram(page, fs.readFileSync(WORKED_EXAMPLE, "utf8"));
    await page.evaluate(() => ["n-from", "n-to"].forEach((id, index) => {
      const input = document.getElementById(id);
      input.value = ["50", "10"][index];
      input.dispatchEvent(new Event("input"));
    }));
    assert.match(await page.$eval("#range-note", (note) => note.hidden ? "" : note.textContent), /from 10 to 50/);
    const ticks = (await pageTexts(page, "#plot .tick-x")).map(Number);
    assert.ok(ticks[0] >= 10 && ticks.at(-1) <= 50, String(ticks));

    // A reload keeps the range, the axis and an edit made just before it.
    await page.click("#log-scale");
    await paste(page, "BEGIN x; END");
    await page.reload();
    assert.equal(await settled(page), "ok");
    assert.equal(await editorText(page), "BEGIN x; END");
    assert.deepEqual(await page.$$eval("#n-from, #n-to, #log-scale", ([from, to, log]) => [from.value, to.value, log.checked]),
                     ["50", "10", true]);
  });

  it("leaves a screenshot of the worked example", async () => {
    await page.setViewport({ width: 1024, height: 800 });
    await page.goto(address);
    await settled(page);
    await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
    await page.screenshot({ path: path.join(buildWeb, "screenshot.png"), fullPage: true });
  });

  it("speaks Traditional Chinese to a browser set to it, every marked text translated, until English is chosen", async () => {
    const chineseProfile = fs.mkdtempSync(path.join(os.tmpdir(), "loopcost-chromium-zh-"));
    const chinese = await puppeteer.launch({
      executablePath: CHROMIUM, headless: true, userDataDir: chineseProfile, pipe: true,
      args: ["--no-sandbox", "--disable-gpu", "--lang=zh-TW", "--accept-lang=zh-TW"],
    });
    try {
      const zh = await chinese.newPage();
      await zh.goto(address);
      assert.equal(await settled(zh), "ok");
      const text = (selector) => zh.$eval(selector, (node) => node.textContent.trim());
      assert.equal(await zh.$eval("html", (html) => html.lang), "zh-Hant-TW");
      assert.equal(await text("h1"), "loopcost 線上練習區");
      assert.match(await text("#status"), /^分析費時 [\d.]+ 毫秒/);
      assert.match(await text("#comparison li"), /^n = 0 時：「CPU2\(1,5\)」成本較低$/);
      assert.equal(await text("#annotated th"), "行");
      assert.equal(await zh.$eval("#models input", (input) => input.getAttribute("aria-label")), "模型 1 的加法價格");
      const examples = await zh.$$eval("#examples option", (options) => options.map((option) => [option.value, option.textContent]));
      assert.deepEqual(examples.map(([file]) => file).filter((file) => file.endsWith(".txt")).sort(),
                       fs.readdirSync(path.join(ROOT, "examples")).filter((name) => name.endsWith(".txt")).sort());
      assert.deepEqual(examples.filter(([, title]) => /[A-Za-z]/.test(title)), []);

      const words = await (await fetch(`${address}zh_TW.json`)).json();
      const marked = await zh.evaluate(() => {
        const nodes = [...document.querySelectorAll("[data-tr], [data-tr-attr], [data-label]"),
          ...[...document.querySelectorAll("template")].flatMap((template) =>
            [...template.content.querySelectorAll("[data-tr], [data-label]")])];
        return nodes.flatMap((node) => [
          ...(node.dataset.tr ? [node.dataset.tr] : []),
          ...(node.dataset.trAttr ?? "").split(" ").filter(Boolean).map((name) => node.getAttribute(`data-en-${name}`)),
          ...(node.dataset.label ? [node.dataset.label] : []),
        ]).map((english) => english.replace(/\s+/g, " ").trim());
      });
      assert.ok(marked.length > 40, `${marked.length} marked texts`);
      assert.deepEqual(marked.filter((english) => !words[english]), []);

      await zh.keyboard.press("Escape");
      await selectAll(zh);
      await zh.keyboard.type("BEGIN a+b END");
      assert.equal(await settled(zh), "error");
      assert.match(await text("#error .message"), /^敘述的結尾應有 ';'[^[]*$/);
      assert.match(await text("#error .position"), /^位於第 1 行第 \d+ 欄$/);

      await zh.click(".languages [data-language=en]");
      await zh.waitForFunction(() => document.querySelector("#error .message")?.textContent.startsWith("expected ';'"));
      assert.equal(await zh.$eval("body", (body) => body.classList.contains("no-result")), true);  // the report was in Chinese
      assert.equal(await text("h1"), "loopcost playground");
      await zh.reload();
      await settled(zh);
      assert.equal(await zh.$eval("html", (html) => html.lang), "en");
      assert.equal(await text("h1"), "loopcost playground");
    } finally {
      await chinese.close();
      fs.rmSync(chineseProfile, { recursive: true, force: true });
    }
  });

  it("wrote nothing to the console and loaded everything", () => {
    assert.deepEqual(problems, []);
  });
});
