#include "language/TranslateForm.h"

#include "language/IniFile.h"
#include "language/LanguageSupport.h"
#include "language/TextDirection.h"
#include "platform/services/EventYield.h"
#include "platform/widgets/Form.h"
#include "platform/widgets/Properties.h"

#include <QFileInfo>
#include <QList>
#include <QPointer>

#include <utility>

namespace language {

namespace {

const QString Caption = QStringLiteral("Caption");
const QString ToolTipText = QStringLiteral("ToolTipText");
const QString Tag = QStringLiteral("Tag");

// A language file that cannot be read counts as missing: every read would fail.
bool isReadableFile(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.isFile() && info.isReadable();
}

// Reads the keys of one window's section of the language file.
class SectionReader {
public:
    SectionReader(QString path, QString section)
        : m_path(std::move(path))
        , m_section(std::move(section))
    {
    }

    QString read(const QString& key) const { return ReadIniString(m_path, m_section, key); }

    // "Label2.Caption" for a lone control, "Label2(2).Caption" for element 2 of
    // a control array.
    QString readFor(const QObject* control, const QString& property) const
    {
        QString key = control->objectName();
        const int index = platform::controlIndex(control);
        if (index >= 0)
            key += u'(' + QString::number(index) + u')';
        return read(key + u'.' + property);
    }

private:
    QString m_path;
    QString m_section;
};

// A text the file holds replaces the design text; an empty one leaves it. A
// control that lacks the property refuses quietly.
void offerIfNotEmpty(QObject* control, const QString& property, const QString& text)
{
    if (!text.isEmpty())
        platform::setControlProperty(control, property, text);
}

// Tab captions are addressed by the control's name alone, array element or
// not, and are assigned even when empty. The last number is one past the last
// tab and addresses nothing; its assignment is refused like any other.
void translateTabs(QObject* control, const SectionReader& reader)
{
    const auto tabs = platform::controlProperty(control, QStringLiteral("Tabs"));
    if (!tabs)
        return;
    const int count = tabs->toInt();
    for (int n = 0; count > 0 && n <= count; ++n) {
        const QString tab = QStringLiteral("TabCaption(%1)").arg(n);
        platform::setControlProperty(control, tab, reader.read(control->objectName() + u'.' + tab));
    }
}

void translateControl(QObject* control, const SectionReader& reader)
{
    offerIfNotEmpty(control, Caption, reader.readFor(control, Caption));
    offerIfNotEmpty(control, ToolTipText, reader.readFor(control, ToolTipText));
    offerIfNotEmpty(control, Tag, reader.readFor(control, Tag));
    translateTabs(control, reader);
}

} // namespace

void TranslateForm(platform::Form* form)
{
    if (!form || !form->isLoaded())
        return;
    // The direction holds for the whole program: a language picked from the
    // menu turns every open window with the first one translated.
    applyLanguageDirection();
    const QString path = languageFilePath();
    if (!isReadableFile(path))
        return;

    const QString name = form->objectName();
    const SectionReader reader(path, name);

    // An untitled window stays untitled; a titled one takes whatever the file
    // holds, nothing included.
    if (!form->windowTitle().isEmpty())
        platform::setControlProperty(form, Caption, reader.read(name + QStringLiteral(".Caption")));
    // Windows have no tooltip; the offer is refused.
    platform::setControlProperty(form, ToolTipText, reader.read(name + QStringLiteral(".ToolTipText")));
    platform::setControlProperty(form, Tag, reader.read(name + QStringLiteral(".Tag")));

    // Events run between controls: a click may unload the window or delete a
    // control, so the walk holds guarded pointers and not the live list.
    const QPointer<platform::Form> guard(form);
    QList<QPointer<QObject>> controls;
    for (QObject* control : form->controls())
        controls.append(control);

    for (const QPointer<QObject>& control : controls) {
        if (!control)
            continue;
        translateControl(control, reader);
        platform::EventYield::now();
        if (!guard || !guard->isLoaded())
            return;
    }
}

} // namespace language
