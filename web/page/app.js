// The playground page: the programs in their tabs, the cost models and the share link feed one
// analysis by the core (compiled to WebAssembly, run in a worker); its JSON document is shown as
// a report of the program on show, a plot, and with several programs their comparison, and the
// editor shows what the core says of the program on show beside its lines.
import { Analyser } from "./analyser.js";
import { CompareView } from "./compare.js";
import { Editor } from "./editor.js";
import { EXAMPLES } from "./examples.js";
import { ModelsEditor } from "./models.js";
import { renderPlot } from "./plot.js";
import { ProgramTabs } from "./programs.js";
import { Report } from "./report.js";
import { LINK_LIMIT, fragmentFor, readFragment } from "./share.js";
import { fill, pageLanguage, preferredLanguage, switchLanguage, tr } from "./words.js";

const WORKED_EXAMPLE = "BEGIN\n  a+b;\n  LOOP n\n    a*b;\n  END\nEND\n";
const TYPING_PAUSE_MS = 120;
const ADDRESS_PAUSE_MS = 500;
const VIEWPORT_PAUSE_MS = 50;
const ANNOUNCE_PAUSE_MS = 1000;
const DEFAULT_RANGE_END = 20;
const SAVED = "loopcost.page";  // the page as it was left, in the tab's session storage

// A response with the file at `address`; throws unless the server sent it.
async function fetched(address) {
  const response = await fetch(address);
  if (!response.ok) throw new Error(`${address}: ${response.status} ${response.statusText}`);
  return response;
}

// The action once calls pause for `delay` ms, with the last call's values; cancel() drops it.
function debounced(action, delay) {
  let timer = 0;
  const later = (...values) => {
    clearTimeout(timer);
    timer = setTimeout(() => action(...values), delay);
  };
  later.cancel = () => clearTimeout(timer);
  return later;
}

class Playground {
  constructor() {
    this.analysis = null;  // { report, views, milliseconds }: of the programs as they stand
    this.asked = null;  // { programs, models, language, dialect }: the analysis awaited, of them as they stand
    this.shown = null;  // the report on show, if any: { program, language } (for the plot to draw again)
    this.rangeChosen = false;  // until the user sets the range of n, it follows the crossings
    this.status = document.getElementById("status");
    const announcer = document.getElementById("announce");
    this.announce = debounced((text) => (announcer.textContent = text), ANNOUNCE_PAUSE_MS);
    this.errorBox = document.getElementById("error");
    this.shareLink = document.getElementById("share-link");
    this.copyLink = document.getElementById("copy-link");
    this.unreadableLink = document.getElementById("link-unreadable");
    this.keptAddress = null;  // a link that could not be read, kept in the address until an edit
    this.addressBefore = null;  // the address before the page last rewrote it
    this.links = 0;  // links begun, so that only the newest is written
    this.figure = document.getElementById("plot");
    this.from = document.getElementById("n-from");
    this.to = document.getElementById("n-to");
    this.logarithmic = document.getElementById("log-scale");
    this.extended = document.getElementById("dialect");  // whether the programs are read in the extended dialect
    this.analyser = new Analyser((answer, request) => this.receive(answer, request));
    this.report = new Report(document.getElementById("report"), async (entry, first, last) => {
      const answer = await this.analyser.ask("rows", { index: entry.index, first, last });
      return answer?.analysis === entry.analysis ? answer.rows : null;
    });
    const later = debounced(() => this.analyse(), TYPING_PAUSE_MS);
    this.edited = () => {
      this.asked = null;  // the analysis asked for last is of older text
      this.announce.cancel();
      this.keptAddress = null;
      this.unreadableLink.hidden = true;
      this.showAnalysing();
      later();
    };
    this.askGlances = debounced((from, to) => this.showGlances(from, to), VIEWPORT_PAUSE_MS);
    this.editor = new Editor(document.getElementById("editor"), {
      onChange: (text) => {
        this.tabs.current.text = text;
        this.edited();
      },
      onViewport: (from, to) => this.askGlances(from, to),
      hoverAt: (at) => this.hoverAt(at),
      format: () => this.format(),
    });
    this.models = new ModelsEditor(document.getElementById("models"), this.edited);
    this.extended.addEventListener("change", this.edited);
    this.tabs = new ProgramTabs(document.getElementById("programs"), {
      onSelect: () => this.showSelected(),
      onChange: () => {
        this.edited();
        this.showSelected();
      },
    });
    this.compare = new CompareView(this.figure.closest("section"), () => this.plot());
    this.wireExamples();
    this.wirePlotControls();
    this.wireButtons();
    window.addEventListener("hashchange", () => this.openFragment());
    this.wireLanguages();
    window.addEventListener("pagehide", () => this.save());
    document.addEventListener("visibilitychange", () => document.visibilityState === "hidden" && this.save());
    this.switchLanguage(preferredLanguage(), false).finally(() => this.restore() || this.openFragment(true));
  }

  // The page's words and the core's in `chosen`; the analysis again, in them.
  async switchLanguage(chosen, remember) {
    try {
      await switchLanguage(chosen, remember);
    } catch (error) {
      this.fail(fill(tr("The texts in that language could not be loaded (%s)."), error.message));
      return;
    }
    this.models.renumber();
    this.editor.followSettings();
    this.titleExamples();
    if (this.tabs.programs.length > 0) this.analyse();
  }

  wireLanguages() {
    for (const button of document.querySelectorAll(".languages [data-language]")) {
      button.addEventListener("click", () => this.switchLanguage(button.dataset.language, true));
    }
  }

  // Opens the programs of the address's fragment; without any, when the page starts, the worked
  // example. A link that cannot be read is said so, and kept in the address until an edit.
  async openFragment(starting = false) {
    const hash = location.hash;
    let shared = null;
    try {
      shared = await readFragment(hash);
      this.unreadableLink.hidden = true;
    } catch {
      this.unreadableLink.hidden = false;
      this.keptAddress = hash;
    }
    const onShow = [this.tabs.programs, this.models.linkText, this.tabs.selected, this.extended.checked];
    if (shared && JSON.stringify([shared.programs, shared.models, shared.shown, shared.extended]) !== JSON.stringify(onShow)) {
      this.open(shared.programs, shared.models, shared.shown, shared.extended);
    } else if (!shared && starting) {
      this.open([{ text: WORKED_EXAMPLE }], "", 0, false);
    }
  }

  // The programs, the models, the tab on show, the dialect and the plot's range and axis, with the
  // address they were left at: a reload comes back to them, edits not yet in the address included.
  // A reload asked for just before the address was last rewritten comes back at the address
  // before, which is kept too.
  save() {
    const { tabs, models, from, to, logarithmic, rangeChosen } = this;
    const page = { addresses: [location.hash, this.addressBefore], programs: tabs.programs, models: models.linkText, shown: tabs.selected,
                   extended: this.extended.checked,
                   plot: { from: from.value, to: to.value, logarithmic: logarithmic.checked, rangeChosen } };
    try {
      sessionStorage.removeItem(SAVED);  // older programs do not come back if these cannot be kept
      sessionStorage.setItem(SAVED, JSON.stringify(page));
    } catch {
      // storage refused or full: the address alone is kept
    }
  }

  // The page as it was saved, if it was left at this address; false when it was not.
  restore() {
    let page = null;
    try {
      page = JSON.parse(sessionStorage.getItem(SAVED));
    } catch {
      return false;
    }
    if (!Array.isArray(page?.programs) || !page.addresses?.includes(location.hash)) return false;
    this.open(page.programs, page.models, page.shown, page.extended === true);
    this.rangeChosen = page.plot.rangeChosen;
    this.from.value = page.plot.from;
    this.to.value = page.plot.to;
    this.logarithmic.checked = page.plot.logarithmic;
    return true;
  }

  // Programs as { name, text }, a name being optional; models as a link writes them, split into
  // their price pairs by the core; whether the programs are read in the extended dialect.
  async open(programs, models, shown, extended) {
    this.tabs.set(programs, shown);
    this.extended.checked = extended;
    this.editor.show(this.tabs.current);
    this.rangeChosen = false;
    this.models.set(models ? (await this.analyser.ask("pairs", { text: models }))?.pairs ?? [] : []);
    this.analyse();
  }

  // Puts `text` in place of the program on show.
  load(text) {
    this.tabs.current.text = text;
    this.editor.show(this.tabs.current);
    this.rangeChosen = false;
    this.analyse();
  }

  analyse() {
    this.showAnalysing();
    this.requested = performance.now();
    // The programs as they stand, copied so that they stay so; not written out as JSON here, which
    // for a long program would hold the page up.
    const programs = this.tabs.programs.map(({ name, text }) => ({ name, text }));
    const dialect = this.extended.checked ? "extended" : "classic";
    this.asked = { programs, models: this.models.value, language: pageLanguage(), dialect };
    this.analyser.analyse(programs, this.asked.models, this.asked.language, dialect);
    this.updateShareLink();
  }

  // The program of the tab now selected, and its report at once if the programs' analysis is in;
  // while a price is wrong, no other program's report.
  showSelected() {
    this.editor.show(this.tabs.current);
    this.updateShareLink();
    if (this.analysis) {
      this.requested = performance.now();
      this.present();
    } else if (document.body.dataset.state === "error") {
      this.keepReport();
    }
  }

  // From an edit until its answer is shown.
  showAnalysing() {
    this.analysis = null;
    document.body.dataset.state = "analysing";
    this.status.textContent = this.analyser.ready ? tr("Analysing…") : tr("Loading the analyser…");
  }

  receive(answer, request) {
    if (answer.unavailable) {
      this.fail(fill(tr("The analyser could not be loaded (%s)."), answer.unavailable));
      return;
    }
    // An answer to older text: the analysis of the newest is on its way.
    const { asked } = this;
    if (!asked || request.programs !== asked.programs || request.models !== asked.models ||
        request.language !== asked.language || request.dialect !== asked.dialect) return;
    if (answer.failure) {
      this.fail(fill(tr("The analyser failed on this program (%s) and was restarted."), answer.failure));
      return;
    }
    if (answer.badPrice) {
      this.showBadPrice(answer.badPrice);
      return;
    }
    try {
      if (answer.unreadable) throw new Error(answer.unreadable);
      const { report, views, milliseconds } = answer;
      this.models.showModels(report.models);
      this.analysis = { report, views, milliseconds };
      this.present();
    } catch (error) {
      this.analysis = null;
      this.shown = null;  // whatever part of it is on show is not to be drawn again
      this.fail(fill(tr("The report could not be shown (%s)."), error.message));
    }
  }

  // The analysis of the program on show: its report, or its error; what the editor shows of it.
  present() {
    const { report, views } = this.analysis;
    const entry = report.files[this.tabs.selected];
    this.tabs.markErrors(report.files.flatMap((file, index) => (file.ok ? [] : [index])));
    const view = views[this.tabs.selected];
    if (view) this.editor.showView(view);
    this.editor.viewportChanged(this.editor.view);
    if (entry.ok) this.show(entry, report);
    else this.showError(entry.error, view?.problem, report);
  }

  // No report for the text as it stands: what is on show, if anything, is an older program's.
  fail(message) {
    document.body.classList.add("stale");
    this.settle("failed", message);
  }

  // An analysis's end: the page's state, the status line, and what a screen reader says of it
  // once typing pauses, so that it speaks once a pause and not at every key.
  settle(state, status, spoken = status) {
    document.body.dataset.state = state;
    this.status.textContent = status;
    this.announce(spoken);
  }

  show(entry, report) {
    this.errorBox.hidden = true;
    this.models.showProblem(null);
    document.body.classList.remove("stale", "no-result");
    this.report.show(entry, report.runningTimeLabel);
    this.shown = { program: this.tabs.current, language: pageLanguage() };
    this.compare.show(report, entry);
    this.plot();
    const { milliseconds } = this.analysis;
    const shown = performance.now() - this.requested;
    this.settle("ok", fill(tr("Analysed in %s ms, shown in %s ms."), milliseconds.toFixed(1), shown.toFixed(1)),
                entry.models.map((model) => `${model.name} ${report.runningTimeLabel}${model.cost.text}`).join("; "));
  }

  // The program's error (or the core's, without a place); the comparison says why it is not
  // made, as it does on the other programs' tabs.
  showError(error, problem, report) {
    document.body.classList.add("stale");
    this.compare.showReason(report.comparisonSkipped ?? error.message, report.files.length);
    this.models.showProblem(null);
    const message = problem?.message ?? error.message;
    const position = error.line === undefined ? "" : fill(tr("at line %s, column %s"), error.line, error.column);
    this.errorBox.querySelector(".message").textContent = message;
    this.errorBox.querySelector(".position").textContent = position;
    this.errorBox.querySelector("button").hidden = !position;
    this.errorBox.dataset.offset = String(problem?.from ?? 0);
    this.errorBox.hidden = false;
    this.settle("error", this.keepReport() ? tr("Showing the last program without errors.") : "",
                `${message} ${position}`.trim());
  }

  // A price box that holds no price: said at the box and in the comparison; the programs keep
  // their tabs' marks, and what is on show of them stays, dimmed.
  showBadPrice({ box, message }) {
    document.body.classList.add("stale");
    this.errorBox.hidden = true;
    this.models.showProblem(box, message);
    this.compare.showReason(message, this.tabs.programs.length);
    this.settle("error", this.keepReport() ? tr("Showing the costs at the last valid prices.") : "", message);
  }

  // Whether the report on show, if any, is the program on show's, in the page's language; if it
  // is not, none is shown.
  keepReport() {
    if (this.shown?.program !== this.tabs.current || this.shown.language !== pageLanguage()) {
      this.shown = null;
      document.body.classList.add("no-result");
    }
    return Boolean(this.shown);
  }

  // The glances at the costs between two offsets of the program on show, once its analysis is in.
  async showGlances(from, to) {
    if (!this.analysis) return;
    const analysis = this.analysis;
    const answer = await this.analyser.ask("glances", { index: this.tabs.selected, from, to });
    if (answer && analysis === this.analysis) this.editor.showGlances(answer.glances);
  }

  async hoverAt(at) {
    if (!this.analysis) return "";
    const answer = await this.analyser.ask("hover", { index: this.tabs.selected, at });
    return answer?.text ?? "";
  }

  // The echo in place of the program up to its END; what follows END stays.
  async format() {
    const analysis = this.analysis;
    const entry = analysis?.report.files[this.tabs.selected];
    if (!entry?.ok) {
      this.status.textContent = analysis
        ? tr("A program with an error cannot be formatted.") : tr("Format once the analysis is in.");
      return;
    }
    document.body.dataset.state = "analysing";  // until the formatted program's analysis is in
    const answer = await this.analyser.ask("echo", { index: entry.index });
    if (analysis !== this.analysis) return;  // edited meanwhile: that edit's analysis is coming
    if (answer?.analysis === entry.analysis) {
      this.editor.replaceUpTo(analysis.views[this.tabs.selected]?.tail ?? null, answer.echo);
    } else {
      this.present();
    }
  }

  // The link and the address bar, once typing pauses: writing a long program's link at every
  // key would hold typing up, and browsers limit how often the address may change.
  updateShareLink() {
    this.shareLink.setAttribute("aria-busy", "true");
    this.updateAddress ??= debounced(() => this.writeLink(), ADDRESS_PAUSE_MS);
    this.updateAddress();
  }

  // A link too long for a browser to open is not written, and leaves the address bare.
  async writeLink() {
    const link = ++this.links;
    const fragment =
      await fragmentFor(this.tabs.programs, this.models.linkText, this.tabs.selected, this.extended.checked);
    if (link !== this.links) return;
    const address = new URL(fragment, location.href).href;
    const fits = address.length <= LINK_LIMIT;
    if (fits) this.shareLink.href = address;
    else this.shareLink.removeAttribute("href");
    this.copyLink.disabled = !fits;
    document.getElementById("link-too-long").hidden = fits;
    if (location.hash !== this.keptAddress) {
      this.addressBefore = location.hash;
      history.replaceState(null, "", fits ? fragment : location.pathname + location.search);
    }
    this.shareLink.removeAttribute("aria-busy");
  }

  plot() {
    if (!this.shown) return;
    const curves = this.compare.curves();
    if (!this.rangeChosen) {
      const last = Number(curves.crossings.at(-1)?.n ?? 0);
      this.from.value = "0";
      this.to.value = String(Math.max(DEFAULT_RANGE_END, Math.ceil((last * 1.5) / 10) * 10));
    }
    const typed = [Math.max(0, Number(this.from.value) || 0), Math.max(0, Number(this.to.value) || 0)];
    const [from, to] = typed[0] <= typed[1] ? typed : [typed[1], typed[0]];
    const reversed = document.getElementById("range-note");
    reversed.textContent =
      typed[0] > typed[1] ? fill(tr("The range runs backwards: showing n from %s to %s."), from, to) : "";
    reversed.hidden = typed[0] <= typed[1];
    renderPlot(this.figure, curves, { from, to: Math.max(to, from + 1), logarithmic: this.logarithmic.checked });
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
      this.editor.moveTo(Number(this.errorBox.dataset.offset));
    });
    document.getElementById("format").addEventListener("click", () => this.format());
    document.getElementById("glances").addEventListener("change", (event) => {
      this.editor.toggleGlances(event.currentTarget.checked);
    });
    // The program on show as a file, for programs too large to share as a link.
    document.getElementById("download").addEventListener("click", (event) => {
      const { name, text } = this.tabs.current;
      const link = event.currentTarget;
      URL.revokeObjectURL(link.href);
      Object.assign(link, { href: URL.createObjectURL(new Blob([text], { type: "text/plain" })), download: `${name}.txt` });
    });
    this.copyLink.addEventListener("click", async () => {
      const button = this.copyLink;
      try {
        await this.writeLink();
        await navigator.clipboard.writeText(this.shareLink.href);
        button.textContent = tr("Copied");
      } catch {
        button.textContent = tr("Copy failed: use the link");
      }
      setTimeout(() => (button.textContent = tr("Copy link")), 1500);
    });
  }

  // The examples menu, its titles in the page's language; an example that cannot be fetched is
  // said so beside the menu.
  wireExamples() {
    const menu = document.getElementById("examples");
    const problem = document.getElementById("examples-error");
    menu.append(...EXAMPLES.map(({ file }) => new Option("", file)));
    this.titleExamples();
    menu.addEventListener("change", async () => {
      const name = menu.value;
      if (!name) return;
      try {
        this.load(name === "worked" ? WORKED_EXAMPLE : await (await fetched(`examples/${name}`)).text());
        problem.hidden = true;
      } catch (error) {
        problem.textContent = fill(tr("The example could not be loaded (%s)."), error.message);
        problem.hidden = false;
      }
    });
  }

  titleExamples() {
    for (const option of document.getElementById("examples").options) {
      const example = EXAMPLES.find(({ file }) => file === option.value);
      if (example) option.textContent = tr(example.title);
    }
  }
}

new Playground();
