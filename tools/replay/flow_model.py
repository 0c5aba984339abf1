"""Independent Python model of the match flow (turns, day end, koi-koi, stakes, calendar) driven by a trace."""

from table_model import Table, ModelError, DRAWN_SLOT, MOVE_MS, s8
from opponents_model import ChooseHandCard, ChooseFieldCard, DecideKoiKoi

NEXT_TURN, NEW_DAY, NEW_MONTH, NEW_YEAR = 3, 2, 1, 0
YES, NO = 6, 7

# Scene levels and announcements of the board painter, for readable calls.
SCENE_CARDS, SCENE_MONTH, SCENE_SCORES, SCENE_TURN, SCENE_HAND_PROMPT, SCENE_FIELD_PROMPT = range(6)
MSG_NEW_YEAR, MSG_NEW_MONTH, MSG_NEW_DAY, MSG_ADD_TO_DAY, MSG_ADD_TO_MONTH, MSG_MONTH_WON, MSG_KOI_KOI = range(7)

STATE_KEYS = ("SlotCards", "Owner", "FieldByMonth", "ComputerHandByMonth", "TakenByMonth",
              "YakuProgress", "YakuScore", "PileCount", "TurnGain", "TodayMon", "MonthMon",
              "KanBalance", "KoiCalled", "MonthNumber", "TurnCount", "CurrentSide", "OtherSide")

EVENT_FIELDS = {
    "start": ("ev", "opponent", "seed"),
    "shuffle": ("ev", "stock"),
    "human_card": ("ev", "card"),
    "human_field": ("ev", "card"),
    "ask": ("ev", "side", "question", "answer"),
    "computer_play": ("ev", "capture", "list"),
    "scored": ("ev", "side", "code", "clock_ms", "state"),
    "record": ("ev", "opponent", "result"),
    "end": ("ev", "reason", "clock_ms"),
}


class Disagreement(Exception):
    """The trace and the model part ways at one event."""

    def __init__(self, line, field, trace_value, model_value):
        super().__init__(field)
        self.line = line
        self.field = field
        self.trace_value = trace_value
        self.model_value = model_value


class GameOver(Exception):
    """The game ended at an "end" event that agreed with the model."""


class TraceReader:
    """Hands out a trace's events one at a time, each checked against the kind the model expects.

    `events` yields (line number, parsed object) pairs; only one event is held ahead, so a
    trace of any length replays in constant memory."""

    def __init__(self, events):
        self.events = iter(events)
        self.pending = None
        self.pending_line = 0
        self.last_line = 0
        self.checked = 0
        self._advance()

    def _advance(self):
        self.pending = None
        for line, event in self.events:
            self.pending, self.pending_line = event, line
            return

    def peek(self):
        return self.pending

    def line(self):
        return self.pending_line if self.pending is not None else self.last_line + 1

    def take(self, kind):
        """The next event, which must be of the kind the rules produce now."""
        event = self.pending
        found = None if event is None else event.get("ev")
        if found != kind:
            raise Disagreement(self.line(), "ev", found, kind)
        expected_keys = EVENT_FIELDS[kind]
        if tuple(event.keys()) != expected_keys:
            raise Disagreement(self.line(), "keys", list(event.keys()), list(expected_keys))
        line = self.last_line = self.pending_line
        self.checked += 1
        self._advance()
        return line, event

    @staticmethod
    def same(line, field, trace_value, model_value):
        # bool is a subclass of int in Python: only "capture" may be true or false.
        if trace_value != model_value or type(trace_value) is not type(model_value):
            raise Disagreement(line, field, trace_value, model_value)


class FlowModel:
    """Plays one game as the rules do, taking the shuffles and the human's choices from the trace."""

    def __init__(self, reader, opponent):
        self.reader = reader
        self.t = Table(opponent)
        self.plays = 0

    # Inputs from the trace ------------------------------------------------
    def shuffle(self):
        line, event = self.reader.take("shuffle")
        stock = event["stock"]
        if (not isinstance(stock, list) or len(stock) != 48
                or sorted(stock) != list(range(48)) or any(type(c) is not int for c in stock)):
            raise Disagreement(line, "stock", stock, "a permutation of 0..47")
        self.t.ShuffleStock(stock)

    def human_answer(self, question):
        line, event = self.reader.take("ask")
        TraceReader.same(line, "side", event["side"], 0)
        TraceReader.same(line, "question", event["question"], question)
        answer = event["answer"]
        if answer not in (YES, NO) or type(answer) is not int:
            raise Disagreement(line, "answer", answer, "6 or 7")
        return answer

    def human_field_choice(self, match_list):
        line, event = self.reader.take("human_field")
        card = event["card"]
        if card not in match_list[1:3] or type(card) is not int:
            raise Disagreement(line, "card", card, "one of %s" % match_list[1:3])
        match_list[1], match_list[2] = card, -1

    # Outputs checked against the trace ----------------------------------
    def check_scored(self, side, code):
        line, event = self.reader.take("scored")
        TraceReader.same(line, "side", event["side"], side)
        TraceReader.same(line, "code", event["code"], code)
        TraceReader.same(line, "clock_ms", event["clock_ms"], self.t.clock_ms)
        state = event["state"]
        if not isinstance(state, dict) or tuple(state.keys()) != STATE_KEYS:
            raise Disagreement(line, "state keys", list(state), list(STATE_KEYS))
        model = self.t.state()
        for key in STATE_KEYS:
            if state[key] != model[key]:
                raise Disagreement(line, "state." + key, state[key], model[key])

    def check_computer_play(self, capture, match_list):
        line, event = self.reader.take("computer_play")
        TraceReader.same(line, "capture", event["capture"], capture)
        TraceReader.same(line, "list", event["list"], match_list)

    def check_computer_answer(self, answer):
        line, event = self.reader.take("ask")
        TraceReader.same(line, "side", event["side"], 1)
        TraceReader.same(line, "question", event["question"], "koikoi")
        TraceReader.same(line, "answer", event["answer"], answer)

    def check_record(self, result):
        line, event = self.reader.take("record")
        TraceReader.same(line, "opponent", event["opponent"], self.t.OpponentId)
        TraceReader.same(line, "result", event["result"], result)

    def check_end(self, reason):
        line, event = self.reader.take("end")
        TraceReader.same(line, "reason", event["reason"], reason)
        TraceReader.same(line, "clock_ms", event["clock_ms"], self.t.clock_ms)
        raise GameOver()

    # The game -------------------------------------------------------------
    def run(self):
        t = self.t
        t.MonthNumber, t.TurnCount, t.CurrentSide, t.OtherSide = 1, 1, 1, 0
        self.shuffle()
        t.PaintBoard(SCENE_CARDS, 1000, MSG_NEW_YEAR)
        t.PaintBoard(-1, 1000, MSG_NEW_MONTH, pauseAfter=500)
        t.PaintBoard(SCENE_MONTH)
        t.PaintBoard(-1, 1000, MSG_NEW_DAY, pauseAfter=500)
        t.PaintBoard(SCENE_SCORES)
        t.DealCards(1)  # the first month is odd, so the computer leads
        t.Pause(500)
        try:
            self.computer_plays(1000, from_click=False)
            while True:
                self.human_turn()
        except GameOver:
            return

    def human_turn(self):
        """Waiting in the hand-card state: a click, or the run cut short here."""
        event = self.reader.peek()
        if event is not None and event.get("ev") == "end":
            self.check_end("limit")
        t = self.t
        line, event = self.reader.take("human_card")
        card = event["card"]
        if type(card) is not int or not 0 <= card < 48 or not 0 <= t.CardSlots[card] <= 7 \
                or t.SlotCards[t.CardSlots[card]] != card:
            raise Disagreement(line, "card", card, "a card of the human's hand")
        self.plays += 1
        t.PaintBoard(highlightSlot=t.CardSlots[card])
        count, match_list = t.FindMatches(card)
        if count == 2:
            t.PaintBoard(SCENE_FIELD_PROMPT)
            t.PaintBoard(highlightSlot=t.CardSlots[card])
            self.human_field_choice(match_list)
        self.capture_or_discard(0, count, match_list)

        drawn = t.DrawFromStock()
        count, match_list = t.FindMatches(drawn)
        if count == 2:
            t.PaintBoard(SCENE_FIELD_PROMPT)
            t.PaintBoard(highlightSlot=DRAWN_SLOT)
            self.human_field_choice(match_list)
        self.capture_or_discard(0, count, match_list)

        self.finish_play(0)
        if t.CurrentSide == 1:  # a new day led by the human
            t.CurrentSide, t.OtherSide = 0, 1
            t.PaintBoard(SCENE_HAND_PROMPT)
            return
        self.computer_after_click()

    def computer_after_click(self):
        """The computer's plays that follow a human play in the same click handler."""
        t = self.t
        t.CurrentSide, t.OtherSide = 1, 0
        t.PaintBoard(SCENE_HAND_PROMPT, pauseAfter=500)
        self.computer_plays(500, from_click=True)

    def capture_or_discard(self, side, count, match_list):
        if count > 0:
            self.t.CaptureCards(side, match_list)
        else:
            self.t.DiscardToField(match_list)

    def computer_plays(self, highlight_ms, from_click):
        t = self.t
        while True:
            if not any(t.SlotCards[56 + g] != -1 for g in range(8)):
                raise ModelError("the computer is to play with an empty hand")
            capture, match_list = ChooseHandCard(t, t.OpponentId)
            self.check_computer_play(capture, match_list)
            self.plays += 1
            t.PaintBoard(highlightSlot=t.CardSlots[match_list[0]], pauseAfter=highlight_ms)
            if capture:
                t.CaptureCards(t.CurrentSide, match_list)
            else:
                t.DiscardToField(match_list)
            drawn = t.DrawFromStock()
            count, match_list = t.FindMatches(drawn)
            if count > 0:
                ChooseFieldCard(t, t.OpponentId, match_list)
            self.capture_or_discard(t.CurrentSide, count, match_list)
            self.finish_play(1)
            if t.CurrentSide == 1:  # the human plays next
                t.CurrentSide, t.OtherSide = 0, 1
                t.PaintBoard(SCENE_HAND_PROMPT)
                if from_click:
                    t.Pause(500)
                return
            t.CurrentSide, t.OtherSide = 1, 0  # a new day led by the computer
            t.PaintBoard(SCENE_HAND_PROMPT)

    def finish_play(self, side):
        """Scores the play and moves the calendar on; raises GameOver once the game has ended."""
        code = self.ScoreAfterPlay(side)
        self.check_scored(side, code)
        if self.AdvanceCalendar(code) == 0:
            self.t.PaintBoard(SCENE_TURN)  # after the how-to-end message box
            self.check_end("declined")

    def koikoi_answer(self, side):
        t = self.t
        if side == 0:
            return self.human_answer("koikoi")
        answer = NO if t.OpponentId == 0 else DecideKoiKoi(t, t.OpponentId)
        self.check_computer_answer(answer)
        t.Pause(1500)
        return answer

    def ScoreAfterPlay(self, side):
        t = self.t
        other = 1 - side
        total = t.ScoreCombinations(side)
        t.TurnGain[side] = s8(total - t.TodayMon[side])
        if t.TurnGain[side] == 0:
            t.TurnGain = [0, 0]
            return NEXT_TURN if t.TurnCount <= 15 else NEW_DAY
        t.PaintBoard(SCENE_TURN, MOVE_MS)
        t.TodayMon[side] = s8(t.TodayMon[side] + t.TurnGain[side])
        t.TurnGain = [0, 0]
        t.PaintBoard(-1, 0, MSG_ADD_TO_DAY, pauseAfter=1500)
        t.PaintBoard(SCENE_TURN)
        if t.KoiCalled[other] == 0 and t.TurnCount < 15:
            if self.koikoi_answer(side) == YES:
                t.PaintBoard(-1, 0, MSG_KOI_KOI, pauseAfter=1500)
                t.KoiCalled[side] = 1
                return NEXT_TURN
        won = t.TodayMon[side]
        t.MonthMon[side] = s8(t.MonthMon[side] + won)
        t.TodayMon = [0, 0]
        t.PaintBoard(-1, 0, MSG_ADD_TO_MONTH, pauseAfter=1500)
        t.PaintBoard(SCENE_TURN, 1500)
        if t.MonthMon[side] < 10:
            return NEW_DAY
        kan = (1 if t.MonthMon[other] != 0 else 2) + (1 if won >= 10 else 0)
        t.KanBalance[side] = s8(t.KanBalance[side] + kan)
        t.KanBalance[other] = s8(t.KanBalance[other] - kan)
        t.MonthMon = [0, 0]
        t.PaintBoard(-1, 0, MSG_MONTH_WON, kan, pauseAfter=1500)
        self.check_record(kan if side == 0 else -kan)
        t.PaintBoard(SCENE_TURN, 1500)
        return NEW_MONTH if t.MonthNumber <= 11 else NEW_YEAR

    def AdvanceCalendar(self, code):
        t = self.t
        if code == NEW_YEAR:
            if self.human_answer("newyear") == NO:
                return 0
            t.MonthNumber = 0
            t.KanBalance = [36, 36]
            # Reached in play the announcement stays a second, as at game start.
            t.PaintBoard(SCENE_CARDS, 1000, MSG_NEW_YEAR, pauseAfter=1000)
        if code <= NEW_MONTH:
            t.MonthNumber = s8(t.MonthNumber + 1)
            t.MonthMon = [0, 0]
            self.shuffle()
            t.PaintBoard(SCENE_MONTH, 1000, MSG_NEW_MONTH, pauseAfter=1000)
        if code <= NEW_DAY:
            t.TurnCount = 0
            t.YakuScore = [[0] * 10, [0] * 10]
            t.YakuProgress = [[0] * 10, [0] * 10]
            t.PileCount = [[0] * 4, [0] * 4]
            t.KoiCalled = [0, 0]
            t.TodayMon = [0, 0]
            # The side that does not lead: odd months the computer leads.
            if t.MonthNumber % 2 == 1:
                t.CurrentSide, t.OtherSide = 0, 1
            else:
                t.CurrentSide, t.OtherSide = 1, 0
            self.shuffle()
            t.PaintBoard(SCENE_TURN, 1000, MSG_NEW_DAY, pauseAfter=500)
            t.DealCards(t.OtherSide)
        t.TurnCount = s8(t.TurnCount + 1)
        t.TurnGain = [0, 0]
        return 1
