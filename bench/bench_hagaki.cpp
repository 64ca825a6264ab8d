#include "model/Identifiers.h"
#include "print/HagakiRenderer.h"
#include "print/PrintOptionKeys.h"
#include "print/pdf/TextMappedPdfWriter.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <benchmark/benchmark.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// A New Year run: every card with a postal code, a two-line address on some, joint names on others.
QList<ReceiverRecord> receivers(int count)
{
    static const QString lastNames[] = { u"山田"_s, u"佐藤"_s, u"鈴木"_s, u"高橋"_s, u"田中"_s, u"渡辺"_s };
    static const QString firstNames[] = { u"太郎"_s, u"花子"_s, u"一郎"_s, u"美咲"_s, u"健"_s, u"由美子"_s };
    static const QString cities[]
        = { u"東京都港区"_s, u"大阪府大阪市北区"_s, u"北海道札幌市中央区"_s, u"福岡県福岡市博多区"_s };
    QList<ReceiverRecord> list;
    for (int i = 0; i < count; ++i) {
        ReceiverRecord r;
        r.name = { { Ident::LastName, lastNames[i % 6] }, { Ident::FirstName, firstNames[(i / 6) % 6] } };
        r.address
            = { { Ident::ZIP, u"%1-%2"_s.arg(100 + i % 800, 3, 10, QChar(u'0')).arg(i, 4, 10, QChar(u'0')) },
                  { AddressKey::StateAndCity, cities[i % 4] },
                  { Ident::Street,
                      i % 3 == 0 ? u"芝公園%1丁目%2番%3号\nタワービル%4号室"_s.arg(i % 9 + 1)
                                       .arg(i % 20 + 1)
                                       .arg(i % 30 + 1)
                                       .arg(i)
                                 : u"梅田%1-%2-%3"_s.arg(i % 9 + 1).arg(i % 20 + 1).arg(i % 30 + 1) } };
        if (i % 4 == 0) {
            r.renmei = u"花子\n次郎"_s;
            r.layoutDict.insert(Key::Renmei, true);
        }
        list.append(r);
    }
    return list;
}

// mapped: the writer every print command uses, whose text maps are rewritten once the pages are done.
void newYearRun(benchmark::State &state, bool mapped)
{
    const int cards = int(state.range(0));
    const QVariantMap options { { PrintKey::Keishou, PrintValue::KeishouSama },
        { PrintKey::Hagaki,
            QVariantMap { { PrintKey::FontName, PrintFont::DefaultVerticalFamily },
                { PrintKey::HagakiType, PrintValue::HagakiTypeNenga } } } };
    const QList<ReceiverRecord> list = receivers(cards);
    ReceiverRecord sender = receivers(1).first();
    sender.address.insert(Ident::ZIP, u"530-0001"_s);
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QBuffer target;
        target.open(QIODevice::WriteOnly);
        std::unique_ptr<QPdfWriter> writer
            = mapped ? std::make_unique<TextMappedPdfWriter>(&target) : std::make_unique<QPdfWriter>(&buffer);
        QPdfWriter &pdf = *writer;
        pdf.setPageSize(QPageSize(QSizeF(100, 148), QPageSize::Millimeter));
        pdf.setPageMargins({});
        QPainter painter(&pdf);
        painter.scale(pdf.resolution() / 72.0, pdf.resolution() / 72.0);
        HagakiLayout layout;
        layout.setPrintOptions(options);
        layout.setSenderPerson(sender);
        layout.setReceiverPersons(list);
        const HagakiRenderer::RenderOptions render = HagakiRenderer::printOptions(options);
        for (int i = 0; i < cards; ++i) {
            if (i > 0)
                pdf.newPage();
            HagakiRenderer::drawPage(&painter, layout.pageForReceiver(i), render);
        }
        painter.end();
        if (mapped)
            static_cast<TextMappedPdfWriter &>(pdf).finish();
        bytes = mapped ? target.size() : buffer.size();
    }
    state.counters["pages/s"]
        = benchmark::Counter(double(state.iterations()) * cards, benchmark::Counter::kIsRate);
    state.counters["pdf bytes"] = double(bytes);
}

void BM_NewYearRunToPdf(benchmark::State &state)
{
    newYearRun(state, false);
}

void BM_NewYearRunToMappedPdf(benchmark::State &state)
{
    newYearRun(state, true);
}

} // namespace

BENCHMARK(BM_NewYearRunToPdf)->Arg(200)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_NewYearRunToMappedPdf)->Arg(200)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
