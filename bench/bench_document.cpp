// Opening a vCard file as a document: reading the bytes, detecting the encoding, decoding, cutting
// the cards, parsing them into records and building the category groups, as the window does.
#include "common/ContactGenerator.h"
#include "document/Document.h"
#include "model/ZRPerson.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

// A file of count generated contacts, with or without photos, written once per count.
QString fileOf(int count, bool photos)
{
    static QTemporaryDir dir;
    static std::map<std::pair<int, bool>, QString> files;
    auto it = files.find({ count, photos });
    if (it == files.end()) {
        const QString path = dir.filePath(QStringLiteral("contacts-%1%2.vcf")
                                              .arg(count)
                                              .arg(photos ? QStringLiteral("-photos") : QString()));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(ContactGenerator::vCardText(count, 1, photos));
        it = files.emplace(std::pair { count, photos }, path).first;
    }
    return it->second;
}

void openDocument(
    benchmark::State &state, TextEncoding::Number encoding, bool photos = false, bool buildValues = false)
{
    const QString path = fileOf(int(state.range(0)), photos);
    const qint64 bytes = QFileInfo(path).size();
    qsizetype contacts = 0;
    for (auto _ : state) {
        auto document = std::make_unique<Document>();
        document->setDefaultEncoding(encoding);
        DocumentError error;
        if (!document->readFromURL(path, DocumentText::VCardType, &error))
            state.SkipWithError("the generated file could not be read");
        contacts = document->contactTable().size();
        // What the first search through every value adds: records build their values on first use.
        if (buildValues) {
            for (const ContactEntryPtr &entry : document->contactTable())
                entry->person->phoneValues();
        }
        benchmark::DoNotOptimize(contacts);
        // Closing a document is not opening it.
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * contacts);
    state.SetBytesProcessed(state.iterations() * bytes);
}

void openUtf8(benchmark::State &state)
{
    openDocument(state, TextEncoding::UTF8);
}
void openDetected(benchmark::State &state)
{
    openDocument(state, TextEncoding::Automatic);
}
void openAndBuildValues(benchmark::State &state)
{
    openDocument(state, TextEncoding::UTF8, false, true);
}
// Every card with a 120 x 120 JPEG photo (about 5 kB of base64).
void openWithPhotos(benchmark::State &state)
{
    openDocument(state, TextEncoding::Automatic, true);
}

} // namespace

BENCHMARK(openUtf8)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(openDetected)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(openAndBuildValues)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(openWithPhotos)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
