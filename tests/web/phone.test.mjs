// The browser edition on a phone: a month played by tap upright (390 x 844)
// and sideways (844 x 390), each with the trace koikoi-sim writes for the
// same seed; the phone turned in the middle of a day; cards, buttons and
// dialogs measured against a finger's 44 CSS pixels; zoom left to the player.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { describe, test } from 'node:test';

import { keep } from './lib/browser.mjs';
import { useSite } from './lib/harness.mjs';
import { options } from './lib/options.mjs';
import * as kk from './lib/page.mjs';
import { replay, simulate } from './lib/replay.mjs';

const kFinger = 44;
const kUpright = { width: 390, height: 844 };
const kSideways = { width: 844, height: 390 };
const recorded = (line) => line.includes('"ev":"record"');

const layoutOf = (page) => page.evaluate(() => window.koikoiLayout);
async function turn(page, size, name) {
  await page.setViewport({ ...size, hasTouch: true, isMobile: true });
  await page.waitForFunction((n) => window.koikoiLayout?.name === n, { timeout: 10_000, polling: 10 }, name);
}

// Plays the first month of koikoi-sim's year for `seed` by taps, turning the
// phone once after `turnAfter` choices when asked to.
async function playMonth(site, seed, size, name, { turnAfter = -1, turnTo } = {}) {
  assert.ok(fs.existsSync(options.sim), `koikoi-sim at ${options.sim}`);
  const simLines = simulate(0, seed, 1);
  const { page, problems } = await kk.open(site.browser, site.url, `?seed=${seed}&pace=0&trace=1`);
  await turn(page, size, name);
  const from = await kk.traceLength(page);
  await kk.startGame(page);
  let turned = false;
  const outcome = await replay(page, simLines, {
    from,
    touchEvery: 1,
    stopAt: recorded,
    beforeChoice: async (n) => {
      if (turned || turnAfter < 0 || n < turnAfter) return;
      turned = true;
      await turn(page, turnTo.size, turnTo.name);
    },
  });
  await keep(page, `phone-${name}-${seed}${turnTo ? '-turned' : ''}`);
  assert.ok(outcome.ok, outcome.difference ?? '');
  assert.ok((await kk.traceFrom(page, from)).some(recorded), 'the month was settled');
  assert.equal(turned, turnAfter >= 0, 'the phone was turned');
  assert.deepEqual(problems, []);
  return page;
}

// Every visible button of a part of the page, with its box.
const buttonsOf = (page, selector) =>
  page.evaluate((s) => [...document.querySelectorAll(`${s} button`)]
    .filter((b) => b.checkVisibility())
    .map((b) => ({ text: b.textContent.trim(), ...b.getBoundingClientRect().toJSON() })), selector);

async function assertFits(page, selector, what) {
  const box = await page.evaluate((s) => document.querySelector(s).getBoundingClientRect().toJSON(), selector);
  assert.ok(box.left >= 0 && box.right <= kUpright.width + 0.5, `${what} within the screen: ${JSON.stringify(box)}`);
  for (const button of await buttonsOf(page, selector)) {
    assert.ok(button.height >= kFinger - 0.5, `${what}: "${button.text}" is ${button.height} px high`);
  }
}

describe('phone', () => {
  const site = useSite({ ...kUpright, touch: true });

  test('upright: a month by tap, its trace the simulator\'s, cards 44 px wide', async () => {
    const page = await playMonth(site, 41, kUpright, 'portrait');
    const layout = await layoutOf(page);
    assert.equal(layout.name, 'portrait');
    assert.ok(layout.cardCss[0] >= kFinger, `a card is ${layout.cardCss[0]} CSS px wide`);
    await page.close();
  });

  test('sideways: a month by tap, its trace the simulator\'s, cards 44 px wide', async () => {
    const page = await playMonth(site, 42, kSideways, 'landscape');
    const layout = await layoutOf(page);
    assert.equal(layout.name, 'landscape');
    assert.ok(layout.cardCss[0] >= kFinger, `a card is ${layout.cardCss[0]} CSS px wide`);
    await page.close();
  });

  test('turned in the middle of a day: the game goes on exactly', async () => {
    const page = await playMonth(site, 43, kUpright, 'portrait', {
      turnAfter: 3, turnTo: { size: kSideways, name: 'landscape' },
    });
    await page.close();
  });

  test('buttons, menu, dialogs and the record panel fit a finger and the screen', async () => {
    const { page, problems } = await kk.open(site.browser, site.url);
    await turn(page, kUpright, 'portrait');
    // The visible menu button, named for screen readers, opens the menu.
    const named = await page.evaluate(() => document.getElementById('menu-button').getAttribute('aria-label'));
    assert.ok(named && named.length > 0, 'the menu button has a name');
    for (const button of await buttonsOf(page, '#bar')) {
      assert.ok(button.height >= kFinger && button.width >= kFinger, `bar button ${JSON.stringify(button)}`);
    }
    await page.tap('#menu-button');
    await page.waitForFunction(() => !document.getElementById('menu').hidden, { timeout: 5000 });
    await assertFits(page, '#menu', 'the menu');
    await kk.closeMenu(page);
    // The long press opens the same menu.
    assert.ok(await kk.openMenu(page, { touch: true }), 'a long press opens the menu');
    await page.tap('#menu [data-command="records"]');
    await page.waitForFunction(() => !document.getElementById('records').hidden, { timeout: 5000 });
    await page.waitForFunction(() => document.getElementById('record-table').width > 0, { timeout: 5000 });
    await assertFits(page, '#records', 'the record panel');
    await keep(page, 'phone-records');
    await page.tap('#records-close');
    // A question: the close box's.
    await page.tap('#close');
    await page.waitForFunction(() => document.getElementById('ask').open, { timeout: 5000 });
    await assertFits(page, '#ask', 'the question');
    await kk.answer(page, 'no');
    const scrolls = await page.evaluate(() => document.documentElement.scrollWidth > innerWidth);
    assert.equal(scrolls, false, 'no horizontal scrolling');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('zoom is the player\'s; a double tap on the board does not zoom', async () => {
    const { page, problems } = await kk.open(site.browser, site.url);
    const viewport = await page.evaluate(() => document.querySelector('meta[name="viewport"]').content);
    assert.doesNotMatch(viewport, /user-scalable\s*=\s*(no|0)/);
    assert.doesNotMatch(viewport, /maximum-scale/);
    const touchAction = await page.evaluate(() => getComputedStyle(document.getElementById('board')).touchAction);
    assert.equal(touchAction, 'manipulation');
    assert.deepEqual(problems, []);
    await page.close();
  });
});
