// The share link: the program and the cost models in the address's fragment, as
// "#program=<encodeURIComponent(text)>" optionally followed by "&cpu=2,4;1,5".

export const DEFAULT_MODELS = "2,4;1,5";

// The fragment for a program and its models; the models are left out when they are the
// defaults.
export function fragmentFor(program, models) {
  const cpu = models === DEFAULT_MODELS ? "" : `&cpu=${models}`;
  return `#program=${encodeURIComponent(program)}${cpu}`;
}

// { program, models } from a fragment, or null when it names no program. Without "cpu", or
// with an empty one, the models are the default ones.
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
      models: fields.get("cpu") ? decodeURIComponent(fields.get("cpu")) : DEFAULT_MODELS,
    };
  } catch {
    return null;  // a broken percent-escape: not a link this page wrote
  }
}
