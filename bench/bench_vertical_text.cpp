#include "print/vertical/VerticalFit.h"
#include "print/vertical/VerticalTextLayout.h"
#include "print/vertical/VerticalTextPainter.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

// One postcard's receiver: an address block fitted and set in two columns, and a name block.
void fitAndSetPostcard(benchmark::State &state, bool verticalForms)
{
    const QFont font(u"Noto Serif CJK JP"_s);
    VerticalTextLayout::Options options;
    options.useVerticalForms = verticalForms;
    options.uprightNumbers = true;
    const QRectF addressRect(204, 75, 46, 275);
    const QRectF nameRect(108, 80, 90, 270);
    QImage image(283, 420, QImage::Format_RGB32);
    int card = 0;
    for (auto _ : state) {
        // A different number on every card, as in a real run.
        const QString street
            = u"芝公園%1丁目2番%2号\n東京タワービル101号室"_s.arg(card % 9 + 1).arg(card % 40 + 1);
        ++card;
        const VerticalFit::AddressFit address
            = VerticalFit::fitAddress(u"東京都港区"_s, street, addressRect, font, options);
        const QStringList name { u"山 田 　 太 郎 様"_s };
        const VerticalFit::NameFit fitted = VerticalFit::fitName(name, {}, nameRect, font, options);

        QList<VerticalAttributedText> addressLines;
        for (const QString &line : address.lines)
            addressLines.append({ { line, font, address.fontSize } });
        const VerticalBlockLayout addressBlock
            = VerticalTextLayout::layoutBlock(addressLines, addressRect, address.lineHeight, options);
        const VerticalBlockLayout nameBlock = VerticalTextLayout::layoutBlock(
            { { { name.front(), font, fitted.nameFontSize } } }, nameRect, fitted.lineHeight, options);
        if (state.range(0) != 0) {
            image.fill(Qt::white);
            QPainter painter(&image);
            VerticalTextPainter::draw(&painter, addressBlock);
            VerticalTextPainter::draw(&painter, nameBlock);
        }
        benchmark::DoNotOptimize(addressBlock.textRect);
    }
    state.counters["cards/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_PostcardVerticalForms(benchmark::State &state)
{
    fitAndSetPostcard(state, true);
}

void BM_PostcardPerCharacter(benchmark::State &state)
{
    fitAndSetPostcard(state, false);
}

} // namespace

// Argument 0: layout only; 1: also painted into an image.
BENCHMARK(BM_PostcardVerticalForms)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PostcardPerCharacter)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

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
