// The right-click menu: the Windows menu's items in its order, enabled as
// the window enables them on the guide page, during a game and while the
// record panel is open; not offered while a sequence runs; the rules page
// opens in a new tab; ゲームセット returns to the guide page.
import assert from 'node:assert/strict';
import { describe, test } from 'node:test';

import { keep } from './lib/browser.mjs';
import { useSite } from './lib/harness.mjs';
import * as kk from './lib/page.mjs';

const kOrder = ['start', 'set', '-', 'records', 'rules', 'language', '-', 'exit'];
const kTexts = { start: 'ゲームスタート', set: 'ゲームセット', records: '対戦者表示', rules: 'ルール', language: 'English', exit: '終了' };

async function checkMenu(page, enabled, label) {
  assert.ok(await kk.openMenu(page), `the menu opens, ${label}`);
  const entries = await kk.menuEntries(page);
  assert.deepEqual(entries.map((entry) => entry.command), kOrder, `items in the Windows order, ${label}`);
  for (const entry of entries.filter((e) => e.command !== '-')) {
    assert.equal(entry.text, kTexts[entry.command], `the text of ${entry.command}, ${label}`);
    assert.equal(!entry.disabled, enabled.includes(entry.command), `${entry.command} ${enabled.includes(entry.command) ? 'enabled' : 'greyed'}, ${label}`);
  }
  await keep(page, `menu-${label.replace(/\W+/g, '-')}`);
  await kk.closeMenu(page);
}

describe('menu', () => {
  const site = useSite();

  test('guide page: all but ゲームセット enabled; 対戦者表示 greyed while the panel is open', async () => {
    const { page, problems } = await kk.open(site.browser, site.url);
    await checkMenu(page, ['start', 'records', 'rules', 'language', 'exit'], 'guide page');
    await kk.openRecords(page);
    await checkMenu(page, ['start', 'rules', 'language', 'exit'], 'guide page with the record panel');
    await kk.closeRecords(page);
    await checkMenu(page, ['start', 'records', 'rules', 'language', 'exit'], 'guide page after the panel closed');
    // A greyed item does nothing.
    await kk.openMenu(page);
    await page.evaluate(() => document.querySelector('#menu [data-command="set"]').click());
    await kk.closeMenu(page).catch(() => {});
    assert.equal((await kk.state(page)).gameState, kk.State.NoGame);
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('the rules page opens in a new tab', async () => {
    const { page, problems } = await kk.open(site.browser, site.url);
    const opened = new Promise((resolve) =>
      site.browser.on('targetcreated', (target) => {
        if (target.url().endsWith('/koikoi.html')) resolve(target);
      }),
    );
    await kk.command(page, 'rules');
    const target = await Promise.race([opened, new Promise((_, reject) => setTimeout(() => reject(new Error('no tab with koikoi.html')), 10_000))]);
    const rules = await target.page();
    await rules.waitForFunction(() => document.readyState === 'complete', { timeout: 10_000 });
    assert.ok((await rules.evaluate(() => document.body.innerText.length)) > 100, 'the rules page has its text');
    assert.ok(site.server.requests.includes('200 /koikoi.html'));
    await rules.close();
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('during a game: ゲームスタート and 終了 greyed; no menu while a sequence runs; ゲームセット back to the guide page', async () => {
    // Real pauses: the deal takes seconds, in which the menu must not open.
    const { page, problems } = await kk.open(site.browser, site.url, '?seed=11&pace=1');
    await kk.command(page, 'start');
    await page.waitForFunction(() => window.koikoi.state().gameState === 1, { timeout: 5000, polling: 10 });
    const opened = await kk.openMenu(page);
    const stillBusy = (await kk.state(page)).gameState === kk.State.Busy;
    assert.ok(stillBusy, 'the right click came while the deal ran');
    assert.equal(opened, false, 'no menu while a sequence runs');
    await page.waitForFunction(() => {
      const s = window.koikoi.state();
      return s.gameState === 2 && !s.busy;
    }, { timeout: 60_000, polling: 20 });
    await checkMenu(page, ['set', 'records', 'rules', 'language'], 'during a game');
    await kk.openRecords(page);
    await checkMenu(page, ['set', 'rules', 'language'], 'during a game with the record panel');
    await kk.closeRecords(page);

    await kk.command(page, 'set');
    await page.waitForFunction(() => window.koikoi.state().gameState === 0, { timeout: 10_000, polling: 20 });
    await new Promise((done) => setTimeout(done, 400));
    const shape = await page.evaluate(() => {
      const r = document.getElementById('board').getBoundingClientRect();
      return r.width / r.height;
    });
    assert.ok(Math.abs(shape - 1.5) < 0.01 || Math.abs(shape - 1016 / 698) < 0.01);
    await keep(page, 'menu-after-game-set');
    await checkMenu(page, ['start', 'records', 'rules', 'language', 'exit'], 'after ゲームセット');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('a long press opens the menu on a touch screen', async () => {
    const { page, problems } = await kk.open(site.browser, site.url);
    await page.setViewport({ width: 800, height: 600, hasTouch: true, isMobile: true });
    await kk.ready(page);
    assert.ok(await kk.openMenu(page, { touch: true }), 'the menu opens on a long press');
    await kk.closeMenu(page);
    assert.deepEqual(problems, []);
    await page.close();
  });
});
