// The series window's files: the table as the command line's CSV, each plot
// as a picture file of the size the user chooses, and the series' report.
// None is written over a file of the series' cases; what cannot be written
// is said in a box naming the file.

#include "serieswindow/serieswindow.h"

#include "datafiles/fileidentity.h"
#include "datafiles/texts.h"
#include "dialogs/filename.h"
#include "render/angleviewtexts.h"
#include "render/picturefile.h"
#include "series/report.h"
#include "series/seriesplot.h"
#include "series/seriestable.h"
#include "serieswindow/seriesplotwidget.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>

#include <new>

namespace lobus {

void SeriesWindow::complain(const QString& text) { warningBox(m_hooks, this, text); }

// The name the files of the series are proposed under: its folder's (the
// folder above a DANE folder).
QString SeriesWindow::seriesName() const
{
    if (m_arguments.empty())
        return tr("seria");
    QFileInfo info(QFile::decodeName(QByteArray::fromStdString(m_arguments.front())));
    QString folder = info.isDir() ? info.absoluteFilePath() : info.absolutePath();
    if (QFileInfo(folder).fileName() == QStringLiteral("DANE"))
        folder = QFileInfo(folder).absolutePath();
    const QString name = QFileInfo(folder).fileName();
    return name.isEmpty() ? tr("seria") : name;
}

std::optional<std::string> SeriesWindow::chooseOutput(const QString& title, const QString& filter,
                                                      const QString& name, const QStringList& suffixes)
{
    if (!m_services.chooseSaveFile)
        return std::nullopt;
    const std::optional<QString> chosen = m_services.chooseSaveFile(title, filter, name);
    if (!chosen)
        return std::nullopt;
    QString path = *chosen;
    if (!suffixes.contains(QFileInfo(path).suffix().toLower()))
        path += QLatin1Char('.') + suffixes.front();
    const std::string file = fileSystemName(path);
    if (const auto input = inputWrittenOver(file, files())) {
        complain(QString::fromStdString(outputIsInputText(file, *input)));
        return std::nullopt;
    }
    return file;
}

void SeriesWindow::written(bool ok, const std::string& path, const std::string& error,
                           const std::string& note)
{
    if (!ok)
        complain(tr("Nie zapisano: %1").arg(QString::fromStdString(error)));
    else if (!note.empty())
        say(QString::fromStdString(note));
    else
        say(tr("Zapisano %1").arg(QString::fromStdString(displayName(path))));
}

void SeriesWindow::saveTable()
{
    const auto path = chooseOutput(tr("Zapis tabeli serii (CSV)"), tr("Dane CSV (*.csv)"),
                                   seriesName() + QStringLiteral(".csv"), {QStringLiteral("csv")});
    if (!path)
        return;
    std::string error;
    std::string note;
    std::string text;
    try {
        text = seriesCsv(m_series);
    } catch (const std::bad_alloc&) {
        written(false, *path,
                texts::fillIn(texts::translate("lobus", "Brak pamięci na %1"), {displayName(*path)}), {});
        return;
    }
    written(writeTextFile(*path, text, error, {}, &note), *path, error, note);
}

void SeriesWindow::savePlot(bool locus)
{
    const QString filter = tr("Obraz PNG (*.png);;Rysunek SVG (*.svg);;Dokument PDF (*.pdf)");
    const auto path = locus
        ? chooseOutput(tr("Zapis toru środka czopa"), filter,
                       seriesName() + tr("-tor") + QStringLiteral(".png"),
                       {QStringLiteral("png"), QStringLiteral("svg"), QStringLiteral("pdf")})
        : chooseOutput(tr("Zapis wykresu serii"), filter,
                       seriesName() + tr("-wykres") + QStringLiteral(".png"),
                       {QStringLiteral("png"), QStringLiteral("svg"), QStringLiteral("pdf")});
    if (!path)
        return;
    const QSize shown = (locus ? m_locus : m_chart)->plot().size();
    const std::optional<ExportChoice> size
        = m_services.chooseSize ? m_services.chooseSize(shown) : ExportChoice {};
    if (!size)
        return;
    const QSize pixels = exportPixels(*size, shown);
    const std::string x = m_xAxis->currentText().toStdString();
    const std::string y = m_yAxis->currentText().toStdString();
    const int mark = highlighted();
    const Drawing draw = [&](Graphics& g) {
        if (locus)
            drawLocus(g, m_series, mark);
        else
            drawChart(g, m_series, x, y, mark);
    };
    std::string error;
    std::string note;
    written(writeDrawingFile(*path, pixels.width(), pixels.height(), draw, error, {}, &note,
                             size->fullDetail ? VectorDetail::Full : VectorDetail::Thinned),
            *path, error, note);
}

void SeriesWindow::saveReport()
{
    const auto path
        = chooseOutput(tr("Raport serii (PDF)"), tr("Dokument PDF (*.pdf)"),
                       seriesName() + tr("-raport") + QStringLiteral(".pdf"), {QStringLiteral("pdf")});
    if (!path)
        return;
    const AngleViewTexts texts = angleViewTexts();
    const auto page = [&](int i) { return reportPage(m_series, i, texts); };
    std::string error;
    std::string note;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = writePdfPages(*path, reportPageCount(m_series), page, error, {}, &note);
    QApplication::restoreOverrideCursor();
    written(ok, *path, error, note);
}

} // namespace lobus
