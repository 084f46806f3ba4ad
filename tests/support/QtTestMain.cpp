// Test entry point for everything that needs a QApplication: forces the
// offscreen platform and test-mode standard paths, so no test touches the
// user's real configuration or needs a display.
#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varotem"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
