#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QTextStream>
#include <memory>

// Where a subcommand reads and writes: the process's standard streams when it runs, buffers in tests.
// Text goes through out() and err() (UTF-8); a file written to "-" goes to outputDevice() as bytes.
class CommandIo
{
public:
    // The devices must be open.
    CommandIo(std::unique_ptr<QIODevice> in, std::unique_ptr<QIODevice> out, std::unique_ptr<QIODevice> err,
        bool errIsTerminal);
    virtual ~CommandIo();
    CommandIo(const CommandIo &) = delete;
    CommandIo &operator=(const CommandIo &) = delete;

    // The process's standard input, output and error.
    static std::unique_ptr<CommandIo> standard();

    QTextStream &out() { return m_out; }
    QTextStream &err() { return m_err; }
    QIODevice &input() { return *m_in; }
    // Standard output for bytes; what was written to out() goes first.
    QIODevice &outputDevice();
    // Progress is shown only where someone watches it, not in a log or a pipe.
    bool showsProgress() const { return m_errIsTerminal; }
    void flush();

    // Keeps what a command read alive until the process ends, when it runs as the process's own
    // command: freeing 100,000 records one by one takes longer than a process exit that hands all
    // of its memory back at once. Elsewhere (tests, sanitizer builds, whose leak check must keep
    // meaning something) data is freed as usual when the caller lets it go.
    void keepUntilExit(std::shared_ptr<const void> data);

protected:
    QIODevice &outDevice() { return *m_outDevice; }
    QIODevice &errDevice() { return *m_errDevice; }

private:
    std::unique_ptr<QIODevice> m_in;
    std::unique_ptr<QIODevice> m_outDevice;
    std::unique_ptr<QIODevice> m_errDevice;
    QTextStream m_out;
    QTextStream m_err;
    bool m_errIsTerminal;
    bool m_process = false;
};

// In-memory streams, for running a subcommand as a function.
class BufferIo : public CommandIo
{
public:
    explicit BufferIo(const QByteArray &input = QByteArray(), bool errIsTerminal = false);

    QString outText();
    QString errText();
    QByteArray outBytes();
};
