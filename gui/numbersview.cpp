#include "gui/numbersview.h"

#include "datafiles/texts.h"
#include "drawing/graphics/units.h"

#include "datafiles/fileidentity.h"
#include "drawing/angleview.h"
#include "drawing/casefigures.h"
#include "drawing/graphics/graphics.h"
#include "drawing/overlay.h"
#include "gui/angleviewwidget.h"
#include "gui/mainwindow.h"
#include "gui/numberspanel.h"
#include "gui/picturewidget.h"
#include "gui/unitsmenu.h"

#include <QAction>
#include <QCoreApplication>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>

#include <cmath>

namespace lobus {

namespace {

// The journal centre is found within this many logical pixels of the mouse.
constexpr double kJournalReach = 8.0;

} // namespace

NumbersView::NumbersView(MainWindow& window, Graphics& graphics, std::function<bool()> onScreen,
                         std::function<void()> redraw, const DialogHooks& hooks, NumbersServices services,
                         QSettings* settings)
    : QObject(&window),
      m_window(window),
      m_graphics(graphics),
      m_onScreen(std::move(onScreen)),
      m_redraw(std::move(redraw)),
      m_hooks(hooks),
      m_services(std::move(services))
{
    m_menu = window.menuBar()->addMenu(QCoreApplication::translate("lobus::NumbersView", "&Liczby"));
    auto add = [this](Command c, const QString& text, bool checkable, bool checked) {
        QAction* a = m_menu->addAction(text);
        a->setCheckable(checkable);
        a->setChecked(checked);
        m_actions[static_cast<int>(c)] = a;
        return a;
    };
    QAction* panel
        = add(Command::Panel, QCoreApplication::translate("lobus::NumbersView", "&Panel charakterystyk"),
              true, false);
    QAction* probe
        = add(Command::Probe, QCoreApplication::translate("lobus::NumbersView", "&Odczyt pod kursorem"), true,
              true);
    QAction* overlay
        = add(Command::Overlay, QCoreApplication::translate("lobus::NumbersView", "&Szczyty i numery klinów"),
              true, false);
    QAction* angle = add(Command::AngleView,
                         QCoreApplication::translate("lobus::NumbersView", "&Wykres kątowy"), true, false);
    m_units = new UnitsMenu(*m_menu, settings);
    m_menu->addSeparator();
    QAction* csv
        = add(Command::ExportCsv, QCoreApplication::translate("lobus::NumbersView", "&Eksportuj dane (CSV)…"),
              false, false);
    QAction* save
        = add(Command::SaveAngleView,
              QCoreApplication::translate("lobus::NumbersView", "&Zapisz wykres kątowy…"), false, false);
    QAction* print
        = add(Command::PrintAngleView,
              QCoreApplication::translate("lobus::NumbersView", "&Drukuj wykres kątowy…"), false, false);
    m_menu->addSeparator();
    add(Command::Series, QCoreApplication::translate("lobus::NumbersView", "&Seria przypadków…"), false,
        false);
    add(Command::SeriesFolder,
        QCoreApplication::translate("lobus::NumbersView", "Seria przypadków z &folderu…"), false, false);
    m_menu->addSeparator();
    QAction* compare = add(Command::Compare,
                           QCoreApplication::translate("lobus::NumbersView", "&Porównaj z…"), false, false);
    QAction* endCompare
        = add(Command::EndCompare, QCoreApplication::translate("lobus::NumbersView", "Zakończ porównanie"),
              false, false);
    for (QAction* a : {csv, save, print, compare, endCompare})
        a->setEnabled(false);
    connect(compare, &QAction::triggered, this, &NumbersView::chooseComparison);
    connect(endCompare, &QAction::triggered, this, &NumbersView::endComparison);

    m_panel = new NumbersPanel;
    m_dock = new QDockWidget(QCoreApplication::translate("lobus::NumbersView", "Charakterystyki"), &window);
    m_dock->setObjectName(QStringLiteral("characteristics"));
    m_dock->setWidget(m_panel);
    window.addDockWidget(Qt::RightDockWidgetArea, m_dock);
    m_dock->hide();

    m_angleView = new AngleViewWidget;
    window.splitter()->addWidget(m_angleView);
    m_angleView->hide();
    m_panel->setUnits(units());
    m_angleView->setUnits(units());
    connect(m_units, &UnitsMenu::changed, this, &NumbersView::unitsChanged);

    connect(panel, &QAction::toggled, this, [this](bool on) {
        m_dock->setVisible(on);
        if (on)
            m_window.resizeDocks({m_dock}, {m_window.width() / 3}, Qt::Horizontal);
        if (on)
            refreshPanel();
    });
    connect(m_dock, &QDockWidget::visibilityChanged, this, [this, panel](bool) {
        // Closing the dock by its own button unchecks the entry.
        if (!m_dock->isVisible() && !m_window.isMinimized())
            panel->setChecked(false);
    });
    connect(probe, &QAction::toggled, this, [this](bool on) {
        if (!on)
            pointerLeft();
    });
    connect(overlay, &QAction::toggled, this, [this](bool) { m_redraw(); });
    connect(angle, &QAction::toggled, this, [this](bool on) {
        m_angleView->setVisible(on);
        if (on) {
            // The picture keeps the larger part; the plot is wide, not tall.
            const int h = m_window.splitter()->height();
            m_window.splitter()->setSizes({h * 3 / 5, h - h * 3 / 5});
            refreshAngleView();
        }
    });
    connect(csv, &QAction::triggered, this, &NumbersView::exportCsv);
    connect(save, &QAction::triggered, this, &NumbersView::saveAngleView);
    connect(print, &QAction::triggered, this, &NumbersView::printAngleView);

    PictureWidget* picture = window.picture();
    connect(picture, &PictureWidget::pointerMoved, this, &NumbersView::pointerMoved);
    connect(picture, &PictureWidget::pointerLeft, this, &NumbersView::pointerLeft);
    connect(m_angleView, &AngleViewWidget::angleHovered, this, &NumbersView::angleHovered);
}

QAction* NumbersView::action(Command command) const { return m_actions[static_cast<int>(command)]; }

bool NumbersView::overlayShown() const { return action(Command::Overlay)->isChecked(); }

const ReadoutUnits& NumbersView::units() const { return m_units->units(); }

void NumbersView::unitsChanged(const ReadoutUnits& units)
{
    m_panel->setUnits(units);
    m_angleView->setUnits(units);
    m_window.setStatusText(2, QString()); // the next move reads in the new units
    if (overlayShown())
        m_redraw();
}

QString NumbersView::gapsText() const { return m_gaps ? m_gaps->text() : QString(); }

// The status bar, when the window has one, says what the case lacks.
void NumbersView::showGaps()
{
    auto* bar = m_window.findChild<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly);
    if (!bar || !m_case)
        return;
    const QStringList gaps = caseGaps(*m_case, m_datafile);
    if (!m_gaps && gaps.isEmpty())
        return;
    if (!m_gaps) {
        m_gaps = new QLabel(bar);
        m_gaps->setTextFormat(Qt::PlainText);
        bar->addPermanentWidget(m_gaps);
    }
    m_gaps->setText(gaps.join(QLatin1Char(' ')));
    m_gaps->setVisible(!gaps.isEmpty());
}

void NumbersView::caseDrawn(const Case& c, const RYSUJ& rysuj, const std::string& datafile)
{
    if (!m_onScreen())
        return; // a printout: the window keeps what it shows
    const bool changed = m_case != &c || m_datafile != datafile;
    m_case = &c;
    m_rysuj = &rysuj;
    m_datafile = datafile;
    for (Command e : {Command::ExportCsv, Command::SaveAngleView, Command::PrintAngleView, Command::Compare})
        action(e)->setEnabled(true);
    if (changed || m_dock->isVisible())
        refreshPanel();
    refreshComparison();
    refreshAngleView();
    showGaps();
    if (m_hovered)
        angleHovered(m_hovered);
}

void NumbersView::refreshPanel()
{
    if (m_dock->isVisible())
        m_panel->setCase(m_case, m_datafile);
}

void NumbersView::refreshAngleView()
{
    if (m_angleView->isVisible())
        m_angleView->setCase(m_case, m_rysuj);
}

// ---- the probe and the links ---------------------------------------------

ProbeHit NumbersView::probe(QPointF logical) const
{
    if (!m_case || !m_rysuj || !m_onScreen())
        return {};
    const double ratio = m_window.picture()->devicePixelRatioF();
    float x = 0.0f;
    float y = 0.0f;
    float ex = 0.0f;
    float ey = 0.0f;
    const PointF at {logical.x() * ratio, logical.y() * ratio};
    if (!m_graphics.unitsFromDevice(at, x, y)
        || !m_graphics.unitsFromDevice(PointF {at.x + kJournalReach * ratio, at.y}, ex, ey))
        return {};
    return probeAt(*m_case, *m_rysuj, x, y, std::abs(ex - x));
}

void NumbersView::pointerMoved(QPointF logical)
{
    // The mouse is over the picture, so not over the angle view: its ring
    // goes, whether or not the angle view was told it was left.
    m_hovered.reset();
    m_window.picture()->setMarker(std::nullopt);
    if (!action(Command::Probe)->isChecked())
        return;
    const ProbeHit hit = probe(logical);
    showHit(hit);
    m_angleView->setCursorAngle(hit.kind == ProbeHit::Kind::Lobe ? std::optional<float>(hit.angle)
                                                                 : std::nullopt);
    m_angleView->setMark(hit.point > 0 ? hit.lobe : 0, hit.point);
}

void NumbersView::pointerLeft()
{
    m_window.setStatusText(2, QString());
    m_angleView->setCursorAngle(std::nullopt);
    m_angleView->setMark(0, 0);
}

void NumbersView::showHit(const ProbeHit& hit)
{
    QString text;
    if (hit.kind == ProbeHit::Kind::Journal) {
        text = QCoreApplication::translate("lobus::NumbersView",
                                           "Środek czopa: mimośród względny ε = %1, kąt położenia = %2°")
                   .arg(readoutText(m_case->dane.ekscen, 4), readoutText(m_case->dane.katekscen, 2));
    } else if (hit.kind == ProbeHit::Kind::Lobe && hit.point == 0) {
        text = QCoreApplication::translate("lobus::NumbersView", "Klin %1: kąt %2°, brak punktów")
                   .arg(hit.lobe)
                   .arg(readoutText(hit.angle, 2));
    } else if (hit.kind == ProbeHit::Kind::Lobe) {
        const ReadoutUnits& u = units();
        text = QCoreApplication::translate("lobus::NumbersView", "Klin %1: kąt %2°, p = %3 %4")
                   .arg(hit.lobe)
                   .arg(readoutText(hit.angle, 2), pressureText(hit.pressure, u), unitText(u.pressure));
        if (m_case->dane.thermal()) {
            const CaseValues& named = m_case->results.named;
            const QString t = unitText(u.temperature);
            text += QCoreApplication::translate("lobus::NumbersView", ", %1 = %2 %3, %4 = %5 %6")
                        .arg(QString::fromStdString(named.tem1.name), temperatureText(hit.tem1, u), t,
                             QString::fromStdString(named.tem2.name), temperatureText(hit.tem2, u), t);
        }
    }
    m_window.setStatusText(2, text);
}

// The angle under the mouse in the angle view: the lobe whose extent holds
// it and its nearest point, marked in both views.
void NumbersView::angleHovered(std::optional<float> angle)
{
    PictureWidget* picture = m_window.picture();
    m_hovered = angle;
    if (!angle || !m_case || !m_rysuj) {
        picture->setMarker(std::nullopt);
        m_angleView->setMark(0, 0);
        m_window.setStatusText(2, QString());
        return;
    }
    const Case& c = *m_case;
    for (int k = 1; k <= lobeCount(c.dane); ++k) {
        const float a = angleInExtent(*angle, c.dane.tabpsi(2 * k - 1));
        if (!(a <= c.dane.tabpsi(2 * k)))
            continue;
        const int j = nearestPoint(c, k, a);
        m_angleView->setMark(j > 0 ? k : 0, j);
        if (j == 0)
            break;
        ProbeHit hit;
        hit.kind = ProbeHit::Kind::Lobe;
        hit.lobe = k;
        hit.point = j;
        hit.angle = element(c.results.katcis, k, j);
        hit.pressure = readValue(c, ResultColumn::Cis, k, j);
        hit.tem1 = readValue(c, ResultColumn::Tem1, k, j);
        hit.tem2 = readValue(c, ResultColumn::Tem2, k, j);
        showHit(hit);
        // The pressure point of the diagram, where the picture draws it.
        const double rad = double(hit.angle) * kExactDegree;
        const float scale = m_rysuj->pscale;
        const double depth = 1.0
            - (scale != 0.0f && std::isfinite(scale) ? double(hit.pressure) * m_rysuj->plen / scale : 0.0);
        PointF p;
        if (m_onScreen()
            && m_graphics.unitsToDevice(static_cast<float>(c.dane.tabkla(k) + depth * std::cos(rad)),
                                        static_cast<float>(c.dane.tabklb(k) + depth * std::sin(rad)), p))
            picture->setMarker(QPointF(p.x, p.y) / picture->devicePixelRatioF());
        else
            picture->setMarker(std::nullopt); // never a ring left from another point
        return;
    }
    picture->setMarker(std::nullopt);
    m_window.setStatusText(2, QString());
}

} // namespace lobus
