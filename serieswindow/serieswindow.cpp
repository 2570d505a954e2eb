#include "serieswindow/serieswindow.h"

#include "datafiles/fileidentity.h"
#include "series/seriesplot.h"
#include "series/seriestable.h"
#include "serieswindow/seriesmodel.h"
#include "serieswindow/seriesplotwidget.h"
#include "serieswindow/seriesreading.h"

#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace lobus {

SeriesWindow::SeriesWindow(const std::vector<std::string>& arguments, SeriesServices services,
                           const DialogHooks& hooks, QWidget* parent)
    : QMainWindow(parent), m_services(std::move(services)), m_hooks(hooks), m_arguments(arguments)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("series"));
    QString where;
    if (!arguments.empty()) {
        const QFileInfo first(QFile::decodeName(QByteArray::fromStdString(arguments.front())));
        where = first.isDir() ? first.absoluteFilePath() : first.absolutePath();
    }
    setWindowTitle(tr("Seria przypadków - %1").arg(where));
    m_model = new SeriesModel(m_series, this);
    m_sorted = new SeriesSortModel(this);
    m_sorted->setSourceModel(m_model);
    buildMenu();
    buildViews();
    resize(1100, 760);
    read({});
}

// A reading under way stops, and is waited for, before the series goes.
SeriesWindow::~SeriesWindow() { delete m_reading; }

void SeriesWindow::buildMenu()
{
    QMenu* menu = menuBar()->addMenu(tr("&Seria"));
    const auto add = [&](Command c, const QString& text, auto slot) {
        QAction* a = menu->addAction(text);
        connect(a, &QAction::triggered, this, slot);
        m_actions[static_cast<int>(c)] = a;
    };
    add(Command::SaveTable, tr("Zapisz &tabelę (CSV)…"), [this] { saveTable(); });
    add(Command::SaveLocus, tr("Zapisz t&or środka czopa…"), [this] { savePlot(true); });
    add(Command::SaveChart, tr("Zapisz &wykres…"), [this] { savePlot(false); });
    add(Command::Report, tr("&Raport PDF…"), [this] { saveReport(); });
    menu->addSeparator();
    add(Command::Close, tr("&Zamknij"), [this] { close(); });
    action(Command::Close)->setShortcut(QKeySequence::Close);
}

void SeriesWindow::buildViews()
{
    m_table = new QTableView;
    m_table->setModel(m_sorted);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(-1, Qt::AscendingOrder); // the series' own order until a header is clicked
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    m_table->horizontalHeader()->setSectionsMovable(false);
    connect(m_table, &QTableView::clicked, this,
            [this](const QModelIndex& index) { rowClicked(m_sorted->mapToSource(index).row()); });
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (m_shown < 0)
            highlightChanged();
    });
    connect(m_sorted, &QAbstractItemModel::layoutChanged, this, &SeriesWindow::respan);
    connect(m_sorted, &QAbstractItemModel::modelReset, this, &SeriesWindow::respan);

    m_locus = new SeriesPlotWidget([this](Graphics& g) { return drawLocus(g, m_series, highlighted()); });
    m_chart = new SeriesPlotWidget([this](Graphics& g) {
        return drawChart(g, m_series, m_xAxis->currentText().toStdString(),
                         m_yAxis->currentText().toStdString(), highlighted());
    });
    for (SeriesPlotWidget* plot : {m_locus, m_chart})
        connect(plot, &SeriesPlotWidget::caseClicked, this, &SeriesWindow::rowClicked);

    m_xAxis = new QComboBox;
    m_yAxis = new QComboBox;
    auto* chartPanel = new QWidget;
    auto* axes = new QHBoxLayout;
    axes->addWidget(new QLabel(tr("Oś &X:")));
    axes->addWidget(m_xAxis, 1);
    axes->addWidget(new QLabel(tr("Oś &Y:")));
    axes->addWidget(m_yAxis, 1);
    for (QComboBox* axis : {m_xAxis, m_yAxis}) {
        axis->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        connect(axis, &QComboBox::currentIndexChanged, this, [this] { m_chart->redraw(); });
    }
    auto* column = new QVBoxLayout(chartPanel);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(axes);
    column->addWidget(m_chart, 1);
    // The labels' mnemonics move to their lists.
    const QList<QLabel*> labels = chartPanel->findChildren<QLabel*>();
    labels[0]->setBuddy(m_xAxis);
    labels[1]->setBuddy(m_yAxis);

    auto* plots = new QSplitter(Qt::Horizontal);
    plots->addWidget(m_locus);
    plots->addWidget(chartPanel);
    auto* all = new QSplitter(Qt::Vertical);
    all->addWidget(m_table);
    all->addWidget(plots);
    all->setStretchFactor(0, 2);
    all->setStretchFactor(1, 3);
    setCentralWidget(all);

    m_status = new QLabel;
    m_status->setTextFormat(Qt::PlainText);
    statusBar()->addWidget(m_status, 1);
    m_progress = new QProgressBar;
    m_progress->setMaximumWidth(200);
    m_progress->hide();
    statusBar()->addPermanentWidget(m_progress);
    m_progressTimer = new QTimer(this);
    m_progressTimer->setInterval(100);
    connect(m_progressTimer, &QTimer::timeout, this, &SeriesWindow::showProgress);
}

QString SeriesWindow::statusText() const { return m_status->text(); }

void SeriesWindow::say(const QString& text) { m_status->setText(text); }

// ---- reading ---------------------------------------------------------------

void SeriesWindow::read(std::vector<int> cases)
{
    std::vector<SeriesInput> inputs;
    if (cases.empty())
        inputs = seriesInputs(m_arguments);
    for (int i : cases)
        inputs.push_back({m_series[static_cast<std::size_t>(i)].file, {}});
    m_readingCases = std::move(cases);
    const bool first = m_readingCases.empty();
    for (QAction* a : m_actions)
        if (a != action(Command::Close))
            a->setEnabled(!first);
    m_reading = new SeriesReading(std::move(inputs), this);
    connect(m_reading, &SeriesReading::finished, this, &SeriesWindow::readingEnded);
    m_progress->setRange(0, static_cast<int>(m_reading->count()));
    m_progress->setValue(0);
    m_progress->show();
    m_progressTimer->start();
    showProgress();
}

void SeriesWindow::showProgress()
{
    if (!m_reading)
        return;
    m_progress->setValue(static_cast<int>(m_reading->done()));
    say(tr("Czytanie serii: %1 z %2").arg(m_reading->done()).arg(m_reading->count()));
}

void SeriesWindow::readingEnded()
{
    // Called from the reading's own signal: it goes once that has returned.
    SeriesReading* done = std::exchange(m_reading, nullptr);
    done->deleteLater();
    m_progressTimer->stop();
    m_progress->hide();
    for (QAction* a : m_actions)
        a->setEnabled(true);
    if (done->outOfMemory()) {
        say(tr("Brak pamięci na serię przypadków"));
        return;
    }
    Series cases = done->take();
    const int selected = selectedCase();
    if (m_readingCases.empty()) {
        m_series = std::move(cases);
        m_stamps.clear();
        for (const SeriesCase& sc : m_series)
            m_stamps.push_back(stampOf(sc));
        m_model->reset();
        m_table->resizeColumnsToContents();
        const auto read = std::ranges::count_if(m_series, [](const SeriesCase& sc) { return sc.read(); });
        say(tr("Przeczytano %1 z %2 przypadków serii").arg(read).arg(m_series.size()));
    } else {
        QStringList names;
        for (std::size_t k = 0; k < cases.size(); ++k) {
            const auto i = static_cast<std::size_t>(m_readingCases[k]);
            const bool sameFiles = cases[k].inputs == m_series[i].inputs;
            m_series[i] = std::move(cases[k]);
            if (!sameFiles)
                m_stamps[i] = stampOf(m_series[i]);
            names << QString::fromStdString(m_series[i].name);
        }
        m_model->casesChanged(m_readingCases);
        say(tr("Przeczytano ponownie %1: %2")
                .arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")),
                     names.join(QStringLiteral(", "))));
    }
    fillAxes();
    const std::string shown = std::exchange(m_shownFile, std::string());
    setShownFile(shown); // finds the shown case among those read
    if (m_shown < 0)
        selectCase(selected);
    respan();
    highlightChanged();
    emit casesRead();
    if (std::exchange(m_refreshWanted, false))
        refreshChanged();
}

FileStamps SeriesWindow::stampOf(const SeriesCase& sc)
{
    QStringList names;
    for (const std::string& f : sc.files())
        names << QFile::decodeName(QByteArray::fromStdString(f));
    return fileStamps(names);
}

std::vector<std::string> SeriesWindow::files() const
{
    std::vector<std::string> all;
    for (const SeriesCase& sc : m_series)
        std::ranges::copy(sc.files(), std::back_inserter(all));
    return all;
}

void SeriesWindow::refreshChanged()
{
    if (m_reading) {
        m_refreshWanted = true; // looked at again once this reading ends
        return;
    }
    std::vector<int> changed;
    for (std::size_t i = 0; i < m_series.size(); ++i)
        if (FileStamps now = stampOf(m_series[i]); now != m_stamps[i]) {
            // As the files are now: a change during the reading shows again.
            m_stamps[i] = std::move(now);
            changed.push_back(static_cast<int>(i));
        }
    if (!changed.empty())
        read(std::move(changed));
}

// ---- the case shown and highlighted ----------------------------------------

void SeriesWindow::setShownFile(const std::string& datafile)
{
    if (datafile == m_shownFile)
        return;
    m_shownFile = datafile;
    m_shown = -1;
    for (std::size_t i = 0; i < m_series.size() && !datafile.empty(); ++i)
        if (sameFile(m_series[i].files().front(), datafile)) {
            m_shown = static_cast<int>(i);
            break;
        }
    if (m_shown >= 0)
        selectCase(m_shown);
    highlightChanged();
}

int SeriesWindow::highlighted() const { return m_shown >= 0 ? m_shown : selectedCase(); }

void SeriesWindow::highlightChanged()
{
    m_model->setHighlighted(highlighted());
    redrawPlots();
}

void SeriesWindow::redrawPlots()
{
    m_locus->redraw();
    m_chart->redraw();
}

int SeriesWindow::selectedCase() const
{
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : m_sorted->mapToSource(rows.front()).row();
}

void SeriesWindow::selectCase(int caseIndex)
{
    if (caseIndex < 0 || caseIndex >= m_model->rowCount()) {
        m_table->clearSelection();
        return;
    }
    const QModelIndex at = m_sorted->mapFromSource(m_model->index(caseIndex, 0));
    m_table->selectionModel()->setCurrentIndex(
        at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_table->scrollTo(at);
}

void SeriesWindow::rowClicked(int caseIndex)
{
    if (caseIndex < 0 || caseIndex >= static_cast<int>(m_series.size()))
        return;
    selectCase(caseIndex);
    if (caseIndex == m_shown)
        return;
    const SeriesCase& sc = m_series[static_cast<std::size_t>(caseIndex)];
    if (!m_services.open || !m_services.open(sc.files().front()))
        say(tr("Trwa odczyt przypadku - %1 nie został otwarty.").arg(QString::fromStdString(sc.name)));
}

// An unreadable case's error runs from the solver's column to the last.
void SeriesWindow::respan()
{
    m_table->clearSpans();
    const int columns = m_model->columnCount();
    if (columns <= kSolverColumn + 1)
        return;
    for (int row = 0; row < m_sorted->rowCount(); ++row) {
        const int i = m_sorted->mapToSource(m_sorted->index(row, 0)).row();
        if (i >= 0 && !m_series[static_cast<std::size_t>(i)].read())
            m_table->setSpan(row, kSolverColumn, 1, columns - kSolverColumn);
    }
}

// The axes offer the number columns; a choice stays while its column does.
// At first the condition that changes along the series against ekscen.
void SeriesWindow::fillAxes()
{
    QStringList columns;
    for (std::size_t i = kSolverColumn + 1; i < m_model->columns().size(); ++i)
        columns << QString::fromStdString(m_model->columns()[i]);
    QString x = m_xAxis->currentText();
    QString y = m_yAxis->currentText();
    if (x.isEmpty() || !columns.contains(x)) {
        const auto change = changingCondition(m_series);
        x = change ? QString::fromStdString(change->title) : columns.value(0);
    }
    if (y.isEmpty() || !columns.contains(y))
        y = columns.value(x == columns.value(0) ? 1 : 0);
    for (auto [axis, chosen] : {std::pair {m_xAxis, x}, std::pair {m_yAxis, y}}) {
        const QSignalBlocker quiet(axis);
        QStringList shown;
        for (int i = 0; i < axis->count(); ++i)
            shown << axis->itemText(i);
        if (shown != columns) {
            axis->clear();
            axis->addItems(columns);
        }
        axis->setCurrentIndex(static_cast<int>(columns.indexOf(chosen)));
    }
}

} // namespace lobus
