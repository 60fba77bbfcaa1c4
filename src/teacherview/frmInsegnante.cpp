#include "teacherview/frmInsegnante.h"

#include "language/TranslateForm.h"
#include "platform/widgets/MessageBox.h"
#include "platform/services/ClassroomDisplay.h"
#include "platform/widgets/PictureBox.h"
#include "resize/TextFit.h"
#include "results/CsvWriter.h"
#include "server/ServerReader.h"
#include "shared/Modulo1.h"
#include "teacherview/AnswerListModel.h"
#include "teacherview/PupilPage.h"
#include "teacherview/QuestionFigure.h"
#include "teacherview/ShareChart.h"
#include "teacherview/ViewText.h"
#include "teacherview/frmLivelli.h"

#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QEvent>
#include <QFontMetrics>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <utility>

namespace teacherview {

using language::Message;

namespace {

TeacherViewSource& sourceSlot()
{
    static TeacherViewSource source;
    return source;
}

std::optional<TeacherPrompts>& promptsSlot()
{
    static std::optional<TeacherPrompts> prompts;
    return prompts;
}

constexpr int kFigures = 6; // as many as an exercise shows at once
constexpr int kFigureSide = 100;

QPushButton* button(QWidget* parent, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    return b;
}

} // namespace

void frmInsegnante::setSource(TeacherViewSource source)
{
    if (auto* open = Form::instance<frmInsegnante>()) {
        open->m_source = std::move(source);
        open->reload();
        return;
    }
    // Kept for the next window only, which takes it: the results close with
    // the window that shows them.
    sourceSlot() = std::move(source);
}

void frmInsegnante::setPromptsForTesting(std::optional<TeacherPrompts> prompts)
{
    promptsSlot() = std::move(prompts);
}

frmInsegnante::frmInsegnante()
    : Form(QStringLiteral("frmInsegnante"))
    , m_source(std::exchange(sourceSlot(), TeacherViewSource()))
{
    setWindowTitle(QStringLiteral("Registro dell'insegnante"));
    setDesignInnerSize(1000, 700);
    showAtScreenSize();

    m_summary = new SummaryModel(this);
    m_answers = new AnswerListModel(this);

    auto* root = new QVBoxLayout(client());

    m_notice = new QLabel(client());
    m_notice->setObjectName(QStringLiteral("lblNotice"));
    m_notice->setWordWrap(true);
    m_notice->setStyleSheet(QStringLiteral("QLabel { color: #a00000; font-weight: bold; }"));
    m_notice->hide();
    root->addWidget(m_notice);

    // The school server's row, only when the school settings name one: the
    // view on this computer alone stays as it always was.
    if (server::schoolServerAddress())
        buildSchoolRow(root);

    // The class list's buttons, the measure the table shows.
    auto* top = new QHBoxLayout();
    auto* fraClass = addControl(new QGroupBox(QStringLiteral("Classe"), client()), QStringLiteral("fraClass"));
    auto* classRow = new QHBoxLayout(fraClass);
    cmdAdd = addControl(button(fraClass, QStringLiteral("Aggiungi...")), QStringLiteral("cmdAdd"));
    cmdRename = addControl(button(fraClass, QStringLiteral("Rinomina...")), QStringLiteral("cmdRename"));
    cmdRemove = addControl(button(fraClass, QStringLiteral("Togli dall'elenco")), QStringLiteral("cmdRemove"));
    cmdForget = addControl(button(fraClass, QStringLiteral("Cancella le risposte")), QStringLiteral("cmdForget"));
    cmdImport = addControl(button(fraClass, QStringLiteral("Importa un elenco...")), QStringLiteral("cmdImport"));
    for (QPushButton* b : {cmdAdd, cmdRename, cmdRemove, cmdForget, cmdImport})
        classRow->addWidget(b);
    top->addWidget(fraClass);
    top->addStretch(1);
    root->addLayout(top);
    // What the table shows, on a row of its own so the class's buttons keep
    // the whole width on a small screen.
    auto* measureRow = new QHBoxLayout();
    lblMeasure = addControl(new QLabel(QStringLiteral("Mostra:"), client()), QStringLiteral("lblMeasure"));
    cboMeasure = addControl(new QComboBox(client()), QStringLiteral("cboMeasure"));
    lblMeasure->setBuddy(cboMeasure);
    measureRow->addWidget(lblMeasure);
    measureRow->addWidget(cboMeasure);
    measureRow->addStretch(1);
    root->addLayout(measureRow);

    auto* split = new QSplitter(Qt::Vertical, client());
    m_table = new QTableView(split);
    m_table->setObjectName(QStringLiteral("tblSummary"));
    m_table->setModel(m_summary);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->horizontalHeader()->setDefaultAlignment(Qt::Alignment(int(Qt::AlignCenter) | int(Qt::TextWordWrap)));
    m_table->horizontalHeader()->setMinimumSectionSize(60);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    split->addWidget(m_table);

    auto* lower = new QSplitter(Qt::Horizontal, split);
    fraChart = addControl(new QGroupBox(QStringLiteral("Risposte giuste al giorno"), lower),
                          QStringLiteral("fraChart"));
    auto* chartBox = new QVBoxLayout(fraChart);
    m_chart = new ShareChart(fraChart);
    chartBox->addWidget(m_chart);
    lower->addWidget(fraChart);

    fraAnswers = addControl(new QGroupBox(QStringLiteral("Risposte"), lower), QStringLiteral("fraAnswers"));
    auto* answersBox = new QVBoxLayout(fraAnswers);
    m_answerTable = new QTableView(fraAnswers);
    m_answerTable->setObjectName(QStringLiteral("tblAnswers"));
    m_answerTable->setModel(m_answers);
    m_answerTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_answerTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_answerTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_answerTable->setWordWrap(false);
    m_answerTable->verticalHeader()->hide();
    m_answerTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_answerTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_answerTable->horizontalHeader()->setStretchLastSection(true);
    answersBox->addWidget(m_answerTable, 1);
    auto* figureRow = new QHBoxLayout();
    for (int i = 0; i < kFigures; ++i) {
        auto* box = new platform::PictureBox(fraAnswers);
        box->setObjectName(QStringLiteral("picQuestion%1").arg(i));
        box->setFixedSize(kFigureSide, kFigureSide);
        box->hide();
        figureRow->addWidget(box);
        m_figures.append(box);
    }
    m_questionLine = new QLabel(fraAnswers);
    m_questionLine->setObjectName(QStringLiteral("lblQuestion"));
    m_questionLine->setWordWrap(true);
    figureRow->addWidget(m_questionLine, 1);
    answersBox->addLayout(figureRow);
    lower->addWidget(fraAnswers);
    lower->setStretchFactor(0, 2);
    lower->setStretchFactor(1, 3);
    split->addWidget(lower);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    root->addWidget(split, 1);

    auto* bottom = new QHBoxLayout();
    cmdExportCsv = addControl(button(client(), QStringLiteral("Esporta le risposte (CSV)...")),
                              QStringLiteral("cmdExportCsv"));
    cmdPupilPdf = addControl(button(client(), QStringLiteral("Pagina dell'alunno (PDF)...")),
                             QStringLiteral("cmdPupilPdf"));
    cmdClose = addControl(button(client(), QStringLiteral("Chiudi")), QStringLiteral("cmdClose"));
    bottom->addWidget(cmdExportCsv);
    bottom->addWidget(cmdPupilPdf);
    auto* cmdLevels = addControl(button(client(), QStringLiteral("Livelli...")), QStringLiteral("cmdLevels"));
    bottom->addWidget(cmdLevels);
    connect(cmdLevels, &QPushButton::clicked, this, &frmInsegnante::openLevels);
    bottom->addStretch(1);
    bottom->addWidget(cmdClose);
    root->addLayout(bottom);

    connect(cmdAdd, &QPushButton::clicked, this, &frmInsegnante::addPupil);
    connect(cmdRename, &QPushButton::clicked, this, &frmInsegnante::renamePupil);
    connect(cmdRemove, &QPushButton::clicked, this, &frmInsegnante::removePupil);
    connect(cmdForget, &QPushButton::clicked, this, &frmInsegnante::forgetPupil);
    connect(cmdImport, &QPushButton::clicked, this, &frmInsegnante::importPupils);
    connect(cmdExportCsv, &QPushButton::clicked, this, &frmInsegnante::exportCsv);
    connect(cmdPupilPdf, &QPushButton::clicked, this, &frmInsegnante::exportPupilPage);
    connect(cmdClose, &QPushButton::clicked, this, [this] { unload(); });
    connect(cboMeasure, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_summary->setMeasure(SummaryModel::Measure(qMax(0, index))); });
    connect(m_table->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    pickCell(current.row(), current.column());
            });
    connect(m_table->horizontalHeader(), &QHeaderView::sectionClicked, this, &frmInsegnante::pickExercise);
    connect(m_table->horizontalHeader(), &QHeaderView::sectionResized, this, &frmInsegnante::fitHeaderHeight);
    connect(m_answerTable->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    pickAnswer(current.row());
            });
}

frmInsegnante::~frmInsegnante() = default;

void frmInsegnante::buildSchoolRow(QVBoxLayout* root)
{
    // The school server: the teacher's own name and password there, then the
    // class to show and what the classroom computers have not sent yet.
    fraSchool = addControl(new QGroupBox(QStringLiteral("Server della scuola"), client()), QStringLiteral("fraSchool"));
    auto* schoolBox = new QVBoxLayout(fraSchool);
    auto* loginRow = new QHBoxLayout();
    lblTeacher = addControl(new QLabel(QStringLiteral("Nome:"), fraSchool), QStringLiteral("lblTeacher"));
    txtTeacher = new QLineEdit(fraSchool);
    txtTeacher->setObjectName(QStringLiteral("txtTeacher"));
    lblTeacher->setBuddy(txtTeacher);
    lblPassword = addControl(new QLabel(QStringLiteral("Password:"), fraSchool), QStringLiteral("lblPassword"));
    txtPassword = new QLineEdit(fraSchool);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    lblPassword->setBuddy(txtPassword);
    cmdLogin = addControl(button(fraSchool, QStringLiteral("Entra")), QStringLiteral("cmdLogin"));
    lblSchoolClass = addControl(new QLabel(QStringLiteral("Classe:"), fraSchool), QStringLiteral("lblSchoolClass"));
    cboSchoolClass = new QComboBox(fraSchool);
    cboSchoolClass->setObjectName(QStringLiteral("cboSchoolClass"));
    cboSchoolClass->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cboSchoolClass->setEnabled(false);
    lblSchoolClass->setBuddy(cboSchoolClass);
    loginRow->addWidget(lblTeacher);
    loginRow->addWidget(txtTeacher, 1);
    loginRow->addWidget(lblPassword);
    loginRow->addWidget(txtPassword, 1);
    loginRow->addWidget(cmdLogin);
    loginRow->addSpacing(16);
    loginRow->addWidget(lblSchoolClass);
    loginRow->addWidget(cboSchoolClass);
    loginRow->addStretch(1);
    schoolBox->addLayout(loginRow);
    lblBacklog = new QLabel(fraSchool);
    lblBacklog->setObjectName(QStringLiteral("lblBacklog"));
    lblBacklog->setWordWrap(true);
    schoolBox->addWidget(lblBacklog);
    root->addWidget(fraSchool);
    connect(cmdLogin, &QPushButton::clicked, this, &frmInsegnante::logInToSchool);
    connect(txtPassword, &QLineEdit::returnPressed, this, &frmInsegnante::logInToSchool);
    connect(cboSchoolClass, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            pickClass(cboSchoolClass->itemData(index).toString());
    });
}


void frmInsegnante::Form_Load()
{
    QPointer<frmInsegnante> self(this);
    language::TranslateForm(this);
    if (!self || !self->isLoaded())
        return;
    fillMeasures();
    m_chart->showDays({}, viewText(Message::TeacherChartHint));
    // The view is laid out, not placed: with the classroom display its
    // buttons and lists are made large enough for a finger here.
    if (platform::ClassroomDisplay::isOn()) {
        for (QObject* object : controls()) {
            auto* control = qobject_cast<QWidget*>(object);
            if (control && resize::isPupilTarget(control))
                control->setMinimumSize(qMax(control->minimumWidth(), resize::kTouchTarget),
                                        qMax(control->minimumHeight(), resize::kTouchTarget));
        }
    }
    if (m_school) {
        fillSchoolClasses();
        showBacklogs();
    } else if (lblBacklog) {
        lblBacklog->setText(viewText(Message::TeacherSchoolHint));
    }
}

void frmInsegnante::Form_Activate()
{
    reload();
}

void frmInsegnante::fitHeaderHeight()
{
    // The exercises' captions wrap within their columns: the header takes
    // the height of the tallest.
    QHeaderView* header = m_table->horizontalHeader();
    QFont bold = header->font(); // the picked column's title is bold
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    int lines = metrics.height();
    for (int c = 0; c < m_summary->columnCount(); ++c) {
        const QString text = m_summary->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        const QRect room(0, 0, qMax(1, header->sectionSize(c) - 10), 10000);
        lines = qMax(lines, metrics.boundingRect(room, int(Qt::AlignCenter | Qt::TextWordWrap), text).height());
    }
    const int height = lines + 10;
    if (header->height() != height)
        header->setFixedHeight(height);
}

void frmInsegnante::fillMeasures()
{
    const QSignalBlocker quiet(cboMeasure);
    const int kept = qMax(0, cboMeasure->currentIndex());
    cboMeasure->clear();
    cboMeasure->addItems({viewText(Message::TeacherMeasureShare), viewText(Message::TeacherMeasureAnswers),
                          viewText(Message::TeacherMeasureLast)});
    cboMeasure->setCurrentIndex(kept);
    m_summary->setMeasure(SummaryModel::Measure(kept));
}

void frmInsegnante::reload()
{
    const bool canEdit = m_source.classList != nullptr;
    for (QPushButton* b : {cmdAdd, cmdRename, cmdRemove, cmdForget, cmdImport})
        b->setEnabled(canEdit);
    cmdExportCsv->setEnabled(bool(m_source.exportCsv));
    if (!m_source.reader) {
        showNotice(QString());
        return;
    }
    QHash<QString, QString> captions;
    for (const ExerciseColumn& column : m_source.exercises)
        captions.insert(column.name, column.caption);
    m_answers->setExerciseCaptions(captions);
    m_summary->setExercises(m_source.exercises);
    m_summary->reload(*m_source.reader);
    // No column narrower than the longest word of its title: the table
    // scrolls sideways instead.
    {
        QFont bold = m_table->horizontalHeader()->font();
        bold.setBold(true);
        const QFontMetrics metrics(bold);
        int widest = 60;
        for (int c = 0; c < m_summary->columnCount(); ++c) {
            const QString text = m_summary->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
            for (const QString& word : text.split(u' ', Qt::SkipEmptyParts))
                widest = qMax(widest, metrics.horizontalAdvance(word) + 14);
        }
        m_table->horizontalHeader()->setMinimumSectionSize(widest);
    }
    fitHeaderHeight();

    const int row = m_summary->rowOf(m_pupil);
    int column = 0;
    for (int c = 1; c < m_summary->columnCount(); ++c) {
        if (m_summary->exercise(c) == m_exercise)
            column = c;
    }
    if (row >= 0) {
        m_pupil.clear(); // the answers are read again
        {
            const QSignalBlocker quiet(m_table->selectionModel());
            m_table->setCurrentIndex(m_summary->index(row, column));
        }
        pickCell(row, column);
    } else {
        // Nothing picked: the chart waits for a pick rather than read the
        // whole class's year before the table is shown.
        m_pupil.clear();
        m_answers->clear();
        pickAnswer(-1);
        m_chart->showDays({}, viewText(Message::TeacherChartHint));
    }
    showNotice(m_lastLine);
}

bool frmInsegnante::logInToSchool()
{
    if (!fraSchool)
        return false;
    const QString teacher = txtTeacher->text().trimmed();
    // The password lives only in this call: out of the field at once, and
    // overwritten once the server has been asked.
    QString password = txtPassword->text();
    // Set, not cleared: a set text leaves nothing to undo back.
    txtPassword->setText(QString());
    auto forget = [&password] {
        password.fill(QChar(u'\0'));
        password.clear();
    };
    if (teacher.isEmpty() || password.isEmpty()) {
        forget();
        showNotice(viewText(Message::TeacherSchoolMissing));
        txtPassword->setFocus();
        return false;
    }
    std::shared_ptr<server::ServerReader> reader = server::openSchoolResults(teacher, password);
    forget();
    if (!reader) // the settings name no server (any more)
        return false;
    if (!reader->problem().isEmpty()) {
        showNotice(reader->problem());
        txtPassword->setFocus();
        return false;
    }
    TeacherViewSource school;
    school.reader = reader;
    school.exportCsv = [reader](const QString& path) {
        return results::exportCsvFile(*reader, QString(), path, nullptr);
    };
    school.exercises = m_source.exercises;
    school.recordingProblem = m_source.recordingProblem;
    // The school's pupils, not the computer's: no pick carries over, and the
    // class lists are kept on the server by their own tools. The log-in stays
    // open, to come back after the server was restarted or as someone else.
    m_source = std::move(school);
    m_school = std::move(reader);
    m_pupil.clear();
    m_exercise.clear();
    fillSchoolClasses();
    m_lastLine = viewText(Message::TeacherSchoolShown).arg(teacher);
    reload();
    showBacklogs();
    return true;
}

void frmInsegnante::pickClass(const QString& className)
{
    if (!m_school)
        return;
    {
        const QSignalBlocker quiet(cboSchoolClass);
        cboSchoolClass->setCurrentIndex(qMax(0, cboSchoolClass->findData(className)));
    }
    if (className == m_school->className())
        return;
    m_school->setClassName(className);
    reload();
    showBacklogs();
}

void frmInsegnante::fillSchoolClasses()
{
    if (!cboSchoolClass)
        return;
    const QSignalBlocker quiet(cboSchoolClass);
    cboSchoolClass->clear();
    cboSchoolClass->addItem(viewText(Message::TeacherAllClasses), QString());
    if (m_school) {
        for (const QString& name : m_school->classes())
            cboSchoolClass->addItem(name, name);
        cboSchoolClass->setCurrentIndex(qMax(0, cboSchoolClass->findData(m_school->className())));
    }
    cboSchoolClass->setEnabled(m_school != nullptr);
}

void frmInsegnante::showBacklogs()
{
    if (!m_school)
        return;
    // The computers with the most waiting first; the whole list in the tooltip.
    constexpr int kShown = 3;
    const QList<server::ComputerBacklog> backlogs = m_school->backlogs();
    QStringList lines;
    for (const server::ComputerBacklog& backlog : backlogs)
        lines.append(server::backlogLine(backlog));
    if (lines.isEmpty()) {
        lblBacklog->setText(viewText(Message::TeacherSchoolAllSent));
        lblBacklog->setToolTip(QString());
        return;
    }
    QStringList shown = lines.mid(0, kShown);
    if (lines.size() > kShown)
        shown.last() += QStringLiteral(" …");
    lblBacklog->setText(shown.join(u'\n'));
    lblBacklog->setToolTip(lines.join(u'\n'));
}

void frmInsegnante::showChart(const QString& pupil, const QString& exercise)
{
    // The frame around says what the chart shows; its title says whose.
    const QString who = pupil.isEmpty() ? viewText(Message::TeacherAllPupils) : pupil;
    m_chart->show(*m_source.reader, pupil, exercise, who + QStringLiteral(" – ") + m_summary->exerciseCaption(exercise));
}

void frmInsegnante::pickCell(int row, int column)
{
    if (!m_source.reader || row < 0 || row >= m_summary->rowCount())
        return;
    const QString pupil = m_summary->pupil(row);
    m_exercise = m_summary->exercise(column);
    showChart(pupil, m_exercise);
    if (pupil != m_pupil) {
        m_pupil = pupil;
        if (!m_answers->load(*m_source.reader, pupil))
            m_lastLine = viewText(Message::TeacherReadFailed);
        m_answerTable->resizeColumnsToContents();
        // A long exercise caption shows in its tooltip-less cell elided, not at the question's cost.
        m_answerTable->setColumnWidth(AnswerListModel::Exercise,
                                      qMin(m_answerTable->columnWidth(AnswerListModel::Exercise), 170));
        pickAnswer(-1);
        showNotice(m_lastLine);
    }
}

void frmInsegnante::pickExercise(int column)
{
    if (!m_source.reader)
        return;
    m_exercise = m_summary->exercise(column);
    showChart(QString(), m_exercise);
}

void frmInsegnante::pickAnswer(int row)
{
    const bool picked = row >= 0 && row < m_answers->answerCount();
    const results::AnswerRecord record = picked ? m_answers->answer(row) : results::AnswerRecord();
    const QList<FigureAngle> angles = picked ? figureAngles(record.question) : QList<FigureAngle>();
    for (int i = 0; i < m_figures.size(); ++i) {
        platform::PictureBox* box = m_figures[i];
        if (i < angles.size()) {
            box->show();
            drawStillAngle(box, angles[i]);
        } else {
            box->clear();
            box->hide();
        }
    }
    if (!picked) {
        m_questionLine->clear();
        return;
    }
    m_questionLine->setText(viewText(Message::TeacherAnswerLine)
                                .arg(m_summary->exerciseCaption(record.exercise), record.question, record.answer,
                                     viewText(record.right ? Message::TeacherAnswerRight
                                                           : Message::TeacherAnswerWrong)));
}

void frmInsegnante::showNotice(const QString& line)
{
    m_lastLine = line;
    QStringList lines;
    if (m_source.reader) {
        const QString problem = m_source.reader->problem();
        if (!problem.isEmpty())
            lines.append(problem);
    }
    if (m_source.recordingProblem) {
        const QString problem = m_source.recordingProblem();
        if (!problem.isEmpty() && !lines.contains(problem))
            lines.append(problem);
    }
    if (!line.isEmpty())
        lines.append(line);
    m_notice->setText(lines.join(u'\n'));
    m_notice->setVisible(!lines.isEmpty());
}

bool frmInsegnante::confirm(const QString& prompt)
{
    return platform::MessageBox::show({prompt, platform::MessageIcon::Question, platform::MessageButtons::YesNo,
                                       shared::messageBoxTitle()})
        == platform::MessageAnswer::Yes;
}

std::optional<QString> frmInsegnante::askText(const QString& prompt, const QString& initial)
{
    if (promptsSlot() && promptsSlot()->askText)
        return promptsSlot()->askText(prompt, initial);
    bool ok = false;
    const QString text =
        QInputDialog::getText(this, shared::messageBoxTitle(), prompt, QLineEdit::Normal, initial, &ok);
    return ok ? std::optional<QString>(text) : std::nullopt;
}

QString frmInsegnante::openFile(const QString& title, const QString& filter)
{
    if (promptsSlot() && promptsSlot()->openFile)
        return promptsSlot()->openFile(title, filter);
    return QFileDialog::getOpenFileName(this, title, QDir::homePath(), filter);
}

QString frmInsegnante::saveFile(const QString& title, const QString& filter, const QString& suggested)
{
    if (promptsSlot() && promptsSlot()->saveFile)
        return promptsSlot()->saveFile(title, filter, suggested);
    return QFileDialog::getSaveFileName(this, title, QDir::home().filePath(suggested), filter);
}

void frmInsegnante::afterEdit(const EditOutcome& outcome)
{
    m_lastLine = outcome.line;
    if (outcome.done && !outcome.pupil.isEmpty())
        m_pupil = outcome.pupil;
    reload();
}

void frmInsegnante::addPupil()
{
    if (!m_source.classList)
        return;
    QPointer<frmInsegnante> self(this);
    const std::optional<QString> name = askText(viewText(Message::TeacherAddPrompt), QString());
    if (!self || !name || name->trimmed().isEmpty())
        return;
    afterEdit(m_source.classList->addPupil(*name));
}

void frmInsegnante::renamePupil()
{
    if (!m_source.classList)
        return;
    if (m_pupil.isEmpty()) {
        showNotice(viewText(Message::TeacherPickPupilFirst));
        return;
    }
    const QString from = m_pupil;
    QPointer<frmInsegnante> self(this);
    const std::optional<QString> to = askText(viewText(Message::TeacherRenamePrompt).arg(from), from);
    if (!self || !to || to->trimmed().isEmpty() || *to == from)
        return;
    afterEdit(m_source.classList->renamePupil(from, *to));
}

void frmInsegnante::removePupil()
{
    if (!m_source.classList)
        return;
    if (m_pupil.isEmpty()) {
        showNotice(viewText(Message::TeacherPickPupilFirst));
        return;
    }
    const QString name = m_pupil;
    QPointer<frmInsegnante> self(this);
    if (!confirm(viewText(Message::TeacherRemoveConfirm).arg(name)) || !self)
        return;
    afterEdit(m_source.classList->removePupil(name));
}

void frmInsegnante::forgetPupil()
{
    if (!m_source.classList)
        return;
    if (m_pupil.isEmpty()) {
        showNotice(viewText(Message::TeacherPickPupilFirst));
        return;
    }
    const QString name = m_pupil;
    QPointer<frmInsegnante> self(this);
    if (!confirm(viewText(Message::TeacherForgetConfirm).arg(name)) || !self)
        return;
    afterEdit(m_source.classList->forgetPupil(name));
}

void frmInsegnante::importPupils()
{
    if (!m_source.classList)
        return;
    QPointer<frmInsegnante> self(this);
    const QString path = openFile(viewText(Message::TeacherImportTitle), viewText(Message::TeacherImportFilter));
    if (!self || path.isEmpty())
        return;
    afterEdit(m_source.classList->importPupils(path));
}

void frmInsegnante::exportCsv()
{
    QPointer<frmInsegnante> self(this);
    const QString path = saveFile(viewText(Message::TeacherCsvTitle), viewText(Message::TeacherCsvFilter),
                                  QStringLiteral("gonioma-results.csv"));
    if (!self || path.isEmpty())
        return;
    writeCsv(path);
}

void frmInsegnante::exportPupilPage()
{
    if (m_pupil.isEmpty()) {
        showNotice(viewText(Message::TeacherPickPupilFirst));
        return;
    }
    QPointer<frmInsegnante> self(this);
    const QString path =
        saveFile(viewText(Message::TeacherPdfTitle), viewText(Message::TeacherPdfFilter), m_pupil + ".pdf");
    if (!self || path.isEmpty())
        return;
    writePupilPdf(path);
}

bool frmInsegnante::writeCsv(const QString& path)
{
    const bool written = m_source.exportCsv && m_source.exportCsv(path);
    showNotice(viewText(written ? Message::TeacherWritten : Message::TeacherNotWritten)
                   .arg(QDir::toNativeSeparators(path)));
    return written;
}

bool frmInsegnante::writePupilPdf(const QString& path)
{
    if (!m_source.reader || m_pupil.isEmpty())
        return false;
    const int row = m_summary->rowOf(m_pupil);
    PupilPageContent page;
    page.title = viewText(Message::TeacherPageTitle).arg(m_pupil);
    page.subtitle = viewText(Message::TeacherPageDate).arg(QDate::currentDate().toString(Qt::ISODate));
    page.headers = {viewText(Message::TeacherColumnExercise), viewText(Message::TeacherMeasureAnswers),
                    viewText(Message::TeacherColumnQuestions), viewText(Message::TeacherMeasureShare),
                    viewText(Message::TeacherMeasureLast)};
    auto rowOf = [](const QString& caption, const SummaryCell& cell) {
        return QStringList{caption, QString::number(cell.answers), QString::number(cell.questions),
                           cell.sharePercent() < 0 ? QString() : QString::number(cell.sharePercent()) + u'%',
                           shortDate(cell.lastPractised)};
    };
    for (int c = 1; c < m_summary->columnCount(); ++c) {
        const SummaryCell cell = m_summary->cell(row, c);
        if (cell.answers > 0)
            page.rows.append(rowOf(m_summary->exerciseCaption(m_summary->exercise(c)), cell));
    }
    const SummaryCell all = m_summary->cell(row, 0);
    page.rows.append(rowOf(viewText(Message::TeacherAllExercises), all));
    page.days = m_source.reader->dailyShares(m_pupil, QString());
    page.chartTitle = viewText(Message::TeacherChartTitle).arg(m_pupil, viewText(Message::TeacherAllExercises));
    page.summary = viewText(Message::TeacherPageSummary)
                       .arg(all.answers)
                       .arg(page.days.size())
                       .arg(qMax(0, all.sharePercent()));
    const bool written = writePupilPage(path, page);
    showNotice(viewText(written ? Message::TeacherWritten : Message::TeacherNotWritten)
                   .arg(QDir::toNativeSeparators(path)));
    return written;
}

} // namespace teacherview

namespace teacherview {

void frmInsegnante::openLevels()
{
    QHash<QString, QString> captions;
    for (const ExerciseColumn& column : m_source.exercises)
        captions.insert(column.name, column.caption);
    frmLivelli::setCaptions(std::move(captions));
    Form::show<frmLivelli>();
}

} // namespace teacherview
