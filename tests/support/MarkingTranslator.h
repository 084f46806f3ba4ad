#pragma once
// A translator that puts "[en]" before every text it is asked for, so a test
// sees which texts went through the catalogue at the moment they were shown
// (they carry the mark once), which never did (no mark: fixed when the
// program started, or not wrapped) and which were pieced together from
// several translated parts (the mark more than once).
#include <QCoreApplication>
#include <QTranslator>

class TMarkingTranslator : public QTranslator {
public:
    TMarkingTranslator() { QCoreApplication::installTranslator(this); }
    ~TMarkingTranslator() override { QCoreApplication::removeTranslator(this); }

    QString translate(const char *, const char *source, const char *, int) const override
    {
        return QStringLiteral("[en]") + QString::fromUtf8(source);
    }
    bool isEmpty() const override { return false; }
};
