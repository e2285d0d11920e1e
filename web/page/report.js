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
// document, between two spacer rows that stand in for the rest; every row is one line high.
// A collapsed row holding each column's longest text keeps the columns as wide as their widest
// cell, whichever rows are in view.
class AnnotatedEcho {
  constructor(scroller) {
    this.scroller = scroller;
    this.table = scroller.querySelector("table");
    this.body = element("tbody");
    this.entry = null;
    scroller.addEventListener("scroll", () => this.renderRows(), { passive: true });
    new ResizeObserver(() => this.renderRows()).observe(scroller);
  }

  show(entry) {
    this.entry = entry;
    this.lines = entry.program.replace(/\n$/, "").split("\n");
    this.statements = [];
    for (const statement of entry.statements) this.statements[statement.line - 1] = statement;
    this.table.setAttribute("aria-rowcount", String(this.lines.length + 1));
    this.table.replaceChildren(element("thead", {}, [this.header()]), this.body);
    this.body.replaceChildren(this.row(0));
    this.rowHeight = Math.max(1, this.body.rows[0].getBoundingClientRect().height);
    this.sizer = this.widestRow();
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

  // The texts of the cells of line `index` (from 0).
  cells(index) {
    const statement = this.statements[index];
    const expression = statement?.kind === "expression";
    return [
      String(index + 1),
      this.lines[index],
      statement ? statement.runs.text : "",
      expression ? String(statement.additions) : "",
      expression ? String(statement.multiplications) : "",
      ...this.entry.models.map((_, model) => statement?.costs[model].text ?? ""),
    ];
  }

  row(index) {
    const row = tableRow(this.statements[index]?.kind ?? "", this.cells(index));
    row.setAttribute("aria-rowindex", String(index + 2));  // the header is row 1
    return row;
  }

  widestRow() {
    const widest = this.cells(0);
    for (let index = 1; index < this.lines.length; ++index) {
      this.cells(index).forEach((text, column) => {
        if (text.length > widest[column].length) widest[column] = text;
      });
    }
    return hidden(tableRow("sizer", widest));
  }

  spacer(rows) {
    const row = hidden(element("tr", { className: "spacer" }, [element("td", { colSpan: 5 + this.entry.models.length })]));
    row.style.height = `${rows * this.rowHeight}px`;
    return row;
  }

  renderRows() {
    if (!this.entry) return;
    const { scrollTop, clientHeight } = this.scroller;
    const count = this.lines.length;
    const last = Math.min(count, Math.ceil((scrollTop + clientHeight) / this.rowHeight) + SPARE_ROWS);
    const first = Math.min(last, Math.max(0, Math.floor(scrollTop / this.rowHeight) - SPARE_ROWS));
    if (this.window?.first === first && this.window.last === last) return;
    this.window = { first, last };
    const rows = [];
    for (let index = first; index < last; ++index) rows.push(this.row(index));
    this.body.replaceChildren(this.sizer, this.spacer(first), ...rows, this.spacer(count - last));
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
  constructor(root) {
    this.echo = new AnnotatedEcho(root.querySelector(".scroll"));
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
