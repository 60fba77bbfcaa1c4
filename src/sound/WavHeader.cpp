#include "sound/WavHeader.h"

#include <QFile>
#include <QFileInfo>

#include <optional>

namespace sound {

namespace {

constexpr qint64 kChunkHeader = 8;
constexpr qint64 kRiffHeader = 12;
constexpr qint64 kPcmFormatBytes = 16;
constexpr quint16 kPcm = 1;
constexpr quint32 kMinRate = 1000;
constexpr quint32 kMaxRate = 384000;
constexpr quint16 kMaxChannels = 8;

quint32 littleEndian(QByteArrayView bytes, qint64 at, int width)
{
    quint32 value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

struct Chunk {
    qint64 start = 0; // of its header
    QByteArrayView id;
    qint64 size = 0; // of its body

    qint64 body() const { return start + kChunkHeader; }
    // Where the next chunk starts: bodies of odd size carry a pad byte.
    qint64 next() const { return body() + size + (size & 1); }
};

// The chunk whose header starts at `at`, when the head holds that header.
std::optional<Chunk> chunkAt(QByteArrayView head, qint64 at)
{
    if (at < 0 || at + kChunkHeader > head.size())
        return std::nullopt;
    return Chunk{at, head.sliced(at, 4), littleEndian(head, at + 4, 4)};
}

// Walks from `at` to the chunk named `id`. Every chunk passed over must lie
// wholly inside the file.
std::optional<Chunk> findChunk(QByteArrayView head, qint64 fileSize, qint64 at, QByteArrayView id)
{
    while (std::optional<Chunk> chunk = chunkAt(head, at)) {
        if (chunk->id == id)
            return chunk;
        if (chunk->next() > fileSize)
            return std::nullopt;
        at = chunk->next();
    }
    return std::nullopt;
}

// Bytes per frame of a plain PCM format chunk, 0 when it is not one.
quint32 pcmFrameBytes(QByteArrayView head, const Chunk& format)
{
    if (format.size < kPcmFormatBytes || (format.size & 1) || format.body() + format.size > head.size())
        return 0;
    const qint64 at = format.body();
    const quint32 tag = littleEndian(head, at, 2);
    const quint32 channels = littleEndian(head, at + 2, 2);
    const quint32 rate = littleEndian(head, at + 4, 4);
    const quint32 blockAlign = littleEndian(head, at + 12, 2);
    const quint32 bits = littleEndian(head, at + 14, 2);
    const bool plain = tag == kPcm && channels >= 1 && channels <= kMaxChannels && rate >= kMinRate
        && rate <= kMaxRate && (bits == 8 || bits == 16) && blockAlign == channels * (bits / 8);
    return plain ? blockAlign : 0;
}

} // namespace

bool isCompleteWav(QByteArrayView head, qint64 fileSize)
{
    if (fileSize < head.size() && fileSize < kWavHeadBytes)
        return false;
    head = head.first(std::min<qint64>(head.size(), std::min(fileSize, qint64(kWavHeadBytes))));
    if (head.size() < kRiffHeader || head.first(4) != "RIFF" || head.sliced(8, 4) != "WAVE")
        return false;
    if (qint64(littleEndian(head, 4, 4)) + kChunkHeader > fileSize)
        return false;
    const std::optional<Chunk> format = findChunk(head, fileSize, kRiffHeader, "fmt ");
    if (!format)
        return false;
    const quint32 frameBytes = pcmFrameBytes(head, *format);
    if (frameBytes == 0)
        return false;
    const std::optional<Chunk> data = findChunk(head, fileSize, format->next(), "data");
    return data && data->size > 0 && data->size % frameBytes == 0 && data->body() + data->size <= fileSize;
}

bool isCompleteWavFile(const QString& path)
{
    // Opening a pipe would wait for a writer: only regular files are read.
    const QFileInfo info(path);
    if (!info.isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return isCompleteWav(file.read(kWavHeadBytes), file.size());
}

} // namespace sound
