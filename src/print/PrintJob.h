#pragma once

#include <QPageSize>
#include <QSizeF>
#include <QString>
#include <atomic>
#include <functional>

class QPagedPaintDevice;
class QPainter;

// Runs the pages of a print style onto a paged device (a PDF writer or a printer): sets the paper with
// no margins, scales the painter to points, and asks the renderer for each page in turn.
namespace PrintJob {

// What a renderer offers: its paper, its page count, and how to draw one page (from 0, in points,
// origin at the page's top left).
struct Pages
{
    QSizeF paperSize; // points
    QString paperName; // a name of PaperSizes when the paper is one of them, else ""
    int pageCount = 0;
    std::function<void(QPainter *painter, int page)> drawPage;
};

// Which page of the renderer each printed page shows. The stacked pages are handed to the device
// last first, so a face-up stack comes out of the printer in order; FirstSlotFirst prints in order.
enum class PageOrder { LastSlotFirst, FirstSlotFirst };

// The renderer's page (from 0) that printed page `printedPage` (from 1) of `pageCount` shows.
int slotForPrintedPage(int printedPage, int pageCount, PageOrder order = PageOrder::LastSlotFirst);

struct Options
{
    PageOrder order = PageOrder::LastSlotFirst;
    // After each page: pages done so far and the total.
    std::function<void(int done, int total)> progress;
    // Set from any thread to stop before the next page.
    const std::atomic<bool> *cancel = nullptr;
};

struct Result
{
    int pagesPrinted = 0;
    bool cancelled = false;
    QString error; // empty on success

    bool ok() const { return error.isEmpty() && !cancelled; }
};

// The page size the device is given for the paper: the named paper's exact size when it has one.
QPageSize pageSizeFor(const Pages &pages);

// Prints every page; the device must not be painted on yet. A TextMappedPdfWriter is finished after the
// last page: its file is written to its target with text maps that give the characters drawn.
Result run(QPagedPaintDevice *device, const Pages &pages, const Options &options = {});

} // namespace PrintJob
