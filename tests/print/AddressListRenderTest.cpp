#include "print/AddressListRenderer.h"
#include "print/PrintMetrics.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintRenderTestSupport.h"

#include <QFontMetricsF>

using namespace Qt::StringLiterals;

namespace {

const QSizeF Letter(612, 792);

QVariantMap labelled(const QString &label, const QString &text)
{
    return { { Key::Label, label }, { Key::StringValue, text } };
}

QStringList texts(const QList<AddressListRenderer::Line> &lines)
{
    QStringList out;
    for (const AddressListRenderer::Line &line : lines)
        out.append(line.text());
    return out;
}

// Options printing the given items, in this order, after the name.
QVariantMap listOptions(const QStringList &items, const QStringList &labels = { u"All"_s }, int fontSize = 12)
{
    PrintOptions::FontDefaults fonts;
    fonts.userFontName = u"DejaVu Sans"_s;
    QVariantMap options = PrintOptions::initPrintOptions(u"en"_s, fonts);
    options.insert(PrintKey::FontSize, fontSize);
    QVariantMap list = options.value(PrintKey::AddressList).toMap();
    QVariantList table { QVariantMap { { PrintKey::ItemTitle, Ident::Name }, { PrintKey::ItemState, u"1"_s },
        { PrintKey::ItemEnabled, u"0"_s } } };
    for (const QString &item : items)
        table.append(QVariantMap { { PrintKey::ItemTitle, item }, { PrintKey::ItemState, true },
            { PrintKey::ItemEnabled, u"1"_s } });
    table.append(QVariantMap { { PrintKey::ItemTitle, Ident::Note }, { PrintKey::ItemState, u"0"_s },
        { PrintKey::ItemEnabled, u"1"_s } });
    list.insert(PrintKey::ItemTable, table);
    list.insert(PrintKey::SelectedLabels, labels);
    options.insert(PrintKey::AddressList, list);
    return options;
}

} // namespace

class AddressListRenderTest : public PrintRenderTest
{
};

TEST_F(AddressListRenderTest, FieldsFormatByValueKindAndLabelFilter)
{
    const QFont font = PrintMetrics::font(u"DejaVu Sans"_s, 12);
    const QFontMetricsF metrics = PrintMetrics::metrics(font);
    const double headerEnd = 20 + metrics.horizontalAdvance(u"Phone: "_s);
    const QVariantList phones { labelled(u"home"_s, u"03-1111"_s), labelled(u"work"_s, u"03-2222"_s),
        labelled(u"mobile"_s, u"090-3333"_s), labelled(u"home"_s, u""_s) };

    // Every label passes "All"; values without text never print.
    auto lines = AddressListRenderer::formattedField(phones, Ident::Phone, { u"All"_s }, 20, metrics);
    EXPECT_EQ(
        texts(lines), (QStringList { u"Phone: home: 03-1111"_s, u"work: 03-2222"_s, u"mobile: 090-3333"_s }));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_DOUBLE_EQ(lines.at(0).x, 20);
    EXPECT_DOUBLE_EQ(lines.at(1).x, headerEnd) << "later values line up after the header";
    EXPECT_EQ(lines.at(0).runs.at(1), (AddressListRenderer::Run { u"home:"_s, true })) << "label part dimmed";
    EXPECT_EQ(AddressListRenderer::linesInFormattedString(phones, { u"All"_s }), 3);

    // A filter keeps the marked labels only; the first kept value carries the header.
    lines
        = AddressListRenderer::formattedField(phones, Ident::Phone, { u"work"_s, u"mobile"_s }, 20, metrics);
    EXPECT_EQ(texts(lines), (QStringList { u"Phone: work: 03-2222"_s, u"mobile: 090-3333"_s }));
    // Nothing passing leaves the header alone on one line.
    lines = AddressListRenderer::formattedField(phones, Ident::Phone, { u"other"_s }, 20, metrics);
    EXPECT_EQ(texts(lines), QStringList { u"Phone: "_s });
    EXPECT_EQ(AddressListRenderer::linesInFormattedString(phones, { u"other"_s }), 1);

    // A dictionary prints its display text; a string keeps its lines, continuations under the header end.
    lines = AddressListRenderer::formattedField(
        QVariantMap { { Key::StringValue, u"1990.01.02(Tue)"_s } }, Ident::Birthday, {}, 20, metrics);
    EXPECT_EQ(texts(lines), QStringList { u"Birthday: 1990.01.02(Tue)"_s });
    lines = AddressListRenderer::formattedField(u"first\nsecond"_s, Ident::Note, {}, 20, metrics);
    EXPECT_EQ(texts(lines), (QStringList { u"Note: first"_s, u"second"_s }));
    EXPECT_DOUBLE_EQ(lines.at(1).x, 20 + metrics.horizontalAdvance(u"Note: "_s));
    EXPECT_EQ(AddressListRenderer::linesInFormattedString(u"a\nb\nc"_s, {}), 3);
    EXPECT_EQ(AddressListRenderer::linesInFormattedString(QVariant(), {}), 0);
}

TEST_F(AddressListRenderTest, EntryColumnsFollowTheItemTableOrder)
{
    auto p = person(u"Smith"_s, u"Jane"_s);
    p->addLabeledValue(
        QVariantMap { { Key::Label, u"work"_s }, { Key::Value, u"jane@example.com"_s } }, Ident::Email);
    p->addLabeledValue(
        QVariantMap { { Key::Label, u"mobile"_s }, { Key::Value, u"555-0100"_s } }, Ident::Phone);
    p->setValueForIdentifier(u"Acme"_s, Ident::Company);
    p->setValueForIdentifier(u"never printed"_s, Ident::Note);

    const AddressListRenderer list(
        listOptions({ Ident::Email, Ident::Company, Ident::Phone }), { receiver(p) }, Letter);
    ASSERT_EQ(list.entries().size(), 1);
    const QStringList lines = texts(list.entries().first());
    ASSERT_EQ(lines.size(), 4) << lines.join(u'|').toStdString();
    EXPECT_EQ(lines.at(0), p->compositeName());
    EXPECT_TRUE(lines.at(1).startsWith(u"Email: work: jane@example.com"_s));
    EXPECT_EQ(lines.at(2), u"Company: Acme"_s);
    EXPECT_TRUE(lines.at(3).startsWith(u"Phone: mobile: "_s));
}

TEST_F(AddressListRenderTest, EntriesMoveWholeToTheNextPageAndLongOnesContinue)
{
    // 12-point lines on Letter: a few dozen lines a page. Each contact has 1 + 5 lines.
    QList<ReceiverRecord> receivers;
    for (int i = 0; i < 40; ++i) {
        auto p = person(u"Person %1"_s.arg(i));
        p->setValueForIdentifier(u"a\nb\nc\nd\ne"_s, Ident::Note);
        receivers.append(receiver(p));
    }
    // And one whose note is longer than a page.
    auto tall = person(u"Tall"_s);
    QStringList many;
    for (int i = 0; i < 150; ++i)
        many.append(u"line %1"_s.arg(i));
    tall->setValueForIdentifier(many.join(u'\n'), Ident::Note);
    receivers.append(receiver(tall));

    const AddressListRenderer list(listOptions({ Ident::Note }), receivers, Letter);
    const double lh = list.lineHeight();
    const QRectF content = list.contentRect();
    const int perPage = int(content.height() / lh);
    ASSERT_GT(perPage, 12);

    QList<int> linesPlaced(list.entries().size(), 0);
    int lastPage = 0;
    for (const AddressListRenderer::Placement &placement : list.placements()) {
        EXPECT_GE(placement.page, lastPage) << "pages advance monotonically";
        lastPage = placement.page;
        EXPECT_GE(placement.y, content.top() - 1e-9);
        EXPECT_LE(placement.y + placement.lineCount * lh, content.bottom() + 1e-6)
            << "entry " << placement.entry;
        EXPECT_EQ(placement.firstLine, linesPlaced[placement.entry]) << "lines placed in order, none twice";
        linesPlaced[placement.entry] += placement.lineCount;
    }
    for (int i = 0; i < list.entries().size(); ++i)
        EXPECT_EQ(linesPlaced.at(i), list.entries().at(i).size())
            << "every line of entry " << i << " is placed";

    // The short entries are never split: each has exactly one placement.
    for (int i = 0; i < 40; ++i) {
        int pieces = 0;
        for (const AddressListRenderer::Placement &placement : list.placements())
            pieces += placement.entry == i;
        EXPECT_EQ(pieces, 1) << "entry " << i;
    }
    // The tall entry starts on a fresh page and runs over the next.
    const auto tallPieces = std::count_if(list.placements().cbegin(), list.placements().cend(),
        [](const AddressListRenderer::Placement &placement) { return placement.entry == 40; });
    EXPECT_GE(tallPieces, 2);
    EXPECT_EQ(list.pageCount(), lastPage + 1);
    EXPECT_FALSE(list.placementsOnPage(list.pageCount() - 1).isEmpty());
    EXPECT_TRUE(list.placementsOnPage(list.pageCount()).isEmpty());
}

TEST_F(AddressListRenderTest, LongLinesWrapToTheContentWidthKeepingEveryCharacter)
{
    const QFont font = PrintMetrics::font(u"DejaVu Sans"_s, 12);
    const QString word = u"Kanagawa-ken Yokohama-shi Naka-ku Yamashita-cho "_s;
    AddressListRenderer::Line line { 20,
        { { u"Address: "_s, false }, { u"home:"_s, true }, { u' ' + word.repeated(8), false } } };
    const QList<AddressListRenderer::Line> wrapped = AddressListRenderer::wrapLine(line, 300, font);
    ASSERT_GT(wrapped.size(), 2);
    QString joined;
    for (const AddressListRenderer::Line &piece : wrapped) {
        EXPECT_DOUBLE_EQ(piece.x, 20);
        EXPECT_LE(PrintMetrics::metrics(font).horizontalAdvance(piece.text().trimmed()), 280 + 0.5);
        joined += piece.text();
    }
    EXPECT_EQ(joined, line.text());
    EXPECT_TRUE(wrapped.first().runs.at(1).dim) << "the dimmed label keeps its look after wrapping";
}
