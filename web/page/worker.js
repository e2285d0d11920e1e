// The core in a worker of its own, so that a long analysis never holds up the page. It says
// "ready" once the module has loaded, then answers each request, by its id: "analyse" the
// programs under the models, in the language asked for (the core's JSON document, what the
// editor shows of each program at once, and the milliseconds the core took), "glances" at the
// costs of a stretch of a program, a "hover" at a place in it, the price "pairs" of models as a
// link writes them; or it says the error that stopped the core, after which the page replaces
// this worker: a core that failed is not used again.
import createLoopcost from "./loopcost.mjs";

const answers = {
  analyse(core, { programs, models, language }) {
    const started = performance.now();
    const document = core.analyseMany(programs, models, language);
    const views = JSON.parse(programs).map((_, index) => JSON.parse(core.editorView(index)));
    return { document, views, milliseconds: performance.now() - started };
  },
  glances: (core, { index, from, to }) =>
    ({ glances: JSON.parse(core.editorGlances(index, from, to)) }),
  hover: (core, { index, at }) => ({ text: core.editorHover(index, at) }),
  pairs: (core, { text }) => ({ pairs: JSON.parse(core.modelPairs(text)) }),
};

function answer(core, request) {
  try {
    return { id: request.id, ...answers[request.kind](core, request) };
  } catch (error) {
    return { id: request.id, failure: String(error?.message ?? error) };
  }
}

createLoopcost().then(
  (core) => {
    self.onmessage = ({ data }) => postMessage(answer(core, data));
    postMessage({ ready: true });
  },
  (error) => postMessage({ unavailable: String(error?.message ?? error) }),
);
