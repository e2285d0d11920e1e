// Starts `loopcost --lsp` for loop programs; the server gives every diagnostic, hover, lens,
// hint and formatting. The settings reach it at start and again on each change.
const vscode = require("vscode");
const { LanguageClient } = require("vscode-languageclient/node");

let client;

function activate() {
  const settings = vscode.workspace.getConfiguration("loopcost");
  client = new LanguageClient("loopcost", "Loopcost", {
    command: settings.get("path"),
    args: ["--lsp"],
  }, {
    documentSelector: [{ language: "loopcost" }],
    initializationOptions: {
      cpu: settings.get("cpu"),
      codeLens: settings.get("codeLens"),
      inlayHints: settings.get("inlayHints"),
    },
    synchronize: { configurationSection: "loopcost" },
  });
  return client.start();
}

function deactivate() {
  return client?.stop();
}

module.exports = { activate, deactivate };
