// The cost models as a list of price pairs the user can edit, add to and remove from. The
// models travel as text, "2,4;1,5", exactly as the core reads them; the core names them and
// says what is wrong with text it cannot read. "" stands for the tool's default models, whose
// prices the list shows once the core has named them; text from a link goes to the core as it
// is until the user changes a price, however it splits into pairs.

// The class that gives the model at `index` its colour (and its curve its dashes); style.css
// has six, used in turn.
export function modelClass(index) {
  return `model-${index % 6}`;
}

export class ModelsEditor {
  constructor(root, onChange) {
    this.list = root.querySelector("ol");
    this.template = root.querySelector("template");
    this.onChange = onChange;
    this.given = "";  // the text as set, while no price has been changed; else null
    this.defaults = null;  // the defaults' text, once the core has named them
    root.querySelector(".add-model").addEventListener("click", () => {
      this.addRow("1", "1");
      this.list.lastElementChild.querySelector("input").focus();
      this.changed();
    });
  }

  get value() {
    if (this.given !== null) return this.given;
    const typed = this.pairs();
    return typed === this.defaults ? "" : typed;
  }

  // A row per pair, split at its first comma; for "", the defaults' pairs once known.
  set value(text) {
    this.given = text;
    this.list.replaceChildren();
    const shown = text || this.defaults;
    for (const pair of shown ? shown.split(";") : []) {
      const comma = pair.includes(",") ? pair.indexOf(",") : pair.length;
      this.addRow(pair.slice(0, comma), pair.slice(comma + 1));
    }
    this.updateRemoveButtons();
  }

  // "2,4;1,5": the pairs as typed, blanks removed.
  pairs() {
    return [...this.list.children]
      .map((row) => [...row.querySelectorAll("input")].map((input) => input.value.trim()).join(","))
      .join(";");
  }

  // The models of an analysed program: the defaults' prices if the list awaits them, and the
  // name the core gave each model beside its prices.
  showModels(models) {
    if (this.list.children.length === 0) {
      for (const model of models) this.addRow(String(model.addition), String(model.multiplication));
      this.updateRemoveButtons();
      this.defaults = this.pairs();
    }
    [...this.list.children].forEach((row, index) => {
      row.querySelector(".model-name").textContent = models[index]?.name ?? "";
    });
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
    this.given = null;
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
        element.setAttribute("aria-label", `${element.dataset.label} ${index + 1}`);
      }
    });
  }
}
