#include "platform/SoundModule.h"

#include <QFileInfo>
#include <QLibrary>

#ifndef GONIOMA_SOUND_MODULE
#error "GONIOMA_SOUND_MODULE names the sound module's file"
#endif

namespace platform {

QString SoundModule::fileName()
{
    return QStringLiteral(GONIOMA_SOUND_MODULE);
}

SoundModule::Loaded SoundModule::load(const QString& dir)
{
    const QString path = dir + QLatin1Char('/') + fileName();
    if (!QFileInfo(path).isFile())
        return {nullptr, QStringLiteral("no file %1").arg(path)};

    QLibrary library(path);
    // Every symbol is resolved now, so a module that does not fit this system
    // fails here rather than when a sound plays. It is never taken out again:
    // the sounds it made live until the process ends.
    library.setLoadHints(QLibrary::ResolveAllSymbolsHint | QLibrary::PreventUnloadHint);
    if (!library.load())
        return {nullptr, library.errorString()};
    const auto factory = reinterpret_cast<SoundBackendFactory>(library.resolve(kSoundBackendFactory));
    if (!factory)
        return {nullptr, QStringLiteral("%1 has no function %2").arg(path, QLatin1String(kSoundBackendFactory))};
    std::unique_ptr<SoundBackend> backend(factory(kSoundBackendVersion));
    if (!backend)
        return {nullptr, QStringLiteral("%1 was built for another version of the program").arg(path)};
    return {std::move(backend), QString()};
}

} // namespace platform
