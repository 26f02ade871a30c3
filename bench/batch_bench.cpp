// Batch conversion to SBS of a folder of 1,000 ARP listings (80 worlds each), through qelvar-cli and
// through the batch function, measured against copying the same files with cp in the same run.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "store/file_io.h"
#include "store/subsector_store.h"
#include "files/arp.h"
#include "files/batch.h"
#include "files/folder_files.h"
#include "full_subsector.h"
#include "seams/prompter.h"

namespace {

namespace fs = std::filesystem;
constexpr int kFiles = 1000;

class QuietPrompter : public qelvar::Prompter {
public:
    void message(const std::string&, qelvar::MessageIcon, const std::string&) override {}
    bool askYesNo(const std::string&, qelvar::MessageIcon, const std::string&, bool) override { return false; }
    std::string inputBox(const std::string&, const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> saveFileName(const std::string&, const std::string&) override { return {}; }
    void setBusy(bool) override {}
    void beep() override {}
    void processEvents() override {}
};

// A folder of kFiles ARP files, made once per run and removed at exit.
const fs::path& inputFolder() {
    static const fs::path folder = [] {
        const fs::path dir = fs::temp_directory_path() / ("qelvar-batch-bench-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir / "in");
        qelvar::SubsectorStore store = qelvar::bench::fullSubsector();
        for (int i = 0; i < kFiles; ++i) {
            store.subsectorLetter = std::string(1, static_cast<char>('A' + i % 16));
            store.subsectorName = "Bench " + std::to_string(i);
            (void)qelvar::writeFileAtomically((dir / "in" / ("bench" + std::to_string(i) + ".arp")).string(),
                                              qelvar::formatArp(store).value);
        }
        std::atexit([] { fs::remove_all(inputFolder().parent_path()); });
        return dir / "in";
    }();
    return folder;
}

double secondsOf(const std::string& command) {
    const auto start = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0) return -1;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_BatchCliVersusCp(benchmark::State& state) {
    const fs::path& in = inputFolder();
    const fs::path copies = in.parent_path() / "copies";
    double cliTotal = 0;
    double cpTotal = 0;
    for (auto _ : state) {
        const double cli = secondsOf(std::string(QELVAR_CLI) + " batch " + in.string() +
                                     " --stub B >/dev/null 2>&1");  // twin letters are said on stderr
        fs::remove_all(copies);
        fs::create_directories(copies);
        const double cp = secondsOf("cp " + in.string() + "/*.arp " + copies.string() + "/");
        if (cli < 0 || cp < 0) {
            state.SkipWithError("batch or cp failed");
            return;
        }
        state.SetIterationTime(cli);
        cliTotal += cli;
        cpTotal += cp;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["files_per_s"] = kFiles * n / cliTotal;
    state.counters["cp_files_per_s"] = kFiles * n / cpTotal;
    state.counters["times_cp"] = cliTotal / cpTotal;
}
BENCHMARK(BM_BatchCliVersusCp)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_BatchFunction(benchmark::State& state) {
    const fs::path& in = inputFolder();
    const auto names = *qelvar::filesOfType(in.string(), qelvar::FileType::Arp);
    QuietPrompter prompter;
    qelvar::SubsectorStore store;
    for (auto _ : state) {
        const auto result = qelvar::convertFilesToSbs(store, prompter, in.string(), names, "F");
        benchmark::DoNotOptimize(result.written.size());
    }
    state.counters["files_per_s"] =
        benchmark::Counter(static_cast<double>(names.size()), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_BatchFunction)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
