#pragma once

#include "print/pdf/DrawnGlyphs.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QString>

class QIODevice;
class QPaintDevice;

namespace PdfWriterDetail {
// Holds the writer's buffer so that it exists before the writer that writes into it.
struct Buffer
{
    Buffer();
    QBuffer buffer;
};
} // namespace PdfWriterDetail

// A PDF writer whose file gives, when its text is extracted, searched or copied, the characters that
// were drawn. The page drawing records each glyph's text (TextDrawing does so for every painter on this
// device); finish() corrects the file's text maps from that record and writes it to the target. Every
// PDF the program writes goes through this class. Usage:
//
//     QSaveFile out(path);
//     out.open(QIODevice::WriteOnly);
//     TextMappedPdfWriter pdf(&out);
//     QPainter painter(&pdf);  ... draw with TextDrawing ...
//     painter.end();
//     if (!pdf.finish(&error)) ...   // PrintJob::run() does this itself
//     out.commit();
class TextMappedPdfWriter : private PdfWriterDetail::Buffer, public QPdfWriter
{
public:
    explicit TextMappedPdfWriter(QIODevice *target);
    ~TextMappedPdfWriter() override;

    DrawnGlyphs &drawnGlyphs() { return m_drawn; }
    const DrawnGlyphs &drawnGlyphs() const { return m_drawn; }

    // Writes the finished file to the target; call once the painter has ended. A file whose text maps
    // cannot be corrected is written as it is. False, with the reason, when the target takes no data.
    bool finish(QString *error = nullptr);
    bool isFinished() const { return m_finished; }

    // The record of glyphs for a painter's device, or null when the device is not such a writer.
    static DrawnGlyphs *drawnGlyphsFor(QPaintDevice *device);

private:
    QIODevice *m_target = nullptr;
    DrawnGlyphs m_drawn;
    bool m_finished = false;
};
