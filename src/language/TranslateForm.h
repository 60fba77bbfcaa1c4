#pragma once

namespace platform {
class Form;
}

namespace language {

// Applies the current language file to one loaded window: its title (only when
// it has one), its tag, and the caption, tooltip and tag of each of its
// controls, menus included. Texts the file lacks leave the design texts, except
// that a titled window loses its title and the window's tag is cleared. A
// language file that is missing or unreadable leaves the window as designed.
// The program first takes the language's writing direction (TextDirection.h).
//
// The event loop runs after each control, so the window stays responsive; the
// window may be unloaded, or a control deleted, while that happens.
void TranslateForm(platform::Form* form);

} // namespace language
