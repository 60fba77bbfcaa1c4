#include "teacher/TeacherPassword.h"

#include "language/IniFile.h"
#include "language/LanguageSupport.h"
#include "platform/services/Settings.h"
#include "platform/widgets/MessageBox.h"
#include "shared/Modulo1.h"

#include <QDir>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QSettings>

#include <sodium.h>

#include <algorithm>

namespace teacher {

namespace {

constexpr int kFreeTries = 3;
constexpr std::chrono::seconds kFirstWait{5};
constexpr std::chrono::seconds kLongestWait{300};
const QString kAccountKey = QStringLiteral("Teacher/PasswordHash");

std::function<std::optional<QString>(const QString&)>& answerForTesting()
{
    static std::function<std::optional<QString>(const QString&)> answer;
    return answer;
}

bool sodiumReady()
{
    static const bool ready = sodium_init() >= 0;
    return ready;
}

// One password box: the typed text, or nothing when cancelled.
std::optional<QString> askText(QWidget* parent, const QString& prompt)
{
    if (answerForTesting())
        return answerForTesting()(prompt);
    bool ok = false;
    const QString text = QInputDialog::getText(parent, shared::messageBoxTitle(), prompt, QLineEdit::Password,
                                               QString(), &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

void tell(const QString& text)
{
    platform::MessageBox::show({text, platform::MessageIcon::Information, platform::MessageButtons::Ok,
                                shared::messageBoxTitle()});
}

// First use: the password typed twice, the same both times, and not empty.
bool chooseFirstPassword(QWidget* parent)
{
    for (;;) {
        const auto first = askText(parent, language::LookupString(language::Message::TeacherPasswordChoose));
        if (!first)
            return false;
        const auto second = askText(parent, language::LookupString(language::Message::TeacherPasswordRepeat));
        if (!second)
            return false;
        if (first->isEmpty() || *first != *second) {
            tell(language::LookupString(language::Message::TeacherPasswordMismatch));
            continue;
        }
        if (!choosePassword(*first)) {
            tell(language::LookupString(language::Message::TeacherPasswordNotKept));
            return false;
        }
        return true;
    }
}

} // namespace

QByteArray hashPassword(const QString& password)
{
    if (!sodiumReady())
        return {};
    const QByteArray utf8 = password.toUtf8();
    char hash[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(hash, utf8.constData(), quint64(utf8.size()), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        return {};
    return QByteArray(hash);
}

bool passwordMatches(const QByteArray& hash, const QString& password)
{
    if (!sodiumReady() || hash.isEmpty() || hash.size() >= crypto_pwhash_STRBYTES)
        return false;
    const QByteArray terminated = hash + '\0'; // the library reads up to the NUL
    const QByteArray utf8 = password.toUtf8();
    return crypto_pwhash_str_verify(terminated.constData(), utf8.constData(), quint64(utf8.size())) == 0;
}

QByteArray currentPasswordHash()
{
    const QString school = language::ReadIniString(platform::schoolSettingsPath(), QStringLiteral("Program"),
                                                   QStringLiteral("TeacherPasswordHash"));
    if (!school.trimmed().isEmpty())
        return school.trimmed().toUtf8();
    const QSettings account(platform::accountSettingsPath(), QSettings::IniFormat);
    return account.value(kAccountKey).toString().toUtf8();
}

bool choosePassword(const QString& password)
{
    const QByteArray hash = hashPassword(password);
    if (hash.isEmpty())
        return false;
    const QString path = platform::accountSettingsPath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSettings account(path, QSettings::IniFormat);
    account.setValue(kAccountKey, QString::fromLatin1(hash));
    account.sync();
    return account.status() == QSettings::NoError;
}

PasswordGate::PasswordGate(Clock clock) : m_clock(std::move(clock)) {}

PasswordGate::Outcome PasswordGate::attempt(const QByteArray& hash, const QString& password)
{
    if (secondsToWait() > 0)
        return Outcome::MustWait;
    if (passwordMatches(hash, password)) {
        m_wrongInARow = 0;
        m_lastWait = std::chrono::seconds(0);
        return Outcome::Right;
    }
    if (++m_wrongInARow >= kFreeTries) {
        m_lastWait = m_lastWait.count() == 0 ? kFirstWait : std::min(m_lastWait * 2, kLongestWait);
        m_nextTry = m_clock() + m_lastWait;
    }
    return Outcome::Wrong;
}

int PasswordGate::secondsToWait() const
{
    const auto left = m_nextTry - m_clock();
    if (left <= std::chrono::steady_clock::duration::zero())
        return 0;
    return int(std::chrono::ceil<std::chrono::seconds>(left).count());
}

PasswordGate& PasswordGate::shared()
{
    static PasswordGate gate;
    return gate;
}

bool askTeacherPassword(QWidget* parent)
{
    const QByteArray hash = currentPasswordHash();
    if (hash.isEmpty())
        return chooseFirstPassword(parent);
    PasswordGate& gate = PasswordGate::shared();
    if (const int wait = gate.secondsToWait(); wait > 0) {
        tell(language::LookupString(language::Message::TeacherPasswordWait).arg(wait));
        return false;
    }
    const auto typed = askText(parent, language::LookupString(language::Message::TeacherPasswordPrompt));
    if (!typed)
        return false;
    switch (gate.attempt(hash, *typed)) {
    case PasswordGate::Outcome::Right:
        return true;
    case PasswordGate::Outcome::Wrong:
        tell(language::LookupString(language::Message::TeacherPasswordWrong));
        return false;
    case PasswordGate::Outcome::MustWait:
        tell(language::LookupString(language::Message::TeacherPasswordWait).arg(gate.secondsToWait()));
        return false;
    }
    return false;
}

void setPasswordAnswerForTesting(std::function<std::optional<QString>(const QString& prompt)> answer)
{
    answerForTesting() = std::move(answer);
}

} // namespace teacher
