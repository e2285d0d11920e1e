// Shows one analysed program from the core's JSON document: the echo with each line's runs,
// operations and costs beside it, the total per model in the tool's own words, and which model
// is cheapest for which n. Every number and cost text comes from the document as it is.
import { modelClass } from "./models.js";
import { fill, tr } from "./words.js";

function element(tag, properties = {}, children = []) {
  const node = document.createElement(tag);
  Object.assign(node, properties);
  node.append(...children);
  return node;
}

const SPARE_ROWS = 10;  // rows kept in the document above and below those in view
const COLUMN_CLASSES = ["number", "code", "runs", "number", "number"];  // then one cost per model

// A row of cells with these texts, each styled for its column.
function tableRow(className, texts) {
  return element("tr", { className },
    texts.map((text, column) => element("td", { className: COLUMN_CLASSES[column] ?? "cost", textContent: text })));
}

// A row that only shapes the table.
function hidden(row) {
  row.setAttribute("aria-hidden", "true");
  return row;
}

// The program as the tool echoes it, a row per line with that line's runs, operations and
// costs. However long the program, only the rows in view and a few either side are in the
// document, between two spacer rows that stand in for the rest; every row is one line high. The
// worker keeps the rows: the first come with the entry, the others are asked for as they come
// into view, and show their line number alone until they come. A collapsed row holding each
// column's longest text keeps the columns as wide as their widest cell, whichever rows are in view.
class AnnotatedEcho {
  // askRows(entry, first, last): a promise of the rows from `first` to `last` of an entry, or of
  // null when they are no longer the entry's.
  constructor(scroller, askRows) {
    this.scroller = scroller;
    this.askRows = askRows;
    this.table = scroller.querySelector("table");
    this.body = element("tbody");
    this.entry = null;
    scroller.addEventListener("scroll", () => this.renderRows(), { passive: true });
    new ResizeObserver(() => this.renderRows()).observe(scroller);
  }

  show(entry) {
    this.entry = entry;
    this.rows = [...entry.rows];  // those the worker has sent, by line
    this.asking = false;
    this.table.setAttribute("aria-rowcount", String(entry.lines + 1));
    this.table.replaceChildren(element("thead", {}, [this.header()]), this.body);
    this.body.replaceChildren(this.row(0));
    this.rowHeight = Math.max(1, this.body.rows[0].getBoundingClientRect().height);
    this.sizer = hidden(tableRow("sizer", entry.widest));
    this.window = null;
    this.renderRows();
  }

  header() {
    return element("tr", {}, [
      element("th", { scope: "col", textContent: tr("line") }),
      element("th", { scope: "col", textContent: tr("program") }),
      element("th", { scope: "col", textContent: tr("runs") }),
      element("th", { scope: "col", textContent: "+", title: tr("additions per run") }),
      element("th", { scope: "col", textContent: "*", title: tr("multiplications per run") }),
      ...this.entry.models.map((model, index) =>
        element("th", { scope: "col", className: `model ${modelClass(index)}`, textContent: model.name }),
      ),
    ]);
  }

  row(index) {
    const { kind, cells } = this.rows[index] ?? { kind: "", cells: [String(index + 1)] };
    const row = tableRow(kind, cells);
    row.setAttribute("aria-rowindex", String(index + 2));  // the header is row 1
    [...row.cells].slice(5).forEach((cell, model) => (cell.dataset.model = this.entry.models[model].name));
    return row;
  }

  spacer(rows) {
    const row = hidden(element("tr", { className: "spacer" }, [element("td", { colSpan: 5 + this.entry.models.length })]));
    row.style.height = `${rows * this.rowHeight}px`;
    return row;
  }

  renderRows() {
    if (!this.entry) return;
    const { scrollTop, clientHeight } = this.scroller;
    const count = this.entry.lines;
    const last = Math.min(count, Math.ceil((scrollTop + clientHeight) / this.rowHeight) + SPARE_ROWS);
    const first = Math.min(last, Math.max(0, Math.floor(scrollTop / this.rowHeight) - SPARE_ROWS));
    let complete = true;
    for (let index = first; index < last && complete; ++index) complete = Boolean(this.rows[index]);
    if (!complete) this.fetch(first, last);
    if (this.window?.first === first && this.window.last === last && this.window.complete) return;
    this.window = { first, last, complete };
    const rows = [];
    for (let index = first; index < last; ++index) rows.push(this.row(index));
    this.body.replaceChildren(this.sizer, this.spacer(first), ...rows, this.spacer(count - last));
  }

  // Asks for the rows from `first` to `last` and as many again either side, one request at a time.
  async fetch(first, last) {
    if (this.asking) return;
    this.asking = true;
    const entry = this.entry;
    const from = Math.max(0, 2 * first - last);
    const rows = await this.askRows(entry, from, 2 * last - first);
    if (entry !== this.entry) return;
    this.asking = false;
    if (!rows) return;
    rows.forEach((row, offset) => (this.rows[from + offset] = row));
    this.renderRows();
  }
}

// The pattern's text with each "%s" replaced by the next of the nodes.
function codes(pattern, nodes) {
  return pattern.split("%s").flatMap((text, index) => (index < nodes.length ? [text, nodes[index]] : [text]));
}

// Each model's total: the two lines the tool prints for it, under its label for the running
// time, and the exact cost and its growth.
function totals(entry, runningTimeLabel) {
  return entry.models.map((model, index) =>
    element("div", { className: `total ${modelClass(index)}` }, [
      element("pre", { className: "tool-lines" }, [
        element("span", { className: "model-label", textContent: model.name }),
        "\n",
        element("span", { className: "cost-line", textContent: runningTimeLabel + model.cost.text }),
      ]),
      element("p", { className: "exact" }, codes(tr("exact %s, growth %s"), [
        element("code", { textContent: model.exact.text }),
        element("code", { className: "growth", textContent: entry.growthText[index] }),
      ])),
    ]),
  );
}

// The comparison in the words of `loopcost --explain`, as the core wrote them.
function comparison(entry) {
  return entry.comparisonInWords.map((line) => element("li", { textContent: line }));
}

// The report's parts under root, filled from one file entry of the document at a time.
export class Report {
  // askRows: as AnnotatedEcho's.
  constructor(root, askRows) {
    this.echo = new AnnotatedEcho(root.querySelector(".scroll"), askRows);
    this.totals = root.querySelector("#totals");
    this.comparison = root.querySelector("#comparison");
  }

  // One file entry of the document, and the document's label for the running time.
  show(entry, runningTimeLabel) {
    this.echo.show(entry);
    this.totals.replaceChildren(...totals(entry, runningTimeLabel));
    this.comparison.replaceChildren(...comparison(entry));
  }
}
