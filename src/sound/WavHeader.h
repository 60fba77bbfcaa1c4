#pragma once

#include <QByteArrayView>
#include <QString>

namespace sound {

// How many bytes from the start of a sound file the check below looks at.
inline constexpr qsizetype kWavHeadBytes = 4096;

// True when a sound file's first bytes (up to kWavHeadBytes of them) and its
// size describe a complete, plain WAV file: a little-endian RIFF/WAVE file
// whose declared size fits the file, a PCM "fmt " chunk of 8- or 16-bit
// samples, and a "data" chunk that is wholly present and holds whole frames.
// The sound back end waits forever for the missing bytes of a file that
// breaks any of these, and a program that waits cannot end; such a file is
// never handed to it.
bool isCompleteWav(QByteArrayView head, qint64 fileSize);

// Reads the head of a regular file and checks it (a folder, a pipe or a file
// that cannot be opened is no sound).
bool isCompleteWavFile(const QString& path);

} // namespace sound
