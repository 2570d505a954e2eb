#include "serieswindow/seriesreading.h"

#include "series/seriesread.h"

#include <QThread>

#include <new>

namespace lobus {

SeriesReading::SeriesReading(std::vector<SeriesInput> inputs, QObject* parent)
    : QObject(parent), m_inputs(std::move(inputs))
{
    m_thread = QThread::create([this] {
        try {
            m_series = readSeries(m_inputs, 0, &m_cancel, &m_done);
        } catch (const std::bad_alloc&) {
            m_series.clear(); // not even the list of cases could be made
            m_outOfMemory = true;
        }
    });
    // Emitted on the reading's thread, delivered on the window's.
    connect(m_thread, &QThread::finished, this, &SeriesReading::finished);
    m_thread->start();
}

SeriesReading::~SeriesReading()
{
    m_cancel = true;
    m_thread->wait();
    delete m_thread;
}

} // namespace lobus
