// The teacher's editor of the exercises' levels, opened from the teacher's view.
#include "exercises/levels/Level.h"
#include "language/LanguageSupport.h"
#include "support/AppFixture.h"
#include "teacherview/frmInsegnante.h"
#include "teacherview/frmLivelli.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace {

using platform::Form;
using teacherview::frmLivelli;

template <class T> T* child(Form* form, const char* name)
{
    return form->findChild<T*>(QString::fromLatin1(name));
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class LevelEditor : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        installShippedLanguages();
        language::CurrentLanguageFile = QStringLiteral("English");
        m_path = QString::fromLocal8Bit(qgetenv("GONIOMA_CONFIG"));
        ASSERT_TRUE(QDir().mkpath(QFileInfo(m_path).path()));
        QFile file(m_path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kSettings);
    }
    void TearDown() override
    {
        frmLivelli::setSaveAsPromptForTesting({});
        AppFixture::TearDown();
    }

    // Opens the editor from the teacher's view, at the "find the right angle" exercise.
    frmLivelli* openEditor()
    {
        Form* view = Form::show<teacherview::frmInsegnante>();
        settle();
        auto* levels = child<QPushButton>(view, "cmdLevels");
        EXPECT_NE(levels, nullptr);
        if (!levels)
            return nullptr;
        levels->click();
        settle();
        frmLivelli* editor = Form::instance<frmLivelli>();
        if (editor)
            editor->pickExercise(QStringLiteral("frmRuota4"));
        return editor;
    }

    static constexpr const char* kSettings = "; the school's settings\r\n[Program]\r\nTeacherPasswordHash=x\r\n";
    QString m_path;
};

TEST_F(LevelEditor, RefusesALevelThatCannotBeAnsweredAndSavesOneThatCan)
{
    frmLivelli* editor = openEditor();
    ASSERT_NE(editor, nullptr);
    auto* save = child<QPushButton>(editor, "cmdSave");
    auto* verdict = child<QLabel>(editor, "lblVerdict");

    // No right angle among 100 to 360.
    child<QSpinBox>(editor, "spnMin")->setValue(100);
    EXPECT_FALSE(save->isEnabled());
    EXPECT_TRUE(verdict->text().contains(QStringLiteral("no right angle"))) << verdict->text().toStdString();

    child<QSpinBox>(editor, "spnMin")->setValue(30);
    child<QSpinBox>(editor, "spnMax")->setValue(150);
    child<QSpinBox>(editor, "spnMinDistance")->setValue(30);
    ASSERT_TRUE(save->isEnabled()) << verdict->text().toStdString();
    save->click();

    const QByteArray written = readAll(m_path);
    EXPECT_TRUE(written.startsWith(kSettings)) << written.toStdString();
    const exercises::LevelBook book = exercises::readLevelBook(m_path, written);
    EXPECT_TRUE(book.problems.isEmpty()) << book.problems.join(u'\n').toStdString();
    exercises::Level expected = exercises::defaultLevel(QStringLiteral("frmRuota4"));
    expected.max = 150;
    expected.minDistance = 30;
    EXPECT_EQ(book.levelOf(QStringLiteral("frmRuota4")), expected);
    EXPECT_TRUE(child<QLabel>(editor, "lblInForce")->text().contains(QStringLiteral("MinDistance=30")));

    // A settings file that cannot be written: said so, and saved elsewhere instead.
    const QString blocked = m_path + QStringLiteral("/not-a-folder/gonioma.conf");
    qputenv("GONIOMA_CONFIG", blocked.toLocal8Bit());
    const QString handed = QFileInfo(m_path).path() + QStringLiteral("/for-the-administrator.conf");
    frmLivelli::setSaveAsPromptForTesting([&] { return handed; });
    save->click();
    qputenv("GONIOMA_CONFIG", m_path.toLocal8Bit());
    auto* saveAs = child<QPushButton>(editor, "cmdSaveAs");
    EXPECT_TRUE(child<QLabel>(editor, "lblSaved")->text().contains(QStringLiteral("Save as")));
    ASSERT_TRUE(saveAs->isVisibleTo(editor));
    saveAs->click();
    EXPECT_EQ(exercises::readLevelBook(handed, readAll(handed)).levelOf(QStringLiteral("frmRuota4")), expected);
}

} // namespace
