// Shows one analysed program from the core's JSON document: the echo with each line's runs,
// operations and costs beside it, the total per model in the tool's own words, and which model
// is cheapest for which n. Every number and cost text comes from the document as it is.

const RUNNING_TIME = "執行時間 = ";  // the tool's label, "running time = "

function growthText(growth) {
  return growth === "0" ? "0" : `Θ(${growth})`;
}

function element(tag, properties = {}, children = []) {
  const node = document.createElement(tag);
  Object.assign(node, properties);
  node.append(...children);
  return node;
}

function modelColor(node, index) {
  node.style.setProperty("--model-color", `var(--model-${index % 6})`);
  return node;
}

function annotatedEcho(entry) {
  const statements = new Map(entry.statements.map((statement) => [statement.line, statement]));
  const head = element("tr", {}, [
    element("th", { scope: "col", textContent: "line" }),
    element("th", { scope: "col", textContent: "program" }),
    element("th", { scope: "col", textContent: "runs" }),
    element("th", { scope: "col", textContent: "+", title: "additions per run" }),
    element("th", { scope: "col", textContent: "*", title: "multiplications per run" }),
    ...entry.models.map((model, index) =>
      modelColor(element("th", { scope: "col", className: "model", textContent: model.name }), index),
    ),
  ]);
  const lines = entry.program.replace(/\n$/, "").split("\n");
  const rows = lines.map((text, index) => {
    const statement = statements.get(index + 1);
    const expression = statement?.kind === "expression";
    return element("tr", { className: statement?.kind ?? "" }, [
      element("td", { className: "number", textContent: String(index + 1) }),
      element("td", { className: "code", textContent: text }),
      element("td", { className: "runs", textContent: statement ? statement.runs.text : "" }),
      element("td", { className: "number", textContent: expression ? statement.additions : "" }),
      element("td", { className: "number", textContent: expression ? statement.multiplications : "" }),
      ...entry.models.map((model, modelIndex) =>
        element("td", { className: "cost", textContent: statement?.costs[modelIndex].text ?? "" }),
      ),
    ]);
  });
  return [element("thead", {}, [head]), element("tbody", {}, rows)];
}

function totals(entry) {
  return entry.models.map((model, index) =>
    modelColor(
      element("div", { className: "total" }, [
        element("pre", { className: "tool-lines" }, [
          element("span", { className: "model-label", textContent: model.name }),
          "\n",
          element("span", { className: "cost-line", textContent: RUNNING_TIME + model.cost.text }),
        ]),
        element("p", { className: "exact" }, [
          "exact ",
          element("code", { textContent: model.exact.text }),
          ", growth ",
          element("code", { className: "growth", textContent: growthText(entry.growth[index]) }),
        ]),
      ]),
      index,
    ),
  );
}

// The comparison in the words of `loopcost --explain`, as the core wrote them.
function comparison(entry) {
  return entry.comparisonInWords.map((line) => element("li", { textContent: line }));
}

// Fills the report's parts under root from one file entry of the document.
export function renderReport(root, entry) {
  root.querySelector("#annotated").replaceChildren(...annotatedEcho(entry));
  root.querySelector("#totals").replaceChildren(...totals(entry));
  root.querySelector("#comparison").replaceChildren(...comparison(entry));
}
