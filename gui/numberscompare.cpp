// The comparison of the shown case with another: "Porównaj z…" reads case B
// (as lobus-render --compare does, no dialog), the picture gets B's diagrams
// dashed over it and the panel A, B and B−A; "Zakończ porównanie" ends it.

#include "gui/numbersview.h"

#include "dialogs/dialoghooks.h"
#include "gui/angleviewwidget.h"
#include "gui/mainwindow.h"
#include "gui/numberspanel.h"
#include "series/seriesfiles.h"
#include "series/seriesread.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTime>

namespace lobus {

void NumbersView::chooseComparison()
{
    FileRequest request;
    request.title = QCoreApplication::translate("lobus::NumbersView", "Porównaj z przypadkiem");
    request.filter = QCoreApplication::translate("lobus::NumbersView", "Dane przypadku (*.dan)");
    request.initial = QFileInfo(QString::fromStdString(m_datafile)).absolutePath();
    const std::optional<QString> chosen
        = m_hooks.selectFile ? m_hooks.selectFile(&m_window, request) : systemSelectFile(&m_window, request);
    if (chosen)
        compareWith(chosen->toStdString());
}

bool NumbersView::compareWith(const std::string& datafile)
{
    auto b = std::make_shared<SeriesCase>(readSeriesCase({datafile, {}}));
    if (!b->read()) {
        complain(QCoreApplication::translate("lobus::NumbersView", "Nie można porównać z %1:\n%2")
                     .arg(QString::fromStdString(datafile), QString::fromStdString(b->error)));
        return false;
    }
    m_compare = std::move(b);
    action(Command::EndCompare)->setEnabled(true);
    watchCompared();
    m_redraw();
    return true;
}

void NumbersView::comparisonReadAgain(SeriesCase b)
{
    if (!m_compare || m_compare->file != b.file)
        return; // ended, or another case compared, while it was read
    const QTime now = QTime::currentTime();
    const QString clock = QStringLiteral("%1:%2:%3")
                              .arg(now.hour(), 2, 10, QLatin1Char('0'))
                              .arg(now.minute(), 2, 10, QLatin1Char('0'))
                              .arg(now.second(), 2, 10, QLatin1Char('0'));
    if (!b.read()) {
        // One line: a taller status bar would shrink the picture.
        const QString report = QString::fromStdString(b.error).simplified();
        m_window.setStatusText(
            2,
            QCoreApplication::translate("lobus::NumbersView", "Nie przeczytano ponownie przypadku B (%1): %2")
                .arg(QString::fromStdString(b.name), report));
        return;
    }
    m_compare = std::make_shared<SeriesCase>(std::move(b));
    refreshComparison();
    m_redraw();
    m_window.setStatusText(
        2,
        QCoreApplication::translate("lobus::NumbersView", "Przeczytano ponownie przypadek B (%1) %2")
            .arg(QString::fromStdString(m_compare->name), clock));
}

void NumbersView::watchCompared()
{
    if (!m_services.watchCompared)
        return;
    if (!m_compare) {
        m_services.watchCompared({});
        return;
    }
    m_services.watchCompared(m_compare->inputs);
}

void NumbersView::endComparison()
{
    m_compare.reset();
    watchCompared();
    action(Command::EndCompare)->setEnabled(false);
    refreshComparison();
    m_redraw();
}

ComparedCase NumbersView::compared(const std::string& shown) const
{
    if (!m_compare || !m_compare->data)
        return {};
    return {m_compare->data.get(), &m_compare->rysuj, {lobus::caseName(shown), m_compare->name}};
}

void NumbersView::refreshComparison()
{
    m_angleView->setComparison(compared(m_datafile));
    m_panel->setComparison(m_case, m_compare ? m_compare->data.get() : nullptr,
                           m_compare ? m_compare->name : std::string());
}

} // namespace lobus
