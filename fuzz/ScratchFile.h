#pragma once
// Files for the readers that only take a file name: one directory per
// process, removed at a normal exit, its files rewritten for every input.
#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

QString ScratchPath(const QString &name);

// Replaces the content of the file at path with the bytes.
void WriteScratch(const QString &path, const uint8_t *data, size_t size);

// The whole content of the file at path.
QByteArray ReadScratch(const QString &path);
