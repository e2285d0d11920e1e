// Starts `loopcost --lsp` for loop programs; the server gives every diagnostic, hover, lens,
// hint and formatting. The settings the server reads are those this extension's manifest
// contributes, all but loopcost.server.*: they reach it at start and again on each change. What
// the extension itself says goes through vscode.l10n, in the bundles of l10n/.
const vscode = require("vscode");
const { LanguageClient } = require("vscode-languageclient/node");
const { contributes } = require("./package.json");

let client;

function serverSettings() {
  const settings = vscode.workspace.getConfiguration("loopcost");
  return Object.fromEntries(Object.keys(contributes.configuration.properties)
    .map((key) => key.slice("loopcost.".length))
    .filter((name) => !name.startsWith("server."))
    .map((name) => [name, settings.get(name)]));
}

async function activate() {
  const command = vscode.workspace.getConfiguration("loopcost").get("server.path");
  client = new LanguageClient("loopcost", "Loopcost", { command, args: ["--lsp"] }, {
    documentSelector: [{ language: "loopcost" }],
    initializationOptions: serverSettings(),
    synchronize: { configurationSection: "loopcost" },
  });
  try {
    await client.start();
  } catch (error) {
    client = undefined;
    vscode.window.showErrorMessage(vscode.l10n.t(
      "Loopcost: the language server `{0} --lsp` did not start ({1}). Install loopcost " +
      "(`make install`, or the Debian package of `make package`) or set `loopcost.server.path` " +
      "to the loopcost binary, then reload the window.", command, error.message));
  }
}

function deactivate() {
  return client?.stop();
}

module.exports = { activate, deactivate };
