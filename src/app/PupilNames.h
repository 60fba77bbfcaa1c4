#pragma once

#include <QString>
#include <QStringList>

namespace results {
class Recording;
}

// Who is answering: the class list a pupil picks his or her name from, and
// the recording that keeps the answers under that name.
namespace app {

// The class list: the one kept with the results (the teacher's view edits
// it) when it holds names, else the names of the text file the school
// settings name in [Program] Pupils= (a relative path is taken from the
// settings file's folder). Empty when there is none: the program then runs
// as it always has, and answers are kept under the account's user name.
QStringList classListNames();

// The text file [Program] Pupils= names, as a full path; empty without one.
QString classListFilePath();

// Opens this account's results and installs them as the frame's recorder;
// a run that had one gets a fresh one (a test's own data folder).
void startRecording();
// Uninstalls and closes the recording of this run.
void stopRecording();
// The recording of this run; nullptr before startRecording().
results::Recording* recording();

} // namespace app
