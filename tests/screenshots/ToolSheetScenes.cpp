#include "Scene.h"
#include "document/DocumentReader.h"
#include "ui/tools/MergeSheet.h"
#include "ui/tools/MergeTableModel.h"
#include "ui/tools/PhoneNumberMenu.h"
#include "ui/tools/PostalDataLoader.h"
#include "ui/tools/PostalSearchSheet.h"
#include "ui/tools/QrCodeSheet.h"

#include <QCoreApplication>
#include <QMimeData>

namespace {

// Two invented people of our own: one to show in the QR sheet, both to merge.
ContactTable toolContacts()
{
    const QString text = QStringLiteral(
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:山田;太郎;;;\r\nFN:山田 太郎\r\n"
        "X-PHONETIC-FIRST-NAME:たろう\r\nX-PHONETIC-LAST-NAME:やまだ\r\n"
        "TEL;TYPE=CELL:090-1234-5678\r\nTEL;TYPE=HOME:03-3210-7654\r\nEMAIL;TYPE=HOME:taro@example.jp\r\n"
        "ADR;TYPE=HOME:;;有楽町1-1;千代田区;東京都;100-0006;日本\r\nORG:山田商事;営業部\r\nTITLE:部長\r\n"
        "END:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:山田;太郎;;;\r\nFN:山田 太郎\r\n"
        "EMAIL;TYPE=WORK:t.yamada@example.co.jp\r\nURL:https://example.jp/yamada\r\nNOTE:旧い名刺から\r\n"
        "END:VCARD\r\n");
    return DocumentReader::readText(text, InputFormat::VCard).contactTable;
}

} // namespace

// The QR code sheet for a Japanese contact, as a vCard.
CORVANTHE_SCENE("qr-code-sheet", [](SceneContext &) {
    auto *sheet = new QrCodeSheet;
    sheet->setContact(toolContacts().value(0));
    return SceneContext::grab(sheet);
});

// The postal-code search after typing the head of a code, over the built-in sample.
CORVANTHE_SCENE("postal-search-sheet", [](SceneContext &context) {
    auto *data = new PostalDataLoader;
    data->setDataDirectory(context.folder().filePath(QStringLiteral("no-postal-data")));
    auto *sheet = new PostalSearchSheet(*data);
    data->setParent(sheet);
    sheet->setInputText(QStringLiteral("100-00"));
    while (sheet->isSearching()) // the rows come from a worker
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    sheet->selectRow(1);
    return SceneContext::grab(sheet);
});

// The merge sheet open for changes, after the phone numbers were dragged to the second contact.
CORVANTHE_SCENE("merge-sheet", [](SceneContext &) {
    using Side = MergePanelController::Side;
    auto *sheet = new MergeSheet;
    MergeContext merge;
    merge.contacts = toolContacts();
    sheet->setContextInfo(merge, true);
    MergeTableModel *left = sheet->model(Side::Left);
    MergeTableModel *right = sheet->model(Side::Right);
    const MergeRows &rows = sheet->controller().table(Side::Left);
    for (int i = 0; i < rows.size(); ++i) {
        if (rows.at(i).type != QStringLiteral("Phone") || rows.at(i).isAddingRow())
            continue;
        std::unique_ptr<QMimeData> data(left->mimeData({ left->index(i, MergeTableModel::ValueColumn) }));
        right->dropMimeData(data.get(), Qt::CopyAction, right->rowCount(), 0, QModelIndex());
        break;
    }
    return SceneContext::grab(sheet);
});

// The phone-number layouts menu.
CORVANTHE_SCENE("phone-number-menu", [](SceneContext &) {
    auto *menu = new PhoneNumberMenu;
    for (QAction *action : menu->layoutActions())
        action->setEnabled(true);
    return SceneContext::grab(menu);
});
