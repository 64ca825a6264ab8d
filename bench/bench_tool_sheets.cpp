// The window's tool sheets, timed as the user meets them: a postal search per keystroke over the
// national data, the QR image after a check-box change, and opening the merge sheet.
//
// The postal keystroke is timed from the key to its rows painted: the wall time is what the user waits
// for the rows (the search runs on a worker), the CPU time is what the GUI thread spends, i.e. how long
// typing is held up.
#include "model/Identifiers.h"
#include "model/ZRPerson.h"
#include "tools/PostalKeys.h"
#include "ui/tools/MergeSheet.h"
#include "ui/tools/PostalDataLoader.h"
#include "ui/tools/PostalSearchSheet.h"
#include "ui/tools/QrCodeSheet.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <benchmark/benchmark.h>

namespace {

// CORVANTHE_POSTAL_DATA names the folder of the national data (the installed data otherwise).
QString postalFolder()
{
    const QByteArray folder = qgetenv("CORVANTHE_POSTAL_DATA");
    return folder.isEmpty() ? QString() : QString::fromLocal8Bit(folder);
}

ContactEntryPtr entryWithValues(int values, const QString &name)
{
    auto person = ZRPerson::create();
    person->setValueForIdentifier(
        QVariantMap { { Ident::FirstName, name }, { Ident::LastName, QStringLiteral("山田") } }, Ident::Name);
    const QStringList fields { Ident::Phone, Ident::Email, Ident::URL };
    for (int i = 0; i < values; ++i) {
        const QString field = fields.at(i % fields.size());
        person->addLabeledValue(QVariantMap { { Key::Label, QStringLiteral("work") },
                                    { Key::Value, QStringLiteral("%1-%2").arg(field).arg(i) } },
            field);
    }
    auto entry = std::make_shared<ContactEntry>();
    entry->person = person;
    entry->uniqueId = person->uniqueId();
    return entry;
}

void postalKeystroke(benchmark::State &state)
{
    if (postalFolder().isEmpty() || !QFileInfo::exists(QDir(postalFolder()).filePath(PostalFile::General))) {
        state.SkipWithError("set CORVANTHE_POSTAL_DATA to the national data's folder");
        return;
    }
    PostalDataLoader data;
    data.setDataDirectory(postalFolder());
    data.start();
    while (data.state() == PostalDataLoader::State::Loading)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    PostalSearchSheet sheet(data);
    // The second argument shows the sheet, so that each keystroke also paints the rows it found.
    const bool painted = state.range(1) != 0;
    if (painted)
        sheet.show();
    QApplication::processEvents();
    const QStringList typed { QStringLiteral("1"), QStringLiteral("10"), QStringLiteral("100"),
        QStringLiteral("1000"), QStringLiteral("東"), QStringLiteral("東京"),
        QStringLiteral("東京都千代田") };
    const QString text = typed.at(state.range(0));
    for (auto _ : state) {
        sheet.setInputText(text);
        // Blocks until the worker's result is posted (the overload with a time limit polls instead,
        // and its spinning would be counted as the GUI thread's time).
        while (sheet.isSearching())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::processEvents(); // the view paints the rows
    }
    state.counters["rows"] = sheet.controller().numberOfRowsInTableView();
    state.SetLabel(text.toStdString() + (painted ? " painted" : ""));
}
BENCHMARK(postalKeystroke)
    ->ArgsProduct({ benchmark::CreateDenseRange(0, 6, 1), { 0, 1 } })
    ->Unit(benchmark::kMillisecond);

void qrCheckBoxChange(benchmark::State &state)
{
    QrCodeSheet sheet;
    sheet.setContact(entryWithValues(12, QStringLiteral("太郎")));
    bool on = false;
    for (auto _ : state) {
        sheet.setRowSelected(1, on);
        on = !on;
    }
}
BENCHMARK(qrCheckBoxChange)->Unit(benchmark::kMillisecond);

void mergeSheetOpens(benchmark::State &state)
{
    MergeContext context;
    context.contacts
        = { entryWithValues(50, QStringLiteral("太郎")), entryWithValues(50, QStringLiteral("花子")) };
    for (auto _ : state) {
        MergeSheet sheet;
        sheet.setContextInfo(context, true);
        sheet.show();
        QApplication::processEvents();
    }
}
BENCHMARK(mergeSheetOpens)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
