// Saving and opening a full run file (10000 samples, 240032 bytes) in a
// temporary directory on the build machine's disk. The save is the whole safe
// write: temporary file, flushed to disk, renamed over the old file. The open
// reads the image and applies the error filter.
#include "app/core/DataFiles.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

std::unique_ptr<TRunData> FullRun()
{
    auto run = std::make_unique<TRunData>();
    ClearRun(*run);
    run->Count = kRunCapacity;
    for (int i = 0; i < kRunCapacity; ++i) {
        run->T[i] = 20 + 0.1 * i;
        run->L[i] = 0.6 * run->T[i] + 0.05 * std::sin(i * 0.01);
        run->TC[i] = run->T[i] - 3;
    }
    return run;
}

void BM_SaveRunFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("run.dat"));
    const auto run = FullRun();
    for (auto _ : state) {
        const QString message = SaveData(name, *run);
        if (!message.isEmpty()) {
            state.SkipWithError(message.toStdString().c_str());
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * kRunFileSize);
}
BENCHMARK(BM_SaveRunFile)->Unit(benchmark::kMicrosecond);

void BM_OpenRunFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("run.dat"));
    if (!SaveData(name, *FullRun()).isEmpty()) {
        state.SkipWithError("cannot write the run file");
        return;
    }
    auto run = std::make_unique<TRunData>();
    for (auto _ : state) {
        const QString message = ReadRunFile(name, *run, -1);
        if (!message.isEmpty() || run->Count != kRunCapacity) {
            state.SkipWithError("the run file did not read back whole");
            break;
        }
        benchmark::DoNotOptimize(run->TC[kRunCapacity - 1]);
    }
    state.SetBytesProcessed(state.iterations() * kRunFileSize);
}
BENCHMARK(BM_OpenRunFile)->Unit(benchmark::kMicrosecond);

} // namespace
