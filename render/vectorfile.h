#pragma once
// What a vector file (SVG, PDF) or a printout needs besides the painter:
// writing straight into the file that replaces the target, and a way out
// when memory runs out.
//
// Qt's SVG and PDF engines keep the whole document, or the whole page, in
// memory and write it out when the painter ends. When memory runs out while
// drawing or ending, the painter is still active, and a painter destroyed
// active ends itself inside its destructor, where the same allocation fails
// again and the program stops. abandonPainter ends it without letting its
// engine write anything, so that the failure can be reported and the window
// can go on; the device must then be an Abandonable one, which may be
// destroyed with a painter that never finished on it.

#include "datafiles/filereplace.h"

#include <QIODevice>

class QPainter;

namespace lobus {

// Ends `painter` (if active) and drops what its engine holds unwritten.
void abandonPainter(QPainter& painter);

// A paint device (QSvgGenerator, QPdfWriter, QPrinter) that may be destroyed
// after its painter was abandoned.
template <class PaintDevice> class Abandonable : public PaintDevice {
public:
    using PaintDevice::PaintDevice;
    ~Abandonable() override { this->painters = 0; }
};

// A write-only device whose bytes go straight into a FileReplacement, so
// that a document is never held a second time in memory. A failed write
// fails here and is reported by the replacement's commit().
class ReplacementDevice : public QIODevice {
public:
    explicit ReplacementDevice(FileReplacement& file) : m_file(file) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        return m_file.write(std::string_view(data, static_cast<std::size_t>(size))) ? size : -1;
    }

private:
    FileReplacement& m_file;
};

} // namespace lobus
