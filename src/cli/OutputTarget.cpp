#include "cli/OutputTarget.h"

#include "cli/CommandIo.h"
#include "cli/CommandLine.h"
#include "document/ExportCommands.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

const QString StandardStream = u"-"_s;

} // namespace

OutputTarget::OutputTarget(const QString &path, CommandIo &io)
    : m_io(io)
    , m_path(path)
    , m_standard(path == StandardStream)
    , m_file(m_standard ? QString() : path)
{
}

QString OutputTarget::displayName() const
{
    return m_standard ? CommandLine::tr("standard output") : QFileInfo(m_path).fileName();
}

bool OutputTarget::open()
{
    return m_standard || m_file.open(QIODevice::WriteOnly);
}

QIODevice *OutputTarget::device()
{
    return m_standard ? &m_io.outputDevice() : static_cast<QIODevice *>(&m_file);
}

bool OutputTarget::commit()
{
    return m_standard || m_file.commit();
}

void OutputTarget::cancel()
{
    if (!m_standard)
        m_file.cancelWriting();
}

QString OutputTarget::errorString() const
{
    return m_standard ? m_io.outputDevice().errorString() : m_file.errorString();
}

QString OutputTarget::failureMessage() const
{
    QString message = displayName() + u": "_s + ExportText::CannotSave + u". "_s + ExportText::SaveFailed;
    const QString detail = errorString();
    if (!detail.isEmpty())
        message += u" ("_s + detail + u')';
    return message;
}

bool OutputTarget::write(const QByteArray &bytes)
{
    if (!open())
        return false;
    QIODevice *out = device();
    if (out->write(bytes) != bytes.size()) {
        cancel();
        return false;
    }
    return commit();
}
