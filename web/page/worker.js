// The core in a worker of its own, so that a long analysis never holds up the page. It says
// "ready" once the module has loaded, then answers each { programs, models } with the core's
// JSON document and the milliseconds the core took, or with the error that stopped the core
// (after which the page replaces this worker: a core that failed is not used again).
import createLoopcost from "./loopcost.mjs";

function answer(core, { programs, models }) {
  const started = performance.now();
  try {
    const document = core.analyseMany(programs, models);
    return { document, milliseconds: performance.now() - started };
  } catch (error) {
    return { failure: String(error?.message ?? error) };
  }
}

createLoopcost().then(
  (core) => {
    self.onmessage = ({ data }) => postMessage(answer(core, data));
    postMessage({ ready: true });
  },
  (error) => postMessage({ unavailable: String(error?.message ?? error) }),
);
