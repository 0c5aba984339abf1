// The guide page as the painter draws it: white, eight black paragraphs and
// the chosen opponent's line in red, nothing outside their boxes, shown at
// its own size (shrunk to a smaller viewport) and drawn at the device pixel
// ratio.
import assert from 'node:assert/strict';
import { describe, test } from 'node:test';

import { keep } from './lib/browser.mjs';
import { useSite } from './lib/harness.mjs';
import * as kk from './lib/page.mjs';

// The painter's boxes (right and bottom exclusive), in page pixels of the
// 600 x 400 guide page: eight paragraphs in black, then the opponent's line.
const kParagraphs = [
  [6, 6, 580, 40], [6, 46, 580, 80], [6, 86, 580, 120], [6, 126, 580, 177],
  [16, 183, 590, 217], [16, 223, 590, 240], [16, 246, 590, 280], [16, 286, 590, 320],
];
const kOpponentLine = [16, 326, 590, 343];

// Reads the board canvas's backing store and sorts its pixels by the boxes
// of the guide page; runs in the page.
function analyseGuide(paragraphs, redBox) {
  const canvas = document.getElementById('board');
  const rect = canvas.getBoundingClientRect();
  const context = canvas.getContext('2d');
  // The guide page fills the canvas when the canvas has its shape; else it
  // is the board's top-left 600 x 400 corner.
  const pageShaped = Math.abs(canvas.width / canvas.height - 1.5) < 0.02;
  const scale = pageShaped ? canvas.width / 600 : canvas.width / 1016;
  const width = Math.round(600 * scale);
  const height = Math.round(400 * scale);
  const data = context.getImageData(0, 0, width, height).data;
  const inBox = (box, x, y, margin) =>
    x >= box[0] - margin && x < box[2] + margin && y >= box[1] - margin && y < box[3] + margin;
  const result = {
    canvas: { width: canvas.width, height: canvas.height },
    rect: { left: rect.left, top: rect.top, width: rect.width, height: rect.height },
    viewport: { width: innerWidth, height: innerHeight, ratio: devicePixelRatio },
    pageShaped,
    scale,
    dark: paragraphs.map(() => 0),
    redInLine: 0,
    darkInLine: 0,
    redElsewhere: 0,
    inkOutsideBoxes: 0,
    transparent: 0,
    redSignature: 0,
    guideSignature: 0,
  };
  for (let py = 0; py < height; ++py) {
    for (let px = 0; px < width; ++px) {
      const i = (py * width + px) * 4;
      const [r, g, b, a] = [data[i], data[i + 1], data[i + 2], data[i + 3]];
      if (a < 255) ++result.transparent;
      const x = px / scale;
      const y = py / scale;
      const white = r > 245 && g > 245 && b > 245;
      const red = r > 180 && g < 90 && b < 90;
      const dark = r < 90 && g < 90 && b < 90;
      if (red) {
        if (inBox(redBox, x, y, 0)) ++result.redInLine;
        else ++result.redElsewhere;
        result.redSignature = (result.redSignature * 31 + px * 7 + py) % 1000000007;
      }
      if (dark) {
        const k = paragraphs.findIndex((box) => inBox(box, x, y, 0));
        if (k >= 0) ++result.dark[k];
        if (inBox(redBox, x, y, 0)) ++result.darkInLine;
        if (k >= 0) result.guideSignature = (result.guideSignature * 31 + px * 7 + py) % 1000000007;
      }
      if (!white && !paragraphs.some((box) => inBox(box, x, y, 1)) && !inBox(redBox, x, y, 1)) {
        ++result.inkOutsideBoxes;
      }
    }
  }
  return result;
}

function checkGuide(seen, label) {
  const where = `${label}: ${JSON.stringify({ canvas: seen.canvas, rect: seen.rect, viewport: seen.viewport })}`;
  // Fit: the aspect kept, one side filling the viewport, the other inside it.
  const aspect = seen.pageShaped ? 600 / 400 : 1016 / 698;
  assert.ok(Math.abs(seen.rect.width / seen.rect.height - aspect) < 0.01, `aspect kept, ${where}`);
  assert.ok(seen.rect.left >= -0.5 && seen.rect.top >= -0.5, `inside the viewport, ${where}`);
  assert.ok(seen.rect.left + seen.rect.width <= seen.viewport.width + 0.5, `inside the viewport, ${where}`);
  assert.ok(seen.rect.top + seen.rect.height <= seen.viewport.height + 0.5, `inside the viewport, ${where}`);
  // As the title window: the page at its own 600 x 400, shrunk only when
  // the viewport is smaller, never enlarged.
  const fit = Math.min(1, seen.viewport.width / 600, seen.viewport.height / 400);
  assert.ok(Math.abs(seen.rect.width - 600 * fit) <= 2 && Math.abs(seen.rect.height - 400 * fit) <= 2,
    `shown at 600 x 400, shrunk only to fit, ${where}`);
  // Crisp: the backing store has a pixel per device pixel.
  assert.ok(Math.abs(seen.canvas.width - seen.rect.width * seen.viewport.ratio) <= 2, `backing store at the pixel ratio, ${where}`);
  assert.ok(Math.abs(seen.canvas.height - seen.rect.height * seen.viewport.ratio) <= 2, `backing store at the pixel ratio, ${where}`);

  const area = seen.scale * seen.scale;
  assert.equal(seen.transparent, 0, `the page is painted opaque, ${label}`);
  seen.dark.forEach((count, k) => assert.ok(count > 40 * area, `paragraph ${k + 1} has its black text (${count} dark pixels), ${label}`));
  assert.ok(seen.redInLine > 60 * area, `the opponent's line is red (${seen.redInLine} red pixels), ${label}`);
  assert.equal(seen.darkInLine, 0, `the opponent's line has no black, ${label}`);
  assert.equal(seen.redElsewhere, 0, `red only on the opponent's line, ${label}`);
  assert.equal(seen.inkOutsideBoxes, 0, `nothing drawn outside the painter's boxes, ${label}`);
}

describe('guide page', () => {
  const site = useSite({ width: 1200, height: 860 });

  test('white page, black paragraphs, the red line, fitted and crisp', async () => {
    const { page, problems } = await kk.open(site.browser, site.url);
    const viewports = [
      { width: 1200, height: 860, deviceScaleFactor: 1 },
      { width: 700, height: 1000, deviceScaleFactor: 2 },
      { width: 1600, height: 600, deviceScaleFactor: 1.5 },
      { width: 1600, height: 380, deviceScaleFactor: 3 },
    ];
    for (const viewport of viewports) {
      await page.setViewport(viewport);
      // The page repaints on resize; give it a frame or two.
      await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));
      await new Promise((done) => setTimeout(done, 200));
      const label = `${viewport.width}x${viewport.height}@${viewport.deviceScaleFactor}`;
      await keep(page, `guide-${label}`);
      checkGuide(await page.evaluate(analyseGuide, kParagraphs, kOpponentLine), label);
    }
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('a phone held upright: a narrow page, its text unshrunk', async () => {
    const { page, problems } = await kk.open(site.browser, site.url);
    await page.setViewport({ width: 390, height: 844, deviceScaleFactor: 3 });
    await page.waitForFunction(() => window.koikoiLayout?.name === 'portrait', { timeout: 10_000 });
    await new Promise((done) => setTimeout(done, 200));
    await keep(page, 'guide-portrait');
    const seen = await page.evaluate(() => {
      const canvas = document.getElementById('board');
      const rect = canvas.getBoundingClientRect();
      const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
      let red = 0;
      let dark = 0;
      for (let i = 0; i < data.length; i += 4) {
        if (data[i] > 180 && data[i + 1] < 90 && data[i + 2] < 90) ++red;
        if (data[i] < 90 && data[i + 1] < 90 && data[i + 2] < 90) ++dark;
      }
      return { rect: rect.toJSON(), canvas: [canvas.width, canvas.height], red, dark };
    });
    // 360 x 720 page pixels shown at one CSS pixel each, drawn at the ratio.
    assert.equal(seen.rect.width, 360);
    assert.ok(seen.rect.right <= 390 && seen.rect.bottom <= 844, JSON.stringify(seen));
    assert.deepEqual(seen.canvas, [1080, 2160]);
    assert.ok(seen.dark > 10_000 && seen.red > 500, `black paragraphs and the red line: ${JSON.stringify(seen)}`);
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('only the red line changes with the chosen opponent', async () => {
    const { page, problems } = await kk.open(site.browser, site.url);
    const before = await page.evaluate(analyseGuide, kParagraphs, kOpponentLine);
    const chosen = (await kk.state(page)).opponent;
    const other = (chosen + 2) % 4;
    await kk.chooseOpponent(page, other);
    await new Promise((done) => setTimeout(done, 300));
    const after = await page.evaluate(analyseGuide, kParagraphs, kOpponentLine);
    await keep(page, `guide-opponent-${other}`);
    checkGuide(after, `opponent ${other}`);
    assert.equal(after.guideSignature, before.guideSignature, 'the eight paragraphs stay as they were');
    assert.notEqual(after.redSignature, before.redSignature, 'the red line names the new opponent');
    assert.deepEqual(problems, []);
    await page.close();
  });
});
