#include "Scene.h"
#include "document/DocumentHub.h"
#include "document/UserDefaults.h"
#include "formats/ZRvCard.h"
#include "ui/table/ContactTableView.h"
#include "ui/table/LabelTextCellDelegate.h"

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QVBoxLayout>

namespace {

QByteArray card(const char *family, const char *given, const QByteArray &more)
{
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nN:" + QByteArray(family) + ";" + given + ";;;\r\nFN:" + family + " "
        + given + "\r\n" + more + "END:VCARD\r\n";
}

// Our own invented people with addresses, phones and e-mail, as a Japanese file holds them.
QString contacts()
{
    return QString::fromUtf8(
        card("山田", "太郎",
            "ORG:山田製作所\r\nTEL;TYPE=CELL:090-1234-5678\r\nTEL;TYPE=WORK:03-3123-4567\r\n"
            "EMAIL;TYPE=HOME:taro@example.jp\r\n"
            "ADR;TYPE=HOME:;;丸の内1-1-1;千代田区;東京都;100-0005;日本\r\n")
        + card("佐藤", "花子",
            "TEL;TYPE=HOME:06-6123-4567\r\nEMAIL;TYPE=WORK:hanako.sato@example.co.jp\r\n"
            "ADR;TYPE=HOME:;;梅田2-2-2;大阪市北区;大阪府;530-0001;日本\r\n"
            "NOTE:年賀状は毎年送る\\n住所変更あり\r\n")
        + card("高橋", "健一",
            "TEL;TYPE=CELL:080-2222-3333\r\nADR;TYPE=WORK:;;栄3-3-3;名古屋市中区;愛知県;460-0008;日本\r\n"
            "ADR;TYPE=HOME:;;御器所4-4;名古屋市昭和区;愛知県;466-0051;日本\r\n")
        + card("Hawthorne", "Jonathan",
            "TEL;TYPE=WORK:+1 217 555 0100\r\nEMAIL;TYPE=WORK:jonathan@example.com\r\n"
            "ADR;TYPE=WORK:;;12 Orchard Lane;Springfield;IL;62701;USA\r\n")
        + card("伊藤", "美咲", "EMAIL;TYPE=HOME:misaki@example.jp\r\nTEL;TYPE=CELL:070-4444-5555\r\n")
        + card(
            "渡辺", "翔太", "ORG:渡辺商店\r\nADR;TYPE=HOME:;;一番町5-5;仙台市青葉区;宮城県;980-0811;日本\r\n")
        + card("中村", "さくら", "TEL;TYPE=HOME:011-222-3333\r\nEMAIL;TYPE=HOME:sakura@example.jp\r\n"));
}

// A window of the table alone, with the hub it shows.
class TableWindow : public QWidget
{
public:
    explicit TableWindow(QSettings &settings)
        : defaults(settings)
        , hub(defaults)
    {
        DocumentWindowData data;
        data.containerTable = *ZRvCard().containersFromVCards(contacts());
        data.selectedGroupDict = data.containerTable.first()->groups.first();
        data.contactTable = *data.selectedGroupDict->contactTable;
        data.documentName = QStringLiteral("nenga.vcf");
        hub.open(data);
        hub.setColumns({ QStringLiteral("Phone"), QStringLiteral("Email"), QStringLiteral("ZIP"),
            QStringLiteral("State"), QStringLiteral("City"), QStringLiteral("Company"),
            QStringLiteral("Note") });
        table = new ContactTableView(hub, this);
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(table);
        resize(1200, 420);
    }
    ~TableWindow() override { hub.close(); }

    UserDefaults defaults;
    DocumentHub hub;
    ContactTableView *table = nullptr;
};

} // namespace

// A Japanese file in the contact table: several phones and addresses per contact, a note on two lines.
CORVANTHE_SCENE("contact-table", [](SceneContext &context) {
    auto *window = new TableWindow(context.settings());
    window->table->selectRow(2);
    return SceneContext::grab(window);
});

// Editing: the label pop-up of a phone open.
CORVANTHE_SCENE("contact-table-label-popup", [](SceneContext &context) {
    auto *window = new TableWindow(context.settings());
    window->hub.setEditState(true);
    SceneContext::grab(window);
    const int column = int(window->hub.columns().indexOf(QStringLiteral("Phone")));
    const QModelIndex index = window->table->model()->index(0, column);
    window->table->selectRow(0);
    const QRect cell = window->table->visualRect(index);
    const QRect popup = LabelTextCellDelegate::popupRect(cell, window->hub.table().rowHeight());
    QTest::mouseClick(window->table->viewport(), Qt::LeftButton, {}, popup.center());
    SceneContext::settle();
    QList<QWidget *> popups;
    if (QWidget *menu = QApplication::activePopupWidget())
        popups << menu;
    return SceneContext::grabWithPopups(window, popups);
});

// Find: every occurrence of the text shaded, the current hit in orange.
CORVANTHE_SCENE("contact-table-find", [](SceneContext &context) {
    auto *window = new TableWindow(context.settings());
    window->hub.table().setFindString(QStringLiteral("区"), false);
    ContactsViewController &table = window->hub.table();
    // The current hit: the first "区" in a street.
    for (int row = 0; row < table.subRows().size(); ++row) {
        const qsizetype at = table.cellText(QStringLiteral("City"), row).indexOf(QStringLiteral("区"));
        if (at < 0)
            continue;
        FindHit hit;
        hit.uniqueId = table.subRows().row(row)->uniqueId;
        hit.identifier = QStringLiteral("City");
        hit.labelIndex = table.subRows().row(row)->labelIndex;
        hit.range = { at, 1 };
        table.selectItemAndRange(hit);
        break;
    }
    return SceneContext::grab(window);
});
