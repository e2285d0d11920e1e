// The core in a worker of its own, so that a long analysis never holds up the page. It says
// "ready" once the module has loaded, then answers each request, by its id:
// - "analyse" the programs in the dialect asked for, under the models, in the language asked
//   for: the core's JSON document less each program's echo and statements, which stay here, its
//   extended counts with their texts; what the editor shows of each program at once; and the
//   milliseconds the core took. Or why the document cannot be read, or which price box holds no
//   price;
// - the "rows" of a stretch of a program's echo, or the "echo" whole, to format with;
// - the "glances" at the costs of a stretch of a program, a "hover" at a place in it;
// - the price "pairs" of models as a link writes them;
// or it says the error that stopped the core, after which the page replaces this worker: a core
// that failed is not used again.
import createLoopcost from "./loopcost.mjs";

const FIRST_ROWS = 80;  // rows of each echo sent with the analysis, to show without asking
let echoes = [];  // of the last analysis, by program: { program, lines, statements, models }
let analysis = 0;  // which analysis that was, for the page to match the rows it asks for

// The texts of the cells of line `index` (from 0) of an echo: its number, its text, its runs,
// its operations and its cost under each model; and the kind of its statement.
function row({ lines, statements, models }, index) {
  const statement = statements[index];
  const expression = statement?.kind === "expression";
  return {
    kind: statement?.kind ?? "",
    cells: [
      String(index + 1),
      lines[index],
      statement ? statement.runs.text : "",
      expression ? String(statement.additions) : "",
      expression ? String(statement.multiplications) : "",
      ...models.map((_, model) => statement?.costs[model].text ?? ""),
    ],
  };
}

function rows(echo, first, last) {
  const all = [];
  for (let index = Math.max(0, first); index < Math.min(last, echo.lines.length); ++index) all.push(row(echo, index));
  return all;
}

// Each column's longest text, to keep the table's columns as wide as their widest cell.
function widest(echo) {
  const texts = row(echo, 0).cells;
  for (let index = 1; index < echo.lines.length; ++index) {
    row(echo, index).cells.forEach((text, column) => {
      if (text.length > texts[column].length) texts[column] = text;
    });
  }
  return texts;
}

// A program's entry as the page takes it: its echo and statements kept here, and instead its
// number of lines, its widest cells and its first rows.
function entryFor(file, index) {
  if (!file.ok) return { ...file, index, analysis };
  const { program, statements, ...rest } = file;
  const echo = { program, lines: program.replace(/\n$/, "").split("\n"), statements: [], models: file.models };
  for (const statement of statements) echo.statements[statement.line - 1] = statement;
  echoes[index] = echo;
  return { ...rest, index, analysis, lines: echo.lines.length, widest: widest(echo), rows: rows(echo, 0, FIRST_ROWS) };
}

// The entry with the texts the core writes for its counts, if they are of the extended dialect:
// each model's total (as the cost line too, which the text report writes so), each statement's
// runs and costs, each with the n from which its polynomial holds.
function withCountTexts(file, texts) {
  if (!texts) return file;
  file.models.forEach((model, index) => (model.cost.text = model.exact.text = texts.totals[index]));
  file.statements.forEach((statement, row) => {
    statement.runs.text = texts.statements[row].runs;
    statement.costs.forEach((cost, index) => (cost.text = texts.statements[row].costs[index]));
  });
  return file;
}

const answers = {
  analyse(core, { programs, models, language, dialect }) {
    const badPrice = JSON.parse(core.badPrice(models, language));
    if (badPrice) return { badPrice };
    const started = performance.now();
    const text = core.analyseMany(JSON.stringify(programs), models, language, dialect);
    const milliseconds = performance.now() - started;
    echoes = [];
    ++analysis;
    let report;
    try {
      report = JSON.parse(text);
      report.files = report.files.map((file, index) =>
        entryFor(withCountTexts(file, JSON.parse(core.countTexts(index))), index));
    } catch (error) {
      return { unreadable: String(error?.message ?? error) };
    }
    const views = report.files.map((_, index) => JSON.parse(core.editorView(index)));
    return { report, views, milliseconds };
  },
  rows: (core, { index, first, last }) =>
    ({ analysis, rows: echoes[index] ? rows(echoes[index], first, last) : [] }),
  echo: (core, { index }) => ({ analysis, echo: echoes[index]?.program ?? null }),
  glances: (core, { index, from, to }) =>
    ({ glances: JSON.parse(core.editorGlances(index, from, to)) }),
  hover: (core, { index, at }) => ({ text: core.editorHover(index, at) }),
  pairs: (core, { text }) => ({ pairs: JSON.parse(core.modelPairs(text)) }),
};

function answer(core, request) {
  try {
    return { id: request.id, ...answers[request.kind](core, request) };
  } catch (error) {
    return { id: request.id, failure: String(error?.message ?? error) };
  }
}

createLoopcost().then(
  (core) => {
    self.onmessage = ({ data }) => postMessage(answer(core, data));
    postMessage({ ready: true });
  },
  (error) => postMessage({ unavailable: String(error?.message ?? error) }),
);
