#pragma once

namespace platform {

// Tells assistive technology what the program's own controls are: a drawing
// box is a picture, named by its tooltip (which the language file gives) and
// never by what it shows.
void installAccessibleRoles();

} // namespace platform
