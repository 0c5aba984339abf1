// The browser edition in English: the language taken from the browser's
// preference, switched from the menu in the middle of a day with the game
// untouched, kept across a reload; a month played in English with the
// trace koikoi-sim writes; every English text within the box the painter
// gives it, in every layout; the Japanese edition's pixels as they were.
import assert from 'node:assert/strict';
import { describe, test } from 'node:test';

import { keep } from './lib/browser.mjs';
import { useSite } from './lib/harness.mjs';
import * as kk from './lib/page.mjs';
import { replay, simulate } from './lib/replay.mjs';

const kEnglish = 1;
const htmlLang = (page) => page.evaluate(() => document.documentElement.lang);
const menuText = (page, command) =>
  page.evaluate((c) => document.querySelector(`#menu [data-command="${c}"]`).textContent, command);
const boardPixels = (page) => page.evaluate(() => document.getElementById('board').toDataURL('image/png'));

async function switchLanguage(page, lang) {
  await kk.command(page, 'language');
  await page.waitForFunction((l) => document.documentElement.lang === l && !window.koikoi.state().busy,
    { timeout: 10_000, polling: 10 }, lang);
}

// The tests share the browser's storage, where the last choice is kept.
async function ensureLanguage(page, lang) {
  if ((await htmlLang(page)) !== lang) await switchLanguage(page, lang);
}

describe('English', () => {
  // A browser that prefers English.
  const site = useSite({ width: 1200, height: 860, lang: 'en-US' });

  test('a browser preferring English gets English; the choice outlives a reload', async () => {
    const { page, problems } = await kk.open(site.browser, site.url);
    assert.equal(await htmlLang(page), 'en');
    assert.equal(await menuText(page, 'start'), 'Start game');
    await switchLanguage(page, 'ja');
    await page.reload({ waitUntil: 'load' });
    await kk.ready(page);
    assert.equal(await htmlLang(page), 'ja', 'the stored choice wins over the preference');
    assert.equal(await menuText(page, 'start'), 'ゲームスタート');
    await switchLanguage(page, 'en');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('switched in the middle of a day: the game and its trace go on untouched', async () => {
    const seed = 17;
    const simLines = simulate(0, seed, 1);
    const { page, problems } = await kk.open(site.browser, site.url, `?seed=${seed}&pace=0&trace=1`);
    await ensureLanguage(page, 'en');
    const from = await kk.traceLength(page);
    await kk.startGame(page);
    let switched = 0;
    const outcome = await replay(page, simLines, {
      from,
      stopAt: (line) => line.includes('"ev":"record"'),
      beforeChoice: async (n) => {
        // Twice in the first day: to Japanese and back, the board repainted each time.
        if (n !== 3 && n !== 6) return;
        await kk.waitDecision(page);
        const before = { state: await kk.state(page), pixels: await boardPixels(page) };
        await switchLanguage(page, n === 3 ? 'ja' : 'en');
        assert.deepEqual(await kk.state(page), before.state, 'the game state is untouched');
        assert.notEqual(await boardPixels(page), before.pixels, 'the board is painted in the other language');
        switched += 1;
      },
    });
    await keep(page, `english-month-${seed}`);
    assert.ok(outcome.ok, outcome.difference ?? '');
    assert.equal(switched, 2);
    // The month won or lost in English is in the one record, which the
    // Japanese panel shows too. A notice about the browser's storage may
    // follow the first recorded month: it is taken first.
    for (let d = await kk.waitDecision(page); d.ask && d.dialog.ok; d = await kk.waitDecision(page)) {
      await kk.answer(page, 'ok');
    }
    await switchLanguage(page, 'ja');
    assert.equal((await kk.records(page))[0].months, 1);
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('every English text fits its box in every layout', async () => {
    const { page } = await kk.open(site.browser, site.url);
    await ensureLanguage(page, 'en');
    const overs = await page.evaluate((code) => {
      const k = window.koikoi;
      const found = [];
      for (const place of k.textPlaces(code)) {
        const [l, t, r, b] = place.box;
        const lines = k.textLines(code, place.text, place.wrap ? r - l : 0, place.size, place.bold);
        const widest = Math.max(...lines.map((line) => line.width));
        const high = lines.length * place.size;
        const [w, h] = place.within;
        if (widest > r - l || high > b - t || l < 0 || t < 0 || r > w || b > h) {
          found.push(`${place.where}: "${place.text}" is ${widest.toFixed(1)} x ${high} in [${place.box}] of ${w} x ${h}`);
        }
      }
      return { count: k.textPlaces(code).length, found };
    }, kEnglish);
    assert.ok(overs.count > 100, `the texts of every layout were gathered (${overs.count})`);
    assert.deepEqual(overs.found, []);
    await page.close();
  });

  test('the Japanese edition paints as before an English round trip', async () => {
    const { page } = await kk.open(site.browser, site.url);
    await ensureLanguage(page, 'ja');
    const japanese = await boardPixels(page);
    await switchLanguage(page, 'en');
    const english = await boardPixels(page);
    await switchLanguage(page, 'ja');
    assert.notEqual(english, japanese);
    assert.equal(await boardPixels(page), japanese);
    await page.close();
  });
});
