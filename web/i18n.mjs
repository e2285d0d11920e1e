// The page's side of the translation, for the build and for make pot:
//   node web/i18n.mjs pot web/page/index.html   the markup's texts to translate, as a .pot
//   node web/i18n.mjs json po/zh_TW.po          the page's translations, as {English: Chinese}
// Texts are the content of the elements marked data-tr, with its blanks and line ends made one
// blank, the attributes named by data-tr-attr, and the labels of data-label.
import fs from "node:fs";
import gettextParser from "gettext-parser";
import { parse, serialize } from "parse5";

const normalised = (text) => text.replace(/\s+/g, " ").trim();

function* marked(node) {
  const attributes = Object.fromEntries((node.attrs ?? []).map(({ name, value }) => [name, value]));
  const line = node.sourceCodeLocation?.startLine;
  if ("data-tr" in attributes) yield [normalised(serialize(node.content ?? node)), line];
  for (const name of (attributes["data-tr-attr"] ?? "").split(" ").filter(Boolean)) {
    yield [attributes[name], line];
  }
  if ("data-label" in attributes) yield [attributes["data-label"], line];
  for (const child of [...(node.childNodes ?? []), ...(node.content?.childNodes ?? [])]) {
    yield* marked(child);
  }
}

function pot(file) {
  const translations = { "": {} };
  for (const [text, line] of marked(parse(fs.readFileSync(file, "utf8"), { sourceCodeLocationInfo: true }))) {
    const entry = (translations[""][text] ??= { msgid: text, msgstr: [""], comments: { reference: "" } });
    entry.comments.reference += `${entry.comments.reference ? "\n" : ""}${file}:${line}`;
  }
  const headers = { "Content-Type": "text/plain; charset=UTF-8" };
  return gettextParser.po.compile({ charset: "UTF-8", headers, translations });
}

// Only the texts the page uses: those found in its files.
function json(file) {
  const { translations } = gettextParser.po.parse(fs.readFileSync(file));
  const words = {};
  for (const entry of Object.values(translations[""] ?? {})) {
    const references = entry.comments?.reference ?? "";
    if (entry.msgid && entry.msgstr[0] && references.includes("web/page/")) words[entry.msgid] = entry.msgstr[0];
  }
  return `${JSON.stringify(words, null, 0)}\n`;
}

const [command, file] = process.argv.slice(2);
const commands = { pot, json };
if (!commands[command] || !file) {
  console.error("usage: node web/i18n.mjs pot INDEX.HTML | json ZH_TW.PO");
  process.exit(2);
}
process.stdout.write(commands[command](file));
