// The program editor: a plain textarea (so every browser's own editing, undo and keyboard
// handling work) with a gutter of line numbers and a layer beneath the text that marks the line
// and column of a syntax error. Lines never wrap, so line k sits at (k - 1) line heights.

const TAB_SIZE = 4;  // must match tab-size in style.css

export class Editor {
  constructor(root) {
    this.textarea = root.querySelector("textarea");
    this.gutter = root.querySelector(".gutter");
    this.marks = root.querySelector(".marks");
    this.lineMark = root.querySelector(".mark-line");
    this.columnMark = root.querySelector(".mark-column");
    this.lineCount = 0;
    this.errorLine = 0;
    this.textarea.addEventListener("input", () => this.updateGutter());
    this.textarea.addEventListener("scroll", () => this.followScroll());
    this.updateGutter();
  }

  get text() {
    return this.textarea.value;
  }

  set text(value) {
    this.textarea.value = value;
    this.updateGutter();
  }

  onInput(listener) {
    this.textarea.addEventListener("input", listener);
  }

  // Marks line and column (both from 1) as the place of a syntax error.
  markError(line, column) {
    this.clearError();
    this.errorLine = line;
    const visual = this.visualColumn(line, column);
    this.marks.style.setProperty("--line", line);
    this.marks.style.setProperty("--column", visual);
    this.marks.hidden = false;
    this.textarea.setAttribute("aria-invalid", "true");
    this.gutter.children[line - 1]?.classList.add("error-line");
  }

  clearError() {
    this.gutter.children[this.errorLine - 1]?.classList.remove("error-line");
    this.errorLine = 0;
    this.marks.hidden = true;
    this.textarea.removeAttribute("aria-invalid");
  }

  // Puts the caret at line and column and brings it into view.
  moveTo(line, column) {
    const lines = this.text.split("\n");
    let offset = 0;
    for (let i = 0; i < Math.min(line - 1, lines.length); ++i) offset += lines[i].length + 1;
    offset += Math.max(0, column - 1);
    this.textarea.focus();
    this.textarea.setSelectionRange(offset, offset);
  }

  updateGutter() {
    const count = this.text.split("\n").length;
    if (count === this.lineCount) return;
    while (this.gutter.children.length < count) {
      const number = document.createElement("div");
      number.textContent = String(this.gutter.children.length + 1);
      this.gutter.append(number);
    }
    while (this.gutter.children.length > count) this.gutter.lastElementChild.remove();
    this.lineCount = count;
    if (this.errorLine) this.gutter.children[this.errorLine - 1]?.classList.add("error-line");
    this.followScroll();
  }

  followScroll() {
    const { scrollTop, scrollLeft } = this.textarea;
    this.gutter.style.transform = `translateY(${-scrollTop}px)`;
    this.marks.style.transform = `translate(${-scrollLeft}px, ${-scrollTop}px)`;
  }

  // The column on screen of a character column, tabs expanded.
  visualColumn(line, column) {
    const text = this.text.split("\n")[line - 1] ?? "";
    let visual = 0;
    for (const character of text.slice(0, column - 1)) {
      visual = character === "\t" ? (Math.floor(visual / TAB_SIZE) + 1) * TAB_SIZE : visual + 1;
    }
    return visual + 1;
  }
}
