// The program editor: a plain textarea (so every browser's own editing, undo and keyboard
// handling work) with a gutter of line numbers and a layer beneath the text that marks the line
// and column of a syntax error. Lines never wrap, so line k sits at (k - 1) line heights, and
// the gutter holds only the numbers of the lines in view, however long the program.

const TAB_SIZE = 4;  // must match tab-size in style.css

export class Editor {
  constructor(root) {
    this.textarea = root.querySelector("textarea");
    this.gutter = root.querySelector(".gutter");
    this.marks = root.querySelector(".marks");
    this.lineCount = 1;
    this.errorLine = 0;
    this.textarea.addEventListener("input", () => this.updateGutter());
    this.textarea.addEventListener("scroll", () => this.followScroll());
    new ResizeObserver(() => this.followScroll()).observe(this.textarea);
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
    this.errorLine = line;
    this.marks.style.setProperty("--line", line);
    this.marks.style.setProperty("--column", this.visualColumn(line, column));
    this.marks.hidden = false;
    this.textarea.setAttribute("aria-invalid", "true");
    this.followScroll();
  }

  clearError() {
    this.errorLine = 0;
    this.marks.hidden = true;
    this.textarea.removeAttribute("aria-invalid");
    this.followScroll();
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
    this.lineCount = this.text.split("\n").length;
    this.gutter.style.minWidth = `${String(this.lineCount).length}ch`;
    this.followScroll();
  }

  // The numbers of the lines in view, and one either side, placed level with their lines.
  followScroll() {
    const { scrollTop, scrollLeft, clientHeight } = this.textarea;
    const lineHeight = parseFloat(getComputedStyle(this.textarea).lineHeight);
    const first = Math.max(0, Math.floor(scrollTop / lineHeight) - 1);
    const last = Math.min(this.lineCount, Math.ceil((scrollTop + clientHeight) / lineHeight) + 1);
    const numbers = [];
    for (let line = first + 1; line <= last; ++line) {
      const number = document.createElement("div");
      number.textContent = String(line);
      if (line === this.errorLine) number.className = "error-line";
      numbers.push(number);
    }
    this.gutter.replaceChildren(...numbers);
    this.gutter.style.transform = `translateY(${first * lineHeight - scrollTop}px)`;
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
