// The programs the page analyses together, as tabs over the one editor. Each has a name, unique
// among them, by which the core's document and the share link call it. A program is added as a
// copy of the one on show (so that it can be changed into a variant of it), and chosen with a
// click or, in the tab list, the arrow keys, Home and End; once there are two, the one on show
// can be renamed and removed.

import { fill, tr } from "./words.js";

// The name a program gets when it is given none: "program 1" for the first, and so on.
export function defaultName(index) {
  return fill(tr("program %s"), index + 1);
}

export class ProgramTabs {
  // onSelect(): another program is on show; onChange(): programs were added, removed or renamed.
  constructor(root, { onSelect, onChange }) {
    this.list = root.querySelector("[role=tablist]");
    this.panel = root.querySelector("[role=tabpanel]");
    this.nameRow = root.querySelector(".program-name");
    this.nameInput = this.nameRow.querySelector("input");
    this.nameError = root.querySelector(".name-error");
    this.onSelect = onSelect;
    this.onChange = onChange;
    this.programs = [];  // { name, text }, in the order of the tabs
    this.selected = 0;
    root.querySelector(".add-program").addEventListener("click", () => this.add());
    this.nameRow.querySelector("button").addEventListener("click", () => this.remove());
    this.nameInput.addEventListener("input", () => this.judgeName());
    this.nameInput.addEventListener("change", () => this.rename());
    this.list.addEventListener("keydown", (event) => this.moveWithKeys(event));
  }

  get current() {
    return this.programs[this.selected];
  }

  // Replaces the programs by these { name, text }, the first on show; a missing, blank or taken
  // name gives way to a default one.
  set(programs, shown = 0) {
    this.programs = [];
    for (const { name, text } of programs) {
      const free = name !== undefined && !this.problemWith(name, this.programs.length);
      this.programs.push({ name: free ? name : this.freeName(), text });
    }
    this.selected = shown;
    this.render();
  }

  // Marks the tabs of the programs that have an error, by their indexes.
  markErrors(faulty) {
    [...this.list.children].forEach((tab, index) => {
      const marked = faulty.includes(index);
      tab.classList.toggle("faulty", marked);
      tab.title = marked ? tr("This program has an error") : "";
    });
  }

  select(index) {
    if (index === this.selected) return;
    this.selected = index;
    this.showSelected();
    this.onSelect();
  }

  add() {
    this.programs.push({ name: this.freeName(), text: this.current.text });
    this.selected = this.programs.length - 1;
    this.render();
    this.onChange();
    this.nameInput.focus();
    this.nameInput.select();
  }

  remove() {
    this.programs.splice(this.selected, 1);
    this.selected = Math.min(this.selected, this.programs.length - 1);
    this.render();
    this.onChange();
    this.list.children[this.selected].focus();
  }

  // Says, as the name is typed, why the program on show cannot have it; "" when it can.
  judgeName() {
    const problem = this.problemWith(this.nameInput.value, this.selected);
    this.nameError.textContent = problem;
    this.nameError.hidden = !problem;
    this.nameInput.toggleAttribute("aria-invalid", Boolean(problem));
    return problem;
  }

  // Gives the program on show the name typed, once it is entered, unless it cannot have it.
  rename() {
    const name = this.nameInput.value;
    if (this.judgeName() || name === this.current.name) return;
    this.current.name = name;
    this.list.children[this.selected].textContent = name;
    this.onChange();
  }

  // Why the program at `index` cannot be called `name`, or "" when it can.
  problemWith(name, index) {
    if (!name.trim()) return tr("A program needs a name.");
    const taken = this.programs.some((program, other) => other !== index && program.name === name);
    return taken ? fill(tr("Another program is already called “%s”."), name) : "";
  }

  // The first default name no program has.
  freeName() {
    let index = 0;
    while (this.programs.some((program) => program.name === defaultName(index))) ++index;
    return defaultName(index);
  }

  // A tab per program.
  render() {
    this.list.replaceChildren(...this.programs.map((program, index) => {
      const tab = document.createElement("button");
      Object.assign(tab, { type: "button", id: `program-tab-${index}`, textContent: program.name });
      tab.setAttribute("role", "tab");
      tab.setAttribute("aria-controls", this.panel.id);
      tab.addEventListener("click", () => this.select(index));
      return tab;
    }));
    this.showSelected();
  }

  // The tab of the program on show selected, and the only one in the tab order; its name to edit.
  showSelected() {
    [...this.list.children].forEach((tab, index) => {
      tab.setAttribute("aria-selected", String(index === this.selected));
      tab.tabIndex = index === this.selected ? 0 : -1;
    });
    this.panel.setAttribute("aria-labelledby", `program-tab-${this.selected}`);
    this.nameInput.value = this.current.name;
    this.judgeName();  // clears a complaint about the name typed for another program
    this.nameRow.hidden = this.programs.length === 1;  // one program needs no name, and stays
  }

  // Left and right move to the neighbouring tab (round the ends), Home and End to the first and last.
  moveWithKeys(event) {
    const count = this.programs.length;
    const target = { ArrowLeft: this.selected - 1, ArrowRight: this.selected + 1, Home: 0, End: count - 1 }[event.key];
    if (target === undefined) return;
    event.preventDefault();
    this.select((target + count) % count);
    this.list.children[this.selected].focus();
  }
}
