#include "app/FormAlunni.h"

#include "app/FormAvvio.h"
#include "app/FormMenu.h"
#include "app/PupilNames.h"
#include "language/LanguageSupport.h"
#include "language/TranslateForm.h"
#include "platform/widgets/Controls.h"
#include "results/Recording.h"
#include "shared/Modulo1.h"
#include "shared/ModuloColoriSuoni.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace app {

using namespace platform;
using language::Message;

namespace {
std::function<void(Form&)>& nextWindow()
{
    static std::function<void(Form&)> next;
    return next;
}

// Design places, in pixels of the 800 x 560 design.
constexpr int kLeft = 20;
constexpr int kColumnStep = 256;
constexpr int kButtonWidth = 240;
constexpr int kTop = 88;
constexpr int kRowStep = 76;
constexpr int kButtonHeight = 64;
constexpr int kNavigationTop = 476;
} // namespace

void FormAlunni::setNext(std::function<void(Form& from)> next)
{
    nextWindow() = std::move(next);
}

FormAlunni::FormAlunni()
    : Form(QStringLiteral("FormAlunni"))
{
    setWindowTitle(QStringLiteral("Chi sei?"));
    setDesignInnerSize(800, 560);
    showAtScreenSize();

    Label1 = addControl(newLabel(client(), QRect(kLeft, 16, 760, 56), QStringLiteral("Scegli il tuo nome")),
                        QStringLiteral("Label1"));
    Label1->setFont(designFont(font().family(), 24, true));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(false);

    const QFont nameFont = designFont(font().family(), 16, true);
    for (int slot = 0; slot < kNamesOnAPage; ++slot) {
        const QRect place(kLeft + (slot % kColumns) * kColumnStep, kTop + (slot / kColumns) * kRowStep, kButtonWidth,
                          kButtonHeight);
        QPushButton* button = addControl(newButton(client(), place, QString()), QStringLiteral("NameButton"), slot);
        button->setFont(nameFont);
        connect(button, &QPushButton::clicked, this, [this, slot] { pick(slot); });
        NameButtons.append(button);
    }

    const QFont navigationFont = designFont(font().family(), 14, true);
    CommandPrevious = addControl(
        newButton(client(), QRect(kLeft, kNavigationTop, kButtonWidth, kButtonHeight), QStringLiteral("Nomi precedenti")),
        QStringLiteral("CommandPrevious"));
    LabelPage = addControl(newLabel(client(), QRect(kLeft + kColumnStep, kNavigationTop, kButtonWidth, kButtonHeight),
                                    QString()),
                           QStringLiteral("LabelPage"));
    LabelPage->setAlignment(Qt::AlignCenter);
    CommandNext = addControl(
        newButton(client(), QRect(kLeft + 2 * kColumnStep, kNavigationTop, kButtonWidth, kButtonHeight),
                  QStringLiteral("Altri nomi")),
        QStringLiteral("CommandNext"));
    for (QWidget* w : {static_cast<QWidget*>(CommandPrevious), static_cast<QWidget*>(LabelPage),
                       static_cast<QWidget*>(CommandNext)})
        w->setFont(navigationFont);
    connect(CommandPrevious, &QPushButton::clicked, this, [this] { showPage(m_page - 1); });
    connect(CommandNext, &QPushButton::clicked, this, [this] { showPage(m_page + 1); });
}

void FormAlunni::Form_Load()
{
    QPointer<FormAlunni> self(this);
    language::TranslateForm(this);
    // The translation lets the event loop run; the program may have ended meanwhile.
    if (!self || !self->isLoaded())
        return;
    Label1->setAccessibleName(Label1->text());
    m_names = classListNames();
    shared::bindSharedResizer(this);
    setBackColor(shared::RandomBackColor());
    showPage(0);
}

void FormAlunni::Form_Activate()
{
    fillScreen();
    fitCaptions();
    if (!NameButtons.isEmpty() && NameButtons.first()->isVisible())
        NameButtons.first()->setFocus();
}

void FormAlunni::Form_Resize()
{
    shared::resizeWithSharedResizer();
    fitCaptions();
}

int FormAlunni::pageCount() const
{
    return std::max(1, int((m_names.size() + kNamesOnAPage - 1) / kNamesOnAPage));
}

void FormAlunni::showPage(int page)
{
    m_page = std::clamp(page, 0, pageCount() - 1);
    const qsizetype first = qsizetype(m_page) * kNamesOnAPage;
    for (int slot = 0; slot < kNamesOnAPage; ++slot) {
        QPushButton* button = NameButtons[slot];
        const qsizetype index = first + slot;
        const bool used = index < m_names.size();
        button->setVisible(used);
        button->setAccessibleName(used ? m_names[index] : QString());
        button->setToolTip(used ? m_names[index] : QString());
    }
    const bool paged = pageCount() > 1;
    CommandPrevious->setVisible(paged);
    CommandNext->setVisible(paged);
    LabelPage->setVisible(paged);
    CommandPrevious->setEnabled(m_page > 0);
    CommandNext->setEnabled(m_page + 1 < pageCount());
    // Written here, page by page; a list of one page has no such line.
    LabelPage->setText(paged ? language::LookupString(Message::PupilPageOf).arg(m_page + 1).arg(pageCount()) : QString());
    fitCaptions();
    // A new page puts the keyboard on its first name.
    if (isVisible() && !NameButtons.isEmpty() && NameButtons.first()->isVisible()
        && !(focusWidget() == CommandPrevious || focusWidget() == CommandNext))
        NameButtons.first()->setFocus();
}

void FormAlunni::fitCaptions()
{
    const qsizetype first = qsizetype(m_page) * kNamesOnAPage;
    for (int slot = 0; slot < kNamesOnAPage; ++slot) {
        QPushButton* button = NameButtons[slot];
        const qsizetype index = first + slot;
        if (index >= m_names.size()) {
            button->setText(QString());
            continue;
        }
        // Ampersands are shown, not taken for a mnemonic.
        QString name = m_names[index];
        const QFontMetrics metrics(button->font());
        name = metrics.elidedText(name, Qt::ElideRight, std::max(1, button->width() - 16));
        button->setText(name.replace(u'&', QStringLiteral("&&")));
    }
}

void FormAlunni::pick(int slot)
{
    const qsizetype index = qsizetype(m_page) * kNamesOnAPage + slot;
    if (index >= m_names.size() || windowChangeUnderWay())
        return;
    if (results::Recording* kept = recording())
        kept->setPupil(m_names[index]);
    const std::function<void(Form&)> next = nextWindow();
    nextWindow() = nullptr;
    if (next)
        next(*this);
    else
        changeTo<FormMenu>();
}

void FormAlunni::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_PageDown: showPage(m_page + 1); return;
    case Qt::Key_PageUp: showPage(m_page - 1); return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled()) {
            button->click();
            return;
        }
        break;
    default: break;
    }
    Form::keyPressEvent(event);
}

void FormAlunni::closeEvent(QCloseEvent* event)
{
    event->ignore();
    nextWindow() = nullptr;
    changeTo<FormAvvio>();
}

} // namespace app
