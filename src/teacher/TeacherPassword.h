#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>
#include <functional>
#include <optional>

class QWidget;

// The teacher's password guards what pupils must not reach: the teacher's
// view, and leaving the program in locked mode. It is kept only as a salted
// hash (libsodium's crypto_pwhash_str, Argon2id), never in plain text.
namespace teacher {

// A new salted hash of the password, in libsodium's text form ("$argon2id$...").
// Empty when the library cannot make one (out of memory).
QByteArray hashPassword(const QString& password);
// Whether the password is the one the hash was made from. A malformed hash
// matches nothing.
bool passwordMatches(const QByteArray& hash, const QString& password);

// The hash in force: TeacherPasswordHash= in [Program] of the school settings
// when set there, else the one chosen on first use in this account's
// settings; empty when there is none yet.
QByteArray currentPasswordHash();
// Keeps a password chosen on first use in this account's settings; false
// when they cannot be written (nothing changed then).
bool choosePassword(const QString& password);

// Slows down guessing: after three wrong tries in a row, each further try
// must wait, twice as long as the last wait (5 s, 10 s, ... up to 5 minutes).
// A right try starts the count again.
class PasswordGate {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    explicit PasswordGate(Clock clock = std::chrono::steady_clock::now);

    enum class Outcome { Right, Wrong, MustWait };
    // Checks a try against the hash; a try during a wait is not checked.
    Outcome attempt(const QByteArray& hash, const QString& password);
    // Seconds left before the next try is checked; 0 when it may be made now.
    int secondsToWait() const;

    // The program's one gate, shared by every prompt.
    static PasswordGate& shared();

private:
    Clock m_clock;
    int m_wrongInARow = 0;
    std::chrono::steady_clock::time_point m_nextTry{};
    std::chrono::seconds m_lastWait{0};
};

// Asks for the teacher's password in a small modal box over `parent`; true
// when the right one was given. With no password yet, the teacher chooses one
// (typed twice) and it is kept; false when cancelled.
bool askTeacherPassword(QWidget* parent);

// For tests: answers the password boxes instead of showing them. The function
// gets the prompt text and returns the typed text, or nothing for "cancel".
void setPasswordAnswerForTesting(std::function<std::optional<QString>(const QString& prompt)> answer);

} // namespace teacher
