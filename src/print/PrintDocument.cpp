#include "print/PrintDocument.h"

#include "print/AddressListRenderer.h"
#include "print/EnvelopeLayout.h"
#include "print/EnvelopeRenderer.h"
#include "print/HagakiLayout.h"
#include "print/HagakiRenderer.h"
#include "print/LabelRenderer.h"
#include "print/PaperSizes.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptionsStore.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

PrintDocument PrintDocument::make(const Request &request)
{
    PrintDocument document;
    PrintJob::Pages &pages = document.m_pages;
    const QString paperName = request.paperName.isEmpty()
        ? PrintOptionsStore::paperNameForStyle(request.style)
        : request.paperName;
    const bool printing = request.surface == Surface::Paper;
    pages.paperName = paperName;
    pages.paperSize = PaperSizes::sizeInPoints(paperName);
    if (pages.paperSize.isEmpty() && request.style != PrintValue::StyleHagaki) {
        document.m_error = QCoreApplication::translate("PrintDocument", "unknown paper “%1”").arg(paperName);
        return document;
    }

    if (request.style == PrintValue::StyleHagaki) {
        auto layout = std::make_shared<HagakiLayout>();
        layout->setPrintOptions(request.options);
        layout->setSenderPerson(request.sender);
        layout->setReceiverPersons(request.receivers);
        pages.paperName = PaperSizes::Postcard;
        pages.paperSize = HagakiLayout::pageSize();
        pages.pageCount = int(request.receivers.size());
        const HagakiRenderer::RenderOptions render = printing
            ? HagakiRenderer::printOptions(request.options)
            : HagakiRenderer::previewOptions(request.options);
        pages.drawPage = [l = layout.get(), render](QPainter *painter, int page) {
            HagakiRenderer::drawPage(painter, l->pageForReceiver(page), render);
        };
        document.m_renderer = layout;
    } else if (request.style == PrintValue::StyleEnvelope) {
        const std::optional<EnvelopePaper> paper = EnvelopePaper::named(paperName);
        if (!paper) {
            document.m_error
                = QCoreApplication::translate("PrintDocument", "unknown paper “%1”").arg(paperName);
            return document;
        }
        pages.paperSize = paper->size;
        pages.pageCount = int(request.receivers.size());
        const EnvelopeRenderer::RenderOptions render = printing
            ? EnvelopeRenderer::printOptions(request.options, paper->name)
            : EnvelopeRenderer::previewOptions(request.options);
        pages.drawPage = [receivers = request.receivers, sender = request.sender, options = request.options,
                             paper = *paper, render](QPainter *painter, int page) {
            EnvelopeRenderer::drawPage(
                painter, EnvelopeLayout::layoutPage(receivers.at(page), sender, options, paper), render);
        };
    } else if (request.style == PrintValue::StyleLabels || request.style == PrintValue::StyleAddressList) {
        if (request.landscape)
            pages.paperSize.transpose();
    }
    if (request.style == PrintValue::StyleLabels) {
        auto renderer = std::make_shared<LabelRenderer>(
            request.options, request.receivers, pages.paperSize, QRectF(), printing);
        pages.pageCount = renderer->pageCount();
        pages.drawPage = [r = renderer.get()](QPainter *painter, int page) { r->drawPage(painter, page); };
        document.m_renderer = renderer;
    } else if (request.style == PrintValue::StyleAddressList) {
        auto renderer = std::make_shared<AddressListRenderer>(
            request.options, request.receivers, pages.paperSize, QRectF(), printing);
        pages.pageCount = renderer->pageCount();
        pages.drawPage = [r = renderer.get()](QPainter *painter, int page) { r->drawPage(painter, page); };
        document.m_renderer = renderer;
    } else if (request.style != PrintValue::StyleHagaki && request.style != PrintValue::StyleEnvelope) {
        document.m_error
            = QCoreApplication::translate("PrintDocument", "unknown print style “%1”").arg(request.style);
        pages = PrintJob::Pages();
    }
    return document;
}

void PrintDocument::drawPage(QPainter *painter, int page) const
{
    if (painter && m_pages.drawPage && page >= 0 && page < m_pages.pageCount)
        m_pages.drawPage(painter, page);
}
