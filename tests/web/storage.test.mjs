// Storage the browser refuses: with IndexedDB unavailable (as in some
// private windows) or full, the player is told once in the page's dialog,
// the month is still shown in the record panel for this visit, and play
// goes on into the next month.
import assert from 'node:assert/strict';
import { describe, test } from 'node:test';

import { keep, watch } from './lib/browser.mjs';
import { useSite } from './lib/harness.mjs';
import * as kk from './lib/page.mjs';
import { playUntil } from './lib/player.mjs';

// Installed before the page's own script runs.
const kBreakers = {
  unavailable: () => {
    IDBFactory.prototype.open = function open() {
      throw new DOMException('The user denied permission to access the database.', 'SecurityError');
    };
  },
  full: () => {
    IDBObjectStore.prototype.put = function put() {
      throw new DOMException('The quota has been exceeded.', 'QuotaExceededError');
    };
  },
};

const kNoticeWords = { unavailable: 'プライベートウィンドウ', full: '一杯' };

const recorded = (lines) => lines.some((line) => line.includes('"ev":"record"'));
const secondMonthStarted = (lines) => {
  const at = lines.findIndex((line) => line.includes('"ev":"record"'));
  return at >= 0 && lines.slice(at + 1).some((line) => line.includes('"ev":"human_card"'));
};

describe('storage refused', () => {
  const site = useSite();

  for (const kind of Object.keys(kBreakers)) {
    test(`${kind}: a notice, the month kept for the visit, play goes on`, async () => {
      const page = await site.browser.newPage();
      const problems = watch(page);
      await page.evaluateOnNewDocument(kBreakers[kind]);
      await page.goto(new URL('?seed=31&pace=0&trace=1', site.url).href, { waitUntil: 'load' });

      // Storage that cannot be opened is told at start, before the guide
      // page is painted, as a missing file is told before the window opens.
      const notices = [];
      await page.waitForFunction(() => !!(window.koikoi && window.koikoi.ready), { timeout: 60_000, polling: 10 });
      if ((await kk.startShows(page)) === 'ask') {
        notices.push((await kk.askShown(page)).text);
        await kk.answer(page, 'ok');
      }
      await kk.ready(page);
      await kk.startGame(page);
      const month = await playUntil(page, recorded, { touchEvery: 0 });
      notices.push(...month.notices);
      const lines = await kk.traceFrom(page, 0);
      const record = JSON.parse(lines.find((line) => line.includes('"ev":"record"')));

      const second = await playUntil(page, secondMonthStarted, { touchEvery: 0 });
      notices.push(...second.notices);
      await keep(page, `storage-${kind}`);

      const told = notices.filter((text) => text.includes(kNoticeWords[kind]));
      assert.ok(told.length >= 1, `the player is told: ${JSON.stringify(notices)}`);
      const summary = await kk.records(page);
      assert.equal(summary[0].months, 1, 'the month is kept for this visit');
      assert.ok(Math.abs(summary[0].average - record.result) < 1e-4, `the month's result: ${summary[0].average}`);
      assert.deepEqual(problems, []);
      await page.close();
    });
  }
});
