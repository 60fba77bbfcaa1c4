#pragma once

namespace platform {

// Hands the heap's free pages back to the system once the event loop is next
// idle. A closed window frees many small blocks (its widgets, fonts, texts);
// without this they stay in the heap, so every visit to an exercise would add
// to what the program holds.
void giveBackFreedMemorySoon();

} // namespace platform
