// The information pane and the field editors as the window uses them: showing another contact of 50
// values in the pane, opening each editor, and a one-cell edit in the table while a torn-off
// information window is open (against none).

#include "document/DocumentHub.h"
#include "document/UserDefaults.h"
#include "formats/ZRvCard.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"
#include "ui/editors/EditorPopover.h"
#include "ui/editors/FieldEditors.h"
#include "ui/info/ContactInfoModel.h"
#include "ui/info/ContactInfoPanels.h"
#include "ui/info/ContactInfoView.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

// A card of 50 labelled values: 20 phones, 15 e-mails, 10 addresses, 5 web pages.
QString card(int n)
{
    QString text = u"BEGIN:VCARD\r\nVERSION:3.0\r\nN:Family%1;Given%1;;;\r\nFN:Given%1 Family%1\r\n"_s.arg(n);
    for (int i = 0; i < 20; ++i)
        text += u"TEL;TYPE=%1:03-%2-%3\r\n"_s.arg(i % 2 ? u"HOME"_s : u"WORK"_s).arg(1000 + i).arg(n);
    for (int i = 0; i < 15; ++i)
        text += u"EMAIL;TYPE=HOME:p%1.%2@example.jp\r\n"_s.arg(i).arg(n);
    for (int i = 0; i < 10; ++i)
        text += u"ADR;TYPE=HOME:;;%1 Elm St;Springfield;IL;627%2;USA\r\n"_s.arg(i).arg(n);
    for (int i = 0; i < 5; ++i)
        text += u"URL:https://example.jp/%1/%2\r\n"_s.arg(n).arg(i);
    return text + u"END:VCARD\r\n"_s;
}

struct Fixture
{
    Fixture()
        : settings(dir.filePath(u"d.ini"_s), QSettings::IniFormat)
        , defaults(settings)
        , hub(defaults, DocumentHub::Options { false, nullptr })
    {
        QString text;
        for (int n = 0; n < 200; ++n)
            text += card(n);
        DocumentWindowData data;
        data.containerTable = *ZRvCard().containersFromVCards(text);
        data.selectedGroupDict = data.containerTable.first()->groups.first();
        data.contactTable = *data.selectedGroupDict->contactTable;
        data.documentName = u"bench.vcf"_s;
        hub.open(data);
        hub.setEditState(true);
    }
    ContactEntryPtr entry(int i) const
    {
        return hub.viewController().containerTable().first()->groups.first()->contactTable->at(i);
    }

    QTemporaryDir dir;
    QSettings settings;
    UserDefaults defaults;
    DocumentHub hub;
};

void BM_InfoPaneShowsAnotherContact(benchmark::State &state)
{
    Fixture f;
    std::unique_ptr<ContactInfoView> pane(ContactInfoPanels::makePane(f.hub, nullptr));
    pane->resize(420, 800);
    pane->show();
    int i = 0;
    for (auto _ : state) {
        f.hub.viewController().rowSelectionDidChange({ f.entry(i++ % 2) });
        QApplication::processEvents();
    }
    state.counters["rows"] = double(pane->model()->rowCount());
}
BENCHMARK(BM_InfoPaneShowsAnotherContact)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenEditor(benchmark::State &state)
{
    static const QList<std::pair<QString, bool>> fields { { Ident::Name, false },
        { Ident::PhoneticName, false }, { Ident::Phone, false }, { Ident::Address, false },
        { Ident::Address, true }, { Ident::InstantMessage, false }, { Ident::SocialNetwork, false },
        { Ident::Dates, false }, { Ident::Birthday, false }, { Ident::Renmei, false } };
    const auto &[identifier, wholeList] = fields.at(state.range(0));
    Fixture f;
    for (auto _ : state) {
        const EditorContext context = EditorRoster::contextFor(f.entry(0), identifier, 0, true);
        EditorPopover *popover = FieldEditors::openEditor(
            f.hub.viewController(), context, { f.entry(0) }, QRect(40, 40, 100, 20), nullptr, wholeList);
        QApplication::processEvents();
        state.PauseTiming();
        popover->close();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetLabel((identifier + (wholeList ? u" list"_s : QString())).toStdString());
}
BENCHMARK(BM_OpenEditor)->DenseRange(0, 9)->Unit(benchmark::kMillisecond)->UseRealTime();

// range(0): 0 without a torn-off information window, 1 with one of another contact, 2 with one of the
// contact being typed into (it rebuilds its rows after each edit).
void BM_TableEditBesideDetachedWindow(benchmark::State &state)
{
    Fixture f;
    const ContactEntryPtr typedInto = f.entry(0);
    QWidget *window = nullptr;
    int rebuilds = 0;
    if (state.range(0)) {
        const ContactEntryPtr shown = state.range(0) == 2 ? typedInto : f.entry(1);
        EditorPopover *popover
            = ContactInfoPanels::openPopover(f.hub, shown, QRect(40, 40, 100, 20), nullptr);
        window = popover->detach();
        QApplication::processEvents();
        QObject::connect(ContactInfoPanels::panelOf(window)->model(), &QAbstractItemModel::modelReset, window,
            [&rebuilds] { ++rebuilds; });
    }
    // The edit a committed cell makes, on one contact (a cell edit through the model would move the
    // row when the table re-sorts, and the next edit would go to another contact).
    int i = 0;
    for (auto _ : state) {
        f.hub.viewController().undoReplaceValue(u"Typed%1"_s.arg(i++), Ident::Company, typedInto);
        QApplication::processEvents();
    }
    state.counters["panelRebuilds"] = rebuilds;
    if (typedInto->person->valueForIdentifier(Ident::Company).toString().isEmpty())
        state.SkipWithError("the edits did not reach the record");
    delete window;
}
BENCHMARK(BM_TableEditBesideDetachedWindow)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
