// The window layer's picture files and printout: Save bitmap writes the
// picture shown; Export writes what the window shows (the overlay too, when
// it is on) at the size the user chooses; the printout carries the case's
// name.

#include "gui/qtwindowlayer.h"

#include "datafiles/blanks.h"
#include "datafiles/texts.h"
#include "drawing/compare.h"
#include "drawing/overlay.h"
#include "drawing/rysunek.h"
#include "gui/mainwindow.h"
#include "gui/numbersview.h"
#include "gui/windowthread.h"
#include "render/painterdevice.h"
#include "render/picturefile.h"
#include "render/vectorfile.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QSettings>

namespace lobus {

// ---- picture file and printer --------------------------------------------

bool QtWindowLayer::IGRSAVEIMAGE(const std::string& filename)
{
    assertWindowThread();
    m_saveError.clear();
    if (m_image.isNull()) {
        m_saveError = "no picture to save";
        return false;
    }
    std::string note;
    if (!saveImageFile(m_image, trimTrailingBlanks(filename), m_saveError, {}, &note))
        return false;
    if (!note.empty() && m_window)
        m_window->setStatusText(2, QString::fromStdString(note));
    return true;
}

QSize QtWindowLayer::shownPictureSize() const
{
    return m_image.isNull() ? QSize(1600, 1000) : m_image.size();
}

QString QtWindowLayer::caseName() const
{
    return QFileInfo(QFile::decodeName(QByteArray::fromStdString(m_datafile))).completeBaseName();
}

std::optional<ExportChoice> QtWindowLayer::askExportChoice(QSize shown)
{
    assertWindowThread();
    const std::optional<ExportChoice> chosen = m_hooks.exportChoice
        ? m_hooks.exportChoice(dialogParent(), m_exportChoice, shown)
        : systemExportChoice(dialogParent(), m_exportChoice, shown);
    if (!chosen)
        return std::nullopt;
    m_exportChoice = *chosen;
    if (m_settings) {
        m_settings->setValue(QLatin1String(kExportSizeKey), exportChoiceText(*chosen));
        m_settings->setValue(QLatin1String(kExportFullDetailKey), chosen->fullDetail);
        storeSettings();
    }
    return chosen;
}

void QtWindowLayer::readExportChoice()
{
    if (!m_settings)
        return;
    if (const auto choice = exportChoiceFromText(m_settings->value(QLatin1String(kExportSizeKey)).toString()))
        m_exportChoice = *choice;
    m_exportChoice.fullDetail = m_settings->value(QLatin1String(kExportFullDetailKey)).toBool();
}

bool QtWindowLayer::chooseExportOptions() { return askExportChoice(shownPictureSize()).has_value(); }

// What the window shows, in a file: the picture and, when they are on, the
// peaks overlay and the compared case, as lobus-render draws them (with
// --annotate and --compare).
bool QtWindowLayer::exportPicture(const std::string& path, const Case& c, const RYSUJ& rysuj,
                                  std::string& error)
{
    assertWindowThread();
    const QSize size = exportPixels(m_exportChoice, shownPictureSize());
    RYSUJ settings = rysuj; // the drawing writes halfx
    const bool overlay = m_numbers && m_numbers->overlayShown();
    const ReadoutUnits units = m_numbers ? m_numbers->units() : ReadoutUnits();
    const ComparedCase compared = m_numbers ? m_numbers->compared(m_datafile) : ComparedCase();
    std::string note;
    if (!writeDrawingFile(
            path, size.width(), size.height(),
            [&](Graphics& g) {
                RYSUNEK(g, c, settings);
                if (overlay)
                    drawPeaksOverlay(g, c, settings, units);
                drawPictureComparison(g, c, settings, compared);
            },
            error, {}, &note, m_exportChoice.fullDetail ? VectorDetail::Full : VectorDetail::Thinned))
        return false;
    if (!note.empty() && m_window)
        m_window->setStatusText(2, QString::fromStdString(note));
    return true;
}

void QtWindowLayer::IGRHARDCOPYSELECT(int, int device) { m_hardcopyDevice = device; }

void QtWindowLayer::IGRHARDCOPY(const std::string& code)
{
    assertWindowThread();
    if (code == "S" || code == "s") {
        endPrintout();
        return;
    }
    if (trimTrailingBlanks(code).empty()) {
        // Only the system printer (which also prints to a PDF file) is offered.
        if (m_printDevice || m_hardcopyDevice != kHardcopyPrinter)
            return;
        auto printer = std::make_unique<Abandonable<QPrinter>>(QPrinter::HighResolution);
        // The job carries the case's name.
        printer->setDocName(m_datafile.empty() && m_window ? m_window->windowTitle() : caseName());
        // A landscape picture on a landscape page, unless the user turns it.
        if (!m_image.isNull())
            printer->setPageOrientation(m_image.width() > m_image.height() ? QPageLayout::Landscape
                                                                           : QPageLayout::Portrait);
        const bool accepted = m_hooks.printSetup ? m_hooks.printSetup(dialogParent(), *printer)
                                                 : systemPrintSetup(dialogParent(), *printer);
        m_lastConfirmed = accepted ? 1 : 0;
        if (!accepted)
            return; // drawing stays on the screen
        auto painter = std::make_unique<QPainter>();
        if (!painter->begin(printer.get())) {
            m_lastConfirmed = 0;
            return;
        }
        PainterDevice::setRenderHints(*painter);
        const QRectF page(0, 0, printer->width(), printer->height());
        const double aspect = m_image.isNull() ? 1.0 : double(m_image.width()) / m_image.height();
        m_printDevice = std::make_unique<PainterDevice>(
            *painter, PainterDevice::fitted(page, aspect), printer->resolution(),
            PainterDevice::pageDetailPixels(printer->resolution()));
        m_printPainter = std::move(painter);
        m_printer = std::move(printer);
        m_printFailed = false;
        m_graphics.setDevice(m_printDevice.get());
    }
}

void QtWindowLayer::endPrintout()
{
    if (!m_printDevice)
        return;
    m_graphics.setDevice(m_surface.get());
    // A page whose drawing ran out of memory is dropped (the shell has said
    // so); so is one whose printer runs out of memory writing it.
    bool ended = false;
    try {
        if (!m_printFailed) {
            m_printDevice->flush();
            m_printPainter->end();
            ended = true;
        }
    } catch (const std::bad_alloc&) {
        WMESSAGEBOX(kButtonsOk, kIconError, kDefaultFirst,
                    texts::fillIn(texts::translate("lobus", "Brak pamięci na %1"),
                                  {texts::translate("lobus", "wydruk rysunku")}),
                    texts::translate("DataFiles", "UWAGA"));
    }
    if (!ended)
        abandonPainter(*m_printPainter);
    // A page dropped on its way to a PDF file leaves no file of a page.
    const QString unfinished = !ended && m_printer->outputFormat() == QPrinter::PdfFormat
        ? m_printer->outputFileName()
        : QString();
    m_printDevice.reset();
    m_printPainter.reset();
    m_printer.reset();
    m_printFailed = false;
    if (!unfinished.isEmpty())
        QFile::remove(unfinished);
}

} // namespace lobus
