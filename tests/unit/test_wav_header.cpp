#include "sound/WavHeader.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>

using sound::isCompleteWav;

namespace {

void putLE(QByteArray& bytes, qsizetype at, quint32 value, int width)
{
    for (int i = 0; i < width; ++i)
        bytes[at + i] = char((value >> (8 * i)) & 0xFF);
}

// A canonical 44-byte header and `frames` frames of 16-bit mono samples.
QByteArray wav(int frames = 100)
{
    QByteArray bytes = QByteArray("RIFF....WAVEfmt ") + QByteArray(20, '\0') + "data...." + QByteArray(frames * 2, 'x');
    putLE(bytes, 4, quint32(bytes.size() - 8), 4);
    putLE(bytes, 16, 16, 4);    // fmt size
    putLE(bytes, 20, 1, 2);     // PCM
    putLE(bytes, 22, 1, 2);     // channels
    putLE(bytes, 24, 44100, 4); // rate
    putLE(bytes, 28, 88200, 4); // bytes per second
    putLE(bytes, 32, 2, 2);     // block align
    putLE(bytes, 34, 16, 2);    // bits
    putLE(bytes, 40, quint32(frames * 2), 4);
    return bytes;
}

QByteArray changed(QByteArray bytes, const std::function<void(QByteArray&)>& change)
{
    change(bytes);
    return bytes;
}

bool complete(const QByteArray& bytes)
{
    return isCompleteWav(bytes, bytes.size());
}

TEST(WavHeader, PlainPcmFilesPass)
{
    EXPECT_TRUE(complete(wav()));
    EXPECT_TRUE(complete(wav(1)));
    EXPECT_TRUE(complete(wav() + "trailing bytes after the samples"));
    // 8-bit stereo: two bytes a frame.
    EXPECT_TRUE(complete(changed(wav(), [](QByteArray& b) { putLE(b, 22, 2, 2); putLE(b, 34, 8, 2); })));
    // Chunks the player skips, before and after the format; an odd one is padded.
    const QByteArray plain = wav();
    QByteArray extra = plain.first(12) + "JUNK" + QByteArray("\x03\0\0\0abc\0", 8) + plain.sliced(12, 24)
        + "LIST" + QByteArray("\x04\0\0\0info", 8) + plain.sliced(36);
    putLE(extra, 4, quint32(extra.size() - 8), 4);
    EXPECT_TRUE(complete(extra));
    // A RIFF size smaller than the file is no harm; the samples are all there.
    EXPECT_TRUE(complete(changed(wav(), [](QByteArray& b) { putLE(b, 4, 36, 4); })));
}

TEST(WavHeader, DamagedOrForeignFilesAreRefused)
{
    const QByteArray good = wav();
    const struct {
        const char* what;
        QByteArray bytes;
    } refused[] = {
        {"empty", ""},
        {"cut to 10 bytes", good.first(10)},
        {"cut inside the format", good.first(30)},
        {"cut after the data header", good.first(44)},
        {"cut inside the samples", good.first(good.size() - 1)},
        {"not RIFF", changed(good, [](QByteArray& b) { b[0] = 'X'; })},
        {"big-endian RIFX", changed(good, [](QByteArray& b) { b[3] = 'X'; })},
        {"not WAVE", changed(good, [](QByteArray& b) { b[8] = 'A'; })},
        {"RIFF size past the end", changed(good, [](QByteArray& b) { putLE(b, 4, quint32(b.size()), 4); })},
        {"no format chunk", changed(good, [](QByteArray& b) { b[12] = 'F'; })},
        {"format chunk too short", changed(good, [](QByteArray& b) { putLE(b, 16, 14, 4); })},
        {"format chunk of odd size", changed(good, [](QByteArray& b) { putLE(b, 16, 17, 4); })},
        {"format chunk past the end", changed(good, [](QByteArray& b) { putLE(b, 16, 0xFFFFFFF0, 4); })},
        {"compressed", changed(good, [](QByteArray& b) { putLE(b, 20, 2, 2); })},
        {"floating point", changed(good, [](QByteArray& b) { putLE(b, 20, 3, 2); })},
        {"no channels", changed(good, [](QByteArray& b) { putLE(b, 22, 0, 2); })},
        {"rate 0", changed(good, [](QByteArray& b) { putLE(b, 24, 0, 4); })},
        {"rate beyond any card", changed(good, [](QByteArray& b) { putLE(b, 24, 0x80000000, 4); })},
        {"24-bit", changed(good, [](QByteArray& b) { putLE(b, 34, 24, 2); putLE(b, 32, 3, 2); })},
        {"block align wrong", changed(good, [](QByteArray& b) { putLE(b, 32, 4, 2); })},
        {"no data chunk", changed(good, [](QByteArray& b) { b[36] = 'D'; })},
        {"empty data", changed(good.first(44), [](QByteArray& b) { putLE(b, 40, 0, 4); putLE(b, 4, 36, 4); })},
        {"half a frame", changed(good, [](QByteArray& b) { putLE(b, 40, 199, 4); })},
        {"data past the end", changed(good, [](QByteArray& b) { putLE(b, 40, 202, 4); })},
        {"data size wraps", changed(good, [](QByteArray& b) { putLE(b, 40, 0xFFFFFFFE, 4); })},
        {"skipped chunk past the end", good.first(36) + "LIST" + QByteArray("\xFF\xFF\0\0", 4) + good.sliced(36)},
    };
    for (const auto& file : refused)
        EXPECT_FALSE(complete(file.bytes)) << file.what;
}

TEST(WavHeader, TheDeclaredFileSizeCounts)
{
    const QByteArray good = wav();
    EXPECT_FALSE(isCompleteWav(good, good.size() - 1));
    EXPECT_FALSE(isCompleteWav(good, -1));
    EXPECT_FALSE(isCompleteWav(good.first(40), good.size())); // header cut short of the data chunk
    EXPECT_TRUE(isCompleteWav(good.first(44), good.size()));  // the samples need not be read
}

TEST(WavHeader, OnlyRegularReadableFilesAreSounds)
{
    QTemporaryDir dir;
    const QString sound = dir.filePath("si1.wav");
    QFile file(sound);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(wav());
    file.close();
    EXPECT_TRUE(sound::isCompleteWavFile(sound));

    EXPECT_FALSE(sound::isCompleteWavFile(dir.filePath("missing.wav")));
    EXPECT_FALSE(sound::isCompleteWavFile(dir.path()));
    const QString pipe = dir.filePath("no.wav");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_FALSE(sound::isCompleteWavFile(pipe)); // and does not wait for a writer
}

} // namespace

#ifdef GONIOMA_SOUNDS_DIR
// The check must never silence the program's own sounds.
TEST(WavHeader, TheShippedSoundsPass)
{
    for (const char* name : {"no", "si1", "si2", "si3", "si4"}) {
        const QString path = QStringLiteral(GONIOMA_SOUNDS_DIR "/") + name + QStringLiteral(".wav");
        EXPECT_TRUE(sound::isCompleteWavFile(path)) << path.toStdString();
    }
}
#endif
