// With several programs, the plot shows either each model's cost for the program on show or
// each program's cost under a model the user picks; for the latter, which program is cheapest for
// which n, in the words the core wrote, or why the core did not compare the programs. The
// comparison is what the plot shows when a second program appears.
import { modelCurves, programCurves } from "./plot.js";
import { fill, tr } from "./words.js";

export class CompareView {
  // onChange(): another choice was made, for the plot to follow.
  constructor(root, onChange) {
    this.choice = root.querySelector(".plot-choice");
    this.select = this.choice.querySelector("select");
    this.words = root.querySelector(".compared");
    this.select.addEventListener("change", () => {
      this.showWords();
      onChange();
    });
  }

  // The choices for a document, on show with its file entry `entry`.
  show(report, entry) {
    const chosen = this.choice.hidden ? "0" : this.select.value;
    this.select.replaceChildren(
      new Option(fill(tr("each model, for %s"), entry.file), ""),
      ...report.models.map((model, index) => new Option(fill(tr("each program, under %s"), model.name), String(index))),
    );
    this.select.value = chosen;
    if (this.select.selectedIndex < 0) this.select.value = "0";  // that model was removed
    this.choice.hidden = report.files.length < 2;
    this.report = report;
    this.entry = entry;
    this.showWords();
  }

  // Why the programs were not compared, while one of them has an error or a price is wrong; the
  // choice stays as it was.
  showReason(reason, programCount) {
    this.words.hidden = programCount < 2;
    this.words.querySelector(".compared-title").textContent = tr("Cheapest program under any model");
    this.words.querySelector("ul").replaceChildren();
    this.showSkipped(reason, false);
  }

  // The index of the model the programs are compared under, or null when the plot shows models.
  get model() {
    return this.choice.hidden || this.select.value === "" ? null : Number(this.select.value);
  }

  curves() {
    return this.model === null ? modelCurves(this.entry) : programCurves(this.report, this.model);
  }

  showWords() {
    this.words.hidden = this.model === null;
    if (this.model === null) return;
    const compared = this.report.comparison?.models[this.model];
    this.words.querySelector(".compared-title").textContent =
      fill(tr("Cheapest program under %s"), this.report.models[this.model].name);
    this.words.querySelector("ul").replaceChildren(...(compared?.inWords ?? []).map((line) =>
      Object.assign(document.createElement("li"), { textContent: line })));
    this.showSkipped(this.report.comparisonSkipped ?? "", Boolean(compared));
  }

  showSkipped(reason, hidden) {
    const skipped = this.words.querySelector(".skipped");
    skipped.textContent = fill(tr("The programs were not compared: %s"), reason);
    skipped.hidden = hidden;
  }
}
