// The grammar and the language configuration that the manifest names, run as VS Code runs them:
// the grammar with vscode-textmate on Oniguruma, the indentation rules as JavaScript patterns.
const assert = require("node:assert/strict");
const fs = require("node:fs");
const path = require("node:path");
const { before, describe, it } = require("node:test");
const oniguruma = require("vscode-oniguruma");
const textmate = require("vscode-textmate");

const EXTENSION = path.resolve(__dirname, "..");
const EXAMPLES = path.resolve(EXTENSION, "../../examples");
const { contributes } = require("../package.json");
const [LANGUAGE] = contributes.languages;
const [GRAMMAR] = contributes.grammars;

function readExtensionFile(file) {
  return fs.readFileSync(path.join(EXTENSION, file), "utf8");
}

// The grammar under the scope name that the manifest gives it, or null when the file says another.
async function loadGrammar() {
  await oniguruma.loadWASM(fs.readFileSync(require.resolve("vscode-oniguruma/release/onig.wasm")));
  const registry = new textmate.Registry({
    onigLib: Promise.resolve({
      createOnigScanner: (patterns) => new oniguruma.OnigScanner(patterns),
      createOnigString: (text) => new oniguruma.OnigString(text),
    }),
    loadGrammar: async () => textmate.parseRawGrammar(readExtensionFile(GRAMMAR.path), GRAMMAR.path),
  });
  return registry.loadGrammar(GRAMMAR.scopeName);
}

// Every token of `text` with its line, column and innermost scope.
function tokenize(grammar, text) {
  let state = textmate.INITIAL;
  return text.split("\n").flatMap((line, lineIndex) => {
    const { tokens, ruleStack } = grammar.tokenizeLine(line, state);
    state = ruleStack;
    return tokens.map(({ startIndex, endIndex, scopes }) => ({
      line: lineIndex, column: startIndex, text: line.slice(startIndex, endIndex), scope: scopes.at(-1),
    }));
  });
}

const PROGRAM = `BEGIN
  LOOP n
    n + a*b;
    LOOP -3 c**; END
    LOOP nn;END
  END
  LOOP
    +12 d *
    *;
  END
END
LOOP log n a; END
`;

const TOKENS = [
  // what                                  line column text   scope
  ["BEGIN",                                   0,  0, "BEGIN", "keyword.control"],
  ["LOOP",                                    1,  2, "LOOP",  "keyword.control"],
  ["n as the count",                          1,  7, "n",     "variable.language"],
  ["n as a factor",                           2,  4, "n",     "variable.other"],
  ["+",                                       2,  6, "+",     "keyword.operator"],
  ["* between letters",                       2,  9, "*",     "keyword.operator"],
  [";",                                       2, 11, ";",     "punctuation.terminator"],
  ["a negative count",                        3,  9, "-3",    "constant.numeric"],
  ["the first * of **",                       3, 13, "*",     "keyword.operator"],
  ["the second * of **, a factor",            3, 14, "*",     "variable.other"],
  ["the count n, a statement right after",    4,  9, "n",     "variable.language"],
  ["n right after the count n",               4, 10, "n",     "variable.other"],
  ["END right after ;",                       4, 12, "END",   "keyword.control"],
  ["a signed count on the line after LOOP",   7,  4, "+12",   "constant.numeric"],
  ["* on the line after its operator",        8,  4, "*",     "variable.other"],
  ["log in an extended count",               11,  5, "log",   "support.function"],
];

// Lines of a program: whether each indents the line after it, and whether it is dedented itself.
const INDENTS = [
  ["BEGIN",                  true,  false],
  ["  LOOP n",               true,  false],
  ["LOOP",                   true,  false],
  ["  LOOP 3 a*b + c; END",  false, false],
  ["  LOOP 3 a;END",         false, false],
  ["    k + o;",             false, false],
  ["  END",                  false, true],
];

describe("grammar", () => {
  let grammar;
  before(async () => {
    grammar = await loadGrammar();
  });

  it("is the grammar of the manifest's language", () => {
    assert.notEqual(grammar, null, `${GRAMMAR.path} has another scope name than ${GRAMMAR.scopeName}`);
    assert.equal(GRAMMAR.language, LANGUAGE.id);
  });

  for (const [what, line, column, text, selector] of TOKENS) {
    it(`scopes ${what} as ${selector}`, () => {
      const token = tokenize(grammar, PROGRAM).find((t) => t.line === line && t.column === column);
      assert.equal(token?.text, text);
      // As a theme's selector matches it.
      assert.ok(token.scope.startsWith(`${selector}.`), `${token.scope} is not ${selector}`);
    });
  }

  it("gives every word of every example a scope", () => {
    for (const file of fs.readdirSync(EXAMPLES).filter((name) => name.endsWith(".txt"))) {
      const unscoped = tokenize(grammar, fs.readFileSync(path.join(EXAMPLES, file), "utf8"))
        .filter((t) => t.text.trim() !== "" && t.scope === GRAMMAR.scopeName);
      assert.deepEqual(unscoped, [], file);
    }
  });
});

describe("indentation rules", () => {
  const { indentationRules } = JSON.parse(readExtensionFile(LANGUAGE.configuration));
  const increase = new RegExp(indentationRules.increaseIndentPattern);
  const decrease = new RegExp(indentationRules.decreaseIndentPattern);

  for (const [line, indents, dedents] of INDENTS) {
    it(`'${line}' ${indents ? "indents" : "does not indent"} the next line` +
       `${dedents ? " and is dedented" : ""}`, () => {
      assert.deepEqual([increase.test(line), decrease.test(line)], [indents, dedents]);
    });
  }
});
