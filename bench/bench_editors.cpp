// The information pane and the field editors as the window uses them: showing another contact of 50
// values in the pane, opening each editor, and a one-cell edit in the table while a torn-off
// information window is open (against none).

#include "document/DocumentHub.h"
#include "document/UserDefaults.h"
#include "formats/ZRvCard.h"
#include "model/Identifiers.h"
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

// range(0): 1 with a torn-off information window of another contact open, 0 without.
void BM_TableEditBesideDetachedWindow(benchmark::State &state)
{
    Fixture f;
    QWidget *window = nullptr;
    if (state.range(0)) {
        EditorPopover *popover
            = ContactInfoPanels::openPopover(f.hub, f.entry(1), QRect(40, 40, 100, 20), nullptr);
        window = popover->detach();
        QApplication::processEvents();
    }
    const int column = int(f.hub.columns().indexOf(Ident::Name));
    const QModelIndex cell = f.hub.tableModel().index(0, std::max(column, 0));
    int i = 0;
    for (auto _ : state) {
        f.hub.tableModel().setData(cell, u"Typed%1"_s.arg(i++));
        QApplication::processEvents();
    }
    delete window;
}
BENCHMARK(BM_TableEditBesideDetachedWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();

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
