// Label sheets and address lists to PDF: the run from reading the contacts' print texts to the written
// file, reported as pages per second.

#include "common/ContactGenerator.h"
#include "formats/ZRvCard.h"
#include "print/AddressListRenderer.h"
#include "print/LabelPreset.h"
#include "print/LabelRenderer.h"
#include "print/PaperSizes.h"
#include "print/PrintJob.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptions.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

QList<ReceiverRecord> receivers(int count)
{
    const auto containers
        = ZRvCard().containersFromVCards(QString::fromUtf8(ContactGenerator::vCardText(count)));
    QList<ReceiverRecord> result;
    for (const ContactEntryPtr &entry : *ZRvCard::contactsInContainer(*containers->first()))
        result.append(ReceiverRecord::convertContact(entry->person));
    return result;
}

// 2-5/8 x 1 inch labels with half-inch margins top and bottom: 3 × 10 = 30 labels on Letter.
QVariantMap thirtyUpOptions()
{
    QVariantMap options = PrintOptions::initPrintOptions(u"en"_s);
    LabelPresets::applyPreset(options, LabelPresets::defaultPresets().at(1));
    options.insert(PrintKey::TopMargin, 36);
    options.insert(PrintKey::BottomMargin, 36);
    return options;
}

template <typename Renderer> void printToPdf(benchmark::State &state, const QVariantMap &options)
{
    const QList<ReceiverRecord> people = receivers(int(state.range(0)));
    const QSizeF letter = PaperSizes::sizeInPoints(PaperSizes::Letter);
    qint64 pages = 0;
    for (auto _ : state) {
        // Layout is part of the run: a fresh renderer fits every text again.
        const Renderer renderer(options, people, letter);
        PrintJob::Pages job { letter, PaperSizes::Letter, renderer.pageCount(),
            [&](QPainter *painter, int page) { renderer.drawPage(painter, page); } };
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        const PrintJob::Result result = PrintJob::run(&writer, job);
        if (!result.ok())
            state.SkipWithError("printing failed");
        pages += result.pagesPrinted;
        benchmark::DoNotOptimize(buffer.data().size());
    }
    state.counters[u"pages/s"_s.toStdString()]
        = benchmark::Counter(double(pages), benchmark::Counter::kIsRate);
}

void BM_LabelsToPdf(benchmark::State &state)
{
    printToPdf<LabelRenderer>(state, thirtyUpOptions());
}
BENCHMARK(BM_LabelsToPdf)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_AddressListToPdf(benchmark::State &state)
{
    QVariantMap options = PrintOptions::initPrintOptions(u"en"_s);
    QVariantMap list = options.value(PrintKey::AddressList).toMap();
    QVariantList items = list.value(PrintKey::ItemTable).toList();
    for (QVariant &item : items) {
        QVariantMap record = item.toMap();
        record.insert(PrintKey::ItemState, true);
        item = record;
    }
    list.insert(PrintKey::ItemTable, items);
    options.insert(PrintKey::AddressList, list);
    printToPdf<AddressListRenderer>(state, options);
}
BENCHMARK(BM_AddressListToPdf)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
