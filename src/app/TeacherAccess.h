#pragma once

#include "teacherview/SummaryModel.h"
#include "teacherview/frmInsegnante.h"

#include <QList>

class QWidget;

namespace app {

// Asks for the teacher's password over `parent` (the teacher chooses one on
// first use); when it is right, opens the teacher's view on this computer
// account's results. Returns whether the view is open.
bool openTeacherView(QWidget* parent);

// The view's source on the results store at `storePath`: its reader, its
// class list (when the store can be written) and its CSV export.
teacherview::TeacherViewSource localTeacherViewSource(const QString& storePath);

// The exercises in the menu's order, named by their menu buttons' captions
// in the current language.
QList<teacherview::ExerciseColumn> teacherViewExercises();

} // namespace app
