// The extension's start against stand-ins for VS Code and its language client: the server gets
// the settings the manifest contributes, and a server that cannot be started is said so, with the
// way to install it.
const assert = require("node:assert/strict");
const Module = require("node:module");
const { describe, it } = require("node:test");

// Loads extension.js with `settings` as the user's and a language client whose start does what
// `start` does; returns what the extension asked of them.
async function activated(settings, start) {
  const asked = { messages: [] };
  const vscode = {
    workspace: { getConfiguration: () => ({ get: (name) => settings[name] }) },
    window: { showErrorMessage: (message) => asked.messages.push(message) },
    l10n: { t: (message, ...values) => message.replace(/\{(\d+)\}/g, (_, i) => values[i]) },
  };
  class LanguageClient {
    constructor(id, name, server, options) {
      Object.assign(asked, { server, options });
    }
    start() { return start(); }
  }
  const load = Module._load;
  Module._load = (request, ...rest) => request === "vscode" ? vscode
    : request === "vscode-languageclient/node" ? { LanguageClient } : load(request, ...rest);
  try {
    delete require.cache[require.resolve("../extension.js")];
    await require("../extension.js").activate();
  } finally {
    Module._load = load;
  }
  return asked;
}

describe("the extension", () => {
  it("passes the server every setting the manifest contributes, but the server's path", async () => {
    const settings = { "server.path": "/opt/loopcost", cpu: ["1,1"], codeLens: false, inlayHints: true, hintWidth: 30, dialect: "extended" };
    const asked = await activated(settings, async () => {});
    assert.deepEqual(asked.server, { command: "/opt/loopcost", args: ["--lsp"] });
    assert.deepEqual(asked.options.initializationOptions, { cpu: ["1,1"], codeLens: false, inlayHints: true, hintWidth: 30, dialect: "extended" });
    assert.deepEqual(asked.messages, []);
  });

  it("says how to install the server when it cannot be started", async () => {
    const asked = await activated({ "server.path": "loopcost" }, async () => {
      throw new Error("spawn loopcost ENOENT");
    });
    assert.equal(asked.messages.length, 1);
    assert.match(asked.messages[0], /spawn loopcost ENOENT.*make install.*loopcost\.server\.path/);
  });
});

describe("the extension's own messages", () => {
  it("are each translated in the Traditional Chinese bundle, with the same places", () => {
    const source = require("node:fs").readFileSync(require.resolve("../extension.js"), "utf8");
    const calls = [...source.matchAll(/l10n\.t\(((?:\s*"(?:[^"\\]|\\.)*"\s*\+?)+)/g)];
    const messages = calls.map((call) => [...call[1].matchAll(/"((?:[^"\\]|\\.)*)"/g)]
      .map((part) => JSON.parse(`"${part[1]}"`)).join(""));
    assert.ok(messages.length >= 1);
    const bundle = require("../l10n/bundle.l10n.zh-tw.json");
    for (const message of messages) {
      assert.ok(bundle[message], message);
      const places = (text) => [...text.matchAll(/\{\d+\}/g)].map(String).sort();
      assert.deepEqual(places(bundle[message]), places(message));
    }
  });
});

describe("the manifest", () => {
  it("has every text it shows in English and in Traditional Chinese", () => {
    const manifest = JSON.stringify(require("../package.json"));
    const keys = [...manifest.matchAll(/"%([^%"]+)%"/g)].map((match) => match[1]);
    assert.ok(keys.length >= 6, `${keys.length} placeholders`);
    for (const file of ["package.nls.json", "package.nls.zh-tw.json"]) {
      const texts = require(`../${file}`);
      assert.deepEqual(Object.keys(texts).sort(), [...keys].sort(), file);
      assert.ok(Object.values(texts).every((text) => text.trim() !== ""), file);
    }
  });
});
