#include "cli/Progress.h"

#include "cli/CommandIo.h"

#include <algorithm>

Progress::Progress(CommandIo &io, const QString &title)
    : m_io(io)
    , m_title(title)
    , m_shown(io.showsProgress())
{
}

Progress::~Progress()
{
    finish();
}

void Progress::setPercent(int percent)
{
    percent = std::clamp(percent, 0, 100);
    if (!m_shown || m_finished || percent == m_percent)
        return;
    m_percent = percent;
    m_io.err() << '\r' << m_title << "  " << percent << '%';
    m_io.err().flush();
}

void Progress::setSteps(qint64 done, qint64 total)
{
    setPercent(total > 0 ? int(done * 100 / total) : 100);
}

void Progress::finish()
{
    if (!m_shown || m_finished)
        return;
    m_finished = true;
    if (m_percent >= 0) {
        m_io.err() << '\n';
        m_io.err().flush();
    }
}
