#pragma once

#include "print/PrintJob.h"
#include "print/ReceiverRecord.h"

#include <QList>
#include <QSizeF>
#include <QString>
#include <QVariantMap>
#include <memory>
#include <optional>

class QPainter;

// The pages of one print style: for the print options, the receivers, the sender and the paper, the
// page count and a way to draw any page. What the print command, a PDF and the window's preview and
// print commands all draw, so that they choose the renderer alike:
//
//     PrintDocument document = PrintDocument::make({ style, options, receivers, sender, paper });
//     if (!document.isValid()) ... document.error() ...
//     for (int page = 0; page < document.pageCount(); ++page)
//         document.drawPage(&painter, page); // in points, origin at the page's top left
class PrintDocument
{
public:
    // Paper draws exactly what prints; Preview adds what the screen shows around it (page background,
    // the postcard's printed image).
    enum class Surface { Paper, Preview };

    struct Request
    {
        QString style; // a print style value: "Hagaki", "Envelope", "Labels", "Address List"
        QVariantMap options; // the whole print options
        QList<ReceiverRecord> receivers;
        std::optional<ReceiverRecord> sender = {}; // postcards and envelopes only
        QString paperName
            = {}; // a PaperSizes name; empty: the style's paper. Postcards are always postcards.
        Surface surface = Surface::Paper;
        // Sheets (labels, the address list) turned a quarter: the paper's width and height swap. Postcards
        // and envelopes are always fed upright.
        bool landscape = false;
    };

    // The pages of the request, or an invalid document whose error() says why (an unknown style, or a
    // paper the style can't print on).
    static PrintDocument make(const Request &request);

    bool isValid() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }

    int pageCount() const { return m_pages.pageCount; }
    QSizeF paperSize() const { return m_pages.paperSize; }
    QString paperName() const { return m_pages.paperName; }
    // Page from 0; nothing happens for a page out of range.
    void drawPage(QPainter *painter, int page) const;
    // The same pages for PrintJob::run.
    const PrintJob::Pages &pages() const { return m_pages; }

private:
    PrintJob::Pages m_pages;
    std::shared_ptr<void> m_renderer; // what the pages draw with, shared by copies
    QString m_error;
};
