// The page's side of the browser edition: the event queue the C++ window
// drains, the canvas drawing, the menu, the message box, the record panel,
// record storage in IndexedDB, the test switch and the test hooks. The game
// itself runs in koikoi.wasm; this script only shows and queues. Every
// number it shares with the game (event kinds, commands, sizes, timers) and
// every text it shows come from the C++ at start (start(), F and T below).
'use strict';

(function () {
  // The facts the C++ hands over at start (web/page_facts.cpp), and the
  // text table by name. Nothing is queued before they have come.
  let F = null;
  let T = {};

  // The Mincho faces of the desktop program and its usual stand-ins; with
  // none of them installed the browser's own serif face is used.
  const MINCHO = '"MS Mincho","ＭＳ 明朝","IPAexMincho","IPAMincho","Noto Serif CJK JP",' +
    '"Noto Serif JP","Source Han Serif JP","Hiragino Mincho ProN","Yu Mincho","YuMincho",serif';

  // The test switch: off unless the URL asks for it.
  const params = new URLSearchParams(location.search);
  const seedText = params.get('seed');
  const seedOn = seedText !== null && /^[0-9]+$/.test(seedText);
  const paceText = params.get('pace');
  const pace = paceText !== null && paceText !== '' && Number(paceText) >= 0 ? Number(paceText) : 1;
  const tracing = params.get('trace') === '1';
  if (tracing) window.koikoiTrace = [];

  const sjis = new TextDecoder('shift_jis');
  const utf8 = new TextDecoder('utf-8');
  const latin1 = new TextDecoder('latin1');

  // ---- The language: Japanese (0) or English (1), the C++ Language. The
  // page starts in the one last chosen, else Japanese for a browser whose
  // first preferred language is Japanese and English for any other. The C++
  // sends Japanese texts as Shift-JIS and English ones as UTF-8.
  const LANGUAGE_KEY = 'language';
  const preferred = /^ja\b/i.test((navigator.languages && navigator.languages[0]) || navigator.language || '') ? 0 : 1;
  let lang = preferred;
  let texts = sjis;
  let tables = [{}, {}];
  // The board's faces: the Mincho stack in Japanese; in English the serif
  // faces the English text table names.
  const boardFace = () => (lang === 1
    ? `"${tables[1].kBoardFontFace}","${tables[1].kBoardFontFaceWindows}","${tables[1].kBoardFontFaceEnglish}",serif`
    : MINCHO);
  const $ = (id) => document.getElementById(id);
  const board = $('board');
  const boardCtx = board.getContext('2d');
  const tableCanvas = $('record-table');
  const tableCtx = tableCanvas.getContext('2d');
  const menuEl = $('menu');
  const panel = $('records');
  const ask = $('ask');
  const sheet = new Image();
  let sheetOk = false;

  function heapString(ptr, decoder = texts) {
    const heap = Module.HEAPU8;
    let end = ptr;
    while (heap[end] !== 0) end++;
    return decoder.decode(heap.slice(ptr, end));
  }
  const css = (rgb) => '#' + (rgb & 0xffffff).toString(16).padStart(6, '0');

  // ---- The event queue: what the Windows program's message queue holds.
  const queue = [];
  let waiter = null;
  function queueEvent(kind, a, b) {
    // Size changes coalesce: only the last one matters.
    if (kind === F.events.viewport && queue.length && queue[queue.length - 1][0] === kind) queue.pop();
    queue.push([kind, a | 0, b | 0, 0]);
    if (waiter) {
      const wake = waiter;
      waiter = null;
      wake();
    }
  }
  // The page's own events are named as F.events names them; nothing is
  // queued before the facts have come.
  function post(name, a = 0, b = 0) {
    if (F) queueEvent(F.events[name], a, b);
  }
  function take(ptr) {
    const e = queue.shift();
    Module.HEAP32.set(e, ptr >> 2);
  }

  // ---- The off-screen board (BoardCanvas) and the visible canvas.
  let off = null;
  let offCtx = null;
  let res = 0;  // off-screen pixels per board pixel
  let gameMode = false;
  // The board's fit as the C++ sends it, and the layout in use: the name's
  // index in F.layouts, its board's size and its guide page's size.
  let view = { width: 0, height: 0, scale: 1, layout: 0, board: [0, 0], page: [0, 0] };

  // The off-screen canvas holds the board and, in its top-left corner, the
  // guide page, so it is as large as the larger of the two each way.
  function offSize() {
    return [Math.max(view.board[0], view.page[0]), Math.max(view.board[1], view.page[1])];
  }

  // The card sheet at the resolution the board is drawn at, made when the
  // resolution changes.
  let sheetAt = null;
  function scaledSheet() {
    if (sheetAt?.res === res) return sheetAt.canvas;
    const c = document.createElement('canvas');
    c.width = Math.round(sheet.naturalWidth * res);
    c.height = Math.round(sheet.naturalHeight * res);
    const ctx = c.getContext('2d');
    ctx.imageSmoothingEnabled = Math.abs(res - Math.round(res)) > 1e-6;
    ctx.imageSmoothingQuality = 'high';
    ctx.drawImage(sheet, 0, 0, c.width, c.height);
    sheetAt = { res, canvas: c };
    return c;
  }

  function makeOff(r) {
    const c = document.createElement('canvas');
    const [w, h] = offSize();
    c.width = Math.round(w * r);
    c.height = Math.round(h * r);
    const ctx = c.getContext('2d');
    const sameShape = off && Math.abs(off.width / off.height - c.width / c.height) < 1e-3;
    if (sameShape) {
      ctx.drawImage(off, 0, 0, c.width, c.height);
    } else {
      // Another layout: the C++ paints the board anew at once.
      ctx.fillStyle = '#fff';
      ctx.fillRect(0, 0, c.width, c.height);
    }
    ctx.setTransform(r, 0, 0, r, 0, 0);
    ctx.imageSmoothingEnabled = Math.abs(r - Math.round(r)) > 1e-6;
    ctx.imageSmoothingQuality = 'high';
    off = c;
    offCtx = ctx;
    res = r;
  }

  // The room for the board: the page within its safe area (clear of a
  // notch and of the home indicator), less the bar of buttons a phone
  // layout gives them.
  function safeInsets() {
    const style = getComputedStyle($('safe'));
    const inset = (value) => parseFloat(value) || 0;
    return {
      top: inset(style.paddingTop), right: inset(style.paddingRight),
      bottom: inset(style.paddingBottom), left: inset(style.paddingLeft),
    };
  }
  function pageRoom() {
    const inset = safeInsets();
    return [
      Math.max(1, Math.floor(window.innerWidth - inset.left - inset.right)),
      Math.max(1, Math.floor(window.innerHeight - inset.top - inset.bottom)),
    ];
  }
  function boardRoom() {
    const [w, h] = pageRoom();
    const name = F.layouts[view.layout];
    return [w - (name === 'landscape' ? F.phoneBar : 0), h - (name === 'portrait' ? F.phoneBar : 0)];
  }

  // The guide page keeps its aspect and is never enlarged, as the
  // board is fitted by the window's rule (the C++ side sends the board's fit).
  function pageFit() {
    const [w, h] = boardRoom();
    return Math.min(1, w / view.page[0], h / view.page[1]);
  }

  const kMostBoardRatio = 2;
  function layout() {
    if (!view.board[0]) return;
    document.body.dataset.layout = F.layouts[view.layout];
    // The board in play is drawn at no more than two device pixels a CSS
    // pixel: at a phone's three, each repaint would touch more than twice as
    // many pixels for a sharpness hardly seen at that density. The guide
    // page, painted once, takes the screen's full resolution.
    const dpr = Math.min(window.devicePixelRatio || 1, gameMode ? kMostBoardRatio : Infinity);
    const pf = pageFit();
    const w = gameMode ? view.width : Math.floor(view.page[0] * pf);
    const h = gameMode ? view.height : Math.floor(view.page[1] * pf);
    board.style.width = w + 'px';
    board.style.height = h + 'px';
    board.width = Math.max(1, Math.round(w * dpr));
    board.height = Math.max(1, Math.round(h * dpr));
    // Drawn at the resolution it is shown at, so texts stay crisp on
    // high-DPI screens.
    // The board at its own scale, the guide page at the page's.
    const r = Math.max(1, dpr * (gameMode ? view.scale : pf));
    const [ow, oh] = offSize();
    if (!off || Math.abs(r - res) > 0.01 || off.width !== Math.round(ow * r) || off.height !== Math.round(oh * r)) {
      makeOff(r);
    }
    noteLayout();
  }

  // For tests and benchmarks: the layout in use and a card's size on the
  // page, from the board as it is shown.
  function noteLayout() {
    const shown = gameMode ? board.getBoundingClientRect().width : view.width;
    const scale = shown / view.board[0];
    window.koikoiLayout = { name: F.layouts[view.layout], cardCss: [F.card[0] * scale, F.card[1] * scale] };
  }

  function present(page) {
    const [w, h] = page ? view.page : view.board;
    const [sw, sh] = [w * res, h * res];
    // Drawn at the size it is shown (a pixel or two of rounding aside), the
    // board is copied pixel for pixel rather than resampled.
    const same = Math.abs(sw - board.width) < 3 && Math.abs(sh - board.height) < 3;
    boardCtx.imageSmoothingEnabled = !same;
    boardCtx.imageSmoothingQuality = 'high';
    if (same) {
      boardCtx.drawImage(off, 0, 0, board.width, board.height, 0, 0, board.width, board.height);
    } else {
      boardCtx.drawImage(off, 0, 0, sw, sh, 0, 0, board.width, board.height);
    }
  }
  const repaint = () => present(!gameMode);

  function roundBox(ctx, l, t, r, b, radius) {
    ctx.beginPath();
    ctx.moveTo(l + radius, t);
    ctx.arcTo(r, t, r, b, radius);
    ctx.arcTo(r, b, l, b, radius);
    ctx.arcTo(l, b, l, t, radius);
    ctx.arcTo(l, t, r, t, radius);
    ctx.closePath();
  }

  // DT_WORDBREAK: lines broken where the box's width runs out, at a blank
  // where there is one and otherwise between any two characters.
  function wrapLines(ctx, text, width) {
    const lines = [];
    let line = '';
    for (const ch of text) {
      const next = line + ch;
      if (line !== '' && ctx.measureText(next).width > width) {
        const blank = line.lastIndexOf(' ');
        if (ch !== ' ' && blank > 0 && /^[\x21-\x7e]+$/.test(line.slice(blank + 1) + ch)) {
          lines.push(line.slice(0, blank));
          line = line.slice(blank + 1) + ch;
        } else {
          lines.push(line);
          line = ch === ' ' ? '' : ch;
        }
      } else {
        line = next;
      }
    }
    if (line !== '') lines.push(line);
    return lines;
  }

  function surfaceCtx(surface) { return surface === F.surfaces.recordTable ? tableCtx : offCtx; }

  // ---- The modal message box.
  let askResolve = null;
  // A notice may offer one more button (F.offers): the record's export or
  // an import, done by the page itself.
  function showAsk(caption, text, yesNo, offer = 0) {
    $('ask-caption').textContent = caption;
    $('ask-text').textContent = text;
    $('ask-yes').hidden = !yesNo;
    $('ask-no').hidden = !yesNo;
    $('ask-ok').hidden = !!yesNo;
    const offered = $('ask-offer');
    offered.hidden = !offer;
    offered.dataset.offer = String(offer);
    offered.textContent = offer === F.offers.export ? T.kPagePanelExport : offer === F.offers.import ? T.kPagePanelImport : '';
    return new Promise((resolve) => {
      askResolve = (answer) => {
        askResolve = null;
        ask.close();
        resolve(answer);
      };
      ask.showModal();
      (yesNo ? $('ask-yes') : $('ask-ok')).focus();
    });
  }
  $('ask-yes').addEventListener('click', () => askResolve && askResolve(F.answers.yes));
  $('ask-no').addEventListener('click', () => askResolve && askResolve(F.answers.no));
  $('ask-ok').addEventListener('click', () => askResolve && askResolve(F.answers.ok));
  // The offer closes the notice and is carried out inside the player's
  // click, which a download and a file chooser need.
  $('ask-offer').addEventListener('click', () => {
    if (!askResolve) return;
    const offer = Number($('ask-offer').dataset.offer);
    askResolve(F.answers.ok);
    if (offer === F.offers.export) exportRecords();
    else if (offer === F.offers.import) $('records-import-file').click();
  });
  // A Yes/No box cannot be dismissed; Escape on a notice is its OK.
  ask.addEventListener('cancel', (event) => {
    event.preventDefault();
    if (askResolve && !$('ask-ok').hidden) askResolve(F.answers.ok);
  });

  // ---- The popup menu.
  let menuResolve = null;
  let swallowContextMenu = false;
  function closeMenu(command) {
    menuEl.hidden = true;
    document.removeEventListener('pointerdown', outsideMenu, true);
    document.removeEventListener('keydown', menuKey, true);
    const resolve = menuResolve;
    menuResolve = null;
    if (resolve) resolve(command);
  }
  function outsideMenu(event) {
    if (menuEl.contains(event.target)) return;
    // A click outside only dismisses the menu, as a popup menu does.
    event.preventDefault();
    event.stopPropagation();
    if (event.button === 2) swallowContextMenu = true;
    closeMenu(0);
  }
  function menuKey(event) {
    if (event.key === 'Escape') closeMenu(0);
  }
  menuEl.addEventListener('click', (event) => {
    const item = event.target.closest('button[data-command]');
    if (!item || item.disabled || !menuResolve) return;
    const name = item.dataset.command;
    if (name === 'rules') {
      // Opened while the click is still the user's own, so no pop-up
      // blocker stands in the way; the command itself changes nothing else.
      window.open(rulesPage(), '_blank', 'noopener');
      closeMenu(0);
      return;
    }
    if (name === 'language') {
      // The other language; the C++ switches and repaints in its turn.
      closeMenu(0);
      queueEvent(F.events.language, 1 - lang);
      return;
    }
    closeMenu(F.commands[name]);
  });
  menuEl.addEventListener('contextmenu', (event) => event.preventDefault());

  function openMenu(x, y, bits) {
    for (const item of menuEl.querySelectorAll('button[data-command]')) {
      const bit = F.menuBits[item.dataset.command];
      item.disabled = bit !== undefined && (bits & bit) === 0;
    }
    menuEl.hidden = false;
    // Its right edge at the click, kept inside the page.
    const w = menuEl.offsetWidth;
    const h = menuEl.offsetHeight;
    const left = Math.max(0, Math.min(x - w, window.innerWidth - w));
    const top = Math.max(0, Math.min(y, window.innerHeight - h));
    menuEl.style.left = left + 'px';
    menuEl.style.top = top + 'px';
    return new Promise((resolve) => {
      menuResolve = resolve;
      document.addEventListener('pointerdown', outsideMenu, true);
      document.addEventListener('keydown', menuKey, true);
    });
  }

  // ---- Record storage: result.dat in IndexedDB, copied into the memory
  // file system where the C++ record code reads and writes it.
  const DB_NAME = 'koikoi';
  const STORE = 'files';
  const KEY = 'result.dat';
  // Beside the file: whether it held months when it was last stored, and
  // the situations (below) in which the notice that the browser may clear
  // the record was dismissed.
  const MONTHS_KEY = 'result.dat holds months';
  const NOTICE_KEY = 'notice dismissed';
  // The connection is opened again after it failed or was closed: a browser
  // that clears the storage while the page is open closes it, and the next
  // change then stores the whole record this page still holds.
  let dbPromise = null;
  function openDb() {
    if (!dbPromise) {
      const opening = new Promise((resolve, reject) => {
        let request;
        try {
          request = indexedDB.open(DB_NAME, 1);
        } catch (error) {
          reject(error);
          return;
        }
        request.onupgradeneeded = () => request.result.createObjectStore(STORE);
        request.onsuccess = () => {
          const db = request.result;
          const forget = () => {
            if (dbPromise === opening) dbPromise = null;
          };
          db.onclose = forget;
          db.onversionchange = () => {
            db.close();
            forget();
          };
          resolve(db);
        };
        request.onerror = () => reject(request.error);
        request.onblocked = () => reject(new Error('blocked'));
      });
      opening.catch(() => {
        if (dbPromise === opening) dbPromise = null;
      });
      dbPromise = opening;
    }
    return dbPromise;
  }
  // One transaction: `work(store)` makes its requests and returns them;
  // their results once the transaction has completed.
  async function idbDo(mode, work) {
    const db = await openDb();
    return new Promise((resolve, reject) => {
      const tx = db.transaction(STORE, mode);
      const requests = work(tx.objectStore(STORE));
      tx.oncomplete = () => resolve(requests.map((request) => request.result));
      tx.onerror = () => reject(tx.error);
      tx.onabort = () => reject(tx.error || new Error('aborted'));
    });
  }
  const idbGet = (key = KEY) => idbDo('readonly', (store) => [store.get(key)]).then(([value]) => value);
  const idbGetKey = (key) => idbGet(key);
  const idbPutKey = (key, value) => idbDo('readwrite', (store) => [store.put(value, key)]);
  async function storageUsable() {
    try {
      await openDb();
      return true;
    } catch (error) {
      return false;
    }
  }

  // Loaded, nothing stored yet, or storage unavailable.
  async function recordsLoad(path) {
    try {
      const bytes = await idbGet();
      if (!bytes) return F.storage.nothingStored;
      Module.FS.writeFile(path, new Uint8Array(bytes));
      return F.storage.done;
    } catch (error) {
      return F.storage.unavailable;
    }
  }

  // The rule that keeps two tabs from losing a month: every change of the
  // record takes the Web Lock "koikoi-records", re-reads result.dat from
  // IndexedDB under it, lets the C++ code change the file, and stores it
  // before the lock is let go. Another tab's change waits for the lock and
  // then starts from this one's result, so both months are kept.
  let releaseLock = null;
  async function recordsBegin(path) {
    if (navigator.locks) {
      try {
        await new Promise((granted, refused) => {
          navigator.locks.request('koikoi-records', () => new Promise((release) => {
            releaseLock = release;
            granted();
          })).catch(refused);
        });
      } catch (error) {
        releaseLock = null;
      }
    }
    return recordsLoad(path);
  }
  // Stored, storage unavailable, or the write refused (full). The mark of
  // months is stored with the file in one transaction; the marks outside
  // never claim months the store has not taken: they are cleared before an
  // emptied file is stored and set after one with months is.
  async function recordsCommit(path, changed, months) {
    let status = F.storage.done;
    try {
      if (changed) {
        if (!months) markOutside(false);
        await idbDo('readwrite', (store) => [store.put(Module.FS.readFile(path), KEY), store.put(months !== 0, MONTHS_KEY)]);
        if (months) markOutside(true);
      }
    } catch (error) {
      status = (await storageUsable()) ? F.storage.full : F.storage.unavailable;
    } finally {
      if (releaseLock) {
        releaseLock();
        releaseLock = null;
      }
    }
    return status;
  }

  // ---- Keeping the record. A browser may clear a site's storage by itself
  // (under disk pressure, or after days without a visit) unless it was
  // granted persistent storage. Eviction takes IndexedDB with the service
  // worker's cache, and some browsers localStorage too, but not cookies;
  // so months stored are also marked in localStorage and in a cookie (a
  // mark, no record), and a store that has lost its own mark is judged by
  // them. A browser that clears everything at once leaves nothing to tell a
  // cleared record from a first visit.
  const MARK = 'koikoi-months';
  function markOutside(months) {
    try {
      if (months) localStorage.setItem(MARK, '1');
      else localStorage.removeItem(MARK);
    } catch (error) {
      // localStorage refused: the cookie still marks.
    }
    try {
      const path = location.pathname.slice(0, location.pathname.lastIndexOf('/') + 1);
      // 400 days, the longest a browser keeps a cookie; renewed at every
      // start that finds months.
      document.cookie = `${MARK}=${months ? '1' : ''}; path=${path}; max-age=${months ? 34560000 : 0}; samesite=strict` +
        (location.protocol === 'https:' ? '; secure' : '');
    } catch (error) {
      // Cookies refused: localStorage still marks.
    }
  }
  function markedOutside() {
    let marked = false;
    try {
      marked = localStorage.getItem(MARK) === '1';
    } catch (error) {
      marked = false;
    }
    try {
      return marked || document.cookie.split(';').some((part) => part.trim() === MARK + '=1');
    } catch (error) {
      return marked;
    }
  }
  async function recordsMark(months) {
    markOutside(months !== 0);
    // A mark of months is stored only with the file itself: written apart
    // from it, it could outlast another tab's reset.
    if (!months) await idbDo('readwrite', (store) => [store.put(false, MONTHS_KEY)]).catch(() => {});
  }

  // The situation a dismissed notice holds for: in a browser tab, or
  // installed as an app (whose storage a browser clears less readily).
  const installed = () => navigator.standalone === true || matchMedia('(display-mode: standalone)').matches;
  const situation = () => (installed() ? 'app' : 'tab');

  async function storageState() {
    const flags = F.storageFlags;
    const storage = navigator.storage;
    let kept = false;
    try {
      kept = !!(storage && storage.persisted && (await storage.persisted()));
    } catch (error) {
      kept = false;
    }
    let state = (kept ? flags.kept : 0) | (installed() ? flags.installed : 0);
    try {
      const [months, dismissed] = await idbDo('readonly', (store) => [store.get(MONTHS_KEY), store.get(NOTICE_KEY)]);
      if (months === undefined ? markedOutside() : months === true) state |= flags.hadMonths;
      // Kept for good, nothing is told, and an earlier dismissal is
      // forgotten: should the browser stop keeping the record, that is a
      // new situation and told again.
      if (kept && dismissed) await idbDo('readwrite', (store) => [store.delete(NOTICE_KEY)]);
      else if (dismissed && dismissed[situation()]) state |= flags.noticeDismissed;
    } catch (error) {
      // Nothing more is known of a store that cannot be read.
    }
    return state;
  }

  // Browsers that decide by themselves answer at once; one that asks the
  // player is not waited for, and its refusal is queued when it comes.
  async function storageKeep() {
    const storage = navigator.storage;
    const answer = storage && storage.persist ? storage.persist().catch(() => false) : Promise.resolve(false);
    const late = {};
    const quick = await Promise.race([answer, new Promise((resolve) => setTimeout(() => resolve(late), 1000))]);
    if (quick !== late) return storageState();
    answer.then(async (kept) => {
      if (!kept) post('storageNotKept', await storageState());
    });
    return F.storageFlags.asking;
  }

  function storageNotice(textPtr, captionPtr, offer) {
    return showAsk(heapString(captionPtr), heapString(textPtr), false, offer);
  }
  async function storageDismiss() {
    try {
      const [dismissed] = await idbDo('readonly', (store) => [store.get(NOTICE_KEY)]);
      const now = { ...(dismissed || {}), [situation()]: true };
      await idbDo('readwrite', (store) => [store.put(now, NOTICE_KEY)]);
    } catch (error) {
      // Not remembered: the notice comes again at the next visit.
    }
  }

  let importBytes = null;
  async function exportRecords() {
    let bytes = null;
    try {
      bytes = await idbGet();
    } catch (error) {
      bytes = null;
    }
    if (!bytes) {
      try {
        bytes = Module.FS.readFile(F.paths.records);
      } catch (error) {
        return;
      }
    }
    const url = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
    const link = document.createElement('a');
    link.href = url;
    link.download = 'result.dat';
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 10000);
  }

  // ---- The record panel (modeless): its buttons only queue events.
  let panelTimer = 0;
  function checkRadio(opponent) {
    for (const radio of document.querySelectorAll('input[name="opponent"]')) {
      radio.checked = Number(radio.value) === opponent;
    }
  }
  // Cleared at the size the C++ paints the table at; until its first
  // painting the panel keeps the last size (none before the first).
  let tableSize = [0, 0];
  function clearTable(w = tableSize[0], h = tableSize[1]) {
    tableSize = [w, h];
    const dpr = window.devicePixelRatio || 1;
    tableCanvas.style.width = w + 'px';
    tableCanvas.style.height = h + 'px';
    tableCanvas.width = Math.round(w * dpr);
    tableCanvas.height = Math.round(h * dpr);
    tableCtx.setTransform(dpr, 0, 0, dpr, 0, 0);
  }
  $('records-close').addEventListener('click', () => post('panelClose'));
  $('records-choose').addEventListener('click', () => post('panelChoose'));
  $('records-reset').addEventListener('click', () => post('panelReset'));
  $('records-export').addEventListener('click', () => exportRecords());
  $('records-import').addEventListener('click', () => $('records-import-file').click());
  $('records-import-file').addEventListener('change', async (event) => {
    const input = event.target;
    const file = input.files && input.files[0];
    input.value = '';
    if (!file) return;
    try {
      importBytes = new Uint8Array(await file.arrayBuffer());
    } catch (error) {
      importBytes = new Uint8Array(0);
    }
    post('panelImport');
  });

  // ---- The texts: every element with data-text shows that text of the
  // table, every one with data-label has it as its accessible name.
  function applyTexts() {
    for (const element of document.querySelectorAll('[data-text]')) {
      element.textContent = T[element.dataset.text] ?? '';
    }
    for (const element of document.querySelectorAll('[data-label]')) {
      element.setAttribute('aria-label', T[element.dataset.label] ?? '');
      element.title = T[element.dataset.label] ?? '';
    }
    document.title = T.kWindowTitle ?? document.title;
  }

  function useLanguage(code) {
    lang = code;
    T = tables[code];
    texts = code === 1 ? utf8 : sjis;
    document.documentElement.lang = T.kPageLanguageCode || (code === 1 ? 'en' : 'ja');
    applyTexts();
  }
  const rulesPage = () => F.rulesPages[lang];

  // The choice is kept beside the record, under the record's lock.
  async function loadLanguage() {
    try {
      const code = await idbGetKey(LANGUAGE_KEY);
      return code === 0 || code === 1 ? code : preferred;
    } catch (error) {
      return preferred;
    }
  }
  async function saveLanguage(code) {
    const put = () => idbPutKey(LANGUAGE_KEY, code).catch(() => {});
    if (navigator.locks) {
      await navigator.locks.request('koikoi-records', put).catch(() => {});
    } else {
      await put();
    }
  }

  // One radio button per opponent of the opponent table.
  function buildOpponentRadios() {
    const group = $('records-opponents');
    for (const label of group.querySelectorAll('label')) label.remove();
    F.opponents.forEach((opponent, index) => {
      const label = document.createElement('label');
      const radio = document.createElement('input');
      radio.type = 'radio';
      radio.name = 'opponent';
      radio.value = String(index);
      const name = document.createElement('span');
      name.dataset.text = opponent.name;
      label.append(radio, name);
      group.append(label);
    });
  }

  let readyResolve;
  const ready = new Promise((resolve) => { readyResolve = resolve; });

  // ---- What the C++ side calls (web/bridge.h).
  const impl = {
    start(factsPtr, namesPtr, japanesePtr, englishPtr, count) {
      F = JSON.parse(heapString(factsPtr, latin1));
      tables = [{}, {}];
      for (let i = 0; i < count; ++i) {
        const name = heapString(Module.HEAPU32[(namesPtr >> 2) + i], latin1);
        tables[0][name] = heapString(Module.HEAPU32[(japanesePtr >> 2) + i], sjis);
        tables[1][name] = heapString(Module.HEAPU32[(englishPtr >> 2) + i], utf8);
      }
      useLanguage(lang);
      // The folders of the layout and the record file in the memory file system.
      for (const path of [F.paths.layout, F.paths.records]) {
        Module.FS.mkdirTree(path.slice(0, path.lastIndexOf('/')));
      }
      if (layoutBytes) Module.FS.writeFile(F.paths.layout, new Uint8Array(layoutBytes));
      buildOpponentRadios();
      applyTexts();
      layout();
      postViewport();
      impl.startTitleTimer(F.timers.title);
    },
    waitEvent(event) {
      if (queue.length) {
        take(event);
        return Promise.resolve();
      }
      return new Promise((resolve) => {
        waiter = () => {
          take(event);
          resolve();
        };
      });
    },
    pollEvent(event) {
      if (!queue.length) return 0;
      take(event);
      return 1;
    },
    postEvent: queueEvent,
    // Every pause yields to the browser, also at pace 0, so the page stays
    // alive and queued input is dispatched as on Windows. A zero wait goes
    // through a message port: nested zero timeouts are clamped to 4 ms.
    sleep(ms) {
      const wait = ms * pace;
      if (wait > 0) return new Promise((resolve) => setTimeout(resolve, wait));
      return new Promise((resolve) => {
        const channel = new MessageChannel();
        channel.port1.onmessage = () => resolve();
        channel.port2.postMessage(0);
      });
    },

    copyCell(sx, sy, w, h, x, y) {
      if (!sheetOk) return;
      if (res === 1) {
        offCtx.drawImage(sheet, sx, sy, w, h, x, y, w, h);
        return;
      }
      // At another resolution the cell comes from the sheet scaled once to
      // it: a copy pixel for pixel, where scaling every cell of every
      // repaint would cost a phone tens of milliseconds a board.
      const scaled = scaledSheet();
      const [dx, dy] = [Math.round(x * res), Math.round(y * res)];
      const [cx, cy] = [Math.round(sx * res), Math.round(sy * res)];
      const cw = Math.round((sx + w) * res) - cx;
      const ch = Math.round((sy + h) * res) - cy;
      offCtx.save();
      offCtx.setTransform(1, 0, 0, 1, 0, 0);
      offCtx.drawImage(scaled, cx, cy, cw, ch, dx, dy, cw, ch);
      offCtx.restore();
    },
    fill(surface, l, t, r, b, rgb) {
      const ctx = surfaceCtx(surface);
      ctx.fillStyle = css(rgb);
      ctx.fillRect(l, t, r - l, b - t);
    },
    text(surface, l, t, r, b, size, bold, rgb, layoutKind, boxed, boxRgb, textPtr) {
      const ctx = surfaceCtx(surface);
      const text = heapString(textPtr);
      ctx.save();
      if (boxed) {
        // RoundRect with 10 x 10 corner ellipses, outline in the fill colour.
        ctx.fillStyle = css(boxRgb);
        roundBox(ctx, l, t, r, b, 5);
        ctx.fill();
      }
      ctx.beginPath();
      ctx.rect(l, t, r - l, b - t);
      ctx.clip();
      ctx.font = (bold ? 'bold ' : '') + size + 'px ' + boardFace();
      ctx.fillStyle = css(rgb);
      ctx.textBaseline = 'top';
      if (layoutKind === F.textLayouts.centredLine) {
        // DT_CENTER | DT_VCENTER without a single-line flag: centred across,
        // from the box's top, one line.
        ctx.textAlign = 'center';
        ctx.fillText(text, (l + r) / 2, t);
      } else {
        ctx.textAlign = 'left';
        let y = t;
        for (const line of wrapLines(ctx, text, r - l)) {
          if (y >= b) break;
          ctx.fillText(line, l, y);
          y += size;
        }
      }
      ctx.restore();
    },
    textHeight(surface, width, size, bold, textPtr) {
      const ctx = surfaceCtx(surface);
      ctx.save();
      ctx.font = (bold ? 'bold ' : '') + size + 'px ' + boardFace();
      const lines = wrapLines(ctx, heapString(textPtr), width).length;
      ctx.restore();
      return Math.max(1, lines) * size;
    },
    frame(x, y) {
      // A 3-pixel pen centred on the outer pixels of the card cell.
      offCtx.save();
      offCtx.strokeStyle = '#00ffff';
      offCtx.lineWidth = 3;
      offCtx.strokeRect(x + 0.5, y + 0.5, F.card[0] - 1, F.card[1] - 1);
      offCtx.restore();
    },
    present(page) { present(page !== 0); },

    setMode(game) {
      gameMode = game !== 0;
      layout();
      repaint();
    },
    setView(width, height, scale, layoutCode, boardWidth, boardHeight, pageWidth, pageHeight) {
      view = {
        width, height, scale, layout: layoutCode, board: [boardWidth, boardHeight], page: [pageWidth, pageHeight],
      };
      layout();
      repaint();
    },
    startTitleTimer(ms) {
      clearTimeout(impl.titleTimer);
      impl.titleTimer = setTimeout(() => post('titleTimer'), ms);
    },
    titleTimer: 0,
    whiten() {
      boardCtx.fillStyle = '#fff';
      boardCtx.fillRect(0, 0, board.width, board.height);
    },
    openRules() { window.open(rulesPage(), '_blank', 'noopener'); },
    language() { return lang; },
    setLanguage(code) {
      if (code === lang) return;
      useLanguage(code);
      saveLanguage(code);
    },
    titlePainted() { readyResolve(); },

    ask(textPtr, captionPtr, yesNo) {
      return showAsk(heapString(captionPtr), heapString(textPtr), yesNo !== 0);
    },
    menu(x, y, bits) { return openMenu(x, y, bits); },

    panelShow(opponent) {
      checkRadio(opponent);
      clearTable();
      const rect = board.getBoundingClientRect();
      panel.hidden = false;
      // At the board's top-left corner, as the dialog opens at the window's,
      // but kept inside a narrow page.
      const left = Math.min(rect.left, window.innerWidth - panel.offsetWidth);
      panel.style.left = Math.max(0, left) + 'px';
      panel.style.top = Math.max(0, rect.top) + 'px';
      // The table is painted once, a moment after the panel opens.
      clearTimeout(panelTimer);
      panelTimer = setTimeout(() => post('panelTimer'), F.timers.panelTable);
    },
    panelHide() {
      clearTimeout(panelTimer);
      panel.hidden = true;
    },
    panelCheck(opponent) { checkRadio(opponent); },
    panelChecked() {
      const checked = document.querySelector('input[name="opponent"]:checked');
      return checked ? Number(checked.value) : -1;
    },
    panelClearTable(width, height) { clearTable(width, height); },

    recordsLoad,
    recordsBegin,
    recordsCommit,
    recordsMark,
    storageState,
    storageKeep,
    storageNotice,
    storageDismiss,
    importSize() { return importBytes ? importBytes.length : 0; },
    importTake(buffer, size) {
      Module.HEAPU8.set(importBytes.subarray(0, size), buffer);
      importBytes = null;
    },

    seedSwitch(highPtr, lowPtr) {
      if (!seedOn) return 0;
      let seed = BigInt(seedText);
      const max = (1n << 64n) - 1n;
      if (seed > max) seed = max;  // as strtoull saturates
      Module.HEAPU32[highPtr >> 2] = Number(seed >> 32n);
      Module.HEAPU32[lowPtr >> 2] = Number(seed & 0xffffffffn);
      return 1;
    },
    tracing() { return tracing ? 1 : 0; },
    trace(linePtr, length) {
      window.koikoiTrace.push(new TextDecoder('latin1').decode(Module.HEAPU8.slice(linePtr, linePtr + length)));
    },
  };

  // ---- Input: clicks, taps, long presses, the context menu, the close box.
  const LONG_PRESS_MS = 500;
  let touch = null;
  function boardPoint(clientX, clientY) {
    const rect = board.getBoundingClientRect();
    return [Math.floor(clientX - rect.left), Math.floor(clientY - rect.top), rect];
  }
  function postClick(clientX, clientY) {
    const [x, y, rect] = boardPoint(clientX, clientY);
    if (x >= 0 && y >= 0 && x < rect.width && y < rect.height) post('click', x, y);
  }
  board.addEventListener('pointerdown', (event) => {
    if (event.pointerType === 'touch') {
      // A tap is a click when the finger lifts; held still, it is a right click.
      const start = { id: event.pointerId, x: event.clientX, y: event.clientY, timer: 0 };
      start.timer = setTimeout(() => {
        touch = null;
        post('rightClick', start.x, start.y);
      }, LONG_PRESS_MS);
      touch = start;
      return;
    }
    if (event.button === 0) postClick(event.clientX, event.clientY);
  });
  board.addEventListener('pointermove', (event) => {
    if (touch && touch.id === event.pointerId &&
        Math.hypot(event.clientX - touch.x, event.clientY - touch.y) > 10) {
      clearTimeout(touch.timer);
      touch = null;
    }
  });
  board.addEventListener('pointerup', (event) => {
    if (!touch || touch.id !== event.pointerId) return;
    clearTimeout(touch.timer);
    postClick(touch.x, touch.y);
    touch = null;
  });
  board.addEventListener('pointercancel', () => {
    if (touch) clearTimeout(touch.timer);
    touch = null;
  });
  document.addEventListener('contextmenu', (event) => {
    if (panel.contains(event.target) || ask.contains(event.target)) return;
    event.preventDefault();
    if (swallowContextMenu) {
      swallowContextMenu = false;
      return;
    }
    // A long press already opened the menu.
    if (event.pointerType === 'touch' || (event.sourceCapabilities && event.sourceCapabilities.firesTouchEvents)) return;
    post('rightClick', event.clientX, event.clientY);
  });
  $('close').addEventListener('click', () => post('close'));
  // The menu button opens the menu below it, its right edge at the button's.
  $('menu-button').addEventListener('click', () => {
    const r = $('menu-button').getBoundingClientRect();
    post('rightClick', Math.round(r.right), Math.round(r.bottom));
  });
  function postViewport() {
    const [w, h] = pageRoom();
    post('viewport', w, h);
  }
  window.addEventListener('resize', postViewport);
  window.addEventListener('orientationchange', postViewport);
  // Leaving the page while a game runs asks first.
  window.addEventListener('beforeunload', (event) => {
    if (F && Module._koikoi_game_state() !== 0) {
      event.preventDefault();
      event.returnValue = '';
    }
  });

  // ---- The test hooks (window.koikoi).
  window.koikoi = {
    ready,
    state() {
      if (!F) return { gameState: 0, opponent: 0, busy: true };
      return {
        gameState: Module._koikoi_game_state(),
        opponent: Module._koikoi_opponent(),
        busy: Module._koikoi_busy() !== 0,
      };
    },
    cardSlot(card) { return Module._koikoi_card_slot(card); },
    // Where the slot's card cell is drawn on the page: its centre in CSS pixels.
    slotCentre(slot) {
      const rect = board.getBoundingClientRect();
      const scale = rect.width / view.board[0];
      const at = Module._koikoi_slot_box(slot) >> 2;
      const [l, t, r, b] = Module.HEAP32.subarray(at, at + 4);
      return { x: rect.left + ((l + r) / 2) * scale, y: rect.top + ((t + b) / 2) * scale };
    },
    // For the check that every text fits its box: the texts of a language
    // with their boxes, and a text broken into lines as the board draws it,
    // with each line's width, in the page's fonts for that language.
    textPlaces(code) { return JSON.parse(Module.UTF8ToString(Module._koikoi_text_places(code))); },
    textLines(code, text, width, size, bold) {
      const ctx = document.createElement('canvas').getContext('2d');
      const was = lang;
      lang = code;
      ctx.font = (bold ? 'bold ' : '') + size + 'px ' + boardFace();
      lang = was;
      const lines = width > 0 ? wrapLines(ctx, text, width) : [text];
      return lines.map((line) => ({ line, width: ctx.measureText(line).width }));
    },
    language: () => lang,
    records() {
      const base = Module._koikoi_records_summary();
      const layout = F.summary;
      return F.opponents.map((_, o) => {
        const at = base + o * layout.bytes;
        const counts = (at + layout.counts) >> 2;
        return {
          months: Module.HEAP32[(at + layout.months) >> 2],
          counts: Array.from(Module.HEAP32.subarray(counts, counts + layout.countsLength)),
          average: Module.HEAPF32[(at + layout.average) >> 2],
        };
      });
    },
  };

  // ---- Start: the sheet and the layout first, then the wasm.
  sheet.decoding = 'sync';
  const sheetLoaded = new Promise((resolve) => {
    sheet.onload = () => { sheetOk = true; resolve(); };
    // A missing sheet is passed over: the cards stay blank.
    sheet.onerror = () => resolve();
  });
  sheet.src = 'hanaX.png';
  // Written into the memory file system where the C++ reads it, at start().
  let layoutBytes = null;
  const layoutLoaded = fetch('allocation.dat')
    .then((response) => (response.ok ? response.arrayBuffer() : null))
    .catch(() => null);

  // koikoi.js and koikoi.wasm load while the sheet and the layout do; the
  // run waits for both before main() starts.
  window.Module = {
    koikoi: impl,
    locateFile: (path) => path,
    preRun: [() => {
      Module.addRunDependency('koikoi-site');
      Promise.all([sheetLoaded, layoutLoaded, loadLanguage()]).then(([, bytes, code]) => {
        layoutBytes = bytes;
        lang = code;
        Module.removeRunDependency('koikoi-site');
      });
    }],
  };
  const script = document.createElement('script');
  script.src = 'koikoi.js';
  document.body.appendChild(script);

  if ('serviceWorker' in navigator) {
    window.addEventListener('load', () => {
      navigator.serviceWorker.register('sw.js').catch(() => {});
    });
  }
})();
