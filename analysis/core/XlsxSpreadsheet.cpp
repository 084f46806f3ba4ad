#include "analysis/core/XlsxSpreadsheet.h"

#include "app/core/PrivateDir.h"
#include "app/core/SafeFile.h"
#include "numerics/NumberFormat.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <algorithm>

#include <clocale>
#include <cmath>
#include <locale.h>
#include <xlsxwriter.h>

namespace {

// The context of this file's texts in the translation catalogue.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(analysis::XlsxSpreadsheet)
};

// libxlsxwriter writes numbers with printf when the workbook is closed, so a
// decimal comma of the user's locale (which Qt makes the C library's locale)
// would end up inside the file's XML and spoil every number cell. The C
// locale is put in place for the calling thread while the file is written.
class TCNumericLocale {
public:
    TCNumericLocale() : c_(newlocale(LC_NUMERIC_MASK, "C", locale_t(0)))
    {
        if (c_)
            previous_ = uselocale(c_);
    }
    ~TCNumericLocale()
    {
        if (!c_)
            return;
        uselocale(previous_);
        freelocale(c_);
    }
    TCNumericLocale(const TCNumericLocale &) = delete;
    TCNumericLocale &operator=(const TCNumericLocale &) = delete;

private:
    locale_t c_;
    locale_t previous_ = LC_GLOBAL_LOCALE;
};

constexpr QStringView kWorkbookPrefix = u"Varotem-";
constexpr QStringView kWorkbookEnding = u".xlsx";
constexpr qsizetype kWorkbookRandomLength = 6;

QString CellError(int row, int column, lxw_error error)
{
    return Tr::tr("Ячейка (%1, %2) не записана (%3)!").arg(row).arg(column).arg(lxw_strerror(error));
}

} // namespace

TXlsxSpreadsheet::TXlsxSpreadsheet(QString directory, TOpener opener)
    : directory_(directory.isEmpty() ? DefaultDirectory() : std::move(directory)),
      opener_(std::move(opener))
{
}

TXlsxSpreadsheet::~TXlsxSpreadsheet() { Close(); }

QString TXlsxSpreadsheet::DefaultDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
}

bool TXlsxSpreadsheet::IsWorkbookName(QStringView name)
{
    if (name.size() != kWorkbookPrefix.size() + kWorkbookRandomLength + kWorkbookEnding.size()
        || !name.startsWith(kWorkbookPrefix) || !name.endsWith(kWorkbookEnding))
        return false;
    const QStringView random = name.mid(kWorkbookPrefix.size(), kWorkbookRandomLength);
    return std::all_of(random.begin(), random.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
    });
}

int TXlsxSpreadsheet::RemoveOldWorkbooks(const QString &directory, const QDateTime &olderThan)
{
    if (!IsOwnDirectory(directory))
        return 0;
    return RemoveOldOwnFiles(directory, IsWorkbookName, olderThan);
}

QString TXlsxSpreadsheet::NewWorkbook()
{
    Close();
    cellError_.clear();
    if (QString error = PreparePrivateDir(directory_); !error.isEmpty())
        return error;
    // A unique name, reserved by creating the file; libxlsxwriter replaces it.
    QTemporaryFile reserved(QDir(directory_).filePath(kWorkbookPrefix.toString() + QStringLiteral("XXXXXX")
                                                       + kWorkbookEnding.toString()));
    reserved.setAutoRemove(false);
    if (!reserved.open())
        return Tr::tr("Не удалось создать файл в каталоге \"%1\" (%2)!").arg(directory_, reserved.errorString());
    fileName_ = reserved.fileName();
    reserved.close();

    workbook_ = workbook_new(QFile::encodeName(fileName_).constData());
    sheet_ = workbook_ ? workbook_add_worksheet(workbook_, nullptr) : nullptr;
    if (!sheet_) {
        Close();
        return Tr::tr("Не удалось создать книгу \"%1\"!").arg(fileName_);
    }
    return {};
}

void TXlsxSpreadsheet::SetCell(int row, int column, const QString &text)
{
    if (!sheet_ || row < 1 || column < 1)
        return;
    const lxw_error error = worksheet_write_string(sheet_, lxw_row_t(row - 1), lxw_col_t(column - 1),
                                                   text.toUtf8().constData(), nullptr);
    if (error != LXW_NO_ERROR && cellError_.isEmpty())
        cellError_ = CellError(row, column, error);
}

void TXlsxSpreadsheet::SetCell(int row, int column, double value)
{
    // A number cell cannot hold NaN or an infinity; it gets the text instead.
    if (!std::isfinite(value)) {
        SetCell(row, column, QString::fromStdString(numerics::FormatGeneral(value, ".")));
        return;
    }
    if (!sheet_ || row < 1 || column < 1)
        return;
    const lxw_error error = worksheet_write_number(sheet_, lxw_row_t(row - 1), lxw_col_t(column - 1), value, nullptr);
    if (error != LXW_NO_ERROR && cellError_.isEmpty())
        cellError_ = CellError(row, column, error);
}

QString TXlsxSpreadsheet::Close()
{
    if (!workbook_)
        return {};
    lxw_error error;
    {
        TCNumericLocale cNumbers;
        error = workbook_close(workbook_);
    }
    workbook_ = nullptr;
    sheet_ = nullptr;
    if (error != LXW_NO_ERROR)
        return Tr::tr("Не удалось записать файл \"%1\" (%2)!").arg(fileName_, lxw_strerror(error));
    return {};
}

QString TXlsxSpreadsheet::MakeVisible()
{
    if (!workbook_)
        return Tr::tr("Книга не создана!");
    if (QString error = Close(); !error.isEmpty())
        return error;
    if (OnWritten)
        OnWritten(fileName_);
    if (!cellError_.isEmpty())
        return cellError_;
    if (!opener_ || !opener_(QUrl::fromLocalFile(fileName_))) {
        return Tr::tr("Не удалось открыть программу электронных таблиц. Книга сохранена в файле \"%1\".")
            .arg(QDir::toNativeSeparators(fileName_));
    }
    return {};
}
