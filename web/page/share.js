// The share link: the programs, their names, the cost models, the program on show and the
// dialect in the address's fragment, "#z=<base64url>", of the JSON
//   {"programs": [{"name": <name>, "text": <text>}, ...], "cpu": <models>, "tab": <k>,
//    "dialect": "extended"}
// compressed (deflate-raw). Links were first written as the fields
//   #name=<name>&program=<text>&name=<name>&program=<text>&cpu=<models>&tab=<k>
// each percent-encoded, and such links open too: each "program" is called by the "name" just
// before it. In both, a program without a name has its default one ("program 1" for the first,
// and so on), which a link leaves out. Without "cpu", or with an empty one, the models are the
// tool's defaults, and a link for them leaves "cpu" out; without "tab", the first program is on
// show, and a link for it leaves "tab" out; without "dialect", the programs are read in the
// classic dialect, and a link for it leaves "dialect" out.
import { defaultName } from "./programs.js";

const PACKED = "#z=";
export const LINK_LIMIT = 2 * 1024 * 1024;  // the longest address Chromium opens
const UNPACKED_LIMIT = 256 * 1024 * 1024;  // a link that unpacks to more is not one this page wrote
const PIECE = 64 * 1024;  // characters compressed at a time

// The fragment for programs ({ name, text }), their models ("" for the defaults), the index of
// the one on show and whether they are read in the extended dialect.
export async function fragmentFor(programs, models, shown = 0, extended = false) {
  const link = { programs: programs.map(({ name, text }, index) => (name === defaultName(index) ? { text } : { name, text })) };
  if (models) link.cpu = models;
  if (shown > 0) link.tab = shown + 1;
  if (extended) link.dialect = "extended";
  return PACKED + base64url(await packed(JSON.stringify(link)));
}

// { programs, models, shown, extended } from a fragment, or null for an empty one; programs are
// { name, text }, models "" for the defaults, else the text as the link gives it, to be read (and
// judged) by the core, shown the index of the program on show, and extended whether the programs
// are read in the extended dialect. Throws when the fragment is
// not a link this page wrote (cut short, or changed by hand).
export async function readFragment(hash) {
  if (hash === "" || hash === "#") return null;
  const link = hash.startsWith(PACKED) ? JSON.parse(await unpacked(bytesOf(hash.slice(PACKED.length)))) : fields(hash);
  const { programs, cpu = "", tab = 1, dialect = "classic" } = link;
  const fits = Array.isArray(programs) && programs.length > 0 && typeof cpu === "string" && Number.isInteger(tab) &&
    ["classic", "extended"].includes(dialect) &&
    programs.every(({ name = "", text } = {}) => typeof name === "string" && typeof text === "string");
  if (!fits) throw new Error("not a link to programs");
  return {
    programs: programs.map(({ name, text }, index) => ({ name: name ?? defaultName(index), text })),
    models: cpu,
    shown: Math.min(Math.max(tab - 1, 0), programs.length - 1),
    extended: dialect === "extended",
  };
}

// The fields of a link as first written, in the shape of a packed link's JSON.
function fields(hash) {
  const link = { programs: [] };
  let name;
  for (const field of hash.slice(1).split("&")) {
    const equals = field.indexOf("=");
    const value = () => decodeURIComponent(field.slice(equals + 1));
    switch (equals > 0 ? field.slice(0, equals) : "") {
      case "name":
        name = value();
        break;
      case "program":
        link.programs.push({ name, text: value() });
        name = undefined;
        break;
      case "cpu":
        link.cpu = value();
        break;
      case "tab":
        link.tab = Number.parseInt(value(), 10) || 1;
        break;
    }
  }
  return link;
}

// The text's UTF-8 compressed, a piece at a time, each in a task of its own so as not to hold
// up typing.
async function packed(text) {
  const stream = new CompressionStream("deflate-raw");
  const bytes = new Response(stream.readable).arrayBuffer();
  const writer = stream.writable.getWriter();
  const encoder = new TextEncoder();
  for (let at = 0; at < text.length;) {
    let end = Math.min(at + PIECE, text.length);
    if (/[\uD800-\uDBFF]/.test(text[end - 1] ?? "")) ++end;  // a surrogate pair stays whole
    await writer.write(encoder.encode(text.slice(at, end)));
    await new Promise((resolve) => setTimeout(resolve));
    at = end;
  }
  await writer.close();
  return new Uint8Array(await bytes);
}

// The text that `bytes` unpack to; throws when they are not deflate-raw of UTF-8 text, or
// unpack to more than a link could have held.
async function unpacked(bytes) {
  const reader = new Blob([bytes]).stream().pipeThrough(new DecompressionStream("deflate-raw")).getReader();
  const chunks = [];
  let size = 0;
  for (let part = await reader.read(); !part.done; part = await reader.read()) {
    size += part.value.length;
    if (size > UNPACKED_LIMIT) {
      await reader.cancel();
      throw new Error("the link unpacks to too much");
    }
    chunks.push(part.value);
  }
  return new TextDecoder("utf-8", { fatal: true }).decode(await new Blob(chunks).arrayBuffer());
}

function base64url(bytes) {
  const pieces = [];
  for (let at = 0; at < bytes.length; at += 0x8000) {
    pieces.push(String.fromCharCode(...bytes.subarray(at, at + 0x8000)));
  }
  return btoa(pieces.join("")).replaceAll("+", "-").replaceAll("/", "_").replace(/=+$/, "");
}

// Throws when `text` is not base64url.
function bytesOf(text) {
  return Uint8Array.from(atob(text.replaceAll("-", "+").replaceAll("_", "/")), (character) => character.charCodeAt(0));
}
