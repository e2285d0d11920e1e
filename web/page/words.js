// The page's words in the reader's language. The page is written in English; in Traditional
// Chinese each text comes from zh_TW.json, which the build makes of po/zh_TW.po: the scripts'
// texts through tr(), the markup's from the elements marked data-tr (their content) and
// data-tr-attr (the attributes it names), and the labels in data-label that scripts number.
// The choice is remembered; until one is made, the browser's first language decides.
const STORED = "loopcost.language";
const CHINESE = "zh-TW";

let catalogue = {};
let language = "en";

export const tr = (message) => catalogue[message] || message;
// Marks a text to translate where it is written; tr() translates it where it is used.
export const N_ = (message) => message;

// `pattern` with each "%s" replaced by the next of `values` and each "%k$s" by the k-th (from 1),
// so that a translation may put them in another order; "%%" is "%". As the core's fill().
export function fill(pattern, ...values) {
  let next = 0;
  return pattern.replace(/%(?:(\d+)\$)?s|%%/g, (match, position) => {
    if (match === "%%") return "%";
    return String(values[position ? Number(position) - 1 : next++]);
  });
}

export const pageLanguage = () => language;

export function preferredLanguage() {
  let stored = null;
  try {
    stored = localStorage.getItem(STORED);
  } catch {
    // storage refused (a private window): the browser's language decides
  }
  if (stored === CHINESE || stored === "en") return stored;
  const first = navigator.languages?.[0] ?? navigator.language ?? "";
  return /^zh-(tw|hk|mo|hant)/i.test(first) ? CHINESE : "en";
}

const normalised = (text) => text.replace(/\s+/g, " ").trim();

// The English stays on the element, in data-tr for its content and data-en-NAME for an
// attribute, for the way back and for the copies made of it.
function translate(node) {
  if (node.hasAttribute("data-tr")) {
    if (!node.dataset.tr) node.dataset.tr = node.innerHTML;
    node.innerHTML = language === "en" ? node.dataset.tr : tr(normalised(node.dataset.tr));
  }
  for (const name of (node.dataset.trAttr ?? "").split(" ").filter(Boolean)) {
    const kept = `data-en-${name}`;
    if (!node.hasAttribute(kept)) node.setAttribute(kept, node.getAttribute(name));
    node.setAttribute(name, tr(node.getAttribute(kept)));
  }
}

function translateDocument() {
  const marked = "[data-tr], [data-tr-attr]";
  for (const node of document.querySelectorAll(marked)) translate(node);
  for (const template of document.querySelectorAll("template")) {
    for (const node of template.content.querySelectorAll(marked)) translate(node);
  }
  document.documentElement.lang = language === CHINESE ? "zh-Hant-TW" : "en";
  for (const button of document.querySelectorAll(".languages [data-language]")) {
    button.setAttribute("aria-pressed", String(button.dataset.language === language));
  }
}

// Switches the page's words to `chosen` ("zh-TW" or "en"); `remember`: the reader chose it.
export async function switchLanguage(chosen, remember) {
  if (chosen === CHINESE) {
    const response = await fetch("zh_TW.json");
    if (!response.ok) throw new Error(`zh_TW.json: ${response.status} ${response.statusText}`);
    catalogue = await response.json();
  } else {
    catalogue = {};
  }
  language = chosen;
  if (remember) {
    try {
      localStorage.setItem(STORED, chosen);
    } catch {
      // not remembered, but switched
    }
  }
  translateDocument();
}
