#pragma once

#include <functional>

namespace sound {

class SoundBackend;

// Whether the back end finds a device to play sounds on. What the sound system
// prints while it is asked (no sound server, say) is dropped when there is
// none, and passed on as it came when there is one.
bool hasAudioOutput(SoundBackend& backend);

// Runs `query` with Qt's messages held back; they are passed on, in order,
// only when it answers true. A fatal message is never held.
bool passMessagesOnlyIf(const std::function<bool()>& query);

} // namespace sound
