#include "print/PrintJob.h"

#include "print/PaperSizes.h"
#include "print/PrintMetrics.h"
#include "print/pdf/TextMappedPdfWriter.h"

#include <QCoreApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace PrintJob {

int slotForPrintedPage(int printedPage, int pageCount, PageOrder order)
{
    if (pageCount <= 0)
        return 0;
    const int page = std::clamp(printedPage, 1, pageCount);
    return order == PageOrder::LastSlotFirst ? pageCount - page : page - 1;
}

QPageSize pageSizeFor(const Pages &pages)
{
    if (!pages.paperName.isEmpty()) {
        if (const auto named = PaperSizes::pageSize(pages.paperName))
            return *named;
    }
    return QPageSize(pages.paperSize, QPageSize::Point, QString(), QPageSize::ExactMatch);
}

Result run(QPagedPaintDevice *device, const Pages &pages, const Options &options)
{
    Result result;
    if (!device) {
        result.error = QCoreApplication::translate("PrintJob", "There is no device to print on.");
        return result;
    }
    if (!pages.drawPage || !(pages.paperSize.width() > 0) || !(pages.paperSize.height() > 0)) {
        result.error = QCoreApplication::translate("PrintJob", "There is nothing to print.");
        return result;
    }
    const QPageSize pageSize = pageSizeFor(pages);
    // A sheet turned a quarter keeps its paper's name and is printed across it.
    const QSizeF upright = pageSize.size(QPageSize::Point);
    const bool turned
        = pages.paperSize.width() > pages.paperSize.height() + 0.5 && upright.width() < upright.height();
    const QPageLayout layout(
        pageSize, turned ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
    if (!device->setPageLayout(layout)) {
        result.error = QCoreApplication::translate("PrintJob", "The device does not take the paper size.");
        return result;
    }
    QPainter painter;
    if (!painter.begin(device)) {
        result.error = QCoreApplication::translate("PrintJob", "The output can't be opened for printing.");
        return result;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const int total = std::max(pages.pageCount, 0);
    for (int printed = 1; printed <= total; ++printed) {
        if (options.cancel && options.cancel->load()) {
            result.cancelled = true;
            break;
        }
        if (printed > 1 && !device->newPage()) {
            result.error = QCoreApplication::translate("PrintJob", "The output could not take another page.");
            break;
        }
        painter.save();
        PrintMetrics::scaleToPoints(&painter);
        pages.drawPage(&painter, slotForPrintedPage(printed, total, options.order));
        painter.restore();
        ++result.pagesPrinted;
        if (options.progress)
            options.progress(result.pagesPrinted, total);
    }
    if (!painter.end() && result.error.isEmpty() && !result.cancelled)
        result.error = QCoreApplication::translate("PrintJob", "The output could not be finished.");
    // A PDF is written out once its text maps say what was drawn.
    if (auto *pdf = dynamic_cast<TextMappedPdfWriter *>(device); pdf && result.ok()) {
        QString error;
        if (!pdf->finish(&error))
            result.error = error;
    }
    return result;
}

} // namespace PrintJob
