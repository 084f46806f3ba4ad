// Which directory the program keeps its files in: beside itself in a build
// tree, in the per-user directory when installed or when it cannot write
// beside itself. Root can write anywhere, so only the marker tells an
// installed copy apart.
#include "app/core/AppPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void WriteFile(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("installed\n");
}

struct TDataDirCase {
    const char *name;
    bool marker;          // the installed-copy marker lies beside the program
    bool programWritable; // files can be created beside the program
    bool expectUserDir;
};

class DataDir : public testing::TestWithParam<TDataDirCase> {};

TEST_P(DataDir, ChoosesByMarkerAndWritability)
{
    const TDataDirCase &c = GetParam();
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    QString programDir = root.filePath("lib/varotem");
    ASSERT_TRUE(QDir().mkpath(programDir));
    if (c.marker)
        WriteFile(programDir + '/' + kInstalledMarkerName);
    if (!c.programWritable) {
        // Nothing can be created below a plain file, whoever runs the test.
        WriteFile(root.filePath("plain-file"));
        programDir = root.filePath("plain-file/varotem");
    }
    const QString userDir = root.filePath("home/.config/Varotem");
    const QStringList before = QDir(programDir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    const QString chosen = ChooseDataDir(programDir, userDir);

    EXPECT_EQ(chosen, (c.expectUserDir ? userDir : programDir) + '/');
    EXPECT_EQ(QDir(userDir).exists(), c.expectUserDir);
    EXPECT_EQ(QDir(programDir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DataDir,
    testing::Values(TDataDirCase{"BuildTree", false, true, false},
                    TDataDirCase{"InstalledCopyWritableByRoot", true, true, true},
                    TDataDirCase{"ReadOnlyDirectory", false, false, true}),
    [](const testing::TestParamInfo<TDataDirCase> &info) { return std::string(info.param.name); });

} // namespace
