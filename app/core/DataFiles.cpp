#include "app/core/DataFiles.h"

#include "app/core/LocaleFormat.h"
#include "app/core/SafeFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cmath>
#include <cstring>
#include <memory>
#include <optional>

namespace {

// The calibrated samples as text, or nullopt (with the sample's number) when
// a value is not a finite number.
std::optional<QString> ExportLines(const TRunData &calibrated, int32_t &badSample)
{
    const int32_t n = ValidCount(calibrated);
    QString text;
    text.reserve(n * 40);
    for (int32_t i = 0; i < n; ++i) {
        const double t = calibrated.T[i], l = calibrated.L[i], tc = calibrated.TC[i];
        if (!std::isfinite(t) || !std::isfinite(l) || !std::isfinite(tc)) {
            badSample = i + 1;
            return std::nullopt;
        }
        text += LocaleGeneral(t, 15) + u'\t' + LocaleGeneral(l, 15) + u'\t' + LocaleGeneral(tc, 15) +
                QStringLiteral("\r\n");
    }
    return text;
}

} // namespace

QByteArray RunImage(const TRunData &run)
{
    return QByteArray(reinterpret_cast<const char *>(&run), kRunFileSize);
}

QString SaveData(const QString &fileName, const TRunData &run) { return WriteFileSafely(fileName, RunImage(run)); }

QString LoadRunImage(const QString &fileName, TRunData &run)
{
    QString error;
    const auto bytes = ReadFileHead(fileName, kRunFileSize, error);
    if (!bytes)
        return error;
    return RunImageFromBytes(*bytes, fileName, run);
}

QString RunImageFromBytes(const QByteArray &bytes, const QString &fileName, TRunData &run)
{
    // Overlay a copy first: the caller's record changes only when the result
    // is a record every routine can index.
    auto loaded = std::make_unique<TRunData>(run);
    std::memcpy(static_cast<void *>(loaded.get()), bytes.constData(), std::min<size_t>(bytes.size(), kRunFileSize));
    if (loaded->Count > kRunCapacity) {
        return QCoreApplication::translate("DataFiles", "Файл \"%1\" не является файлом данных: число точек %2 больше %3!")
            .arg(fileName)
            .arg(loaded->Count)
            .arg(kRunCapacity);
    }
    run = *loaded;
    return {};
}

QString ReadRunFile(const QString &fileName, TRunData &run, int16_t errorCode)
{
    auto loaded = std::make_unique<TRunData>(run);
    if (QString error = LoadRunImage(fileName, *loaded); !error.isEmpty())
        return error;
    FilterErrors(*loaded, errorCode);
    run = *loaded;
    return {};
}

QString ExportText(const QString &fileName, const TRunData &raw, const TSettings &settings,
                   const TSplineTable &tTable, const TSplineTable &lTable)
{
    const auto calibrated = CalibratedCopy(raw, settings, tTable, lTable);
    int32_t badSample = 0;
    const std::optional<QString> text = ExportLines(*calibrated, badSample);
    if (!text) {
        return QCoreApplication::translate("DataFiles", "Файл \"%1\" не записан: значение точки %2 не является числом!")
            .arg(fileName)
            .arg(badSample);
    }
    return WriteFileSafely(fileName, text->toUtf8());
}

TFileDialogOptions RunFileOpenOptions()
{
    TFileDialogOptions options;
    options.filter = QStringLiteral("Data files (*.dat)|*.dat|All files (*.*)|*.*");
    options.defaultExt = QStringLiteral(".dat");
    return options;
}

TSaveKind SaveKindOf(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toUpper();
    if (suffix == QStringLiteral("DAT"))
        return TSaveKind::Data;
    if (suffix == QStringLiteral("TXT"))
        return TSaveKind::Text;
    return TSaveKind::Nothing;
}
