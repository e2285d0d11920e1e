// The cost models as a list of price pairs the user can edit, add to and remove from. The
// models travel as text, "2,4;1,5", exactly as the core reads them; the core names them and
// says when a price is not a decimal number.

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
    root.querySelector(".add-model").addEventListener("click", () => {
      this.addRow("1", "1");
      this.list.lastElementChild.querySelector("input").focus();
      this.changed();
    });
  }

  // "2,4;1,5": the pairs as typed, blanks removed.
  get value() {
    return [...this.list.children]
      .map((row) => [...row.querySelectorAll("input")].map((input) => input.value.trim()).join(","))
      .join(";");
  }

  set value(text) {
    this.list.replaceChildren();
    for (const pair of text.split(";")) {
      const [addition = "", multiplication = ""] = pair.split(",");
      this.addRow(addition, multiplication);
    }
    this.updateRemoveButtons();
  }

  // Shows the name the core gave each model beside its prices.
  showNames(names) {
    [...this.list.children].forEach((row, index) => {
      row.querySelector(".model-name").textContent = names[index] ?? "";
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
