// The writer process of the crash test: rewrites the three files of
// CrashFiles.h in a loop, versions 1, 0, 1, ..., until it is killed. Once the
// first round is on disk it prints "ready" and that round's length in
// microseconds, so the test can spread its kills over whole rounds.
//   crash_writer <dir> safe    the program's own writes (temporary file, rename)
//   crash_writer <dir> direct  each file truncated and written in place: the
//                              test's control, which a kill must be able to tear
#include "app/core/DataFiles.h"
#include "tests/app/CrashFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <QElapsedTimer>

#include <array>
#include <cstdio>

namespace {

struct TVersion {
    std::unique_ptr<TRunData> run;
    TSettings settings;
    TSplineTable table;
    std::array<QByteArray, 3> bytes;  // run, settings, table files, for the direct writes
};

TVersion MakeVersion(const QDir &dir, int version)
{
    TVersion v{CrashRun(version), CrashSettings(version), CrashTable(version), {}};
    const QString scratch = dir.filePath(QStringLiteral("settings-%1.tmp").arg(version));
    if (!WriteSettings(scratch, v.settings).isEmpty())
        return v;
    QFile file(scratch);
    if (file.open(QIODevice::ReadOnly))
        v.bytes[1] = file.readAll();
    file.remove();
    v.bytes[0] = RunImage(*v.run);
    v.bytes[2] = SplineTableImage(v.table);
    return v;
}

bool WriteInPlace(const QString &name, const QByteArray &bytes)
{
    QFile file(name);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

bool WriteRound(const QDir &dir, const TVersion &v, bool direct)
{
    const QString names[] = {dir.filePath(kCrashRunName), dir.filePath(kCrashSettingsName),
                             dir.filePath(kCrashTableName)};
    if (direct) {
        for (int i = 0; i < 3; ++i) {
            if (!WriteInPlace(names[i], v.bytes[size_t(i)]))
                return false;
        }
        return true;
    }
    return SaveData(names[0], *v.run).isEmpty() && WriteSettings(names[1], v.settings).isEmpty()
           && SaveSplineTable(names[2], v.table).isEmpty();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const bool direct = QByteArray(argv[2]) == "direct";
    const TVersion versions[] = {MakeVersion(dir, 0), MakeVersion(dir, 1)};
    QElapsedTimer clock;
    clock.start();
    for (long round = 0;; ++round) {
        if (!WriteRound(dir, versions[(round + 1) % 2], direct))
            return 1;
        if (round == 0) {
            std::printf("ready %lld\n", static_cast<long long>(clock.nsecsElapsed() / 1000));
            std::fflush(stdout);
        }
    }
}
