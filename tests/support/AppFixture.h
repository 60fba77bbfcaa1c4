#pragma once

#include "platform/widgets/Form.h"
#include "platform/widgets/MessageBox.h"

#include <QList>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A fixture for tests that drive real windows: the program's directory is a
// temporary folder holding the shipped language files (or the test's own),
// message boxes are answered from a script and recorded, sounds are recorded
// instead of played, the screen has a fixed size, and every window is unloaded
// and every shared global cleared after the test.
class AppFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString appDir() const { return m_dir.path(); }

    // Copies the shipped language files and settings into the program's directory.
    void installShippedLanguages();
    // Writes a file into the program's directory (UTF-8, CRLF as given).
    void writeFile(const QString& name, const QByteArray& contents);
    void removeFile(const QString& name);
    // Writes `name`.lng: the shipped Italian texts in a language that says it
    // is written right to left.
    void writeRightToLeftLanguage(const QString& name);

    // Message boxes: the answers to give, in order (Yes/OK when the script runs out).
    void answerNextBoxes(const QList<platform::MessageAnswer>& answers) { m_answers = answers; }
    const QList<platform::MessageRequest>& asked() const { return m_asked; }

    const QStringList& soundsPlayed() const { return m_sounds; }

    // Processes pending events until nothing more happens (activations, drawings).
    static void settle();

    // The one loaded window of type T (fails the test when it is not loaded).
    template <class T> T* window()
    {
        T* form = platform::Form::instance<T>();
        EXPECT_NE(form, nullptr);
        return form;
    }

    static QString shippedDataDir();

private:
    QTemporaryDir m_dir;
    QList<platform::MessageAnswer> m_answers;
    QList<platform::MessageRequest> m_asked;
    QStringList m_sounds;
    QList<QByteArray> m_savedEnvironment; // the settings' variables before the test
};
