#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

// Background colours and feedback sounds.
namespace shared {

// One of the 18 entries of the background table, drawn at random; colours that
// fill several entries come up more often.
QColor RandomBackColor();

// The colour of table entry 1 to 18.
QColor backColorEntry(int entry);

// With the classroom display the window colours are only the calm ones: black
// text on them at 4.5:1 or more, and plainly not the fan's colour.
bool isCalmBackColor(const QColor& colour);
// The table entries of calm colours, in table order.
QList<int> calmBackColorEntries();

void PlayRightSound(); // one of four cheerful sounds, only while sounds are on
void PlayWrongSound(); // the wrong-answer sound, only while sounds are on

QString soundPath(const QString& name); // "<program dir>/suoni/<name>.wav"
QStringList allSoundPaths();

} // namespace shared
