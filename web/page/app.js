// The playground page: the programs in their tabs, the cost models and the share link feed one
// call into the core (compiled to WebAssembly, run in a worker), and its JSON document is shown
// as a report of the program on show, a plot, and with several programs their comparison.
import { Analyser } from "./analyser.js";
import { CompareView } from "./compare.js";
import { Editor } from "./editor.js";
import { ModelsEditor } from "./models.js";
import { renderPlot } from "./plot.js";
import { ProgramTabs } from "./programs.js";
import { Report } from "./report.js";
import { fragmentFor, parseFragment } from "./share.js";

const WORKED_EXAMPLE = "BEGIN\n  a+b;\n  LOOP n\n    a*b;\n  END\nEND\n";
const TYPING_PAUSE_MS = 120;
const ADDRESS_PAUSE_MS = 500;
const DEFAULT_RANGE_END = 20;

// A response with the file at `address`; throws unless the server sent it.
async function fetched(address) {
  const response = await fetch(address);
  if (!response.ok) throw new Error(`${address}: ${response.status} ${response.statusText}`);
  return response;
}

function debounced(action, delay) {
  let timer = 0;
  return () => {
    clearTimeout(timer);
    timer = setTimeout(action, delay);
  };
}

class Playground {
  constructor() {
    this.analysis = null;  // { report, milliseconds }: the document for the programs as they stand
    this.shown = false;  // whether a report is on show (for the plot to draw again)
    this.rangeChosen = false;  // until the user sets the range of n, it follows the crossings
    this.status = document.getElementById("status");
    this.errorBox = document.getElementById("error");
    this.modelsError = document.getElementById("models-error");
    this.shareLink = document.getElementById("share-link");
    this.figure = document.getElementById("plot");
    this.from = document.getElementById("n-from");
    this.to = document.getElementById("n-to");
    this.logarithmic = document.getElementById("log-scale");
    this.editor = new Editor(document.getElementById("editor"));
    this.report = new Report(document.getElementById("report"));
    this.analyser = new Analyser((answer, request) => this.receive(answer, request));
    const later = debounced(() => this.analyse(), TYPING_PAUSE_MS);
    const edited = () => {
      this.showAnalysing();
      later();
    };
    this.models = new ModelsEditor(document.getElementById("models"), edited);
    this.tabs = new ProgramTabs(document.getElementById("programs"), {
      onSelect: () => this.showSelected(),
      onChange: () => {
        edited();
        this.showSelected();
      },
    });
    this.compare = new CompareView(this.figure.closest("section"), () => this.plot());
    this.editor.onInput(() => {
      this.tabs.current.text = this.editor.text;
      edited();
    });
    this.wireExamples();
    this.wirePlotControls();
    this.wireButtons();
    window.addEventListener("hashchange", () => this.openFragment());
    if (!this.openFragment()) this.open([{ text: WORKED_EXAMPLE }], "");
  }

  // Opens the programs of the address's fragment; false when it names none.
  openFragment() {
    const shared = parseFragment(location.hash);
    if (!shared) return false;
    if (JSON.stringify(shared.programs) !== this.tabs.json || shared.models !== this.models.value) {
      this.open(shared.programs, shared.models);
    }
    return true;
  }

  // Programs as { name, text }, a name being optional.
  open(programs, models) {
    this.tabs.set(programs);
    this.editor.text = this.tabs.current.text;
    this.models.value = models;
    this.rangeChosen = false;
    this.analyse();
  }

  // Puts `text` in place of the program on show.
  load(text) {
    this.tabs.current.text = text;
    this.editor.text = text;
    this.rangeChosen = false;
    this.analyse();
  }

  analyse() {
    this.showAnalysing();
    this.requested = performance.now();
    this.analyser.analyse(this.tabs.json, this.models.value);
    this.updateShareLink();
  }

  // The program of the tab now selected, and its report at once if the programs' analysis is in.
  showSelected() {
    this.editor.text = this.tabs.current.text;
    if (!this.analysis) return;
    this.requested = performance.now();
    this.present();
  }

  // From an edit until its answer is shown.
  showAnalysing() {
    this.analysis = null;
    document.body.dataset.state = "analysing";
    this.status.textContent = this.analyser.ready ? "Analysing…" : "Loading the analyser…";
  }

  receive(answer, request) {
    if (answer.unavailable) {
      this.fail(`The analyser could not be loaded (${answer.unavailable}).`);
      return;
    }
    // An answer to older text: the analysis of the newest is on its way.
    if (request.programs !== this.tabs.json || request.models !== this.models.value) return;
    if (answer.failure) {
      this.fail(`The analyser failed on this program (${answer.failure}) and was restarted.`);
      return;
    }
    try {
      const report = JSON.parse(answer.document);
      this.models.showModels(report.models);
      this.analysis = { report, milliseconds: answer.milliseconds };
      this.present();
    } catch (error) {
      this.analysis = null;
      this.shown = false;  // whatever part of it is on show is not to be drawn again
      this.fail(`The report could not be shown (${error.message}).`);
    }
  }

  // The analysis of the program on show.
  present() {
    const { report } = this.analysis;
    const entry = report.files[this.tabs.selected];
    if (entry.ok) this.show(entry, report);
    else this.showError(entry.error);
  }

  // No report for the text as it stands: what is on show, if anything, is an older program's.
  fail(message) {
    this.status.textContent = message;
    document.body.classList.add("stale");
    document.body.dataset.state = "failed";
  }

  show(entry, report) {
    this.editor.clearError();
    this.errorBox.hidden = true;
    this.modelsError.hidden = true;
    document.body.classList.remove("stale", "no-result");
    this.report.show(entry, report.runningTimeLabel);
    this.shown = true;
    this.compare.show(report, entry);
    this.plot();
    const { milliseconds } = this.analysis;
    const shown = performance.now() - this.requested;
    this.status.textContent = `Analysed in ${milliseconds.toFixed(1)} ms, shown in ${shown.toFixed(1)} ms.`;
    document.body.dataset.state = "ok";
  }

  showError(error) {
    document.body.classList.add("stale");
    document.body.dataset.state = "error";
    this.status.textContent = this.shown ? "Showing the last program without errors." : "";
    if (error.line === undefined) {  // not the program's: the models are not price pairs
      this.editor.clearError();
      this.errorBox.hidden = true;
      this.modelsError.textContent = error.message;
      this.modelsError.hidden = false;
      return;
    }
    this.modelsError.hidden = true;
    this.editor.markError(error.line, error.column);
    this.errorBox.querySelector(".message").textContent = error.message;
    this.errorBox.querySelector(".position").textContent = `line ${error.line}, column ${error.column}`;
    this.errorBox.dataset.line = error.line;
    this.errorBox.dataset.column = error.column;
    this.errorBox.hidden = false;
  }

  // The link, and a little later the address bar (browsers limit how often it may change).
  updateShareLink() {
    const fragment = fragmentFor(this.tabs.programs, this.models.value);
    this.shareLink.href = new URL(fragment, location.href).href;
    this.updateAddress ??= debounced(() => {
      const current = fragmentFor(this.tabs.programs, this.models.value);
      if (location.hash !== current) history.replaceState(null, "", current);
    }, ADDRESS_PAUSE_MS);
    this.updateAddress();
  }

  plot() {
    if (!this.shown) return;
    const curves = this.compare.curves();
    if (!this.rangeChosen) {
      const last = Number(curves.crossings.at(-1)?.n ?? 0);
      this.from.value = "0";
      this.to.value = String(Math.max(DEFAULT_RANGE_END, Math.ceil((last * 1.5) / 10) * 10));
    }
    const from = Math.max(0, Number(this.from.value) || 0);
    const to = Math.max(from + 1, Number(this.to.value) || from + 1);
    renderPlot(this.figure, curves, { from, to, logarithmic: this.logarithmic.checked });
  }

  wirePlotControls() {
    for (const input of [this.from, this.to]) {
      input.addEventListener("input", () => {
        this.rangeChosen = true;
        this.plot();
      });
    }
    this.logarithmic.addEventListener("change", () => this.plot());
    let width = 0;
    new ResizeObserver(() => {
      if (this.figure.clientWidth === width) return;
      width = this.figure.clientWidth;
      this.plot();
    }).observe(this.figure);
  }

  wireButtons() {
    this.errorBox.querySelector("button").addEventListener("click", () => {
      this.editor.moveTo(Number(this.errorBox.dataset.line), Number(this.errorBox.dataset.column));
    });
    document.getElementById("copy-link").addEventListener("click", async (event) => {
      const button = event.currentTarget;
      try {
        await navigator.clipboard.writeText(this.shareLink.href);
        button.textContent = "Copied";
      } catch {
        button.textContent = "Copy failed: use the link";
      }
      setTimeout(() => (button.textContent = "Copy link"), 1500);
    });
  }

  // The examples menu, filled from the site's list; a list or an example that cannot be
  // fetched is said so beside the menu.
  async wireExamples() {
    const menu = document.getElementById("examples");
    const problem = document.getElementById("examples-error");
    const attempt = async (action) => {
      try {
        await action();
        problem.hidden = true;
      } catch (error) {
        problem.textContent = `The examples could not be loaded (${error.message}).`;
        problem.hidden = false;
      }
    };
    menu.addEventListener("change", () => attempt(async () => {
      const name = menu.value;
      if (!name) return;
      this.load(name === "worked" ? WORKED_EXAMPLE : await (await fetched(`examples/${name}`)).text());
    }));
    await attempt(async () => {
      for (const name of await (await fetched("examples/index.json")).json()) {
        const option = document.createElement("option");
        option.value = name;
        option.textContent = name.replace(/\.txt$/, "").replaceAll("_", " ");
        menu.append(option);
      }
    });
  }
}

new Playground();
