#include "gui/numberspanel.h"

#include "drawing/casefigures.h"
#include "numbers/numbertext.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QStringList>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace lobus {

QString readoutText(double v, int decimals)
{
    return std::isfinite(v) ? QString::fromStdString(fixedText(v, decimals, Ties::AwayFromZero))
                            : QStringLiteral("—");
}

namespace {

QString mpa(float pascals) { return readoutText(double(pascals) / 1.0e6, 3); }

} // namespace

NumbersPanel::NumbersPanel(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    m_summary = new QLabel(this);
    m_summary->setTextFormat(Qt::PlainText);
    m_summary->setWordWrap(true);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_table = new QTableWidget(this);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->setVisible(false);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    layout->addWidget(m_summary);
    layout->addWidget(m_table, 1);
    setCase(nullptr, std::string());
}

QString NumbersPanel::summaryText() const { return m_summary->text(); }

void NumbersPanel::setCase(const Case* c, const std::string& datafile)
{
    if (!c) {
        m_summary->setText(QCoreApplication::translate("lobus::NumbersPanel", "Nie wczytano przypadku."));
        m_table->clear();
        m_table->setRowCount(0);
        m_table->setColumnCount(0);
        return;
    }
    const CaseFigures f = caseFigures(*c);
    QStringList lines;
    lines << QCoreApplication::translate("lobus::NumbersPanel", "Zbiór danych: %1")
                 .arg(QFileInfo(QString::fromStdString(datafile)).fileName());
    lines << QCoreApplication::translate("lobus::NumbersPanel", "Program: %1")
                 .arg(f.thermal ? QStringLiteral("SOLAKO") : QStringLiteral("MERANT"));
    lines << QCoreApplication::translate("lobus::NumbersPanel", "Środek czopa: ekscen = %1, katekscen = %2°")
                 .arg(readoutText(f.ekscen, 4), readoutText(f.katekscen, 2));
    lines << QCoreApplication::translate("lobus::NumbersPanel", "pmax = %1 MPa").arg(mpa(f.pmax));
    if (f.thermal)
        lines
            << QCoreApplication::translate("lobus::NumbersPanel", "tmax = %1 °C").arg(readoutText(f.tmax, 2));
    if (f.pmaxDiffers)
        lines << QCoreApplication::translate(
                     "lobus::NumbersPanel",
                     "Uwaga: największe odczytane ciśnienie, %1 MPa (klin %2), różni się od pmax.")
                     .arg(mpa(f.pressureRead.value))
                     .arg(f.pressureReadLobe);
    m_summary->setText(lines.join(QLatin1Char('\n')));

    QStringList headers {QCoreApplication::translate("lobus::NumbersPanel", "Klin"),
                         QCoreApplication::translate("lobus::NumbersPanel", "Początek [°]"),
                         QCoreApplication::translate("lobus::NumbersPanel", "Koniec [°]"),
                         QCoreApplication::translate("lobus::NumbersPanel", "tabkla"),
                         QCoreApplication::translate("lobus::NumbersPanel", "tabklb"),
                         QCoreApplication::translate("lobus::NumbersPanel", "Punkty"),
                         QCoreApplication::translate("lobus::NumbersPanel", "p maks. [MPa]"),
                         QCoreApplication::translate("lobus::NumbersPanel", "kąt p maks. [°]")};
    if (f.thermal)
        headers << QCoreApplication::translate("lobus::NumbersPanel", "t1 maks. [°C]")
                << QCoreApplication::translate("lobus::NumbersPanel", "kąt t1 maks. [°]")
                << QCoreApplication::translate("lobus::NumbersPanel", "t2 maks. [°C]")
                << QCoreApplication::translate("lobus::NumbersPanel", "kąt t2 maks. [°]");
    m_table->clear();
    m_table->setColumnCount(static_cast<int>(headers.size()));
    m_table->setHorizontalHeaderLabels(headers);
    m_table->setRowCount(static_cast<int>(f.lobes.size()));
    auto put = [this](int row, int column, const QString& text) {
        auto* item = new QTableWidgetItem(text);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_table->setItem(row, column, item);
    };
    auto peak = [&](int row, int column, const Peak& p, bool pressure) {
        put(row, column, p.found ? (pressure ? mpa(p.value) : readoutText(p.value, 2)) : QStringLiteral("—"));
        put(row, column + 1, p.found ? readoutText(p.angle, 2) : QStringLiteral("—"));
    };
    for (int row = 0; row < static_cast<int>(f.lobes.size()); ++row) {
        const LobeFigures& l = f.lobes[static_cast<std::size_t>(row)];
        put(row, 0, QString::number(l.lobe));
        put(row, 1, readoutText(l.start, 2));
        put(row, 2, readoutText(l.end, 2));
        put(row, 3, readoutText(l.kla, 4));
        put(row, 4, readoutText(l.klb, 4));
        put(row, 5, QString::number(l.points));
        peak(row, 6, l.pressure, true);
        if (f.thermal) {
            peak(row, 8, l.tem1, false);
            peak(row, 10, l.tem2, false);
        }
    }
    m_table->resizeColumnsToContents();
}

} // namespace lobus
