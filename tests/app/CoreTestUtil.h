#pragma once
// Helpers of the core tests: records on the heap, whole files, a scoped locale.
#include "app/core/RunData.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <memory>

inline std::unique_ptr<TRunData> NewRun()
{
    auto run = std::make_unique<TRunData>();
    ClearRun(*run);
    return run;
}

inline void WriteBytes(const QString &name, const QByteArray &bytes)
{
    QFile file(name);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

inline QByteArray ReadBytes(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QByteArray Bytes(const TRunData &run) { return {reinterpret_cast<const char *>(&run), sizeof run}; }

struct TLocaleGuard {
    explicit TLocaleGuard(QLocale::Language language) { QLocale::setDefault(QLocale(language)); }
    ~TLocaleGuard() { QLocale::setDefault(old); }
    QLocale old;
};

// A path whose parent is a regular file: nothing can be created there, even by root.
inline QString UnwritablePath(const QTemporaryDir &dir, const QString &name)
{
    WriteBytes(dir.filePath("plain-file"), "x");
    return dir.filePath("plain-file/" + name);
}
