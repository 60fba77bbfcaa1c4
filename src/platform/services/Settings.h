#pragma once

#include <QString>

namespace platform {

// The two settings files besides LangSetting.ini.
//
// The school's settings, written by the teacher or the package and read-only
// for pupils: /etc/gonioma/gonioma.conf, or the file GONIOMA_CONFIG names (to
// try a set-up, and for tests). Sections: [Program] (Locked, Pupils,
// TeacherPasswordHash), [Results] (the school server), and one section per
// exercise window (its level).
QString schoolSettingsPath();

// This computer account's own settings, which the program writes (the
// classroom display, the teacher password chosen on first use):
// $XDG_CONFIG_HOME/gonioma/gonioma.ini, ~/.config/gonioma/gonioma.ini without it.
QString accountSettingsPath();

// Where this computer account's results are kept: $XDG_DATA_HOME/gonioma,
// ~/.local/share/gonioma without it. Not created here.
QString accountDataDir();

} // namespace platform
