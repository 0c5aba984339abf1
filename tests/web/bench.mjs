// Benchmarks of the browser edition in headless Chromium (figures, not
// tests): load to the guide page, a board repaint (every whole-board repaint
// the game makes over a dozen plays, and window.koikoi.repaint() where the
// page has it), JS heap plus wasm memory, and the size of the JS and wasm.
// Load and repaint are measured twice: on a desktop window with the wide
// board, and on a phone held upright (390x844 CSS px at device pixel ratio 3,
// touch) with the portrait board.
//   node tests/web/bench.mjs [--site DIR] [--loads N] [--repaints N]
// Targets: load under 1 s, repaint under 4 ms (median), memory under 32 MB,
// JS + wasm under 600 KB.
import fs from 'node:fs';
import path from 'node:path';

import { launch } from './lib/browser.mjs';
import { options } from './lib/options.mjs';
import * as kk from './lib/page.mjs';
import { playUntil } from './lib/player.mjs';
import { serve } from './lib/server.mjs';

const loads = Number(options.extra.loads ?? 7);
const repaints = Number(options.extra.repaints ?? 500);

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = sorted.length >> 1;
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
const ms = (value) => `${value.toFixed(2)} ms`;
const mb = (bytes) => `${(bytes / 1048576).toFixed(1)} MB`;

// Notes the moment window.koikoi.ready resolves, measured from the start of
// the navigation.
function noteReady() {
  let value;
  Object.defineProperty(window, 'koikoi', {
    configurable: true,
    get: () => value,
    set: (v) => {
      value = v;
      Promise.resolve(v?.ready).then(() => {
        window.__koikoiReadyAt ??= performance.now();
      });
    },
  });
}

// Times every whole-board repaint the game makes while it plays: from the
// first drawing call after a present (or a pause) to the end of the next
// present of the board, with one pixel read back so the drawing is done.
// The module calls the page's drawing functions through Module.koikoi at
// each call, so wrapping them measures the real paints. Runs in the page.
function timeRepaints() {
  const k = window.Module.koikoi;
  const board = document.getElementById('board').getContext('2d');
  const times = (window.__koikoiRepaints = []);
  let start = null;
  let whole = false;
  const drawing = (name) => {
    const inner = k[name];
    k[name] = function (...args) {
      if (start === null) start = performance.now();
      // A scene repaint begins by filling the whole board; every layout's
      // board is wider and taller than 540 board pixels.
      if (name === 'fill' && args[0] === 0 && args[3] - args[1] >= 540 && args[4] - args[2] >= 540) whole = true;
      return inner.apply(this, args);
    };
  };
  ['copyCell', 'fill', 'text', 'frame'].forEach(drawing);
  const present = k.present;
  k.present = function (...args) {
    const result = present.apply(this, args);
    if (start !== null && whole && args[0] === 0) {
      board.getImageData(0, 0, 1, 1);
      times.push(performance.now() - start);
    }
    start = null;
    whole = false;
    return result;
  };
  const sleep = k.sleep;
  k.sleep = function (...args) {
    start = null;
    whole = false;
    return sleep.apply(this, args);
  };
}

async function loadTimes(browser, url, cold) {
  const times = [];
  const context = cold ? null : await browser.createBrowserContext();
  for (let i = 0; i < loads; ++i) {
    const fresh = cold ? await browser.createBrowserContext() : context;
    const page = await fresh.newPage();
    await page.evaluateOnNewDocument(noteReady);
    await page.goto(url, { waitUntil: 'load' });
    await kk.ready(page);
    const at = await page.evaluate(() => window.__koikoiReadyAt ?? performance.now());
    times.push(at);
    await page.close();
    if (cold) await fresh.close();
  }
  if (context) await context.close();
  return times;
}

const site = fs.readdirSync(options.site);
const codeBytes = site
  .filter((name) => /\.(m?js|wasm)$/.test(name))
  .reduce((sum, name) => sum + fs.statSync(path.join(options.site, name)).size, 0);

const server = await serve(options.site);
const verdicts = [];
const check = (label, value, limit, shown) => {
  const within = value < limit;
  verdicts.push(within);
  console.log(`${label}: ${shown}${within ? '' : '  (over target)'}`);
};

// Load, then the repaints of a dozen plays; returns the page mid-game.
async function loadAndRepaint(browser, where) {
  const cold = await loadTimes(browser, server.url, true);
  const warm = await loadTimes(browser, server.url, false);
  check(`${where}: load to guide page, cold (median)`, median(cold), 1000, `${ms(median(cold))} (of ${cold.map((t) => t.toFixed(0)).join(', ')})`);
  console.log(`${where}: load to guide page, warm (median): ${ms(median(warm))}`);

  // Mid-game: the deal and the human's first plays, with every repaint the
  // game makes timed (see timeRepaints).
  const { page } = await kk.open(browser, server.url, '?seed=5&pace=0&trace=1');
  await page.evaluate(timeRepaints);
  await kk.startGame(page);
  await playUntil(page, (lines) => lines.filter((line) => line.includes('"ev":"human_card"')).length >= 12, { touchEvery: 0 });
  const layout = await page.evaluate(() => window.koikoiLayout?.name ?? '?');
  const played = await page.evaluate(() => window.__koikoiRepaints);
  if (played.length) {
    check(`${where}: ${layout} board repaint as the game paints it, median of ${played.length}`, median(played), 4,
      `${ms(median(played))} (90th percentile ${ms([...played].sort((a, b) => a - b)[Math.floor(played.length * 0.9)])})`);
  }

  const repaint = await page.evaluate((count) => {
    if (typeof window.koikoi.repaint !== 'function') return null;
    const canvas = document.getElementById('board');
    const context = canvas.getContext('2d');
    const call = [];
    const drawn = [];
    for (let i = 0; i < count; ++i) {
      const start = performance.now();
      window.koikoi.repaint();
      const called = performance.now();
      // Reading one pixel back waits until the drawing is done.
      context.getImageData(0, 0, 1, 1);
      drawn.push(performance.now() - start);
      call.push(called - start);
    }
    return { call, drawn };
  }, repaints);
  if (repaint) {
    check(`${where}: ${layout} board repaint through window.koikoi.repaint(), median of ${repaints}`, median(repaint.drawn), 4, `${ms(median(repaint.drawn))} drawn (${ms(median(repaint.call))} the call alone)`);
  }
  return page;
}

const phone = await launch({ width: 390, height: 844, scale: 3, touch: true });
try {
  await loadAndRepaint(phone.browser, 'phone upright 390x844 @3');
} finally {
  await phone.close();
}

const { browser, close } = await launch({ width: 1016, height: 698 });
try {
  const page = await loadAndRepaint(browser, 'desktop 1016x698');
  const cdp = await page.createCDPSession();
  await cdp.send('HeapProfiler.collectGarbage');
  await cdp.send('Performance.enable');
  const { metrics } = await cdp.send('Performance.getMetrics');
  const metric = (name) => metrics.find((m) => m.name === name)?.value ?? 0;
  // The wasm memory: the module's heap (Module is the page's global).
  const wasm = await page.evaluate(() => window.Module?.HEAP8?.buffer.byteLength ?? 0);
  const heap = metric('JSHeapUsedSize');
  check('JS heap + wasm memory', heap + wasm, 32 * 1048576, `${mb(heap + wasm)} (JS heap ${mb(heap)} used of ${mb(metric('JSHeapTotalSize'))}, wasm ${mb(wasm)})`);
  check('JS + wasm size', codeBytes, 600 * 1024, `${(codeBytes / 1024).toFixed(0)} KB`);
} finally {
  await close();
  await server.close();
}
console.log(verdicts.every(Boolean) ? 'all within targets' : 'some figures over target');
process.exit(verdicts.every(Boolean) ? 0 : 1);
