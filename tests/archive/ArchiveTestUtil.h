#pragma once
// Runs written from a known formula, and an archive in a directory of its own.
#include "archive/core/Archive.h"

#include "app/core/DataFiles.h"
#include "app/core/RunData.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <ostream>

inline void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }

// n samples heated from t0 by step per sample: T = t0 + step (i - 1),
// L = 3e-4 (T - t0) + 1e-7 (T - t0)^2 (micrometres per degree), TC = T + 2.
inline std::unique_ptr<TRunData> FormulaRun(int n, double t0 = 20.0, double step = 0.5)
{
    auto run = std::make_unique<TRunData>();
    ClearRun(*run);
    run->Count = n;
    for (int i = 1; i <= n; ++i) {
        const double t = t0 + step * (i - 1), dt = t - t0;
        run->T[i - 1] = t;
        run->L[i - 1] = 3e-4 * dt + 1e-7 * dt * dt;
        run->TC[i - 1] = t + 2;
    }
    return run;
}

inline QString Sha256Of(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex());
}

// The archive file "archive/Varotem-archive.sqlite" under dir, its runs in
// "runs/", on a clock that the test sets.
struct TArchiveFixture {
    QTemporaryDir dir;
    int64_t nowMs = 1'700'000'000'000;

    QString ArchiveFile() const { return dir.filePath(QStringLiteral("archive/Varotem-archive.sqlite")); }
    QString RunPath(const QString &name) const { return dir.filePath(QStringLiteral("runs/") + name); }
    QString WriteRun(const QString &name, const TRunData &run) const
    {
        QDir().mkpath(dir.filePath(QStringLiteral("runs")));
        EXPECT_EQ(SaveData(RunPath(name), run), "");
        return RunPath(name);
    }
    archive::TArchiveSetup Setup()
    {
        archive::TArchiveSetup setup;
        setup.fileName = ArchiveFile();
        setup.runDirs = {dir.filePath(QStringLiteral("runs"))};
        setup.clock = [this] { return nowMs; };
        return setup;
    }
    archive::TOpenedArchive Open() { return archive::OpenArchive(Setup()); }
};

#include <QProcess>
#include <QRegularExpression>

// The text of a PDF as pdftotext reads it, blanks run together: what a
// reader of the document would find by searching it.
inline QString PdfText(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("(pdftotext failed: %1)").arg(QString::fromUtf8(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput()).replace(QRegularExpression(QStringLiteral("[ \\t]+")),
                                                                      QStringLiteral(" "));
}
