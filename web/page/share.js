// The share link: the programs, their names, the cost models and the program on show in the
// address's fragment,
//   #name=<name>&program=<text>&name=<name>&program=<text>&cpu=<models>&tab=<k>
// every part percent-encoded. Each "program" is called by the "name" just before it, or without
// one by its default name ("program 1" for the first, and so on), which a link leaves out: one
// program by its default name is "#program=<text>&cpu=<models>". Without "cpu", or with an empty
// one, the models are the tool's defaults, and a link for them leaves "cpu" out; without "tab",
// the first program is on show, and a link for it leaves "tab" out.
import { defaultName } from "./programs.js";

// The fragment for programs ({ name, text }), their models ("" for the defaults) and the index of
// the one on show.
export function fragmentFor(programs, models, shown = 0) {
  const fields = programs.flatMap(({ name, text }, index) =>
    [...(name === defaultName(index) ? [] : [["name", name]]), ["program", text]]);
  if (models) fields.push(["cpu", models]);
  if (shown > 0) fields.push(["tab", String(shown + 1)]);
  return `#${fields.map(([key, value]) => `${key}=${encodeURIComponent(value)}`).join("&")}`;
}

// { programs, models, shown } from a fragment, or null when it names no program; programs are
// { name, text }, models "" for the defaults, else the text as the link gives it, to be read
// (and judged) by the core, and shown the index of the program on show.
export function parseFragment(hash) {
  const programs = [];
  let models = "";
  let name;
  let shown = 0;
  try {
    for (const field of hash.replace(/^#/, "").split("&")) {
      const equals = field.indexOf("=");
      const value = () => decodeURIComponent(field.slice(equals + 1));
      switch (equals > 0 ? field.slice(0, equals) : "") {
        case "name":
          name = value();
          break;
        case "program":
          programs.push({ name: name ?? defaultName(programs.length), text: value() });
          name = undefined;
          break;
        case "cpu":
          models = value();
          break;
        case "tab":
          shown = Math.max(0, Number.parseInt(value(), 10) - 1 || 0);
          break;
      }
    }
  } catch {
    return null;  // a broken percent-escape: not a link this page wrote
  }
  return programs.length > 0 ? { programs, models, shown: Math.min(shown, programs.length - 1) } : null;
}
