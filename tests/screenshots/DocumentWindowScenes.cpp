#include "Scene.h"
#include "document/Document.h"
#include "document/DocumentHub.h"
#include "document/UserDefaults.h"
#include "ui/dialogs/Alerts.h"
#include "ui/dialogs/ContactFileDialog.h"
#include "ui/table/ContactTableView.h"
#include "ui/window/DocumentWindow.h"

#include <QItemSelectionModel>
#include <QMessageBox>
#include <QPainter>

namespace {

// Our own invented people in Japanese, with the groups a New Year card list has.
QByteArray japaneseGroupsFile()
{
    const auto card = [](const QString &family, const QString &given, const QString &categories,
                          const QString &more = QString()) {
        return QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:%1;%2;;;\r\nFN:%1 %2\r\n").arg(family, given)
            + (categories.isEmpty() ? QString() : QStringLiteral("CATEGORIES:%1\r\n").arg(categories)) + more
            + QStringLiteral("END:VCARD\r\n");
    };
    const QString text
        = card(u"青木"_qs, u"誠"_qs, u"友人,年賀状"_qs,
              u"TEL;TYPE=CELL:090-1234-5678\r\nADR;TYPE=HOME:;;桜町1-2-3;港区;東京都;105-0011;日本\r\n"_qs)
        + card(u"石川"_qs, u"由美"_qs, u"会社"_qs, u"EMAIL;TYPE=WORK:yumi@example.jp\r\n"_qs)
        + card(u"上田"_qs, u"健太"_qs, u"友人"_qs,
            u"ADR;TYPE=HOME:;;緑ヶ丘4-5;青葉区;神奈川県横浜市;225-0002;日本\r\n"_qs)
        + card(u"岡本"_qs, u"さくら"_qs, u"年賀状"_qs, u"TEL;TYPE=HOME:03-3456-7890\r\n"_qs)
        + card(u"加藤"_qs, u"翔"_qs, u"会社,年賀状"_qs,
            u"ADR;TYPE=WORK:;;本町2-1;中央区;大阪府大阪市;541-0053;日本\r\n"_qs)
        + card(u"Smith"_qs, u"Anna"_qs, QString(), u"EMAIL;TYPE=HOME:anna@example.com\r\n"_qs);
    return text.toUtf8();
}

// A window over a file written into the scene's folder, as `corvanthe FILE` would show it.
DocumentWindow *windowFor(SceneContext &context, const QString &name, const QByteArray &bytes)
{
    static std::unique_ptr<UserDefaults> defaults;
    defaults = std::make_unique<UserDefaults>(context.settings());
    auto document = std::make_unique<Document>();
    if (!name.isEmpty()) {
        const QString path = context.writeFile(name, bytes);
        DocumentError error;
        document->readFromURL(path, ContactFileDialog::documentType(path), &error);
    }
    auto *window = new DocumentWindow(std::move(document), *defaults);
    window->resize(900, 500);
    return window;
}

void selectRows(DocumentWindow *window, const QList<int> &rows)
{
    ContactTableView *table = window->tableView();
    for (const int row : rows)
        table->selectionModel()->select(
            table->model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

} // namespace

// A new, empty document.
CORVANTHE_SCENE("window-empty",
    [](SceneContext &context) { return SceneContext::grab(windowFor(context, QString(), {})); });

// A Japanese file with its groups, a contact selected, editing on (the red line under the toolbar).
CORVANTHE_SCENE("window-groups", [](SceneContext &context) {
    DocumentWindow *window = windowFor(context, u"年賀状リスト.vcf"_qs, japaneseGroupsFile());
    selectRows(window, { 0 });
    return SceneContext::grab(window);
});

// The same document locked: the line is grey, the button offers to edit again.
CORVANTHE_SCENE("window-locked", [](SceneContext &context) {
    DocumentWindow *window = windowFor(context, u"年賀状リスト.vcf"_qs, japaneseGroupsFile());
    window->hub().setEditState(false);
    window->hub().selectGroup(window->hub().groupNamed(u"年賀状"_qs));
    return SceneContext::grab(window);
});

// An alert over the window: the file to import gave no contact.
CORVANTHE_SCENE("window-alert", [](SceneContext &context) {
    DocumentWindow *window = windowFor(context, u"年賀状リスト.vcf"_qs, japaneseGroupsFile());
    SceneContext::grab(window);
    QMessageBox *box
        = Alerts::show(window, QCoreApplication::translate("ExportText", "Couldn't read the file."),
            QCoreApplication::translate("ExportText", "Please make sure the file is vCard 2.1/3.0 file."));
    SceneContext::settle();
    QImage image = SceneContext::grab(window);
    const QImage alert = box->grab().toImage();
    QPainter painter(&image);
    painter.drawImage(QPoint((image.width() - alert.width()) / 2, 40), alert);
    return image;
});
