#include "platform/SoundModule.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

// The module is found in the folder it is asked for; when it cannot be used,
// the reason names the file.

namespace {

using platform::SoundModule;

TEST(SoundModule, AFolderWithoutAUsableModuleGivesAReason)
{
    struct Case {
        const char* name;
        std::function<void(const QString& file)> lay;
        const char* reasonHas;
    };
    const Case cases[] = {
        {"no file", [](const QString&) {}, "no file"},
        {"a folder by that name", [](const QString& file) { ASSERT_TRUE(QDir().mkdir(file)); }, "no file"},
        {"a file that is not a module",
         [](const QString& file) {
             QFile text(file);
             ASSERT_TRUE(text.open(QIODevice::WriteOnly));
             text.write("not a shared library\n");
         },
         "Cannot load"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString file = dir.filePath(SoundModule::fileName());
        c.lay(file);
        const SoundModule::Loaded loaded = SoundModule::load(dir.path());
        EXPECT_EQ(loaded.backend, nullptr);
        EXPECT_TRUE(loaded.failure.contains(QLatin1String(c.reasonHas))) << loaded.failure.toStdString();
        EXPECT_TRUE(loaded.failure.contains(file)) << loaded.failure.toStdString();
    }
}

TEST(SoundModule, TheBuiltModuleGivesABackEnd)
{
    const SoundModule::Loaded loaded = SoundModule::load(QStringLiteral(GONIOMA_SOUND_MODULE_DIR));
    EXPECT_NE(loaded.backend, nullptr) << loaded.failure.toStdString();
    EXPECT_TRUE(loaded.failure.isEmpty());
}

} // namespace
