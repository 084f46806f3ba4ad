#pragma once
// The state a main window hands the analysis commands, built for tests: the
// test run, default settings and tables, every analysis dialog, a spreadsheet
// that records its calls, and the recording prompt.
#include "analysis/AnalysisCommands.h"
#include "analysis/AnalysisContext.h"
#include "analysis/DlgAlphaQuartz.h"
#include "analysis/DlgCalcParam.h"
#include "analysis/DlgCalcResult.h"
#include "analysis/DlgScale.h"
#include "analysis/DlgSved.h"
#include "analysis/core/Spreadsheet.h"
#include "app/core/DataFiles.h"
#include "tests/support/RecordingPrompt.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <ostream>
#include <variant>
#include <vector>

inline void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }

// Every call of the four spreadsheet operations, in order.
class TRecordingSpreadsheet final : public TSpreadsheet {
public:
    struct TCell {
        int row, column;
        std::variant<QString, double> value;
    };
    int workbooks = 0;
    int shown = 0;
    std::vector<TCell> cells;

    QString NewWorkbook() override
    {
        ++workbooks;
        cells.clear();
        return {};
    }
    void SetCell(int row, int column, const QString &text) override { cells.push_back({row, column, text}); }
    void SetCell(int row, int column, double value) override { cells.push_back({row, column, value}); }
    QString MakeVisible() override
    {
        ++shown;
        return {};
    }
};

inline std::unique_ptr<TRunData> ZeroRun()
{
    auto run = std::make_unique<TRunData>();
    std::memset(static_cast<void *>(run.get()), 0, sizeof(TRunData));
    return run;
}

// The run's bytes apart from the four calculation parameters.
inline QByteArray SampleBytes(const TRunData &run)
{
    QByteArray bytes = RunImage(run);
    bytes.remove(offsetof(TRunData, CalcPoints), offsetof(TRunData, TC) - offsetof(TRunData, CalcPoints));
    return bytes;
}

// L = ln(i + 50) / 12 of the test run, computed here on its own.
inline double TestRunL(int i) { return std::log(i + 50.0) / 12.0; }

class AnalysisTest : public ::testing::Test {
protected:
    AnalysisTest()
        : run(ZeroRun()), settings(DefaultSettings(QStringLiteral("/nonexistent/"))),
          ctx{*run, settings, tTable, lTable, calcResult, calcParam, alphaQuartz, sved, scale, sheet}
    {
        FillTestRun(*run);
        BindAnalysisDialogs(ctx);
    }

    void SetUp() override
    {
        QLocale::setDefault(QLocale::c());
        before = SampleBytes(*run);
    }
    // Whatever a test did, the samples of the run are as they were.
    void TearDown() override
    {
        if (checkSamples) {
            EXPECT_EQ(SampleBytes(*run), before) << "the run's samples changed";
        }
        QLocale::setDefault(QLocale::c());
    }

    // Queues an answer for the next dialog of type D: set its controls, then OK.
    template <class D> void Accept(std::function<void(D &)> set = {})
    {
        prompt.dialogs.push_back([set](QDialog &dialog) {
            auto *d = dynamic_cast<D *>(&dialog);
            EXPECT_NE(d, nullptr) << "unexpected dialog " << dialog.windowTitle().toStdString();
            if (d && set)
                set(*d);
            return int(QDialog::Accepted);
        });
    }
    void Cancel() { prompt.dialogs.push_back([](QDialog &) { return int(QDialog::Rejected); }); }

    QString Path(const QString &name) const { return dir.filePath(name); }
    void WriteRun(const QString &name, const TRunData &record) const
    {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(RunImage(record));
    }

    TRecordingPrompt prompt;
    QTemporaryDir dir;
    std::unique_ptr<TRunData> run;
    TSettings settings;
    TSplineTable tTable, lTable;
    TDlgCalcResult calcResult;
    TDlgCalcParam calcParam;
    TDlgAlphaQuartz alphaQuartz;
    TDlgSved sved;
    TDlgScale scale;
    TRecordingSpreadsheet sheet;
    TAnalysisContext ctx;
    QByteArray before;
    bool checkSamples = true;
};
