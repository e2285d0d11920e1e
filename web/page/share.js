// The share link: the program and the cost models in the address's fragment, as
// "#program=<text>&cpu=<models>", each part percent-encoded. Without "cpu", or with an empty
// one, the models are the tool's defaults, and a link for them leaves "cpu" out.

// The fragment for a program and its models, "" for the defaults.
export function fragmentFor(program, models) {
  const cpu = models ? `&cpu=${encodeURIComponent(models)}` : "";
  return `#program=${encodeURIComponent(program)}${cpu}`;
}

// { program, models } from a fragment, or null when it names no program; models are "" for the
// defaults, else the text as the link gives it, to be read (and judged) by the core.
export function parseFragment(hash) {
  const fields = new Map();
  for (const field of hash.replace(/^#/, "").split("&")) {
    const equals = field.indexOf("=");
    if (equals > 0) fields.set(field.slice(0, equals), field.slice(equals + 1));
  }
  if (!fields.has("program")) return null;
  try {
    return {
      program: decodeURIComponent(fields.get("program")),
      models: decodeURIComponent(fields.get("cpu") ?? ""),
    };
  } catch {
    return null;  // a broken percent-escape: not a link this page wrote
  }
}
