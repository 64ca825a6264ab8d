#include "document/ContactSort.h"
#include "document/SubRowSort.h"
#include "model/ContactDefaults.h"
#include "model/DateComponents.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QCoreApplication>
#include <QLocale>
#include <benchmark/benchmark.h>
#include <random>

using namespace Qt::StringLiterals;

namespace {

constexpr int SubRowCount = 100000;
constexpr int RowsPerContact = 2;

// Deterministic names: mixed case Western names and Japanese names, so the collator does real work.
QString syllables(std::mt19937 &random, bool japanese)
{
    static const char16_t *const western[] = { u"an", u"Be", u"cor", u"Da", u"el", u"Fi", u"gra", u"Ha",
        u"is", u"Jo", u"ka", u"Li", u"mo", u"Ne", u"or", u"Pa", u"qu", u"Ra", u"sa", u"To" };
    static const char16_t *const kana[] = { u"や", u"ま", u"だ", u"た", u"ろ", u"う", u"さ", u"と", u"す",
        u"ず", u"き", u"こ", u"ア", u"イ", u"カ", u"山", u"田", u"佐", u"藤", u"鈴" };
    QString text;
    const int count = 2 + int(random() % 3);
    for (int i = 0; i < count; ++i)
        text += QString::fromUtf16(japanese ? kana[random() % 20] : western[random() % 20]);
    return text;
}

// Sub-rows of SubRowCount / RowsPerContact contacts; every contact has two dates and most have a
// birthday (some without a year), and a few have no name at all.
QList<ContactEntry> makeSubRows()
{
    ContactDefaults::overrideForTesting(u"us"_s, ContactDefaults::SortOrder::GivenName);
    std::mt19937 random(7);
    QList<ContactEntry> rows;
    rows.reserve(SubRowCount);
    for (int i = 0; rows.size() < SubRowCount; ++i) {
        auto person = ZRPerson::create();
        const bool japanese = i % 3 == 0;
        if (i % 50 != 0) {
            person->setValueForIdentifier(syllables(random, japanese), Ident::FirstName);
            person->setValueForIdentifier(syllables(random, japanese), Ident::LastName);
        }
        const int year = i % 7 == 0 ? 0 : 1940 + int(random() % 70);
        if (i % 10 != 0) {
            person->setValueForIdentifier(
                QVariant::fromValue(DateComponents { year, 1 + int(random() % 12), 1 + int(random() % 28) }),
                Ident::Birthday);
        }
        for (int d = 0; d < RowsPerContact; ++d) {
            const DateComponents date { 1990 + int(random() % 30), 1 + int(random() % 12),
                1 + int(random() % 28) };
            person->addLabeledValue(
                QVariantMap { { Key::Label, u"other"_s }, { Key::Value, QVariant::fromValue(date) } },
                Ident::Dates);
        }
        for (int index = 0; index < RowsPerContact; ++index) {
            ContactEntry row;
            row.person = person;
            row.uniqueId = person->uniqueId();
            row.labelIndex = index;
            rows << row;
        }
    }
    return rows;
}

const QList<ContactEntry> &subRows()
{
    static const QList<ContactEntry> rows = makeSubRows();
    return rows;
}

void setLocale(const benchmark::State &state)
{
    QLocale::setDefault(state.range(0) == 0 ? QLocale(u"en_US"_s) : QLocale(u"ja_JP"_s));
}

void sortSubRows(benchmark::State &state, const QString &key)
{
    setLocale(state);
    const QList<ContactEntry> &source = subRows();
    bool ascending = true;
    for (auto _ : state) {
        state.PauseTiming();
        QList<ContactEntry> rows = source;
        state.ResumeTiming();
        SubRowSort::sort(rows, { key, ascending });
        benchmark::DoNotOptimize(rows.constData());
        ascending = !ascending;
    }
    state.SetItemsProcessed(state.iterations() * source.size());
}

void BM_SortSubRowsByCompositeName(benchmark::State &state)
{
    sortSubRows(state, u"compositeName"_s);
}

void BM_SortSubRowsByLastName(benchmark::State &state)
{
    sortSubRows(state, u"LastName"_s);
}

void BM_SortSubRowsByDates(benchmark::State &state)
{
    sortSubRows(state, u"Dates"_s);
}

void BM_SortSubRowsByBirthday(benchmark::State &state)
{
    sortSubRows(state, u"Birthday"_s);
}

// The record order behind a header click: one entry per contact.
void BM_SortContactTableByCompositeName(benchmark::State &state)
{
    setLocale(state);
    ContactTable source;
    for (const ContactEntry &row : subRows()) {
        if (row.labelIndex == 0)
            source << std::make_shared<ContactEntry>(row);
    }
    for (auto _ : state) {
        state.PauseTiming();
        ContactTable table = source;
        state.ResumeTiming();
        ContactSort::sortContactTable(table, { u"compositeName"_s, true });
        benchmark::DoNotOptimize(table.constData());
    }
    state.SetItemsProcessed(state.iterations() * source.size());
}

} // namespace

BENCHMARK(BM_SortSubRowsByCompositeName)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortSubRowsByLastName)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortSubRowsByDates)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortSubRowsByBirthday)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortContactTableByCompositeName)->Arg(0)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
