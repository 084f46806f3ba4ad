#pragma once
// Helpers of the core tests: records on the heap, whole files, a scoped locale.
#include "app/core/RunData.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>
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

// Caps the size of files this process writes, as a full disk would (also for
// root); SIGXFSZ is ignored so the write just fails.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes) : handler_(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit{bytes, old_.rlim_max};
        ok_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~TFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, handler_);
    }
    TFileSizeLimit(const TFileSizeLimit &) = delete;
    TFileSizeLimit &operator=(const TFileSizeLimit &) = delete;
    bool Ok() const { return ok_; }

private:
    void (*handler_)(int);
    rlimit old_{};
    bool ok_ = false;
};
