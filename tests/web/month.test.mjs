// A whole month played by mouse clicks and touch taps, the koi-koi
// questions answered in the page's dialog; the month in the record panel,
// again after a reload; the record file exported, imported, and a bad file
// refused with nothing replaced.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { describe, test } from 'node:test';

import { keep } from './lib/browser.mjs';
import { useSite } from './lib/harness.mjs';
import { options } from './lib/options.mjs';
import * as kk from './lib/page.mjs';
import { playUntil } from './lib/player.mjs';

const kColumnCodes = ['6', '5', '4', '2', '1', '0'];

// The record file's bytes for per-opponent lists of kan results.
function recordFile(results) {
  const codes = Array(80 * 60).fill('3');
  results.forEach((list, opponent) => list.forEach((kan, i) => (codes[opponent * 1200 + i] = String.fromCharCode(51 + kan))));
  let text = '';
  for (let line = 0; line < 80; ++line) text += codes.slice(line * 60, line * 60 + 60).join('') + '\r\n';
  return text;
}

// What the record table shows for per-opponent lists of kan results.
function summaries(results) {
  return [0, 1, 2, 3].map((opponent) => {
    const list = results[opponent] ?? [];
    const counts = kColumnCodes.map((code) => list.filter((kan) => String.fromCharCode(51 + kan) === code).length);
    const average = list.length ? list.reduce((a, b) => a + b, 0) / list.length : 0;
    return { months: list.length, counts, average };
  });
}

function assertRecords(actual, results, label) {
  const expected = summaries(results);
  for (let o = 0; o < 4; ++o) {
    assert.equal(actual[o].months, expected[o].months, `${label}: months of opponent ${o}`);
    assert.deepEqual([...actual[o].counts], expected[o].counts, `${label}: counts of opponent ${o}`);
    assert.ok(Math.abs(actual[o].average - expected[o].average) < 1e-4, `${label}: average of opponent ${o}: ${actual[o].average}`);
  }
}

async function panelPixels(page) {
  await kk.openRecords(page);
  // The table is painted from the file once the panel is up.
  await new Promise((done) => setTimeout(done, 300));
  const pixels = await kk.recordTablePixels(page);
  await keep(page, `records-${Date.now()}`);
  await kk.closeRecords(page);
  return pixels;
}

describe('a month by clicking, the record panel, export and import', () => {
  const site = useSite({ width: 1100, height: 800, touch: true });
  const downloads = fs.mkdtempSync(path.join(os.tmpdir(), 'koikoi-downloads-'));

  test('whole flow', async (t) => {
    const opponent = 1;
    const { page, problems } = await kk.open(site.browser, site.url, '?seed=23&pace=0&trace=1');
    const unloadQuestions = [];
    page.on('dialog', async (dialog) => {
      unloadQuestions.push(dialog.type());
      await dialog.accept();
    });
    await kk.chooseOpponent(page, opponent);
    assertRecords(await kk.records(page), [], 'a fresh profile');
    const emptyPanel = await panelPixels(page);

    let result;
    await t.test('a whole month by mouse and touch, koi-koi answered in the dialog', async () => {
      await kk.startGame(page);
      const played = await playUntil(page, (lines) => lines.some((line) => line.includes('"ev":"record"')), { touchEvery: 3 });
      const lines = await kk.traceFrom(page, 0);
      const record = JSON.parse(lines.find((line) => line.includes('"ev":"record"')));
      result = record.result;
      assert.equal(record.opponent, opponent);
      assert.ok(played.cards >= 8, `cards played: ${played.cards}`);
      assert.ok(played.taps >= 2, `cards tapped: ${played.taps}`);
      await keep(page, 'month-played');
      const board = await page.evaluate(() => {
        const r = document.getElementById('board').getBoundingClientRect();
        return { ratio: r.width / r.height, width: r.width, height: r.height, vw: innerWidth, vh: innerHeight };
      });
      assert.ok(Math.abs(board.ratio - 1016 / 698) < 0.01, `the board keeps its aspect: ${JSON.stringify(board)}`);
      // As the window fits the screen: the board at 1016 x 698, shrunk only to fit.
      const fit = Math.min(1, board.vw / 1016, board.vh / 698);
      assert.ok(Math.abs(board.width - 1016 * fit) <= 2 && Math.abs(board.height - 698 * fit) <= 2, `the board fits the viewport: ${JSON.stringify(board)}`);
      t.diagnostic(`month settled: ${result} kan after ${played.cards} cards (${played.taps} tapped), questions: ${JSON.stringify(played.questions)}`);
    });

    let monthPanel;
    await t.test('the month in the record panel, during the game', async () => {
      assert.ok(result !== undefined, 'the month was played');
      const expected = [[], [], [], []];
      expected[opponent] = [result];
      assertRecords(await kk.records(page), expected, 'after the month');
      monthPanel = await panelPixels(page);
      assert.notEqual(monthPanel, emptyPanel, 'the panel table shows the month');
    });

    await t.test('the month again after a reload', async () => {
      assert.ok(result !== undefined, 'the month was played');
      await page.reload({ waitUntil: 'load' });
      await kk.ready(page);
      assert.ok(unloadQuestions.includes('beforeunload'), 'leaving during a game asks first');
      assert.equal((await kk.state(page)).gameState, kk.State.NoGame);
      const expected = [[], [], [], []];
      expected[opponent] = [result];
      assertRecords(await kk.records(page), expected, 'after the reload');
      assert.equal(await panelPixels(page), monthPanel, 'the panel table is the same after the reload');
    });

    await t.test('export, import, and a bad import that replaces nothing', async () => {
      assert.ok(result !== undefined, 'the month was played');
      const cdp = await page.createCDPSession();
      await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
      await kk.openRecords(page);
      await page.click('#records-export');
      const exported = path.join(downloads, 'result.dat');
      for (let i = 0; i < 100 && !fs.existsSync(exported); ++i) await new Promise((done) => setTimeout(done, 100));
      assert.ok(fs.existsSync(exported), 'result.dat was downloaded');
      const expected = [[], [], [], []];
      expected[opponent] = [result];
      assert.equal(fs.readFileSync(exported, 'latin1'), recordFile(expected), 'the exported file holds the month');
      fs.copyFileSync(exported, path.join(options.artefacts, 'exported-result.dat'));

      // A file of another history replaces the record.
      const imported = [[], [1, -2], [3, 2, -1], []];
      const good = path.join(downloads, 'good.dat');
      fs.writeFileSync(good, recordFile(imported), 'latin1');
      await importFile(page, good, 'yes');
      assertRecords(await kk.records(page), imported, 'after the import');

      // A file that is no record file: a clear message, nothing replaced.
      const bad = path.join(downloads, 'bad.dat');
      fs.writeFileSync(bad, Buffer.concat([Buffer.from('\x89PNG\r\n\x1a\n'), Buffer.alloc(3000, 0x41)]));
      const notices = await importFile(page, bad, 'yes');
      await keep(page, 'bad-import');
      t.diagnostic(`bad import: ${JSON.stringify(notices)}`);
      assert.ok(notices.length >= 1 && notices.at(-1).text.length > 0, `a message names the problem: ${JSON.stringify(notices)}`);
      assertRecords(await kk.records(page), imported, 'after the bad import');
      await page.reload({ waitUntil: 'load' });
      await kk.ready(page);
      assertRecords(await kk.records(page), imported, 'after the bad import and a reload');
    });

    assert.deepEqual(problems, []);
    await page.close();
    fs.rmSync(downloads, { recursive: true, force: true });
  });
});

// Imports a file through the panel's button and answers what the page asks
// (a yes/no question with `answer`, notices with OK). Returns the notices.
async function importFile(page, file, answer) {
  const open = await page.evaluate(() => !document.getElementById('records').hidden);
  if (!open) await kk.openRecords(page);
  const before = await page.evaluate(() => JSON.stringify(window.koikoi.records()));
  const [chooser] = await Promise.all([page.waitForFileChooser({ timeout: 10_000 }), page.click('#records-import')]);
  await chooser.accept([file]);
  const notices = [];
  // Wait for the page to react: a dialog, or the records changing.
  const deadline = Date.now() + 10_000;
  while (Date.now() < deadline) {
    const dialog = await kk.askShown(page);
    if (dialog) {
      if (dialog.kind === 'ok') {
        notices.push(dialog);
        await kk.answer(page, 'ok');
        break;
      }
      await kk.answer(page, answer);
      continue;
    }
    if ((await page.evaluate(() => JSON.stringify(window.koikoi.records()))) !== before && notices.length === 0) {
      // Give a closing notice a moment to come.
      await new Promise((done) => setTimeout(done, 300));
      const late = await kk.askShown(page);
      if (late?.kind === 'ok') {
        notices.push(late);
        await kk.answer(page, 'ok');
      }
      break;
    }
    await new Promise((done) => setTimeout(done, 50));
  }
  return notices;
}

describe('two tabs', () => {
  const site = useSite({ width: 1016, height: 698 });

  test('two tabs playing at once lose no month', async () => {
    const opponent = 3;
    const tabs = [];
    for (const seed of [31, 32]) {
      const tab = await kk.open(site.browser, site.url, `?seed=${seed}&pace=0&trace=1`);
      tab.page.on('dialog', (dialog) => dialog.accept());
      await kk.chooseOpponent(tab.page, opponent);
      await kk.startGame(tab.page);
      tabs.push(tab);
    }
    // Both games run; each tab in turn plays until its month is settled.
    const results = [];
    for (const { page } of tabs) {
      await page.bringToFront();
      await playUntil(page, (lines) => lines.some((line) => line.includes('"ev":"record"')), { touchEvery: 0 });
      const record = (await kk.traceFrom(page, 0)).find((line) => line.includes('"ev":"record"'));
      results.push(JSON.parse(record).result);
    }
    const expected = [[], [], [], []];
    expected[opponent] = results;
    const { page, problems } = await kk.open(site.browser, site.url);
    assertRecords(await kk.records(page), expected, 'a third tab');
    for (const tab of tabs) assert.deepEqual(tab.problems, []);
    assert.deepEqual(problems, []);
  });
});
