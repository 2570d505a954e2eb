#pragma once
// A series read beside the window: the series reader on a thread of its own
// (which reads the cases on a pool of threads), so that the window keeps
// answering; how far it has come, and the cases on the window's thread once
// it ends. Dropped before it ends, it stops at the next case and waits for
// the cases under way.

#include "series/series.h"
#include "series/seriesfiles.h"

#include <QObject>

#include <atomic>
#include <cstddef>
#include <vector>

class QThread;

namespace lobus {

class SeriesReading : public QObject {
    Q_OBJECT
public:
    explicit SeriesReading(std::vector<SeriesInput> inputs, QObject* parent = nullptr);
    ~SeriesReading() override;

    std::size_t count() const { return m_inputs.size(); }
    std::size_t done() const { return m_done.load(); }
    // The cases read, in the inputs' order, once finished() has come.
    Series take() { return std::move(m_series); }
    // Memory ran out before the cases could be listed: take() has none.
    bool outOfMemory() const { return m_outOfMemory; }

signals:
    void finished();

private:
    std::vector<SeriesInput> m_inputs;
    Series m_series;
    std::atomic<bool> m_cancel {false};
    std::atomic<std::size_t> m_done {0};
    bool m_outOfMemory = false; // written by the reading, read after it ends
    QThread* m_thread = nullptr;
};

} // namespace lobus
