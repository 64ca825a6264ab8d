#include "cli/CommandIo.h"

#include <QBuffer>
#include <QFile>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

std::unique_ptr<QIODevice> standardStream(int descriptor, QIODevice::OpenMode mode)
{
    auto file = std::make_unique<QFile>();
    // Unbuffered: the text streams buffer, and bytes written for "-" must not wait behind them.
    if (!file->open(descriptor, mode | QIODevice::Unbuffered, QFileDevice::DontCloseHandle))
        std::fprintf(stderr, "corvanthe: standard stream %d can't be opened\n", descriptor);
    return file;
}

std::unique_ptr<QIODevice> buffer(const QByteArray &bytes, QIODevice::OpenMode mode)
{
    auto device = std::make_unique<QBuffer>();
    device->setData(bytes);
    device->open(mode);
    return device;
}

QByteArray bufferBytes(QIODevice &device)
{
    return static_cast<QBuffer &>(device).data();
}

} // namespace

CommandIo::CommandIo(std::unique_ptr<QIODevice> in, std::unique_ptr<QIODevice> out,
    std::unique_ptr<QIODevice> err, bool errIsTerminal)
    : m_in(std::move(in))
    , m_outDevice(std::move(out))
    , m_errDevice(std::move(err))
    , m_out(m_outDevice.get())
    , m_err(m_errDevice.get())
    , m_errIsTerminal(errIsTerminal)
{
}

CommandIo::~CommandIo()
{
    flush();
}

std::unique_ptr<CommandIo> CommandIo::standard()
{
    auto io = std::make_unique<CommandIo>(standardStream(STDIN_FILENO, QIODevice::ReadOnly),
        standardStream(STDOUT_FILENO, QIODevice::WriteOnly),
        standardStream(STDERR_FILENO, QIODevice::WriteOnly), isatty(STDERR_FILENO) == 1);
    io->m_process = true;
    return io;
}

void CommandIo::keepUntilExit(std::shared_ptr<const void> data)
{
#ifndef __SANITIZE_ADDRESS__
    if (m_process) {
        // Never freed: the process ends soon after its command does.
        static auto *kept = new std::vector<std::shared_ptr<const void>>;
        kept->push_back(std::move(data));
    }
#else
    Q_UNUSED(data);
#endif
}

QIODevice &CommandIo::outputDevice()
{
    m_out.flush();
    return *m_outDevice;
}

void CommandIo::flush()
{
    m_out.flush();
    m_err.flush();
}

BufferIo::BufferIo(const QByteArray &input, bool errIsTerminal)
    : CommandIo(buffer(input, QIODevice::ReadOnly), buffer({}, QIODevice::WriteOnly),
        buffer({}, QIODevice::WriteOnly), errIsTerminal)
{
}

QString BufferIo::outText()
{
    return QString::fromUtf8(outBytes());
}

QString BufferIo::errText()
{
    err().flush();
    return QString::fromUtf8(bufferBytes(errDevice()));
}

QByteArray BufferIo::outBytes()
{
    out().flush();
    return bufferBytes(outDevice());
}
