// Interim stand-in for the JSON report until the core produces it: canned analysis of the worked example.
const CANNED = {"models": [{"name": "CPU1(2,4)", "addition": 2, "multiplication": 4, "cost": {"text": "4 * n^1 + 2", "coefficients": [2, 4]}, "exact": {"text": "4 * n^1 + 2", "coefficients": ["2", "4"]}}, {"name": "CPU2(1,5)", "addition": 1, "multiplication": 5, "cost": {"text": "5 * n^1 + 1", "coefficients": [1, 5]}, "exact": {"text": "5 * n^1 + 1", "coefficients": ["1", "5"]}}], "statements": [{"line": 2, "kind": "expression", "depth": 1, "runs": {"factor": "1", "power": 0}, "additions": 1, "multiplications": 0, "costs": [{"text": "2", "coefficients": ["2"]}, {"text": "1", "coefficients": ["1"]}]}, {"line": 3, "kind": "loop", "depth": 1, "count": "n", "runs": {"factor": "1", "power": 0}, "costs": [{"text": "4 * n^1", "coefficients": ["0", "4"]}, {"text": "5 * n^1", "coefficients": ["0", "5"]}]}, {"line": 4, "kind": "expression", "depth": 2, "runs": {"factor": "1", "power": 1}, "additions": 0, "multiplications": 1, "costs": [{"text": "4 * n^1", "coefficients": ["0", "4"]}, {"text": "5 * n^1", "coefficients": ["0", "5"]}]}], "growth": ["n^1", "n^1"], "comparison": [{"from": 0, "to": 0, "cheapest": ["CPU2(1,5)"]}, {"from": 1, "to": 1, "cheapest": ["CPU1(2,4)", "CPU2(1,5)"]}, {"from": 2, "to": null, "cheapest": ["CPU1(2,4)"]}]};

export function withCannedAnalysis(core) {
  return {
    analyse(text, models) {
      const [status, ...rest] = core.analyse(text, models).split("\n");
      const file = status === "ok"
        ? { file: "program", ok: true, program: rest.join("\n"), ...CANNED }
        : { file: "program", ok: false, error: { message: rest.join("\n"), line: 1, column: 1 } };
      return JSON.stringify({ version: 1, files: [file] });
    },
    heapBytesInUse: () => core.heapBytesInUse(),
  };
}
