// koikoi-sim: plays whole games headless and prints a summary.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "files/layout.h"
#include "files/records.h"
#include "files/temporaries.h"
#include "tools/sim/simulator.h"

#ifndef KOIKOI_DATA_DIR
#define KOIKOI_DATA_DIR "data"
#endif

namespace fs = std::filesystem;
using koikoi::sim::GameResult;
using koikoi::sim::Options;

namespace {

const char kUsage[] =
    "usage: koikoi-sim [--opponent 0..3] [--seed N] [--years N] [--koikoi P] [--games N]\n"
    "                  [--trace FILE] [--workdir DIR] [--data DIR] [--max-plays N] [--check]\n"
    "Plays whole games through the game's own click handling with a scripted human.\n"
    "  --games N      game i uses seed N+i; with --trace all games go to one stream\n"
    "  --workdir DIR  where allocation.dat is read and result.dat written\n"
    "                 (default: a fresh temporary folder holding copies of the data files)\n"
    "  --max-plays N  cut each game short at the human's turn after N plays\n"
    "  --check        check the table's invariants at every painted step\n";

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
    std::string tracePath;
    std::string workdir;
    std::string dataDir = KOIKOI_DATA_DIR;
};

Command ParseCommand(int argc, char** argv) {
    Command command;
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
        } else if (!numeric) {
            Fail("not a number: " + flag + " " + value);
        } else if (flag == "--opponent") {
            if (number < 0 || number > 3 || number != static_cast<int>(number)) Fail("--opponent takes 0..3");
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
        } else if (flag == "--max-plays") {
            if (number < 0) Fail("--max-plays takes a non-negative integer");
            command.options.maxPlays = static_cast<int64_t>(number);
        } else {
            Fail("unknown option " + flag);
        }
    }
    return command;
}

// A fresh temporary folder holding copies of the data files.
std::string MakeWorkdir(const std::string& dataDir) {
    std::string pattern = (fs::temp_directory_path() / "koikoi-sim-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) Fail("cannot create a temporary folder");
    for (const char* name : {"allocation.dat", "result.dat"}) {
        std::error_code error;
        fs::copy_file(fs::path(dataDir) / name, fs::path(pattern) / name, error);
        if (error) Fail("cannot copy " + (fs::path(dataDir) / name).string() + ": " + error.message());
    }
    return pattern;
}

}  // namespace

int main(int argc, char** argv) {
    Command command = ParseCommand(argc, argv);
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
    command.options.recordFile = (fs::path(workdir) / "result.dat").string();
    // A given folder may hold the temporary file of a simulation that was
    // killed while writing; those of simulations still running stay.
    koikoi::RemoveStaleTemporaryFiles(command.options.recordFile.c_str());

    std::FILE* trace = nullptr;
    if (!command.tracePath.empty()) {
        trace = command.tracePath == "-" ? stdout : std::fopen(command.tracePath.c_str(), "wb");
        if (trace == nullptr) Fail("cannot write " + command.tracePath);
    }
    command.options.trace = trace;

    int64_t plays = 0, humanMonths = 0, computerMonths = 0, humanKan = 0, recordFailures = 0;
    int exitCode = 0;
    const uint64_t firstSeed = command.options.seed;
    const auto started = std::chrono::steady_clock::now();
    for (int64_t game = 0; game < command.games; ++game) {
        command.options.seed = firstSeed + static_cast<uint64_t>(game);
        const GameResult result = koikoi::sim::PlayGame(command.options, positions);
        plays += result.plays;
        humanMonths += result.monthsWonByHuman;
        computerMonths += result.monthsWonByComputer;
        humanKan += result.humanKan;
        recordFailures += result.recordFailures;
        if (!result.fault.empty()) {
            std::fprintf(stderr, "koikoi-sim: seed %llu: %s\n",
                         static_cast<unsigned long long>(command.options.seed), result.fault.c_str());
            exitCode = 1;
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (trace != nullptr && trace != stdout) std::fclose(trace);
    if (temporary) {
        std::error_code ignored;
        fs::remove_all(workdir, ignored);
    }

    const int64_t months = humanMonths + computerMonths;
    std::FILE* out = trace == stdout ? stderr : stdout;
    std::fprintf(out, "games %lld, opponent %d, months won: human %lld, computer %lld\n",
                 static_cast<long long>(command.games), command.options.opponent,
                 static_cast<long long>(humanMonths), static_cast<long long>(computerMonths));
    std::fprintf(out, "average kan per month for the human: %+.3f\n",
                 months > 0 ? static_cast<double>(humanKan) / static_cast<double>(months) : 0.0);
    std::fprintf(out, "plays %lld in %.3f s (%.0f plays per second)\n", static_cast<long long>(plays), seconds,
                 seconds > 0 ? static_cast<double>(plays) / seconds : 0.0);
    if (recordFailures > 0) {
        std::fprintf(stderr, "koikoi-sim: Could not write file. (%lld months not recorded)\n",
                     static_cast<long long>(recordFailures));
        exitCode = 1;
    }
    return exitCode;
}
