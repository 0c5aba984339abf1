// A simple player for the page: plays its first hand card, takes the first
// field card of the month, calls koi-koi the first time it is asked and
// declines after that, presses OK on notices. Every `touchEvery`th card is
// tapped instead of clicked.
import * as kk from './page.mjs';

const monthOf = (card) => Math.floor(card / 4);

// Plays until `done(traceLines)` is true at a point where the page waits
// for the player. Resolves to { cards, taps, questions: [{text, answer}] }.
export async function playUntil(page, done, { touchEvery = 3, timeout = 60_000, maxCards = 400 } = {}) {
  const played = { cards: 0, taps: 0, questions: [], notices: [] };
  let handCard = -1;
  for (;;) {
    const decision = await kk.waitDecision(page, timeout);
    if (decision.ask) {
      const dialog = decision.dialog;
      if (dialog.kind === 'ok') {
        played.notices.push(dialog.text);
        await kk.answer(page, 'ok');
        continue;
      }
      const koikoi = dialog.text.includes('「来い」');
      const answer = koikoi && played.questions.length === 0 ? 'yes' : 'no';
      played.questions.push({ caption: dialog.caption, text: dialog.text, answer });
      await kk.answer(page, answer);
      continue;
    }
    const lines = await kk.traceFrom(page, 0);
    if (done(lines)) return played;
    if (decision.gameState !== kk.State.ChooseHand && decision.gameState !== kk.State.ChooseFieldForHand &&
        decision.gameState !== kk.State.ChooseFieldForDrawn) {
      throw new Error(`the game stopped in state ${decision.gameState}`);
    }
    if (played.cards >= maxCards) throw new Error(`no end after ${maxCards} cards`);
    const slots = await kk.cardSlots(page);
    let card;
    if (decision.gameState === kk.State.ChooseHand) {
      card = slots.findIndex((slot) => slot >= kk.Slots.HumanHand && slot < kk.Slots.HumanHand + kk.Slots.HandSize);
      handCard = card;
    } else {
      const taking = decision.gameState === kk.State.ChooseFieldForHand ? handCard : slots.indexOf(kk.Slots.Drawn);
      card = slots.findIndex(
        (slot, c) => slot >= kk.Slots.FieldFirst && slot <= kk.Slots.FieldLast && monthOf(c) === monthOf(taking),
      );
    }
    if (card < 0) throw new Error(`no card to play in state ${decision.gameState}`);
    const touch = touchEvery > 0 && (played.cards + 1) % touchEvery === 0;
    const length = lines.length;
    await kk.clickCard(page, card, { touch });
    await kk.waitTraceGrows(page, length, timeout);
    ++played.cards;
    if (touch) ++played.taps;
  }
}
