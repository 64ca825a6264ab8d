#include "Scene.h"
#include "document/Document.h"
#include "document/DocumentHub.h"
#include "document/UserDefaults.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptionsStore.h"
#include "ui/dialogs/ContactFileDialog.h"
#include "ui/print/PreviewView.h"
#include "ui/print/PrintController.h"
#include "ui/table/ContactTableView.h"
#include "ui/window/DocumentWindow.h"

#include <QApplication>
#include <QMouseEvent>

namespace {

// New Year card addressees of our own invention, one of them the sender.
QByteArray postcardFile()
{
    const auto card = [](const QString &family, const QString &given, const QString &address,
                          const QString &more = {}) {
        return QStringLiteral(
            "BEGIN:VCARD\r\nVERSION:3.0\r\nN:%1;%2;;;\r\nFN:%1 %2\r\nADR;TYPE=HOME:%3\r\n%4END:VCARD\r\n")
            .arg(family, given, address, more);
    };
    const QString text = card(u"青木"_qs, u"誠"_qs, u";;桜町1-2-3;港区;東京都;105-0011;日本"_qs)
        + card(u"上田"_qs, u"健太"_qs, u";;緑ヶ丘4-5;青葉区;神奈川県横浜市;225-0002;日本"_qs)
        + card(u"加藤"_qs, u"翔"_qs, u";;本町2-1;中央区;大阪府大阪市;541-0053;日本"_qs)
        + card(u"森"_qs, u"陽子"_qs, u";;若葉町3-8;中区;愛知県名古屋市;460-0011;日本"_qs,
            u"X-HAGAKILAYOUTS:1;\r\n"_qs);
    return text.toUtf8();
}

DocumentWindow *postcardWindow(SceneContext &context, const QString &cardType)
{
    static std::unique_ptr<UserDefaults> defaults;
    QSettings &settings = context.settings();
    PrintOptionsStore::savePrintStyle(settings, PrintValue::StyleHagaki);
    QVariantMap options = PrintOptionsStore::load(settings, context.language());
    QVariantMap hagaki = options.value(PrintKey::Hagaki).toMap();
    hagaki.insert(PrintKey::HagakiType, cardType);
    options.insert(PrintKey::Hagaki, hagaki);
    PrintOptionsStore::save(settings, options);
    defaults = std::make_unique<UserDefaults>(settings);

    const QString path = context.writeFile(u"年賀状.vcf"_qs, postcardFile());
    auto document = std::make_unique<Document>();
    DocumentError error;
    document->readFromURL(path, ContactFileDialog::documentType(path), &error);
    auto *window = new DocumentWindow(std::move(document), *defaults);
    window->resize(1100, 560);
    window->hub().setSelectedRows({ 0 });
    window->tableView()->showSelection({ 0 });
    return window;
}

} // namespace

// The window with the New Year card preview of the selected addressee, the sender on the card too.
CORVANTHE_SCENE("print-preview-nenga", [](SceneContext &context) {
    return SceneContext::grab(postcardWindow(context, PrintValue::HagakiTypeNenga));
});

// The same addressee on an ordinary postcard.
CORVANTHE_SCENE("print-preview-general", [](SceneContext &context) {
    return SceneContext::grab(postcardWindow(context, PrintValue::HagakiTypeGeneral));
});

// Layout mode: the table locked, the addressee's name block selected with its handles.
CORVANTHE_SCENE("print-layout-mode", [](SceneContext &context) {
    DocumentWindow *window = postcardWindow(context, PrintValue::HagakiTypeNenga);
    window->show();
    SceneContext::settle();
    PrintController *print = window->printController();
    print->setLayoutMode(true);
    PreviewView *view = print->preview();
    if (!view->editor().blocks().isEmpty()) {
        const QPointF at = view->toWidget(view->editor().blocks().first().rect.center());
        QMouseEvent press(
            QEvent::MouseButtonPress, at, view->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(view, &press);
        QMouseEvent release(
            QEvent::MouseButtonRelease, at, view->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, {});
        QApplication::sendEvent(view, &release);
    }
    return SceneContext::grab(window);
});
