#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Every test program runs with a real QApplication on the offscreen platform,
// so windows can be created, shown, clicked and grabbed without a display.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // No test reads or writes the machine's school settings, or the account's
    // own settings and results: they all lie in a folder of this run.
    QTemporaryDir home;
    qputenv("GONIOMA_CONFIG", QFile::encodeName(home.filePath(QStringLiteral("school/gonioma.conf"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
