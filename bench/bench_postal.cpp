#include "tools/PostalDataFile.h"
#include "tools/PostalKeys.h"
#include "tools/ZipSearch.h"
#include "tools/ZipSearchTexts.h"
#include "tools/ZipSheetController.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

// The national data files: the folder named by CORVANTHE_POSTAL_DATA, else the installed data.
QString dataFolder()
{
    const QByteArray folder = qgetenv("CORVANTHE_POSTAL_DATA");
    return folder.isEmpty() ? PostalDataFile::dataDirectory() : QString::fromLocal8Bit(folder);
}

const std::shared_ptr<const ZipSearchTexts> &texts()
{
    static const auto built
        = std::make_shared<const ZipSearchTexts>(ZipSearchTextBuilder::build(dataFolder()));
    return built;
}

bool haveData(benchmark::State &state)
{
    if (QFileInfo::exists(QDir(dataFolder()).filePath(PostalFile::General)))
        return true;
    state.SkipWithError("national postal data not found (set CORVANTHE_POSTAL_DATA)");
    return false;
}

// Inflating, decoding and rewriting both files: what a window pays once, off the GUI thread.
void BM_BuildSearchTexts(benchmark::State &state)
{
    if (!haveData(state))
        return;
    for (auto _ : state) {
        ZipSearchTexts built = ZipSearchTextBuilder::build(dataFolder());
        benchmark::DoNotOptimize(built.general.size());
    }
}
BENCHMARK(BM_BuildSearchTexts)->Unit(benchmark::kMillisecond)->Iterations(5);

// One keystroke of the sheet: empty the table, search, make the rows.
void keystroke(benchmark::State &state, const QString &typed)
{
    if (!haveData(state))
        return;
    ZipSheetController sheet(texts());
    sheet.windowDidLoad();
    for (auto _ : state) {
        sheet.controlTextDidChange(typed);
        benchmark::DoNotOptimize(sheet.numberOfRowsInTableView());
    }
    state.counters["rows"] = sheet.numberOfRowsInTableView();
}

void BM_CodePrefixSearch(benchmark::State &state)
{
    keystroke(state, u"100"_s);
}
BENCHMARK(BM_CodePrefixSearch)->Unit(benchmark::kMillisecond);

void BM_CompleteCodeSearch(benchmark::State &state)
{
    keystroke(state, u"100-0005"_s);
}
BENCHMARK(BM_CompleteCodeSearch)->Unit(benchmark::kMillisecond);

void BM_BusinessOnlyCodeSearch(benchmark::State &state)
{
    keystroke(state, u"1638001"_s);
}
BENCHMARK(BM_BusinessOnlyCodeSearch)->Unit(benchmark::kMillisecond);

void BM_PrefectureCitySearch(benchmark::State &state)
{
    keystroke(state, u"東京都千代田区"_s);
}
BENCHMARK(BM_PrefectureCitySearch)->Unit(benchmark::kMillisecond);

void BM_UnknownAddressSearch(benchmark::State &state)
{
    keystroke(state, u"存在しない町名"_s);
}
BENCHMARK(BM_UnknownAddressSearch)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
