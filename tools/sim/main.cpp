// koikoi-sim: plays whole games headless and prints a summary, or plays the
// league of the four opponents against the reference players.
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "files/layout.h"
#include "files/records.h"
#include "files/temporaries.h"
#include "tools/sim/league.h"
#include "tools/sim/month_records.h"
#include "tools/sim/runner.h"
#include "tools/sim/simulator.h"

#ifndef KOIKOI_DATA_DIR
#define KOIKOI_DATA_DIR "data"
#endif

namespace fs = std::filesystem;
using koikoi::sim::GameResult;
using koikoi::sim::Options;
using koikoi::sim::Player;

namespace {

const char kUsage[] =
    "usage: koikoi-sim [--opponent 0..4] [--seed N] [--years N] [--koikoi P] [--games N] [--jobs "
    "N]\n"
    "                  [--player NAME] [--trace FILE] [--workdir DIR] [--data DIR] [--max-plays "
    "N]\n"
    "                  [--playouts N] [--check]\n"
    "       koikoi-sim --league --csv FILE [--seed N] [--games N] [--search-games N] [--playouts N]\n"
    "                  [--jobs N] [--years N] [--data DIR]\n"
    "Plays whole games through the game's own click handling with a scripted human.\n"
    "  --games N      game i uses seed N+i; with --trace all games go to one stream\n"
    "  --jobs N       plays games on N threads; every output is the same as with one\n"
    "  --opponent N   0..3 the four that judge by rules, 4 the one that searches\n"
    "  --player NAME  who plays the human's side: random (the default), greedy,\n"
    "                 opponent0..opponent3 (that opponent's own choices) or search\n"
    "  --playouts N   playouts of a search decision, on either side (default: the game's)\n"
    "  --workdir DIR  where allocation.dat is read and result.dat written, and\n"
    "                 result-koryu.dat, the record of opponent 4\n"
    "                 (default: a fresh temporary folder holding copies of the data files)\n"
    "  --max-plays N  cut each game short at the human's turn after N plays\n"
    "  --check        check the table's invariants at every painted step\n"
    "  --league       plays every opponent against every player on the human's side,\n"
    "                 --games games each with the same seeds, and writes the table to --csv;\n"
    "                 pairings with the search play --search-games games (default 0: none)\n";

[[noreturn]] void Fail(const std::string& message) {
    std::fprintf(stderr, "koikoi-sim: %s\n%s", message.c_str(), kUsage);
    std::exit(2);
}

bool ParseNumber(const char* text, double& out) {
    char* end = nullptr;
    out = std::strtod(text, &end);
    return end != text && *end == '\0';
}

struct Command {
    Options options;
    int64_t games = 1;
    int64_t searchGames = 0;
    int32_t jobs = 1;
    bool league = false;
    std::string csvPath;
    std::string tracePath;
    std::string workdir;
    std::string dataDir = KOIKOI_DATA_DIR;
    std::string line;  // the command as typed, for the league's table
};

bool ParsePlayer(const std::string& name, Player& player) {
    for (int32_t p = 0; p < static_cast<int32_t>(Player::Count); ++p) {
        if (name == koikoi::sim::PlayerName(static_cast<Player>(p))) {
            player = static_cast<Player>(p);
            return true;
        }
    }
    return false;
}

Command ParseCommand(int argc, char** argv) {
    Command command;
    command.line = "koikoi-sim";
    for (int i = 1; i < argc; ++i) {
        command.line += ' ';
        command.line += argv[i];
    }
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        if (flag == "--help" || flag == "-h") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        }
        if (flag == "--check") {
            command.options.checkInvariants = true;
            continue;
        }
        if (flag == "--league") {
            command.league = true;
            continue;
        }
        if (i + 1 >= argc) Fail("missing value after " + flag);
        const char* value = argv[++i];
        double number = 0;
        const bool numeric = ParseNumber(value, number);
        if (flag == "--trace") {
            command.tracePath = value;
        } else if (flag == "--workdir") {
            command.workdir = value;
        } else if (flag == "--data") {
            command.dataDir = value;
        } else if (flag == "--csv") {
            command.csvPath = value;
        } else if (flag == "--player") {
            if (!ParsePlayer(value, command.options.player))
                Fail(std::string("unknown player ") + value);
        } else if (!numeric) {
            Fail("not a number: " + flag + " " + value);
        } else if (flag == "--opponent") {
            if (number < 0 || number >= koikoi::kAllOpponents ||
                number != static_cast<int>(number))
                Fail("--opponent takes 0.." + std::to_string(koikoi::kAllOpponents - 1));
            command.options.opponent = static_cast<int32_t>(number);
        } else if (flag == "--seed") {
            if (number < 0) Fail("--seed takes a non-negative integer");
            command.options.seed = std::strtoull(value, nullptr, 10);
        } else if (flag == "--years") {
            if (number < 1 || number > 1000) Fail("--years takes 1..1000");
            command.options.years = static_cast<int32_t>(number);
        } else if (flag == "--koikoi") {
            if (number < 0 || number > 1) Fail("--koikoi takes a probability 0..1");
            command.options.koikoiChance = number;
        } else if (flag == "--games") {
            if (number < 1) Fail("--games takes a positive integer");
            command.games = static_cast<int64_t>(number);
        } else if (flag == "--search-games") {
            if (number < 0) Fail("--search-games takes a non-negative integer");
            command.searchGames = static_cast<int64_t>(number);
        } else if (flag == "--playouts") {
            if (number < 1 || number > 1000000 || number != static_cast<int>(number))
                Fail("--playouts takes 1..1000000");
            command.options.playouts = static_cast<int32_t>(number);
        } else if (flag == "--jobs") {
            if (number < 1 || number > 256 || number != static_cast<int>(number))
                Fail("--jobs takes 1..256");
            command.jobs = static_cast<int32_t>(number);
        } else if (flag == "--max-plays") {
            if (number < 0) Fail("--max-plays takes a non-negative integer");
            command.options.maxPlays = static_cast<int64_t>(number);
        } else {
            Fail("unknown option " + flag);
        }
    }
    if (command.league && command.csvPath.empty()) Fail("--league needs --csv FILE");
    if (command.league && !command.tracePath.empty()) Fail("--league writes no trace");
    return command;
}

// A fresh temporary folder holding copies of the data files.
std::string MakeWorkdir(const std::string& dataDir) {
    std::string pattern = (fs::temp_directory_path() / "koikoi-sim-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) Fail("cannot create a temporary folder");
    for (const char* name : {"allocation.dat", "result.dat"}) {
        std::error_code error;
        fs::copy_file(fs::path(dataDir) / name, fs::path(pattern) / name, error);
        if (error)
            Fail("cannot copy " + (fs::path(dataDir) / name).string() + ": " + error.message());
    }
    return pattern;
}

std::atomic<bool> stopRequested{false};

extern "C" void RequestStop(int) {
    stopRequested.store(true);
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Games done, rate and time left on stderr, when it is a terminal.
class Progress {
  public:
    explicit Progress(int64_t total) : total_(total), shown_(isatty(STDERR_FILENO) != 0) {}

    void Update(int64_t done) {
        if (!shown_) return;
        const double seconds = SecondsSince(start_);
        if (seconds < next_ && done < total_) return;
        next_ = seconds + 0.5;
        const double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0.0;
        const double left = rate > 0 ? static_cast<double>(total_ - done) / rate : 0.0;
        std::fprintf(stderr, "\r%lld of %lld games, %.0f games/s, %.0f s left   ",
                     static_cast<long long>(done), static_cast<long long>(total_), rate, left);
        printed_ = true;
    }
    ~Progress() {
        if (printed_) std::fputs("\r\033[K", stderr);
    }

  private:
    int64_t total_;
    bool shown_;
    bool printed_ = false;
    double next_ = 1.0;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

struct Totals {
    int64_t games = 0, plays = 0, deals = 0, humanMonths = 0, computerMonths = 0, humanKan = 0;
};

int RunLeague(const Command& command, const koikoi::SlotPositions& positions) {
    koikoi::sim::League league(command.options, command.games, command.searchGames);
    Progress progress(league.TotalGames());
    int64_t done = 0;
    const auto started = std::chrono::steady_clock::now();
    for (koikoi::sim::Pairing& pairing : league.pairings()) {
        koikoi::sim::RunSettings settings;
        settings.first = pairing.options;
        settings.games = pairing.games;
        settings.jobs = command.jobs;
        settings.stop = &stopRequested;
        const koikoi::sim::RunOutcome outcome =
            koikoi::sim::RunGames(settings, positions, [&](int64_t, const GameResult& result) {
                pairing.stats.Add(result);
                progress.Update(++done);
            });
        if (outcome.games < pairing.games) {
            std::fprintf(stderr, "koikoi-sim: interrupted; no table written\n");
            return 130;
        }
    }
    const double seconds = SecondsSince(started);
    std::FILE* csv = std::fopen(command.csvPath.c_str(), "wb");
    if (csv == nullptr) Fail("cannot write " + command.csvPath);
    const std::string table = league.FormatCsv(command.line);
    const bool written = std::fwrite(table.data(), 1, table.size(), csv) == table.size();
    if (std::fclose(csv) != 0 || !written) {
        std::fprintf(stderr, "koikoi-sim: could not write %s\n", command.csvPath.c_str());
        return 1;
    }
    std::printf("league: %lld games in %.1f s, table in %s\n", static_cast<long long>(done),
                seconds, command.csvPath.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Command command = ParseCommand(argc, argv);
    std::signal(SIGINT, RequestStop);
    if (command.league) {
        koikoi::SlotPositions positions{};
        const std::string dir = command.workdir.empty() ? command.dataDir : command.workdir;
        const std::string layoutPath = (fs::path(dir) / "allocation.dat").string();
        if (koikoi::LoadLayout(layoutPath.c_str(), positions) != koikoi::LayoutStatus::Ok)
            Fail("Could not read file. (" + layoutPath + ")");
        return RunLeague(command, positions);
    }

    const bool temporary = command.workdir.empty();
    const std::string workdir = temporary ? MakeWorkdir(command.dataDir) : command.workdir;

    koikoi::SlotPositions positions{};
    const std::string layoutPath = (fs::path(workdir) / "allocation.dat").string();
    switch (koikoi::LoadLayout(layoutPath.c_str(), positions)) {
        case koikoi::LayoutStatus::Ok:
            break;
        case koikoi::LayoutStatus::NotFound:
            std::fprintf(stderr, "koikoi-sim: Could not find file. (%s)\n", layoutPath.c_str());
            break;
        case koikoi::LayoutStatus::Damaged:
            std::fprintf(stderr, "koikoi-sim: Could not read file. (%s)\n", layoutPath.c_str());
            break;
    }
    // The searching opponent's months go into a file of their own, so that
    // result.dat keeps its 80 lines for the four.
    const bool searchRecord = command.options.opponent == koikoi::kSearchOpponent;
    const std::string recordPath =
        (fs::path(workdir) / (searchRecord ? koikoi::kSearchRecordFile : "result.dat")).string();
    // A given folder may hold the temporary file of a simulation that was
    // killed while writing; those of simulations still running stay.
    koikoi::RemoveStaleTemporaryFiles(recordPath.c_str());
    koikoi::sim::MonthRecords records(recordPath, searchRecord);

    std::FILE* trace = nullptr;
    if (!command.tracePath.empty()) {
        trace = command.tracePath == "-" ? stdout : std::fopen(command.tracePath.c_str(), "wb");
        if (trace == nullptr) Fail("cannot write " + command.tracePath);
        // The trace is handed over in blocks of megabytes: no stdio buffer.
        std::setvbuf(trace, nullptr, _IONBF, 0);
    }

    koikoi::sim::RunSettings settings;
    settings.first = command.options;
    settings.games = command.games;
    settings.jobs = command.jobs;
    settings.trace = trace;
    settings.stop = &stopRequested;

    Totals totals;
    int exitCode = 0;
    Progress progress(command.games);
    const auto started = std::chrono::steady_clock::now();
    const koikoi::sim::RunOutcome outcome =
        koikoi::sim::RunGames(settings, positions, [&](int64_t game, const GameResult& result) {
            ++totals.games;
            totals.plays += result.plays;
            totals.deals += result.deals;
            totals.humanMonths += result.monthsWonByHuman;
            totals.computerMonths += result.monthsWonByComputer;
            totals.humanKan += result.humanKan;
            records.Add(command.options.opponent, result);
            if (!result.fault.empty()) {
                std::fprintf(stderr, "koikoi-sim: seed %llu: %s\n",
                             static_cast<unsigned long long>(command.options.seed +
                                                             static_cast<uint64_t>(game)),
                             result.fault.c_str());
                exitCode = 1;
            }
            progress.Update(totals.games);
        });
    const double seconds = SecondsSince(started);
    bool traceWritten = outcome.traceWritten;
    if (trace != nullptr && trace != stdout && std::fclose(trace) != 0) traceWritten = false;
    if (trace == stdout && std::fflush(stdout) != 0) traceWritten = false;

    koikoi::sim::QuickReplacer quick;
    koikoi::FileReplacer durable;
    const int64_t recordFailures =
        records.Save(temporary ? static_cast<koikoi::FileReplacer&>(quick) : durable);
    if (temporary) {
        std::error_code ignored;
        fs::remove_all(workdir, ignored);
    }

    const int64_t months = totals.humanMonths + totals.computerMonths;
    std::FILE* out = trace == stdout ? stderr : stdout;
    std::fprintf(out, "games %lld, opponent %d, months won: human %lld, computer %lld\n",
                 static_cast<long long>(totals.games), command.options.opponent,
                 static_cast<long long>(totals.humanMonths),
                 static_cast<long long>(totals.computerMonths));
    std::fprintf(
        out, "average kan per month for the human: %+.3f\n",
        months > 0 ? static_cast<double>(totals.humanKan) / static_cast<double>(months) : 0.0);
    const auto rate = [seconds](int64_t count) {
        return seconds > 0 ? static_cast<double>(count) / seconds : 0.0;
    };
    std::fprintf(out,
                 "deals %lld, plays %lld in %.3f s: %.0f deals per second, %.0f plays per second\n",
                 static_cast<long long>(totals.deals), static_cast<long long>(totals.plays),
                 seconds, rate(totals.deals), rate(totals.plays));
    if (trace != nullptr) {
        const double megabytes = static_cast<double>(outcome.traceBytes) / 1e6;
        std::fprintf(out, "trace %.1f MB: %.0f MB per second\n", megabytes,
                     seconds > 0 ? megabytes / seconds : 0.0);
    }
    if (!traceWritten) {
        std::fprintf(stderr, "koikoi-sim: could not write the trace %s\n",
                     command.tracePath.c_str());
        exitCode = 1;
    }
    if (recordFailures > 0) {
        // As the game words it: a record file missing at the start cannot
        // take a month; one that was read but could not be replaced was not written.
        std::fprintf(stderr, "koikoi-sim: Could not %s file. (%lld months not recorded)\n",
                     records.Found() ? "write" : "find", static_cast<long long>(recordFailures));
        exitCode = 1;
    }
    if (outcome.games < command.games) {
        std::fprintf(stderr, "koikoi-sim: interrupted after %lld of %lld games\n",
                     static_cast<long long>(outcome.games), static_cast<long long>(command.games));
        exitCode = 130;
    }
    return exitCode;
}
