// The page's way to the core, which runs in a worker (worker.js). Only the newest request
// counts: it waits while a worker starts, replaces an older request still waiting, and stops
// a worker still busy with an outdated one. A worker whose core failed is replaced by a fresh
// one before anything else is sent, so nothing reaches a broken core and no request is lost.

export class Analyser {
  // onAnswer(answer, request): answer is { document, milliseconds }, { failure } or
  // { unavailable } (the module cannot be loaded at all).
  constructor(onAnswer) {
    this.onAnswer = onAnswer;
    this.waiting = null;
    this.start();
  }

  // programs: the JSON list the core's analyseMany takes.
  analyse(programs, models) {
    this.waiting = { programs, models };
    if (this.running) this.start();
    else this.send();
  }

  // A fresh worker in place of the current one, if any.
  start() {
    this.worker?.terminate();
    const worker = new Worker(new URL("worker.js", import.meta.url), { type: "module" });
    worker.onmessage = ({ data }) => {
      if (worker === this.worker) this.receive(data);
    };
    worker.onerror = (event) => {
      if (worker === this.worker) this.receive({ unavailable: event.message || "the worker did not start" });
    };
    this.worker = worker;
    this.ready = false;
    this.running = null;
  }

  send() {
    if (!this.ready || this.running || !this.waiting) return;
    this.running = this.waiting;
    this.waiting = null;
    this.worker.postMessage(this.running);
  }

  receive(message) {
    if (message.ready) {
      this.ready = true;
      this.send();
      return;
    }
    const request = this.running ?? this.waiting;
    this.running = null;
    if (message.failure) this.start();
    this.onAnswer(message, request);
    this.send();
  }
}
