#include "print/pdf/TextMappedPdfWriter.h"

#include "print/pdf/PdfTextMaps.h"

#include <QCoreApplication>
#include <QIODevice>

PdfWriterDetail::Buffer::Buffer()
{
    buffer.open(QIODevice::WriteOnly);
}

TextMappedPdfWriter::TextMappedPdfWriter(QIODevice *target)
    : QPdfWriter(&buffer)
    , m_target(target)
{
}

TextMappedPdfWriter::~TextMappedPdfWriter() = default;

bool TextMappedPdfWriter::finish(QString *error)
{
    const auto fail = [error](const QString &message) {
        if (error)
            *error = message;
        return false;
    };
    if (m_finished)
        return true;
    m_finished = true;
    // The same words as every other failure to finish printed output.
    const QString unfinished = QCoreApplication::translate("PrintJob", "The output could not be finished.");
    if (!m_target || !m_target->isWritable())
        return fail(unfinished);
    const PdfTextMaps::Result corrected = PdfTextMaps::correct(buffer.data(), m_drawn);
    if (!corrected.error.isEmpty())
        qWarning("TextMappedPdfWriter::finish: text maps left as written: %s", qPrintable(corrected.error));
    const QByteArray &data = corrected.pdf;
    buffer.close();
    if (m_target->write(data) != data.size())
        return fail(unfinished);
    return true;
}

DrawnGlyphs *TextMappedPdfWriter::drawnGlyphsFor(QPaintDevice *device)
{
    auto *writer = dynamic_cast<TextMappedPdfWriter *>(device);
    return writer ? &writer->m_drawn : nullptr;
}
