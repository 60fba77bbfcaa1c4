#include "teacherview/frmLivelli.h"

#include "exercises/levels/LevelSection.h"
#include "exercises/levels/LevelSettings.h"
#include "language/IniFile.h"
#include "language/TranslateForm.h"
#include "platform/services/SaveFile.h"
#include "platform/services/Settings.h"
#include "teacherview/ViewText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <optional>

namespace teacherview {

using exercises::Level;
using language::Message;

namespace {

QHash<QString, QString>& captionsSlot()
{
    static QHash<QString, QString> captions;
    return captions;
}

std::optional<std::function<QString()>>& saveAsSlot()
{
    static std::optional<std::function<QString()>> prompt;
    return prompt;
}

const QList<int> kStepButtons = {90, 45, 30, 10, 5, 1};

QSpinBox* spin(QWidget* parent, int lowest, int highest)
{
    auto* box = new QSpinBox(parent);
    box->setRange(lowest, highest);
    return box;
}

// The level's values as the file's keys write them.
QString keysText(const QString& window, const Level& level)
{
    QString text = QStringLiteral("Min=%1, Max=%2, Step=%3, Upright=%4, Questions=%5")
                       .arg(level.min)
                       .arg(level.max)
                       .arg(level.step)
                       .arg(level.upright ? 1 : 0)
                       .arg(level.questions);
    if (window == QLatin1String("frmRuota")) {
        QStringList steps;
        for (int step : level.steps)
            steps.append(QString::number(step));
        text += QStringLiteral(", Steps=") + steps.join(u',');
    } else if (window == QLatin1String("frmRuota3")) {
        text += QStringLiteral(", MinDifference=%1").arg(level.minDifference);
    } else if (window == QLatin1String("frmRuota4")) {
        text += QStringLiteral(", MinDistance=%1").arg(level.minDistance);
    } else if (window == QLatin1String("frmRuota7")) {
        text += QStringLiteral(", Tolerance=%1").arg(level.tolerance);
    }
    return text;
}

} // namespace

void frmLivelli::setCaptions(QHash<QString, QString> captions)
{
    captionsSlot() = std::move(captions);
}

void frmLivelli::setSaveAsPromptForTesting(std::function<QString()> prompt)
{
    saveAsSlot() = prompt ? std::optional(std::move(prompt)) : std::nullopt;
}

frmLivelli::frmLivelli()
    : Form(QStringLiteral("frmLivelli"))
    , m_captions(captionsSlot())
{
    setWindowTitle(QStringLiteral("Livelli degli esercizi"));
    setDesignInnerSize(640, 480);

    auto* root = new QVBoxLayout(client());
    auto* grid = new QGridLayout();
    int row = 0;
    const auto addRow = [&](QLabel* label, QWidget* field) {
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        ++row;
    };
    const auto label = [&](const QString& caption, const QString& name) {
        return addControl(new QLabel(caption, client()), name);
    };

    cboExercise = new QComboBox(client());
    cboExercise->setObjectName(QStringLiteral("cboExercise"));
    for (const QString& window : exercises::levelWindows())
        cboExercise->addItem(m_captions.value(window, window), window);
    addRow(label(QStringLiteral("Esercizio:"), QStringLiteral("lblExercise")), cboExercise);

    m_inForce = new QLabel(client());
    m_inForce->setObjectName(QStringLiteral("lblInForce"));
    m_inForce->setWordWrap(true);
    grid->addWidget(m_inForce, row++, 0, 1, 2);
    m_fileProblem = new QLabel(client());
    m_fileProblem->setObjectName(QStringLiteral("lblFileProblem"));
    m_fileProblem->setWordWrap(true);
    m_fileProblem->setStyleSheet(QStringLiteral("QLabel { color: #a00000; }"));
    grid->addWidget(m_fileProblem, row++, 0, 1, 2);

    cboLevel = new QComboBox(client());
    cboLevel->setObjectName(QStringLiteral("cboLevel"));
    cboLevel->addItems(exercises::builtInLevelNames());
    addRow(label(QStringLiteral("Parti dal livello:"), QStringLiteral("lblLevel")), cboLevel);
    spnMin = spin(client(), 0, 360);
    spnMin->setObjectName(QStringLiteral("spnMin"));
    addRow(label(QStringLiteral("Ampiezza minima (°):"), QStringLiteral("lblMin")), spnMin);
    spnMax = spin(client(), 0, 360);
    spnMax->setObjectName(QStringLiteral("spnMax"));
    addRow(label(QStringLiteral("Ampiezza massima (°):"), QStringLiteral("lblMax")), spnMax);
    spnStep = spin(client(), 1, 360);
    spnStep->setObjectName(QStringLiteral("spnStep"));
    addRow(label(QStringLiteral("Passo (°):"), QStringLiteral("lblStep")), spnStep);
    spnQuestions = spin(client(), 0, 1000);
    spnQuestions->setObjectName(QStringLiteral("spnQuestions"));
    addRow(label(QStringLiteral("Domande per giro (0: senza fine):"), QStringLiteral("lblQuestions")), spnQuestions);
    chkUpright = addControl(new QCheckBox(QStringLiteral("Primo lato verso l'alto"), client()),
                            QStringLiteral("chkUpright"));
    grid->addWidget(chkUpright, row++, 1);

    // The exercises' own knobs: only the picked exercise's row shows.
    const auto ownRow = [&](QLabel* caption, QWidget* field) {
        auto* box = new QWidget(client());
        auto* line = new QHBoxLayout(box);
        line->setContentsMargins(0, 0, 0, 0);
        caption->setBuddy(field);
        line->addWidget(caption);
        line->addWidget(field);
        line->addStretch(1);
        root->addWidget(box);
        return box;
    };
    root->addLayout(grid);
    auto* stepsField = new QWidget(client());
    auto* stepsLine = new QHBoxLayout(stepsField);
    stepsLine->setContentsMargins(0, 0, 0, 0);
    for (int step : kStepButtons) {
        auto* box = new QCheckBox(QString::number(step) + QChar(0x00B0), stepsField);
        box->setObjectName(QStringLiteral("chkSteps%1").arg(step));
        stepsLine->addWidget(box);
        m_steps.append(box);
    }
    m_stepsRow = ownRow(label(QStringLiteral("Pulsanti di passo offerti:"), QStringLiteral("lblSteps")), stepsField);
    spnMinDifference = spin(client(), 0, 359);
    spnMinDifference->setObjectName(QStringLiteral("spnMinDifference"));
    m_differenceRow = ownRow(label(QStringLiteral("I due angoli differiscono almeno di (°):"),
                                   QStringLiteral("lblMinDifference")),
                             spnMinDifference);
    spnMinDistance = spin(client(), 1, 270);
    spnMinDistance->setObjectName(QStringLiteral("spnMinDistance"));
    m_distanceRow = ownRow(label(QStringLiteral("Altri angoli distanti da 90° almeno (°):"),
                                 QStringLiteral("lblMinDistance")),
                           spnMinDistance);
    spnTolerance = spin(client(), 0, 180);
    spnTolerance->setObjectName(QStringLiteral("spnTolerance"));
    m_toleranceRow = ownRow(label(QStringLiteral("Una stima è giusta entro (°):"), QStringLiteral("lblTolerance")),
                            spnTolerance);

    m_verdict = new QLabel(client());
    m_verdict->setObjectName(QStringLiteral("lblVerdict"));
    m_verdict->setWordWrap(true);
    root->addWidget(m_verdict);
    m_saved = new QLabel(client());
    m_saved->setObjectName(QStringLiteral("lblSaved"));
    m_saved->setWordWrap(true);
    root->addWidget(m_saved);
    root->addStretch(1);

    auto* bottom = new QHBoxLayout();
    cmdSave = addControl(new QPushButton(QStringLiteral("Salva"), client()), QStringLiteral("cmdSave"));
    cmdSaveAs = addControl(new QPushButton(QStringLiteral("Salva come..."), client()), QStringLiteral("cmdSaveAs"));
    cmdClose = addControl(new QPushButton(QStringLiteral("Chiudi"), client()), QStringLiteral("cmdClose"));
    for (QPushButton* b : {cmdSave, cmdSaveAs, cmdClose})
        b->setAutoDefault(false);
    cmdSaveAs->hide();
    bottom->addWidget(cmdSave);
    bottom->addWidget(cmdSaveAs);
    bottom->addStretch(1);
    bottom->addWidget(cmdClose);
    root->addLayout(bottom);

    connect(cboExercise, &QComboBox::currentIndexChanged, this, [this] { pickExercise(window()); });
    connect(cboLevel, &QComboBox::activated, this, [this] {
        if (const std::optional<Level> level = exercises::builtInLevel(window(), cboLevel->currentText()))
            loadLevel(*level);
    });
    for (QSpinBox* box : {spnMin, spnMax, spnStep, spnQuestions, spnMinDifference, spnMinDistance, spnTolerance})
        connect(box, &QSpinBox::valueChanged, this, &frmLivelli::check);
    for (QCheckBox* box : m_steps)
        connect(box, &QCheckBox::toggled, this, &frmLivelli::check);
    connect(chkUpright, &QCheckBox::toggled, this, &frmLivelli::check);
    connect(cmdSave, &QPushButton::clicked, this, &frmLivelli::save);
    connect(cmdSaveAs, &QPushButton::clicked, this, &frmLivelli::saveAs);
    connect(cmdClose, &QPushButton::clicked, this, [this] { unload(); });
}

frmLivelli::~frmLivelli() = default;

void frmLivelli::Form_Load()
{
    QPointer<frmLivelli> self(this);
    language::TranslateForm(this);
    if (!self || !self->isLoaded())
        return;
    // The controls a hidden row holds take the size of their caption, as
    // the layout gives them when their row shows.
    for (QObject* control : controls()) {
        if (auto* widget = qobject_cast<QWidget*>(control))
            widget->resize(widget->sizeHint().expandedTo(widget->size()));
    }
    pickExercise(window());
}

QString frmLivelli::window() const
{
    return cboExercise->currentData().toString();
}

void frmLivelli::pickExercise(const QString& name)
{
    const int index = cboExercise->findData(name);
    if (index < 0)
        return;
    if (index != cboExercise->currentIndex()) {
        cboExercise->setCurrentIndex(index); // comes back here through the signal
        return;
    }
    m_stepsRow->setVisible(name == QLatin1String("frmRuota"));
    m_differenceRow->setVisible(name == QLatin1String("frmRuota3"));
    m_distanceRow->setVisible(name == QLatin1String("frmRuota4"));
    m_toleranceRow->setVisible(name == QLatin1String("frmRuota7"));
    // The comparison always opens from straight up.
    chkUpright->setEnabled(!exercises::defaultLevel(name).upright);
    const QString base =
        language::ReadIniString(platform::schoolSettingsPath(), name, QStringLiteral("Level")).trimmed();
    cboLevel->setCurrentIndex(std::max(0, int(exercises::builtInLevelNames().indexOf(base))));
    m_saved->clear();
    cmdSaveAs->hide();
    showInForce();
    loadLevel(exercises::levelFor(name));
}

void frmLivelli::showInForce()
{
    const QString name = window();
    m_inForce->setText(viewText(Message::LevelsInForce).arg(keysText(name, exercises::levelFor(name))));
    QStringList lines;
    const QString tag = u'[' + name + u']';
    for (const QString& line : exercises::levelProblems()) {
        if (line.contains(tag))
            lines.append(viewText(Message::LevelsFileRefuses).arg(line));
    }
    m_fileProblem->setText(lines.join(u'\n'));
    m_fileProblem->setVisible(!lines.isEmpty());
}

void frmLivelli::loadLevel(const Level& level)
{
    m_loading = true;
    spnMin->setValue(level.min);
    spnMax->setValue(level.max);
    spnStep->setValue(level.step);
    chkUpright->setChecked(level.upright);
    spnQuestions->setValue(level.questions);
    for (qsizetype i = 0; i < m_steps.size(); ++i)
        m_steps[i]->setChecked(level.steps.contains(kStepButtons[i]));
    spnMinDifference->setValue(level.minDifference);
    spnMinDistance->setValue(level.minDistance);
    spnTolerance->setValue(level.tolerance);
    m_loading = false;
    check();
}

Level frmLivelli::editedLevel() const
{
    Level level = exercises::defaultLevel(window());
    level.min = spnMin->value();
    level.max = spnMax->value();
    level.step = spnStep->value();
    level.upright = chkUpright->isChecked();
    level.questions = spnQuestions->value();
    if (window() == QLatin1String("frmRuota")) {
        level.steps.clear();
        for (qsizetype i = 0; i < m_steps.size(); ++i) {
            if (m_steps[i]->isChecked())
                level.steps.append(kStepButtons[i]);
        }
    }
    level.minDifference = spnMinDifference->value();
    level.minDistance = spnMinDistance->value();
    level.tolerance = spnTolerance->value();
    return level;
}

void frmLivelli::check()
{
    if (m_loading)
        return;
    const std::optional<QString> problem = exercises::levelProblem(window(), editedLevel());
    m_verdict->setText(problem ? viewText(Message::LevelsRefused).arg(*problem)
                               : viewText(Message::LevelsAnswerable));
    m_verdict->setStyleSheet(problem ? QStringLiteral("QLabel { color: #a00000; font-weight: bold; }") : QString());
    cmdSave->setEnabled(!problem);
    cmdSaveAs->setEnabled(!problem);
}

bool frmLivelli::rewritten(QString* text) const
{
    const QString path = platform::schoolSettingsPath();
    QByteArray bytes;
    if (QFileInfo::exists(path)) {
        QFile in(path);
        if (!in.open(QIODevice::ReadOnly))
            return false;
        bytes = in.readAll();
        if (in.error() != QFileDevice::NoError)
            return false;
    }
    // Keys named from the base level the teacher picked; a base that no
    // longer fits the edited values is still a fine start: the keys override it.
    *text = exercises::rewriteSection(language::decodeText(bytes), window(),
                                      exercises::levelSectionKeys(window(), cboLevel->currentText(), editedLevel()));
    return true;
}

void frmLivelli::save()
{
    if (exercises::levelProblem(window(), editedLevel()))
        return;
    const QString path = platform::schoolSettingsPath();
    QString text;
    if (!rewritten(&text)) {
        // Never written over unread: the other sections would be lost.
        m_saved->setText(viewText(Message::LevelsNotWritten).arg(path));
        return;
    }
    if (platform::saveFileBytes(path, text.toUtf8())) {
        m_saved->setText(viewText(Message::LevelsSaved).arg(path));
        cmdSaveAs->hide();
        showInForce();
        return;
    }
    m_saved->setText(viewText(Message::LevelsNotWritable).arg(path));
    cmdSaveAs->show();
}

void frmLivelli::saveAs()
{
    if (exercises::levelProblem(window(), editedLevel()))
        return;
    QString text;
    if (!rewritten(&text)) {
        m_saved->setText(viewText(Message::LevelsNotWritten).arg(platform::schoolSettingsPath()));
        return;
    }
    QPointer<frmLivelli> self(this);
    const QString suggested = QFileInfo(platform::schoolSettingsPath()).fileName();
    const QString path = saveAsSlot() ? (*saveAsSlot())()
                                      : QFileDialog::getSaveFileName(this, viewText(Message::LevelsSaveAsTitle),
                                                                     suggested, viewText(Message::LevelsSaveAsFilter));
    if (!self || !self->isLoaded() || path.isEmpty())
        return;
    m_saved->setText(platform::saveFileBytes(path, text.toUtf8()) ? viewText(Message::LevelsSaved).arg(path)
                                                                   : viewText(Message::LevelsNotWritten).arg(path));
}

} // namespace teacherview
