// The cost models as a list of price pairs the user can edit, add to and remove from. The core
// takes them as a JSON list of [addition, multiplication] price texts, as typed, and says which
// box holds what is not a price; an empty list stands for the tool's default models, whose prices
// the list shows once the core has named them. A link writes them as "2,4;1,5", and the core
// splits such a text into its pairs.

import { fill, tr } from "./words.js";

// The class that gives the model at `index` its colour (and its curve its dashes); style.css
// has six, used in turn.
export function modelClass(index) {
  return `model-${index % 6}`;
}

export class ModelsEditor {
  constructor(root, onChange) {
    this.list = root.querySelector("ol");
    this.problem = root.querySelector(".error");
    this.template = root.querySelector("template");
    this.onChange = onChange;
    this.defaults = true;  // whether the list shows the default models, untouched
    root.querySelector(".add-model").addEventListener("click", () => {
      this.addRow("1", "1");
      this.list.lastElementChild.querySelector("input").focus();
      this.changed();
    });
  }

  // The models as the core takes them.
  get value() {
    return JSON.stringify(this.defaults ? [] : this.pairs());
  }

  // The models as a link writes them, "" for the defaults.
  get linkText() {
    return this.defaults ? "" : this.pairs().map((pair) => pair.join(",")).join(";");
  }

  // A row per [addition, multiplication]; none, for the defaults, until the core names them.
  set(pairs) {
    this.defaults = pairs.length === 0;
    this.list.replaceChildren();
    for (const [addition, multiplication] of pairs) this.addRow(addition, multiplication);
    this.updateRemoveButtons();
  }

  pairs() {
    return [...this.list.children].map((row) =>
      [...row.querySelectorAll("input")].map((input) => input.value.trim()));
  }

  // The models of an analysed program: the defaults' prices if the list awaits them, and the
  // name the core gave each model beside its prices.
  showModels(models) {
    if (this.list.children.length === 0) {
      for (const model of models) this.addRow(String(model.addition), String(model.multiplication));
      this.updateRemoveButtons();
    }
    [...this.list.children].forEach((row, index) => {
      row.querySelector(".model-name").textContent = models[index]?.name ?? "";
    });
  }

  // Marks box `box` (counted along the rows, from 0) as holding no price, saying why; null: none.
  showProblem(box, message = "") {
    [...this.list.querySelectorAll("input")].forEach((input, index) => {
      input.setAttribute("aria-invalid", String(index === box));
    });
    this.problem.textContent = message;
    this.problem.hidden = box === null;
  }

  addRow(addition, multiplication) {
    const row = this.template.content.firstElementChild.cloneNode(true);
    const [additionInput, multiplicationInput] = row.querySelectorAll("input");
    additionInput.value = addition;
    multiplicationInput.value = multiplication;
    row.addEventListener("input", () => this.changed());
    row.querySelector(".remove-model").addEventListener("click", () => {
      const next = row.nextElementSibling ?? row.previousElementSibling;
      row.remove();
      next?.querySelector(".remove-model").focus();
      this.changed();
    });
    this.list.append(row);
  }

  changed() {
    this.defaults = false;
    this.updateRemoveButtons();
    this.onChange();
  }

  // The last model cannot go: with none there would be nothing to price.
  updateRemoveButtons() {
    const rows = [...this.list.children];
    for (const row of rows) row.querySelector(".remove-model").disabled = rows.length === 1;
    this.renumber();
  }

  renumber() {
    [...this.list.children].forEach((row, index) => {
      row.className = modelClass(index);
      for (const element of row.querySelectorAll("[data-label]")) {
        element.setAttribute("aria-label", fill(tr(element.dataset.label), index + 1));
      }
    });
  }
}
