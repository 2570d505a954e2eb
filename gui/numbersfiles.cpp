// The numbers' files: the points as CSV, the angle view saved as a picture
// file of the size the user chooses, and printed on a landscape page. The
// save dialogs start in the folder of the last export, the names proposed
// and the print job carry the case's name.

#include "gui/numbersview.h"

#include "dataexport/pointscsv.h"
#include "datafiles/fileidentity.h"
#include "datafiles/filereplace.h"
#include "datafiles/texts.h"
#include "dialogs/filename.h"
#include "drawing/angleview.h"
#include "drawing/compare.h"
#include "drawing/graphics/graphics.h"
#include "gui/angleviewwidget.h"
#include "gui/mainwindow.h"
#include "render/angleviewtexts.h"
#include "render/painterdevice.h"
#include "render/picturefile.h"
#include "render/vectorfile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include <new>

namespace lobus {

namespace {

// The angle view's file when the view is not shown: the command line's
// default picture size.
constexpr QSize kFileSize {1600, 1000};

} // namespace

QString NumbersView::caseName() const
{
    return QFileInfo(QFile::decodeName(QByteArray::fromStdString(m_datafile))).completeBaseName();
}

void NumbersView::complain(const QString& text) { warningBox(m_hooks, &m_window, text); }

bool NumbersView::writesOverAnInput(const std::string& path)
{
    const auto input = inputWrittenOver(path, m_caseFiles);
    if (input)
        complain(QString::fromStdString(outputIsInputText(path, *input)));
    return input.has_value();
}

void NumbersView::exportCsv()
{
    if (!m_case)
        return;
    const std::optional<QString> path
        = m_services.chooseSaveFile(QCoreApplication::translate("lobus::NumbersView", "Eksport danych (CSV)"),
                                    QCoreApplication::translate("lobus::NumbersView", "Dane CSV (*.csv)"),
                                    caseName() + QStringLiteral(".csv"));
    if (!path)
        return;
    std::string error;
    std::string text;
    try {
        text = pointsCsv(*m_case);
    } catch (const std::bad_alloc&) {
        error = texts::fillIn(
            texts::translate("lobus", "Brak pamięci na %1"),
            {texts::fillIn(texts::translate("lobus", "tekst wyniku zbioru %1"), {displayName(m_datafile)})});
    }
    if (writesOverAnInput(fileSystemName(*path)))
        return;
    std::string note;
    if (error.empty() && !writeTextFile(fileSystemName(*path), text, error, {}, &note))
        complain(QCoreApplication::translate("lobus::NumbersView", "Nie zapisano danych: %1")
                     .arg(QString::fromStdString(error)));
    else if (!note.empty())
        m_window.setStatusText(2, QString::fromStdString(note));
}

void NumbersView::saveAngleView()
{
    if (!m_case || !m_rysuj)
        return;
    const std::optional<QString> chosen = m_services.chooseSaveFile(
        QCoreApplication::translate("lobus::NumbersView", "Zapis wykresu kątowego"),
        QCoreApplication::translate("lobus::NumbersView",
                                    "Obraz PNG (*.png);;Rysunek SVG (*.svg);;Dokument PDF (*.pdf)"),
        caseName() + QStringLiteral("-angle.png"));
    if (!chosen)
        return;
    const QSize shown = m_angleView->isVisible() ? m_angleView->plot().size() : kFileSize;
    const std::optional<ExportChoice> size = m_services.chooseSize(shown);
    if (!size)
        return;
    QString path = *chosen;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QStringLiteral("png") && suffix != QStringLiteral("svg") && suffix != QStringLiteral("pdf"))
        path += QStringLiteral(".png");
    if (writesOverAnInput(fileSystemName(path)))
        return;
    const AngleViewState view = m_angleView->view();
    const AngleViewTexts texts = angleViewTexts(units());
    std::string error;
    const Case& c = *m_case;
    const RYSUJ& r = *m_rysuj;
    const QSize pixels = exportPixels(*size, shown);
    std::string note;
    if (!writeDrawingFile(
            fileSystemName(path), pixels.width(), pixels.height(),
            [&](Graphics& g) { drawAngleViewCompared(g, c, r, view, texts, compared(m_datafile)); }, error,
            {}, &note, size->fullDetail ? VectorDetail::Full : VectorDetail::Thinned))
        complain(QCoreApplication::translate("lobus::NumbersView", "Nie zapisano wykresu: %1")
                     .arg(QString::fromStdString(error)));
    else if (!note.empty())
        m_window.setStatusText(2, QString::fromStdString(note));
}

void NumbersView::printAngleView()
{
    if (!m_case || !m_rysuj)
        return;
    Abandonable<QPrinter> printer(QPrinter::HighResolution);
    printer.setDocName(
        QCoreApplication::translate("lobus::NumbersView", "%1 - wykres kątowy").arg(caseName()));
    printer.setPageOrientation(QPageLayout::Landscape); // the plot is wide
    const bool accepted
        = m_hooks.printSetup ? m_hooks.printSetup(&m_window, printer) : systemPrintSetup(&m_window, printer);
    if (!accepted)
        return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        complain(QCoreApplication::translate("lobus::NumbersView", "Nie można rozpocząć wydruku."));
        return;
    }
    const QRectF page(0, 0, printer.width(), printer.height());
    try {
        PainterDevice device(painter,
                             PainterDevice::fitted(page, double(kFileSize.width()) / kFileSize.height()),
                             printer.resolution(), PainterDevice::pageDetailPixels(printer.resolution()));
        Graphics g;
        g.setDevice(&device);
        drawAngleViewCompared(g, *m_case, *m_rysuj, m_angleView->view(), angleViewTexts(units()),
                              compared(m_datafile));
        g.setDevice(nullptr);
        device.flush();
        painter.end();
    } catch (const std::bad_alloc&) {
        // Nothing is printed of a page that could not be drawn whole.
        abandonPainter(painter);
        complain(
            QString::fromStdString(texts::fillIn(texts::translate("lobus", "Brak pamięci na %1"),
                                                 {texts::translate("lobus", "wydruk wykresu kątowego")})));
    }
}

} // namespace lobus
