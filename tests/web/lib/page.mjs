// What a player does on the page, through the page's DOM and the test hooks
// of window.koikoi: open it, read its state, use the menu, the dialogs, the
// record panel and the cards.
import { watch } from './browser.mjs';

export const kYes = 6;
export const kNo = 7;
export const State = { NoGame: 0, Busy: 1, ChooseHand: 2, ChooseFieldForHand: 3, ChooseFieldForDrawn: 4, GameOver: 5 };
export const Slots = { HumanHand: 0, HandSize: 8, FieldFirst: 160, FieldLast: 183, Drawn: 208 };

const kWait = { timeout: 60_000, polling: 10 };

// Opens the site (with an optional query such as "?seed=7&pace=0&trace=1")
// in a new tab and waits for the guide page's first paint.
export async function open(browser, base, query = '') {
  const page = await browser.newPage();
  const problems = watch(page);
  await page.goto(new URL(query, base).href, { waitUntil: 'load' });
  await ready(page);
  return { page, problems };
}

// A notice about the browser's storage that the page shows at start, before
// the guide page, is answered with OK.
export async function ready(page) {
  await page.waitForFunction(() => !!(window.koikoi && window.koikoi.ready), kWait);
  while ((await startShows(page)) === 'ask') await answer(page, 'ok');
}

// What the page shows first: 'ready' (the guide page) or 'ask' (a notice).
export function startShows(page) {
  return page.evaluate(() => Promise.race([
    window.koikoi.ready.then(() => 'ready'),
    new Promise((shown) => {
      const look = () => (document.getElementById('ask').open ? shown('ask') : setTimeout(look, 20));
      look();
    }),
  ]));
}

export const state = (page) => page.evaluate(() => window.koikoi.state());

// The visible dialog: null, or { kind: 'yesno' | 'ok', caption, text }.
export function askShown(page) {
  return page.evaluate(() => {
    const dialog = document.getElementById('ask');
    if (!dialog || !dialog.open) return null;
    const shown = (id) => {
      const button = document.getElementById(id);
      return !!button && !button.hidden && button.checkVisibility();
    };
    return {
      kind: shown('ask-yes') || shown('ask-no') ? 'yesno' : 'ok',
      yes: shown('ask-yes'),
      no: shown('ask-no'),
      ok: shown('ask-ok'),
      caption: document.getElementById('ask-caption')?.textContent ?? '',
      text: document.getElementById('ask-text')?.textContent ?? '',
    };
  });
}

// Presses a button of the dialog and waits until the dialog has closed or
// shows another question.
export async function answer(page, button) {
  const before = await page.evaluate(() => document.getElementById('ask-text')?.textContent);
  await page.click(`#ask-${button}`);
  await page.waitForFunction(
    (text) => {
      const dialog = document.getElementById('ask');
      return !dialog.open || document.getElementById('ask-text').textContent !== text;
    },
    kWait,
    before,
  );
}

// The centre of the board canvas in CSS pixels.
export function boardCentre(page) {
  return page.evaluate(() => {
    const r = document.getElementById('board').getBoundingClientRect();
    return { x: r.left + r.width / 2, y: r.top + r.height / 2 };
  });
}

// The menu's entries in order: a command name, or '-' for a separator;
// with each item's text and whether it is disabled.
export function menuEntries(page) {
  return page.evaluate(() => {
    const menu = document.getElementById('menu');
    return [...menu.children]
      .filter((child) => child.tagName !== 'TEMPLATE' && child.tagName !== 'SCRIPT')
      .map((child) => {
        const command = child.getAttribute('data-command');
        if (!command) return { command: '-' };
        return { command, text: child.textContent.trim(), disabled: child.hasAttribute('disabled') };
      });
  });
}

export const menuOpen = (page) =>
  page.evaluate(() => {
    const menu = document.getElementById('menu');
    return !menu.hidden && menu.checkVisibility();
  });

// Right-clicks the board (or long-presses it with `touch`) and reports
// whether the menu came up.
export async function openMenu(page, { touch = false, at } = {}) {
  const point = at ?? (await boardCentre(page));
  if (touch) {
    await page.touchscreen.touchStart(point.x, point.y);
    await new Promise((done) => setTimeout(done, 900));
    await page.touchscreen.touchEnd();
  } else {
    await page.mouse.click(point.x, point.y, { button: 'right' });
  }
  try {
    await page.waitForFunction(
      () => {
        const menu = document.getElementById('menu');
        return !menu.hidden && menu.checkVisibility();
      },
      { timeout: 2000, polling: 10 },
    );
    return true;
  } catch {
    return false;
  }
}

export async function closeMenu(page) {
  await page.keyboard.press('Escape');
  if (await menuOpen(page)) {
    // Clicking elsewhere closes a popup menu as it does on Windows.
    await page.mouse.click(2, 2);
  }
  await page.waitForFunction(() => document.getElementById('menu').hidden || !document.getElementById('menu').checkVisibility(), { timeout: 5000, polling: 10 });
}

// Opens the menu and chooses a command.
export async function command(page, name) {
  if (!(await openMenu(page))) throw new Error(`the menu did not open for ${name}`);
  await page.click(`#menu [data-command="${name}"]`);
}

// The slot and card maps, read once per decision.
export function cardSlots(page) {
  return page.evaluate(() => Array.from({ length: 48 }, (_, card) => window.koikoi.cardSlot(card)));
}

// Clicks (or taps) the card cell of `card` where the page draws it.
export async function clickCard(page, card, { touch = false } = {}) {
  const point = await page.evaluate((c) => window.koikoi.slotCentre(window.koikoi.cardSlot(c)), card);
  if (touch) await page.touchscreen.tap(point.x, point.y);
  else await page.mouse.click(point.x, point.y);
}

export const traceLength = (page) => page.evaluate(() => (window.koikoiTrace ? window.koikoiTrace.length : 0));
export const traceFrom = (page, from) => page.evaluate((n) => (window.koikoiTrace || []).slice(n), from);

// Waits until the page wants something from the player: a dialog, or a
// card while no sequence runs, or the game is over or not running.
export async function waitDecision(page, timeout = 60_000) {
  const handle = await page.waitForFunction(
    () => {
      const dialog = document.getElementById('ask');
      if (dialog && dialog.open) return { ask: true };
      const s = window.koikoi.state();
      if (s.busy || s.gameState === 1) return false;
      return { ask: false, gameState: s.gameState };
    },
    { timeout, polling: 10 },
  );
  const decision = await handle.jsonValue();
  await handle.dispose();
  if (decision.ask) decision.dialog = await askShown(page);
  return decision;
}

// Waits until the trace has grown past `length` lines (a click or answer
// was taken) or a dialog opened.
export async function waitTraceGrows(page, length, timeout = 60_000) {
  await page.waitForFunction(
    (n) => (window.koikoiTrace || []).length > n,
    { timeout, polling: 10 },
    length,
  );
}

// The record panel, open with its table painted: the panel paints it a
// moment after it opens, and at the first opening the table's size moves
// the buttons, so a click before it could miss.
export async function openRecords(page) {
  await command(page, 'records');
  await page.waitForFunction(() => {
    const panel = document.getElementById('records');
    return !panel.hidden && panel.checkVisibility() && document.getElementById('record-table').width > 0;
  }, kWait);
}

export async function closeRecords(page) {
  await page.click('#records-close');
  await page.waitForFunction(() => document.getElementById('records').hidden || !document.getElementById('records').checkVisibility(), kWait);
}

export const records = (page) => page.evaluate(() => window.koikoi.records());

// The pixels of the record table canvas, as a string to compare.
export const recordTablePixels = (page) =>
  page.evaluate(() => {
    const canvas = document.getElementById('record-table');
    return canvas.toDataURL('image/png');
  });

// Chooses the opponent in the record panel, on the guide page.
export async function chooseOpponent(page, opponent) {
  await openRecords(page);
  await page.click(`input[name="opponent"][value="${opponent}"]`);
  await page.click('#records-choose');
  await page.waitForFunction((o) => window.koikoi.state().opponent === o, kWait, opponent);
  // A successful choice closes the panel, as the dialog closes on Windows.
  const open = await page.evaluate(() => !document.getElementById('records').hidden);
  if (open) await closeRecords(page);
}

export async function startGame(page) {
  const length = await traceLength(page);
  await command(page, 'start');
  await page.waitForFunction((n) => window.koikoi.state().gameState !== 0 || (window.koikoiTrace || []).length > n, kWait, length);
}

// The replay's fast path: one round trip waits in the page for the next
// decision and brings back what the player needs for it. Waits until the
// trace is longer than `minLength` (the last choice was taken) and, with
// `closed`, until the dialog has closed (the last notice was taken). Returns
// { ask, dialog, gameState, fresh (trace lines from `from`), length, point
// (where `card` lies, when one is asked for) }.
export function awaitDecision(page, { from, minLength, closed = false, card = -1, timeout = 60_000 }) {
  return page.evaluate(
    async ({ from, minLength, closed, card, timeout }) => {
      const started = performance.now();
      const centre = (element) => {
        const r = element.getBoundingClientRect();
        return { x: r.left + r.width / 2, y: r.top + r.height / 2 };
      };
      let seenClosed = !closed;
      for (;;) {
        const trace = window.koikoiTrace || [];
        const dialog = document.getElementById('ask');
        if (!dialog.open) seenClosed = true;
        if (trace.length > minLength && seenClosed) {
          if (dialog.open) {
            const shown = (id) => {
              const button = document.getElementById(id);
              return !!button && !button.hidden && button.checkVisibility();
            };
            const buttons = {};
            for (const name of ['yes', 'no', 'ok']) if (shown(`ask-${name}`)) buttons[name] = centre(document.getElementById(`ask-${name}`));
            return {
              ask: true,
              dialog: {
                kind: buttons.yes || buttons.no ? 'yesno' : 'ok',
                text: document.getElementById('ask-text').textContent,
                caption: document.getElementById('ask-caption').textContent,
                buttons,
              },
              fresh: trace.slice(from),
              length: trace.length,
            };
          }
          const s = window.koikoi.state();
          if (!s.busy && s.gameState !== 1) {
            const point = card >= 0 && s.gameState >= 2 && s.gameState <= 4 ? window.koikoi.slotCentre(window.koikoi.cardSlot(card)) : null;
            return { ask: false, gameState: s.gameState, fresh: trace.slice(from), length: trace.length, point };
          }
        }
        if (performance.now() - started > timeout) throw new Error(`no decision within ${timeout} ms`);
        await new Promise((resolve) => setTimeout(resolve, 2));
      }
    },
    { from, minLength, closed, card, timeout },
  );
}

// A left click (or a tap) at a point, as the input devices send them.
export async function press(page, point, { touch = false } = {}) {
  if (touch) {
    await page.touchscreen.tap(point.x, point.y);
    return;
  }
  page.__cdp ??= await page.createCDPSession();
  const event = { x: point.x, y: point.y, button: 'left', clickCount: 1 };
  await page.__cdp.send('Input.dispatchMouseEvent', { type: 'mouseMoved', x: point.x, y: point.y });
  await page.__cdp.send('Input.dispatchMouseEvent', { type: 'mousePressed', ...event });
  await page.__cdp.send('Input.dispatchMouseEvent', { type: 'mouseReleased', ...event });
}
