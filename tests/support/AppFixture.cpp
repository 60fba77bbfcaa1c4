#include "support/AppFixture.h"

#include "app/FormMenu.h"
#include "app/PupilNames.h"
#include "shared/Modulo1.h"
#include "language/LanguageSupport.h"
#include "language/TextDirection.h"
#include "platform/widgets/Accessibility.h"
#include "platform/services/AppDir.h"
#include "platform/services/EventYield.h"
#include "platform/services/Program.h"
#include "platform/services/Random.h"
#include "platform/services/Screen.h"
#include "sound/SoundPlayer.h"
#include "teacher/TeacherPassword.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#ifndef GONIOMA_SOURCE_DIR
#error "GONIOMA_SOURCE_DIR must point at the source tree"
#endif

QString AppFixture::shippedDataDir()
{
    return QStringLiteral(GONIOMA_SOURCE_DIR "/data");
}

void AppFixture::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    platform::AppDir::setPathForTesting(m_dir.path());
    // The school's and the account's settings and results of a test lie in its
    // own folder, never in the real ones.
    for (const char* name : {"GONIOMA_CONFIG", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
        m_savedEnvironment.append(qgetenv(name));
    qputenv("GONIOMA_CONFIG", QFile::encodeName(m_dir.filePath(QStringLiteral("school/gonioma.conf"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("data"))));
    platform::Screen::setSizeForTesting(QSize(1024, 768));
    platform::EventYield::setPaceMs(0);
    platform::Random::resetForTesting();
    platform::Program::resetForTesting();
    shared::resetGlobals();
    app::FormMenu::becomeExercisesHome();
    platform::installAccessibleRoles();
    language::captionMessageButtonsFromLanguage();
    language::CurrentLanguageFile.clear();
    language::forgetUnsavedLanguage();
    language::applyLanguageDirection(); // no language: back to left to right
    platform::MessageBox::setHandlerForTesting([this](const platform::MessageRequest& request) {
        m_asked.append(request);
        if (!m_answers.isEmpty())
            return m_answers.takeFirst();
        return request.buttons == platform::MessageButtons::YesNo ? platform::MessageAnswer::Yes
                                                                  : platform::MessageAnswer::Ok;
    });
    sound::SoundPlayer::setRecorderForTesting([this](const QString& path) { m_sounds.append(path); });
}

void AppFixture::TearDown()
{
    for (platform::Form* form : platform::Form::loadedForms())
        form->unload();
    settle();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    app::stopRecording();
    shared::resetGlobals();
    language::CurrentLanguageFile.clear();
    language::forgetUnsavedLanguage();
    language::applyLanguageDirection(); // no language: back to left to right
    platform::MessageBox::setHandlerForTesting({});
    sound::SoundPlayer::setRecorderForTesting({});
    teacher::setPasswordAnswerForTesting({});
    teacher::PasswordGate::shared() = teacher::PasswordGate();
    platform::Random::resetForTesting();
    platform::Screen::setSizeForTesting(QSize());
    platform::AppDir::setPathForTesting(QString());
    if (m_savedEnvironment.size() == 3) {
        qputenv("GONIOMA_CONFIG", m_savedEnvironment[0]);
        qputenv("XDG_CONFIG_HOME", m_savedEnvironment[1]);
        qputenv("XDG_DATA_HOME", m_savedEnvironment[2]);
    }
    m_savedEnvironment.clear();
}

void AppFixture::installShippedLanguages()
{
    const QDir data(shippedDataDir());
    for (const QString& name : data.entryList({QStringLiteral("*.lng"), QStringLiteral("LangSetting.ini")}, QDir::Files)) {
        QFile::remove(m_dir.filePath(name));
        ASSERT_TRUE(QFile::copy(data.filePath(name), m_dir.filePath(name)));
        QFile::setPermissions(m_dir.filePath(name), QFile::ReadOwner | QFile::WriteOwner);
    }
}

void AppFixture::writeRightToLeftLanguage(const QString& name)
{
    QFile italian(QDir(shippedDataDir()).filePath(QStringLiteral("Italiano.lng")));
    ASSERT_TRUE(italian.open(QIODevice::ReadOnly));
    writeFile(name + QStringLiteral(".lng"), italian.readAll() + "\r\n[Language]\r\nRightToLeft=1\r\n");
}

void AppFixture::writeFile(const QString& name, const QByteArray& contents)
{
    QFile file(m_dir.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(contents);
}

void AppFixture::removeFile(const QString& name)
{
    QFile::remove(m_dir.filePath(name));
}

void AppFixture::settle()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
