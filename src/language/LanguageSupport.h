#pragma once

#include "language/Messages.h"

#include <QString>

// The settings file that names the current language, and the lookup of message
// texts by their four-digit identifier in that language's file.
namespace language {

// Name of the current language file without ".lng"; empty until first read.
extern QString CurrentLanguageFile;

// AppDir + "/LangSetting.ini".
QString settingsFilePath();

// The language named in the settings file; empty when the file or key is
// missing. A choice of this run that could not be saved wins over the file.
QString readLanguageSetting();

// Writes the chosen language into the settings file. When the file cannot be
// written the choice still holds until the program ends (one line on the
// error output says so); returns whether it was saved.
bool saveLanguageSetting(const QString& name);

// Uses the language for this run only, as a choice that could not be saved:
// LangSetting.ini is left as it is until the pupil picks one from the menu.
void useLanguageForThisRun(const QString& name);

// Forgets a choice that could not be saved, as at the start of a run.
void forgetUnsavedLanguage();

// The language to use for this run: the one the settings file names, when its
// file can be used at all; otherwise "Italiano", or failing that the first
// listed language whose file can be used, so that no message box is left
// without text. The settings file itself is left as it is.
QString languageForTheRun();

// True when the language's file is a readable regular file with at least one
// message text (a key in section "Strings").
bool isUsableLanguage(const QString& name);

// The language used when the one in the settings file cannot be.
inline constexpr char kFallbackLanguage[] = "Italiano";

// False for names that could lead out of the program's directory: '/', '\\',
// "..", or a control character.
bool isSafeLanguageName(const QString& name);

// AppDir + "/" + CurrentLanguageFile + ".lng"; empty when the name is unsafe.
QString languageFilePath();
// The same for any language name.
QString languageFilePathFor(const QString& name);

// The text of message `id` (section "Strings") in the current language file,
// read afresh on every call; empty when it cannot be found.
QString LookupString(const QString& id);
// The same for a message the program names.
QString LookupString(Message message);

// Message boxes take the captions of Yes, No and OK from messages 0090, 0091
// and 0092 of the current language file, when it has them.
void captionMessageButtonsFromLanguage();

} // namespace language
