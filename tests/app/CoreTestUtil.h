#pragma once
// Helpers shared by the core tests: files in a temporary directory, records
// on the heap, and a scoped default locale.
#include "app/core/RunData.h"

#include <QByteArray>
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

inline void WriteBytes(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

inline QByteArray ReadBytes(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QByteArray Bytes(const TRunData &run)
{
    return QByteArray(reinterpret_cast<const char *>(&run), sizeof run);
}

// The default locale for the lifetime of the guard (number texts follow it).
class TLocaleGuard {
public:
    explicit TLocaleGuard(QLocale::Language language) : old_(QLocale()) { QLocale::setDefault(QLocale(language)); }
    ~TLocaleGuard() { QLocale::setDefault(old_); }

private:
    QLocale old_;
};

// A path whose parent is a regular file: nothing can be created there, also
// for root.
inline QString UnwritablePath(const QTemporaryDir &dir, const QString &name)
{
    WriteBytes(dir.filePath("plain-file"), "x");
    return dir.filePath("plain-file/" + name);
}
