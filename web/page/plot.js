// The plot of costs against n, drawn as SVG from the exact costs of the core's document, on a
// linear or logarithmic cost axis: each model's cost for one program, or each program's cost
// under one model, with the places where the cheapest model or program changes
// marked as the core's crossings give them.
import { modelClass } from "./models.js";
import { fill, tr } from "./words.js";

const SVG = "http://www.w3.org/2000/svg";
const SAMPLES = 240;
const MARGIN = { top: 24, right: 18, bottom: 44, left: 70 };

function svg(tag, attributes = {}, children = []) {
  const node = document.createElementNS(SVG, tag);
  for (const [name, value] of Object.entries(attributes)) node.setAttribute(name, value);
  node.append(...children);
  return node;
}

// An exact coefficient, "12" or "3/4", as the nearest double (display only).
function coefficientValue(text) {
  const [numerator, denominator = "1"] = text.split("/");
  return Number(numerator) / Number(denominator);
}

function polynomial(coefficients) {
  return (n) => coefficients.reduceRight((sum, coefficient) => sum * n + coefficient, 0);
}

// What log n stands for: floor(log2 n), and 0 below n = 1.
function floorLog(n) {
  return n >= 1 ? Math.floor(Math.log2(n)) : 0;
}

function hasLog(exact) {
  return exact.terms?.some((term) => term.log > 0) ?? false;
}

// The polynomial in n and log n of a cost's terms; log n steps up at each power of two.
function termsFunction(terms) {
  if (!terms.some((term) => term.log > 0)) {
    const coefficients = [];
    for (const term of terms) coefficients[term.n] = coefficientValue(term.coefficient);
    return polynomial(Array.from(coefficients, (coefficient) => coefficient ?? 0));
  }
  const parts = terms.map((term) => [coefficientValue(term.coefficient), term.n, term.log]);
  return (n) => parts.reduce((sum, [coefficient, power, log]) => sum + coefficient * n ** power * floorLog(n) ** log, 0);
}

// An exact cost as a function of n. A cost of the extended dialect is its polynomial from `fromN`
// on and the values `below` before it; between two whole n below `fromN`, the line joining their
// values, so that the curve passes through each true value.
function costFunction(exact) {
  if (!exact.terms) return polynomial(exact.coefficients.map(coefficientValue));
  const large = termsFunction(exact.terms);
  const fromN = Number(exact.fromN);
  const at = (whole) => (whole < fromN ? coefficientValue(exact.below[whole]) : large(whole));
  return (n) => {
    if (n >= fromN) return large(n);
    const whole = Math.floor(n);
    return at(whole) + (n - whole) * (at(whole + 1) - at(whole));
  };
}

// The n at which the curves are drawn: evenly spaced, and with log n, also each power of two and
// a point just before it, so that the step log n makes there is drawn upright.
function samples(from, to, steps) {
  const ns = Array.from({ length: SAMPLES + 1 }, (_, i) => from + ((to - from) * i) / SAMPLES);
  if (!steps) return ns;
  for (let power = 2; power <= to; power *= 2) {
    if (power > from) ns.push(power - (to - from) * 1e-9, power);
  }
  return ns.sort((a, b) => a - b);
}

// About `count` round steps over [low, high]: the multiples in it of 1, 2 or 5 times a power of
// ten, each the double nearest its decimal value.
function linearTicks(low, high, count) {
  const rough = (high - low || 1) / count;
  const exponent = Math.floor(Math.log10(rough));
  const decimal = (whole) => Number(`${whole}e${exponent}`);
  const factor = [1, 2, 5, 10].find((candidate) => decimal(candidate) >= rough);
  const ticks = [];
  for (let k = Math.ceil(low / decimal(factor)); decimal(k * factor) <= high; ++k) ticks.push(decimal(k * factor));
  return ticks;
}

function logTicks(low, high) {
  const first = Math.floor(Math.log10(low));
  const last = Math.ceil(Math.log10(high));
  const stride = Math.max(1, Math.ceil((last - first) / 6));
  const ticks = [];
  for (let power = first; power <= last; power += stride) ticks.push(Number(`1e${power}`));
  return ticks;
}

// A tick's value in full, which is short as ticks are round: with an exponent when large or small.
function tickLabel(value) {
  const magnitude = Math.abs(value);
  if (value === 0 || (magnitude >= 1e-3 && magnitude < 1e5)) return String(value);
  return value.toExponential().replace("e+", "e");
}

// The n axis's ticks over `width` pixels, as many as their labels leave room for (at about 7
// pixels a character, the labels being 12 pixels high).
function nTicks(from, to, width) {
  const ticks = (room) => linearTicks(from, to, Math.max(2, Math.floor(width / room)));
  const widest = Math.max(...ticks(70).map((tick) => tickLabel(tick).length));
  return ticks(Math.max(70, widest * 7 + 14));
}

// The cost axis: a scale from cost to y, its ticks, and whether a cost can be shown at all.
function costAxis(values, logarithmic, top, bottom) {
  const finite = values.flat().filter(Number.isFinite);
  if (logarithmic) {
    const positive = finite.filter((value) => value > 0);
    let low = 10 ** Math.floor(Math.log10(Math.min(...positive, 1)));
    let high = 10 ** Math.ceil(Math.log10(Math.max(...positive, 1)));
    if (high <= low) high = low * 10;
    const scale = (value) =>
      bottom - ((Math.log10(value) - Math.log10(low)) / (Math.log10(high) - Math.log10(low))) * (bottom - top);
    return { scale, ticks: logTicks(low, high), shows: (value) => value > 0 && Number.isFinite(value) };
  }
  // The axis ends at a tick unless the curves pass the last one by only a little.
  const highest = Math.max(...finite, 1);
  const ticks = linearTicks(0, highest, 5);
  if (highest > ticks.at(-1) * 1.05) ticks.push(Number((2 * ticks.at(-1) - ticks.at(-2)).toPrecision(12)));
  const high = Math.max(ticks.at(-1), highest);
  const scale = (value) => bottom - (value / high) * (bottom - top);
  return { scale, ticks, shows: Number.isFinite };
}

function curvePath(points, shows, x, y) {
  let path = "";
  let drawing = false;
  for (const [n, value] of points) {
    if (!shows(value)) {
      drawing = false;
      continue;
    }
    path += `${drawing ? "L" : "M"}${x(n).toFixed(2)},${y(value).toFixed(2)}`;
    drawing = true;
  }
  return path;
}

// What the plot shows: its curves, each a { name, exact } cost, the crossings between them, and
// what the curves stand for, models or programs. Here, each model's cost for one program.
export function modelCurves(entry) {
  return { kind: "model", series: entry.models, crossings: entry.crossings };
}

// Each analysed program's cost under the model at `index`; crossings only when the core compared
// the programs.
export function programCurves(report, index) {
  return {
    kind: "program",
    series: report.files.filter((file) => file.ok).map((file) => ({ name: file.file, exact: file.models[index].exact })),
    crossings: report.comparison?.models[index].crossings ?? [],
  };
}

// Draws `curves` into `figure` (its svg, legend and hint) for n from `from` to `to`.
export function renderPlot(figure, { kind, series, crossings }, { from, to, logarithmic }) {
  const width = Math.max(280, figure.clientWidth);
  const height = Math.round(Math.min(380, Math.max(240, width * 0.5)));
  const left = MARGIN.left;
  const right = width - MARGIN.right;
  const top = MARGIN.top;
  const bottom = height - MARGIN.bottom;
  const costs = series.map((curve) => costFunction(curve.exact));
  const ns = samples(from, to, series.some((curve) => hasLog(curve.exact)));
  const values = costs.map((cost) => ns.map(cost));
  const x = (n) => left + ((n - from) / (to - from)) * (right - left);
  const axis = costAxis(values, logarithmic, top, bottom);
  figure.querySelector(".beyond").hidden = values.flat().every(Number.isFinite);

  const grid = svg("g", { class: "grid" });
  const axes = svg("g", { class: "axes" });
  for (const tick of nTicks(from, to, right - left)) {
    if (tick < from || tick > to) continue;
    grid.append(svg("line", { x1: x(tick), x2: x(tick), y1: top, y2: bottom }));
    axes.append(svg("text", { x: x(tick), y: bottom + 18, class: "tick-x" }, [tickLabel(tick)]));
  }
  for (const tick of axis.ticks) {
    const y = axis.scale(tick);
    if (y < top - 0.5 || y > bottom + 0.5) continue;
    grid.append(svg("line", { x1: left, x2: right, y1: y, y2: y }));
    axes.append(svg("text", { x: left - 8, y: y + 4, class: "tick-y" }, [tickLabel(tick)]));
  }
  axes.append(
    svg("line", { x1: left, x2: right, y1: bottom, y2: bottom }),
    svg("line", { x1: left, x2: left, y1: top, y2: bottom }),
    svg("text", { x: (left + right) / 2, y: height - 6, class: "axis-label" }, ["n"]),
    svg("text", { x: 14, y: (top + bottom) / 2, class: "axis-label",
                  transform: `rotate(-90 14 ${(top + bottom) / 2})` },
        [logarithmic ? tr("cost (log scale)") : tr("cost")]),
  );

  const curves = series.map((curve, index) =>
    svg("path", {
      class: `curve ${modelClass(index)}`,
      "data-name": curve.name,
      d: curvePath(ns.map((n, k) => [n, values[index][k]]), axis.shows, x, axis.scale),
    }, [svg("title", {}, [`${curve.name}: ${curve.exact.text}`])]),
  );

  const marks = crossings
    .filter(({ n }) => Number(n) >= from && Number(n) <= to)
    .map(({ n, cheapest, tie }) => {
      const at = x(Number(n));  // the labels give n exactly, as the document does
      const value = costs[series.findIndex((curve) => curve.name === cheapest[0])](Number(n));
      const text = tie ? `n = ${n}: ${cheapest.join(" = ")}` : fill(tr("from n = %s: %s"), n, cheapest.join(tr(", ")));
      const point = axis.shows(value) ? [svg("circle", { cx: at, cy: axis.scale(value), r: 4.5 })] : [];
      return svg("g", { class: "crossover", "data-n": n }, [
        svg("title", {}, [text]),
        svg("line", { x1: at, x2: at, y1: top, y2: bottom }),
        ...point,
        svg("text", { x: at, y: top - 8 }, [`n=${n}`]),
      ]);
    });

  const description = fill(tr("%s, for n from %s to %s"),
    series.map((curve) => `${curve.name} = ${curve.exact.text}`).join("; "), from, to);
  const chart = svg("svg", {
    viewBox: `0 0 ${width} ${height}`, width, height, role: "img", "aria-label": fill(tr("Cost against n: %s"), description),
  }, [
    svg("defs", {}, [svg("clipPath", { id: "plot-area" }, [
      svg("rect", { x: left, y: top - 6, width: right - left, height: bottom - top + 6 })])]),
    grid, axes, svg("g", { "clip-path": "url(#plot-area)" }, curves), svg("g", {}, marks),
  ]);
  figure.querySelector("svg").replaceWith(chart);
  figure.querySelector(".legend").replaceChildren(
    ...series.map((curve, index) => {
      const item = document.createElement("li");
      const swatch = svg("svg", { width: 28, height: 10, "aria-hidden": "true" }, [
        svg("line", { x1: 1, x2: 27, y1: 5, y2: 5, class: `curve ${modelClass(index)}` })]);
      item.append(swatch, ` ${curve.name}`);
      return item;
    }),
  );
  figure.querySelector(".marks-hint").textContent = kind === "model"
    ? tr("Marks show where the cheapest model changes.") : tr("Marks show where the cheapest program changes.");
}
