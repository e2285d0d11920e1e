// The page's way to the core, which runs in a worker (worker.js). Of the analyses only the
// newest counts: it waits while a worker starts, replaces an older one still waiting, and stops
// a worker still busy with an outdated one. Questions about the newest analysis (glances, a
// hover) queue behind it and come back as promises; those a replaced worker leaves unanswered
// come back as null. A worker whose core failed is replaced by a fresh one before anything else
// is sent, so nothing reaches a broken core and no analysis is lost.

export class Analyser {
  // onAnswer(answer, request): answer is { report, views, milliseconds }, { badPrice }, {
  // unreadable } (the core's document is not one), { failure } or { unavailable } (the module
  // cannot be loaded).
  constructor(onAnswer) {
    this.onAnswer = onAnswer;
    this.waiting = null;
    this.questions = new Map();  // id → resolve
    this.unasked = [];  // questions waiting for the worker to be ready
    this.nextId = 1;
    this.start();
  }

  // programs: [{ name, text }]; models: the JSON list of price pairs the core's analyseMany
  // takes; language: the one the core writes in; dialect: "classic" or "extended".
  analyse(programs, models, language, dialect) {
    this.waiting = { kind: "analyse", programs, models, language, dialect };
    if (this.running) this.start();
    else this.send();
  }

  // A promise of the worker's answer to a question, asked once the worker is ready, or of null.
  ask(kind, details) {
    const id = this.nextId++;
    const answered = new Promise((resolve) => this.questions.set(id, resolve));
    if (this.ready) this.worker.postMessage({ id, kind, ...details });
    else this.unasked.push({ id, kind, ...details });
    return answered;
  }

  // A fresh worker in place of the current one, if any.
  start() {
    this.worker?.terminate();
    for (const resolve of this.questions.values()) resolve(null);
    this.questions.clear();
    this.unasked = [];
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
    this.running = { ...this.waiting, id: this.nextId++ };
    this.waiting = null;
    this.worker.postMessage(this.running);
  }

  receive(message) {
    if (message.ready) {
      this.ready = true;
      for (const question of this.unasked.splice(0)) this.worker.postMessage(question);
      this.send();
      return;
    }
    if (this.questions.has(message.id)) {
      this.questions.get(message.id)(message.failure ? null : message);
      this.questions.delete(message.id);
      if (message.failure) this.start();
      return;
    }
    const request = this.running ?? this.waiting;
    this.running = null;
    if (message.failure) this.start();
    this.onAnswer(message, request);
    this.send();
  }
}
