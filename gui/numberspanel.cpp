#include "gui/numberspanel.h"

#include "drawing/casefigures.h"
#include "numbers/numbertext.h"
#include "translations/quantitymeanings.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QStringList>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>
#include <utility>

namespace lobus {

QString readoutText(double v, int decimals)
{
    return std::isfinite(v) ? QString::fromStdString(fixedText(v, decimals, Ties::AwayFromZero))
                            : QStringLiteral("—");
}

QString pressureText(double pascals, const ReadoutUnits& units, int lessDecimals)
{
    return readoutText(pressureIn(units.pressure, pascals),
                       std::max(0, pressureDecimals(units.pressure) - lessDecimals));
}

QString temperatureText(double celsius, const ReadoutUnits& units)
{
    return readoutText(temperatureIn(units.temperature, celsius), 2);
}

QString unitText(PressureUnit unit)
{
    const std::string_view s = symbol(unit);
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString unitText(TemperatureUnit unit)
{
    const std::string_view s = symbol(unit);
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

namespace {

// The files named as the case's, for a note that names them.
QString fileNames(const std::string& datafile, std::uint8_t files)
{
    const QString stem = QFileInfo(QString::fromStdString(datafile)).completeBaseName();
    QStringList names;
    for (const auto& [bit, extension] :
         {std::pair {kResultCha, ".cha"}, {kResultCis, ".cis"}, {kResultTem, ".tem"}})
        if (files & bit)
            names << stem + QLatin1String(extension);
    return names.join(QStringLiteral(", "));
}

QTableWidget* newTable(QWidget* parent)
{
    auto* table = new QTableWidget(parent);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->setVisible(false);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    return table;
}

QLabel* newTitle(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// As tall as its rows and the scroll bar a narrow panel gives it: the
// panel's room left goes below the tables.
void fitRows(QTableWidget* table)
{
    int height = table->horizontalHeader()->sizeHint().height() + 2 * table->frameWidth()
        + table->horizontalScrollBar()->sizeHint().height();
    for (int row = 0; row < table->rowCount(); ++row)
        height += table->rowHeight(row);
    table->setFixedHeight(height);
}

QTableWidgetItem* cell(const QString& text, bool number)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return item;
}

// One row a value: its name as the file writes it (a name no header gave in
// the interface's words), its meaning where the name is known, its value
// exactly as read, its unit as the file writes it.
void fillNamed(QTableWidget* table, const std::vector<NamedValue>& values)
{
    table->clear();
    table->setColumnCount(4);
    table->setHorizontalHeaderLabels({QCoreApplication::translate("lobus::NumbersPanel", "Wielkość"),
                                      QCoreApplication::translate("lobus::NumbersPanel", "Znaczenie"),
                                      QCoreApplication::translate("lobus::NumbersPanel", "Wartość"),
                                      QCoreApplication::translate("lobus::NumbersPanel", "Jednostka")});
    table->setRowCount(static_cast<int>(values.size()));
    for (int row = 0; row < table->rowCount(); ++row) {
        const NamedValue& v = values[static_cast<std::size_t>(row)];
        const QString name = QString::fromStdString(v.column.name);
        const QString meaning = v.column.fromHeader ? quantityMeaning(v.column.name) : QString();
        QTableWidgetItem* nameItem
            = cell(v.column.fromHeader ? name
                                       : QCoreApplication::translate("lobus::NumbersPanel", "wartość %1")
                                             .arg(name.section(QLatin1Char(' '), 1)),
                   false);
        nameItem->setToolTip(meaning);
        table->setItem(row, 0, nameItem);
        table->setItem(row, 1, cell(meaning, false));
        table->setItem(
            row, 2,
            cell(std::isfinite(v.value) ? QString::fromStdString(shortestText(v.value)) : QStringLiteral("—"),
                 true));
        table->setItem(row, 3, cell(QString::fromStdString(v.column.unit), false));
    }
    table->resizeColumnsToContents();
    fitRows(table);
}

} // namespace

QStringList caseGaps(const Case& c, const std::string& datafile)
{
    const ReadRecord& read = c.results.read;
    QStringList gaps;
    if (read.unread)
        gaps << QCoreApplication::translate("lobus::NumbersPanel",
                                            "Przypadek niepełny: nie wczytano %1 (wybór zbioru przerwano).")
                    .arg(fileNames(datafile, read.unread));
    std::uint8_t ended = read.cisEndedIn > 0 ? kResultCis : 0;
    if (c.dane.thermal() && read.temEndedIn > 0)
        ended |= kResultTem;
    if (ended)
        gaps << QCoreApplication::translate("lobus::NumbersPanel",
                                            "Przypadek niepełny: %1 kończy się przed końcem bloków klinów.")
                    .arg(fileNames(datafile, ended));
    return gaps;
}

NumbersPanel::NumbersPanel(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    m_summary = newTitle(this);
    m_summary->setWordWrap(true);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_table = newTable(this);
    m_conditionsTitle = newTitle(this);
    m_conditions = newTable(this);
    m_characteristicsTitle = newTitle(this);
    m_characteristics = newTable(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_table);
    layout->addWidget(m_conditionsTitle);
    layout->addWidget(m_conditions);
    layout->addWidget(m_characteristicsTitle);
    layout->addWidget(m_characteristics);
    m_comparison = newTable(this);
    m_comparison->hide();
    layout->addWidget(m_comparison);
    layout->addStretch(1);
    setCase(nullptr, std::string());
}

QString NumbersPanel::summaryText() const { return m_summary->text(); }

void NumbersPanel::setCase(const Case* c, const std::string& datafile)
{
    m_case = c;
    m_datafile = datafile;
    refresh();
}

void NumbersPanel::setUnits(const ReadoutUnits& units)
{
    m_units = units;
    refresh();
}

void NumbersPanel::refresh()
{
    const bool shown = m_case != nullptr;
    for (QWidget* w : std::initializer_list<QWidget*> {m_conditionsTitle, m_conditions,
                                                       m_characteristicsTitle, m_characteristics})
        w->setVisible(shown);
    if (!m_case) {
        m_summary->setText(tr("Nie wczytano przypadku."));
        m_table->clear();
        m_table->setRowCount(0);
        m_table->setColumnCount(0);
        return;
    }
    const Case& c = *m_case;
    const CaseFigures f = caseFigures(c);
    const QString p = unitText(m_units.pressure);
    QStringList lines;
    lines << tr("Zbiór danych: %1").arg(QFileInfo(QString::fromStdString(m_datafile)).fileName());
    lines << tr("Program: %1").arg(f.thermal ? QStringLiteral("SOLAKO") : QStringLiteral("MERANT"));
    lines << tr("Środek czopa: mimośród względny ε = %1, kąt położenia = %2°")
                 .arg(readoutText(f.ekscen, 4), readoutText(f.katekscen, 2));
    lines << tr("pmax = %1 %2").arg(pressureText(f.pmax, m_units), p);
    if (f.thermal)
        lines << tr("tmax = %1 %2").arg(temperatureText(f.tmax, m_units), unitText(m_units.temperature));
    if (f.pmaxDiffers)
        lines << tr("Uwaga: największe odczytane ciśnienie, %1 %2 (klin %3), różni się od pmax.")
                     .arg(pressureText(f.pressureRead.value, m_units), p)
                     .arg(f.pressureReadLobe);
    lines << caseGaps(c, m_datafile);
    m_summary->setText(lines.join(QLatin1Char('\n')));

    fillLobes(c);
    m_conditionsTitle->setText(tr("Warunki pracy (zbiór danych)"));
    fillNamed(m_conditions, c.results.named.conditions);
    m_characteristicsTitle->setText(tr("Charakterystyki łożyska (zbiór .cha)"));
    fillNamed(m_characteristics, c.results.named.characteristics);
}

void NumbersPanel::fillLobes(const Case& c)
{
    const CaseFigures f = caseFigures(c);
    const QString p = unitText(m_units.pressure);
    const QString t = unitText(m_units.temperature);
    QStringList headers {
        tr("Klin"),   tr("Początek [°]"),        tr("Koniec [°]"),     tr("Środek łuku a, b [c]"),
        tr("Punkty"), tr("p maks. [%1]").arg(p), tr("kąt p maks. [°]")};
    const CaseValues& named = c.results.named;
    if (f.thermal) {
        for (const ColumnName* n : {&named.tem1, &named.tem2}) {
            const QString name = QString::fromStdString(n->name);
            headers << tr("%1 maks. [%2]").arg(name, t) << tr("kąt %1 maks. [°]").arg(name);
        }
    }
    m_table->clear();
    m_table->setColumnCount(static_cast<int>(headers.size()));
    m_table->setHorizontalHeaderLabels(headers);
    m_table->setRowCount(static_cast<int>(f.lobes.size()));
    auto put = [this](int row, int column, const QString& text) {
        m_table->setItem(row, column, cell(text, true));
    };
    // A peak of 0 marks nothing: a lobe without pressure has no peak to show.
    auto peak = [&](int row, int column, const Peak& pk, bool pressure) {
        const bool shown = pk.found && !(pressure && pk.value == 0.0f);
        put(row, column,
            shown ? (pressure ? pressureText(pk.value, m_units) : temperatureText(pk.value, m_units))
                  : QStringLiteral("—"));
        put(row, column + 1, shown ? readoutText(pk.angle, 2) : QStringLiteral("—"));
    };
    for (int row = 0; row < static_cast<int>(f.lobes.size()); ++row) {
        const LobeFigures& l = f.lobes[static_cast<std::size_t>(row)];
        put(row, 0, QString::number(l.lobe));
        put(row, 1, readoutText(l.start, 2));
        put(row, 2, readoutText(l.end, 2));
        put(row, 3, readoutText(l.kla, 4) + QStringLiteral(", ") + readoutText(l.klb, 4));
        put(row, 4, QString::number(l.points));
        peak(row, 5, l.pressure, true);
        if (f.thermal) {
            peak(row, 7, l.tem1, false);
            peak(row, 9, l.tem2, false);
        }
    }
    m_table->resizeColumnsToContents();
    fitRows(m_table);
}

void NumbersPanel::setComparison(const Case* a, const Case* b, const std::string& bName)
{
    m_comparison->setVisible(a && b);
    if (!a || !b)
        return;
    const CaseFigures fa = caseFigures(*a);
    const CaseFigures fb = caseFigures(*b);
    struct Row {
        QString name;
        double a, b;
        int decimals;
    };
    std::vector<Row> rows {
        {QStringLiteral("ekscen"), fa.ekscen, fb.ekscen, 4},
        {QStringLiteral("katekscen [°]"), fa.katekscen, fb.katekscen, 2},
        {QStringLiteral("pmax [MPa]"), fa.pmax / 1.0e6, fb.pmax / 1.0e6, 3},
        {QStringLiteral("tmax [°C]"), fa.tmax, fb.tmax, 2},
    };
    const auto peak = [](const CaseFigures& f, std::size_t k) {
        return k < f.lobes.size() && f.lobes[k].pressure.found ? f.lobes[k].pressure.value / 1.0e6
                                                               : std::nan("");
    };
    for (std::size_t k = 0; k < std::max(fa.lobes.size(), fb.lobes.size()); ++k)
        rows.push_back(
            {QCoreApplication::translate("lobus::NumbersPanel", "klin %1: p maks. [MPa]").arg(k + 1),
             peak(fa, k), peak(fb, k), 3});
    m_comparison->clear();
    m_comparison->setColumnCount(4);
    m_comparison->setHorizontalHeaderLabels(
        {QCoreApplication::translate("lobus::NumbersPanel", "Wielkość"), QStringLiteral("A"),
         QStringLiteral("B: ") + QString::fromStdString(bName), QStringLiteral("B−A")});
    m_comparison->setRowCount(static_cast<int>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& r = rows[i];
        const QString cells[4] = {r.name, readoutText(r.a, r.decimals), readoutText(r.b, r.decimals),
                                  readoutText(r.b - r.a, r.decimals)};
        for (int c = 0; c < 4; ++c)
            m_comparison->setItem(static_cast<int>(i), c, new QTableWidgetItem(cells[c]));
    }
    m_comparison->resizeColumnsToContents();
}

} // namespace lobus
