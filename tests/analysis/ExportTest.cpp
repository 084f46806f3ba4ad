// The spreadsheet exports: the cells they write (recorded), and real .xlsx
// workbooks read back by an independent reader (Python's openpyxl).
#include "AnalysisFixture.h"

#include "analysis/DlgCalcParam.h"
#include "analysis/core/SpreadsheetExport.h"
#include "analysis/core/XlsxSpreadsheet.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QUrl>

#include <clocale>

#include <sys/stat.h>
#include <unistd.h>

using namespace analysis;
using TCell = TRecordingSpreadsheet::TCell;

namespace {

bool IsText(const TCell &c, const QString &text)
{
    return std::holds_alternative<QString>(c.value) && std::get<QString>(c.value) == text;
}
double Number(const TCell &c) { return std::holds_alternative<double>(c.value) ? std::get<double>(c.value) : NAN; }

// The cells of the first sheet as openpyxl reads them.
struct TReadBack {
    QString error;
    int sheets = 0;
    QJsonArray rows;  // of rows, each of [type, value]
    QString Type(int row, int column) const { return rows[row - 1][column - 1][0].toString(); }
    QJsonValue Value(int row, int column) const { return rows[row - 1][column - 1][1]; }
    int Columns(int row) const { return rows[row - 1].toArray().size(); }
};

TReadBack ReadXlsx(const QString &fileName)
{
    TReadBack out;
    const QString python = QStringLiteral(VAROTEM_XLSX_PYTHON);
    if (python.isEmpty()) {
        out.error = "no Python with openpyxl was found when the build was configured";
        return out;
    }
    QProcess process;
    process.start(python, {QStringLiteral(VAROTEM_XLSX_READER), fileName});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        out.error = "reader failed: " + QString::fromUtf8(process.readAllStandardError());
        return out;
    }
    const QJsonObject json = QJsonDocument::fromJson(process.readAllStandardOutput()).object();
    out.sheets = json["sheets"].toInt();
    out.rows = json["rows"].toArray();
    return out;
}

} // namespace

class Export : public AnalysisTest {};

TEST_F(Export, RunGoesRowByRowAsCalibratedNumbers)
{
    settings.bT = 2;  // T and TC doubled by the calibration; L unchanged
    ExcelClick(ctx);
    EXPECT_TRUE(prompt.messages.isEmpty());
    EXPECT_EQ(sheet.workbooks, 1);
    EXPECT_EQ(sheet.shown, 1);
    ASSERT_EQ(sheet.cells.size(), 3u + 3 * 600);
    EXPECT_TRUE(IsText(sheet.cells[0], "T, deg C"));
    EXPECT_TRUE(IsText(sheet.cells[1], "L, mm"));
    EXPECT_TRUE(IsText(sheet.cells[2], "TC, deg C"));
    for (int i = 1; i <= 600; ++i) {
        const TCell *row = &sheet.cells[3 * i];
        ASSERT_EQ(row[0].row, i + 1);
        EXPECT_EQ(row[0].column, 1);
        EXPECT_EQ(row[2].column, 3);
        EXPECT_EQ(Number(row[0]), 2.0 * i);
        EXPECT_DOUBLE_EQ(Number(row[1]), TestRunL(i));
        EXPECT_EQ(Number(row[2]), 2.0 * i);
    }
}

TEST_F(Export, SamplesFlaggedAsErrorsAreLeftOut)
{
    run->T[9] = settings.ErrorCode;
    run->L[19] = settings.ErrorCode;
    before = SampleBytes(*run);
    ExcelClick(ctx);
    ASSERT_EQ(sheet.cells.size(), 3u + 3 * 598);
    EXPECT_EQ(Number(sheet.cells[3 * 10]), 11);  // row 11 holds sample 11
}

TEST_F(Export, ValueThatIsNotANumberStopsBeforeTheWorkbook)
{
    settings.dT = 1e306;  // 600^3 * 1e306 overflows
    ExcelClick(ctx);
    EXPECT_EQ(sheet.workbooks, 0);
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(prompt.messages[0].contains("не является числом"));
}

TEST_F(Export, ResultTableGoesColumnByColumnAsDisplayed)
{
    Accept<TDlgCalcParam>();
    prompt.dialogs.push_back([](QDialog &dialog) {
        static_cast<TDlgCalcResult &>(dialog).BitBtn2->click();
        return int(QDialog::Accepted);
    });
    CalculateClick(ctx);
    EXPECT_EQ(sheet.workbooks, 1);
    EXPECT_EQ(sheet.shown, 1);
    ASSERT_EQ(sheet.cells.size(), 6u * 101);
    const QStringList header = {"T, deg C", "dL", "dLQ", "dL-dLQ", "(dL-dLQ)/L0", "Alpha"};
    for (int a = 1; a <= 6; ++a) {
        const TCell *column = &sheet.cells[101 * (a - 1)];
        EXPECT_TRUE(IsText(column[0], header[a - 1])) << a;
        for (int c = 0; c <= 100; ++c) {
            EXPECT_EQ(column[c].row, c + 1);
            EXPECT_EQ(column[c].column, a);
        }
    }
    EXPECT_EQ(Number(sheet.cells[1]), 1);
    EXPECT_EQ(Number(sheet.cells[100]), 496);
    EXPECT_EQ(Number(sheet.cells[101 + 1]), 0.00779);       // dL as shown
    EXPECT_EQ(Number(sheet.cells[5 * 101 + 1]), 5.51175e-7);  // Alpha of interval 1 as shown
}

class XlsxExport : public AnalysisTest {
protected:
    XlsxExport()
        : xlsx(dir.filePath("books"), [this](const QUrl &url) {
              opened << url;
              return opens;
          })
    {
    }
    TXlsxSpreadsheet xlsx;
    QList<QUrl> opened;
    bool opens = true;
};

TEST_F(XlsxExport, RunIsReadBackAsNumbers)
{
    settings.aL = 0.1;  // L = raw + 0.1: values with no short decimal form
    ASSERT_EQ(ExportRun(*CalibratedCopy(*run, settings, tTable, lTable), xlsx), "");
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].toLocalFile(), xlsx.FileName());
    EXPECT_EQ(QFileInfo(xlsx.FileName()).suffix(), "xlsx");

    const TReadBack book = ReadXlsx(xlsx.FileName());
    ASSERT_TRUE(book.error.isEmpty()) << book.error.toStdString();
    EXPECT_EQ(book.sheets, 1);
    ASSERT_EQ(book.rows.size(), 601);
    EXPECT_EQ(book.Type(1, 1), "s");
    EXPECT_EQ(book.Value(1, 1).toString(), "T, deg C");
    EXPECT_EQ(book.Value(1, 2).toString(), "L, mm");
    EXPECT_EQ(book.Value(1, 3).toString(), "TC, deg C");
    for (int i = 1; i <= 600; ++i) {
        ASSERT_EQ(book.Columns(i + 1), 3);
        for (int a = 1; a <= 3; ++a)
            ASSERT_EQ(book.Type(i + 1, a), "n") << i << "," << a;
        EXPECT_EQ(book.Value(i + 1, 1).toDouble(), i);
        // The writer keeps 16 significant digits.
        const double l = TestRunL(i) + 0.1;
        EXPECT_NEAR(book.Value(i + 1, 2).toDouble(), l, 1e-15 * l) << i;
        EXPECT_EQ(book.Value(i + 1, 3).toDouble(), i);
    }
}

TEST_F(XlsxExport, EmptyRunGivesTheHeaderRowOnly)
{
    run->Count = 0;
    before = SampleBytes(*run);
    ASSERT_EQ(ExportRun(*run, xlsx), "");
    const TReadBack book = ReadXlsx(xlsx.FileName());
    ASSERT_TRUE(book.error.isEmpty()) << book.error.toStdString();
    ASSERT_EQ(book.rows.size(), 1);
    EXPECT_EQ(book.Columns(1), 3);
}

TEST_F(XlsxExport, ResultTableOfHundredIntervalsHasHundredAndOneRowsOfSix)
{
    TDlgCalcResult result;
    result.SetSpreadsheet(&xlsx);
    const TCalcOutcome outcome = ComputeExpansion(*run, TCalcParams{}, std::nullopt);
    result.ShowResults(outcome.Rows);
    result.BitBtn2->click();
    EXPECT_TRUE(prompt.messages.isEmpty());

    const TReadBack book = ReadXlsx(xlsx.FileName());
    ASSERT_TRUE(book.error.isEmpty()) << book.error.toStdString();
    ASSERT_EQ(book.rows.size(), 101);
    for (int r = 1; r <= 101; ++r) {
        ASSERT_EQ(book.Columns(r), 6) << r;
        for (int a = 1; a <= 6; ++a)
            EXPECT_EQ(book.Type(r, a), r == 1 ? "s" : "n") << r << "," << a;
    }
    EXPECT_EQ(book.Value(1, 1).toString(), "T, deg C");
    EXPECT_EQ(book.Value(1, 6).toString(), "Alpha");
    EXPECT_EQ(book.Value(2, 6).toDouble(), 5.51175e-7);
    EXPECT_EQ(book.Value(101, 1).toDouble(), 496);
}

TEST_F(XlsxExport, WithoutASpreadsheetProgramTheUserLearnsWhereTheFileIs)
{
    opens = false;
    const QString message = ExportRun(*run, xlsx);
    EXPECT_TRUE(message.contains(QDir::toNativeSeparators(xlsx.FileName()))) << message.toStdString();
    EXPECT_TRUE(QFileInfo(xlsx.FileName()).size() > 0);
    const TReadBack book = ReadXlsx(xlsx.FileName());
    EXPECT_EQ(book.rows.size(), 601);
}

// Workbooks go to a folder that only their user can enter: one that is
// missing is made so, one open to others is narrowed, and one that is not a
// folder of the user's own is not used at all.
TEST_F(XlsxExport, WorkbooksGoToAFolderOfTheUsersOwn)
{
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + u'/';
    EXPECT_TRUE(TXlsxSpreadsheet::DefaultDirectory().startsWith(cache));
    enum TMake { Nothing, Folder0777, PlainFile, OtherUsersFolder };
    const struct {
        const char *name;
        const char *folder;
        TMake make;
        bool used;
    } rows[] = {
        {"missing, parents too", "a/b/books", Nothing, true},
        {"open to everybody", "books", Folder0777, true},
        {"a plain file", "books", PlainFile, false},
        {"another user's", "books", OtherUsersFolder, false},
    };
    for (const auto &r : rows) {
        if (r.make == OtherUsersFolder && ::geteuid() != 0)
            continue;  // only root can make one
        QTemporaryDir temp;
        const QString folder = temp.filePath(QString::fromLatin1(r.folder));
        const QByteArray path = QFile::encodeName(folder);
        if (r.make == PlainFile)
            QFile(folder).open(QIODevice::WriteOnly);
        if (r.make == Folder0777 || r.make == OtherUsersFolder) {
            ASSERT_TRUE(::mkdir(path, 0) == 0 && ::chmod(path, 0777) == 0);
        }
        if (r.make == OtherUsersFolder) {
            ASSERT_EQ(::chown(path, 65534, 65534), 0);
        }
        struct stat before {}, after {};
        ::stat(path, &before);

        TXlsxSpreadsheet books(folder, [](const QUrl &) { return true; });
        const QString message = ExportRun(*run, books);
        ASSERT_EQ(::stat(path, &after), 0) << r.name;
        EXPECT_EQ(message.isEmpty(), r.used) << r.name << ": " << message.toStdString();
        EXPECT_EQ(after.st_mode & 07777, r.used ? 0700u : before.st_mode & 07777) << r.name;
        EXPECT_EQ(QFileInfo(books.FileName()).size() > 0, r.used) << r.name;
        EXPECT_TRUE(r.used || message.contains(folder)) << r.name;
    }
}

// Qt puts the user's locale into the C library, whose printf then writes a
// decimal comma. The numbers in the file must still be numbers.
TEST_F(XlsxExport, NumbersSurviveACommaLocale)
{
    QTemporaryDir locales;
    QProcess localedef;
    localedef.start("localedef", {"-i", "ru_RU", "-f", "UTF-8", locales.filePath("ru_RU.UTF-8")});
    if (!localedef.waitForFinished(60000) || !QFileInfo::exists(locales.filePath("ru_RU.UTF-8")))
        GTEST_SKIP() << "cannot build a comma locale here";
    const QByteArray oldLocPath = qgetenv("LOCPATH");
    qputenv("LOCPATH", locales.path().toLocal8Bit());
    const std::string oldNumeric = std::setlocale(LC_NUMERIC, nullptr);
    ASSERT_NE(std::setlocale(LC_NUMERIC, "ru_RU.UTF-8"), nullptr);
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 0.5);
    EXPECT_STREQ(probe, "0,5");

    const QString message = ExportRun(*run, xlsx);
    std::setlocale(LC_NUMERIC, oldNumeric.c_str());
    if (oldLocPath.isEmpty())
        qunsetenv("LOCPATH");
    else
        qputenv("LOCPATH", oldLocPath);
    ASSERT_EQ(message, "");

    const TReadBack book = ReadXlsx(xlsx.FileName());
    ASSERT_TRUE(book.error.isEmpty()) << book.error.toStdString();
    ASSERT_EQ(book.rows.size(), 601);
    EXPECT_EQ(book.Type(2, 2), "n");
    EXPECT_NEAR(book.Value(2, 2).toDouble(), TestRunL(1), 1e-15);
}
