// The program editor: CodeMirror 6 with the loop language's highlighting, indentation after LOOP
// and out again on END, folding of each loop's body, undo, search and CodeMirror's keyboard
// handling. What it shows of the program comes from the core, through the worker, and never
// holds up typing: the syntax error as a lint diagnostic, text after END marked as ignored, a
// glance at the costs beside each statement and each LOOP, the language server's hover. Each
// program has an editor state of its own, so each keeps its own undo history. Offsets are
// UTF-16 units, as the core gives them for the editor.
import { defaultKeymap, history, historyKeymap } from "@codemirror/commands";
import {
  HighlightStyle, StreamLanguage, foldGutter, foldKeymap, foldService, indentOnInput, indentUnit,
  syntaxHighlighting,
} from "@codemirror/language";
import { lintGutter, setDiagnostics } from "@codemirror/lint";
import { highlightSelectionMatches, searchKeymap } from "@codemirror/search";
import { Compartment, EditorState, StateEffect, StateField } from "@codemirror/state";
import {
  Decoration, EditorView, WidgetType, drawSelection, highlightActiveLine, highlightSpecialChars,
  hoverTooltip, keymap, lineNumbers,
} from "@codemirror/view";
import { tags } from "@lezer/highlight";

import { N_, tr } from "./words.js";

// CodeMirror's own words (its search panel, folds and diagnostics), translated as the page's.
const PHRASES = [
  N_("Find"), N_("Replace"), N_("next"), N_("previous"), N_("all"), N_("match case"), N_("regexp"),
  N_("by word"), N_("replace"), N_("replace all"), N_("close"), N_("current match"), N_("on line"),
  N_("replaced match on line $"), N_("replaced $ matches"), N_("Go to line"), N_("go"),
  N_("Folded lines"), N_("Unfolded lines"), N_("to"), N_("folded code"), N_("unfold"),
  N_("Fold line"), N_("Unfold line"), N_("Diagnostics"), N_("No diagnostics"), N_("Selection deleted"),
];
const wording = new Compartment();
const words = () => [
  EditorState.phrases.of(Object.fromEntries(PHRASES.map((phrase) => [phrase, tr(phrase)]))),
  EditorView.contentAttributes.of({ "aria-label": tr("Program"), "aria-describedby": "status" }),
];

// The editor in the page's colours (style.css), light or dark as the system is; CodeMirror's own
// panels and tooltips follow the same setting.
const DARK = window.matchMedia("(prefers-color-scheme: dark)");
const scheme = new Compartment();
const darkness = () => EditorView.darkTheme.of(DARK.matches);
const theme = EditorView.theme({
  "&": { color: "var(--text)", backgroundColor: "var(--surface)" },
  ".cm-gutters": { color: "var(--muted)", backgroundColor: "var(--background)", borderColor: "var(--line)" },
  ".cm-activeLine, .cm-activeLineGutter": { backgroundColor: "var(--active-line)" },
  ".cm-cursor, .cm-dropCursor": { borderLeftColor: "var(--text)" },
  "&.cm-focused > .cm-scroller > .cm-selectionLayer .cm-selectionBackground, .cm-selectionBackground":
    { backgroundColor: "var(--selection)" },
});
const highlighting = HighlightStyle.define([
  { tag: tags.keyword, color: "var(--keyword)", fontWeight: "bold" },
  { tag: tags.number, color: "var(--number)" },
  { tag: tags.invalid, color: "var(--error)" },
]);

// BEGIN, LOOP and END open and close levels; a count follows LOOP (and TO, in a range of the
// extended dialect, whose counts may take log n); variables, + and * make statements, each ended
// by ";".
const language = StreamLanguage.define({
  name: "loopcost",
  startState: () => ({ depth: 0, afterLoop: false }),
  copyState: (state) => ({ ...state }),
  token(stream, state) {
    if (stream.eatSpace()) return null;
    if (stream.match(/^(BEGIN|LOOP|END|TO)(?=\s|$)/)) {
      const word = stream.current();
      if (word !== "TO") state.depth = Math.max(0, state.depth + (word === "END" ? -1 : 1));
      state.afterLoop = word === "LOOP" || word === "TO";
      return "keyword";
    }
    if (state.afterLoop && stream.match(/^(n|[+-]?\d+)/)) {
      state.afterLoop = false;
      return "number";
    }
    state.afterLoop = false;
    if (stream.match(/^log(?=\s+n\b)/)) return "keyword";
    if (stream.match(/^\d+/)) return "number";
    const character = stream.next();
    if ("+-*=".includes(character)) return "operator";
    if (";()".includes(character)) return "punctuation";
    return /[a-z]/.test(character) ? "variableName" : "invalid";
  },
  indent: (state, textAfter, context) =>
    Math.max(0, state.depth - (/^\s*END\b/.test(textAfter) ? 1 : 0)) * context.unit,
  languageData: { indentOnInput: /^\s*END$/ },
});

const setGlances = StateEffect.define();
const setFolds = StateEffect.define();

class GlanceWidget extends WidgetType {
  constructor(label) {
    super();
    this.label = label;
  }

  eq(other) {
    return other.label === this.label;
  }

  // Each model's cost in a span of its own, to wrap between them.
  toDOM() {
    const glance = document.createElement("span");
    glance.className = "cm-glance";
    this.label.split(" · ").forEach((cost, index) => {
      glance.append(...(index > 0 ? [" · "] : []), Object.assign(document.createElement("span"), { textContent: cost }));
    });
    return glance;
  }
}

// The glances at the costs, as widgets after their places, carried along as the text changes
// until the next analysis brings new ones.
const glances = StateField.define({
  create: () => Decoration.none,
  update(set, transaction) {
    for (const effect of transaction.effects) {
      if (effect.is(setGlances)) {
        return Decoration.set(effect.value.map(({ at, label }) =>
          Decoration.widget({ widget: new GlanceWidget(label), side: 1 }).range(at)), true);
      }
    }
    return set.map(transaction.changes);
  },
});

// Each loop's body, from after its count to its END, to fold; carried along like the glances.
const folds = StateField.define({
  create: () => [],
  update(ranges, transaction) {
    for (const effect of transaction.effects) if (effect.is(setFolds)) return effect.value;
    if (!transaction.docChanged) return ranges;
    return ranges.map(({ from, to }) => ({
      from: transaction.changes.mapPos(from, 1), to: transaction.changes.mapPos(to, -1),
    })).filter(({ from, to }) => from < to);
  },
});

const foldLoops = foldService.of((state, lineStart, lineEnd) => {
  const fold = state.field(folds).find(({ from }) => from >= lineStart && from <= lineEnd);
  return fold ? { from: fold.from, to: fold.to } : null;
});

export class Editor {
  // onChange(text), onViewport(from, to): the text, or the part in view, changed; hoverAt(pos):
  // a promise of the hover's text there, or of "" for none; format(): the editor's Format.
  constructor(root, { onChange, onViewport, hoverAt, format }) {
    this.onViewport = onViewport;
    this.glancesShown = new Compartment();
    this.states = new WeakMap();  // program → its editor state
    this.extensions = [
      lineNumbers(), foldGutter(), lintGutter(), highlightSpecialChars(), history(),
      drawSelection(), highlightActiveLine(), highlightSelectionMatches(), indentOnInput(),
      indentUnit.of("  "), EditorState.tabSize.of(4), language,
      syntaxHighlighting(highlighting), theme, scheme.of(darkness()), EditorView.lineWrapping,
      glances, folds, foldLoops, this.glancesShown.of(EditorView.decorations.from(glances)),
      wording.of(words()),
      hoverTooltip(async (view, pos) => {
        const text = await hoverAt(pos);
        return text ? { pos, above: true, create: () => ({ dom: hoverBox(text) }) } : null;
      }, { hoverTime: 300 }),
      keymap.of([
        { key: "Shift-Alt-f", run: () => (format(), true) },
        ...defaultKeymap, ...historyKeymap, ...searchKeymap, ...foldKeymap,
      ]),
      EditorView.updateListener.of((update) => {
        if (update.docChanged) onChange(update.state.doc.toString());
        if (update.docChanged || update.viewportChanged) this.viewportChanged(update.view);
      }),
    ];
    this.view = new EditorView({ parent: root, state: EditorState.create({ extensions: this.extensions }) });
    DARK.addEventListener("change", () => this.followSettings());
  }

  get text() {
    return this.view.state.doc.toString();
  }

  // Shows `program` ({ text }), with the state it had when it was last on show, if its text is
  // still that state's.
  show(program) {
    if (this.program) this.states.set(this.program, this.view.state);
    this.program = program;
    const kept = this.states.get(program);
    this.view.setState(kept && kept.doc.toString() === program.text
      ? kept : EditorState.create({ doc: program.text, extensions: this.extensions }));
    this.followSettings();
    this.viewportChanged(this.view);
  }

  // The editor's own words in the page's language, and its colours in the system's scheme.
  followSettings() {
    this.view.dispatch({ effects: [wording.reconfigure(words()), scheme.reconfigure(darkness())] });
  }

  // The analysis's view of the program on show: its problem (and the LOOP left open, if the
  // problem is about one), its tail and its loops to fold.
  showView({ problem, tail, folds: ranges }) {
    const length = this.view.state.doc.length;
    const diagnostics = [];
    if (problem) {
      const error = (from, to) =>
        ({ from: Math.min(from, length), to: Math.min(to, length), severity: "error", message: problem.message, source: "loopcost" });
      // Where something is missing, the character before the gap is marked, to be seen.
      const [from, to] = problem.from < problem.to ? [problem.from, problem.to]
        : problem.from > 0 ? [problem.from - 1, problem.from] : [0, 1];
      diagnostics.push(error(from, to));
      if (problem.loop !== undefined) diagnostics.push(error(problem.loop, problem.loop + "LOOP".length));
    }
    if (tail !== null) {
      diagnostics.push({ from: Math.min(tail, length), to: length, severity: "hint",
                         markClass: "cm-unnecessary", message: tr("ignored: text after the program's END") });
    }
    this.view.dispatch(setDiagnostics(this.view.state, diagnostics), { effects: setFolds.of(ranges) });
  }

  showGlances(list) {
    const length = this.view.state.doc.length;
    this.view.dispatch({ effects: setGlances.of(list.filter(({ at }) => at <= length)) });
  }

  toggleGlances(shown) {
    this.view.dispatch({
      effects: this.glancesShown.reconfigure(shown ? EditorView.decorations.from(glances) : []),
    });
  }

  // Replaces the program up to `tail` (or the whole of it) by `echo`; undo brings it back.
  replaceUpTo(tail, echo) {
    this.view.dispatch({ changes: { from: 0, to: tail ?? this.view.state.doc.length, insert: echo } });
  }

  // Puts the caret at an offset and brings it into view.
  moveTo(offset) {
    this.view.focus();
    this.view.dispatch({ selection: { anchor: offset }, scrollIntoView: true });
  }

  viewportChanged(view) {
    const { from, to } = view.viewport;
    this.onViewport(from, to);
  }
}

function hoverBox(text) {
  const box = document.createElement("pre");
  box.className = "cm-hover";
  box.textContent = text;
  return box;
}
