#include "Scene.h"
#include "document/DocumentHub.h"
#include "document/UserDefaults.h"
#include "formats/ZRvCard.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"
#include "ui/editors/EditorPopover.h"
#include "ui/editors/FieldEditors.h"
#include "ui/info/ContactInfoPanels.h"
#include "ui/info/ContactInfoView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSplitter>
#include <QTableView>

namespace {

// A Japanese contact as a person keeps one for New Year cards: readings, joint names, three addresses.
const char *const JapaneseCard
    = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:山田;太郎;;;\r\nFN:山田 太郎\r\n"
      "X-PHONETIC-FIRST-NAME:たろう\r\nX-PHONETIC-LAST-NAME:やまだ\r\n"
      "X-RENMEI:花子\\n一郎\r\nORG:山田商店\r\n"
      "TEL;TYPE=CELL:090-1234-5678\r\nTEL;TYPE=HOME:03-1234-5678\r\n"
      "EMAIL;TYPE=HOME:taro@example.jp\r\n"
      "ADR;TYPE=HOME:;;千代田1-1-1;千代田区;東京都;100-0001;日本\r\n"
      "ADR;TYPE=WORK:;;梅田2-2-2;大阪市北区;大阪府;530-0001;日本\r\n"
      "ADR;TYPE=OTHER:;;北一条西3-3;札幌市中央区;北海道;060-0001;日本\r\n"
      "BDAY:1980-04-02\r\nURL:https://example.jp/yamada\r\n"
      "X-SOCIALPROFILE;type=twitter:https://twitter.com/yamada\r\n"
      "NOTE:年賀状は毎年送る\r\nEND:VCARD\r\n"
      "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Hawthorne;Jonathan;;;\r\nFN:Jonathan Hawthorne\r\n"
      "TEL;TYPE=WORK:+1 555 0100\r\nADR;TYPE=WORK:;;12 Orchard Lane;Springfield;IL;62701;USA\r\n"
      "END:VCARD\r\n";

// A hub over the scene's own settings, open on the sample cards, editing on.
struct SceneHub
{
    explicit SceneHub(SceneContext &context)
        : defaults(context.settings())
        , hub(defaults, DocumentHub::Options { false, nullptr })
    {
        const auto containers = ZRvCard().containersFromVCards(QString::fromUtf8(JapaneseCard));
        DocumentWindowData data;
        data.containerTable = *containers;
        data.selectedGroupDict = data.containerTable.first()->groups.first();
        data.contactTable = *data.selectedGroupDict->contactTable;
        data.documentName = QStringLiteral("scene.vcf");
        hub.open(data);
        hub.setEditState(true);
    }
    // 0: the Japanese contact, 1: the American one, whatever order the document keeps them in.
    ContactEntryPtr entry(int i) const
    {
        for (const ContactEntryPtr &row :
            *hub.viewController().containerTable().first()->groups.first()->contactTable) {
            if (row->person->compositeName().contains(
                    i == 0 ? QStringLiteral("山田") : QStringLiteral("Jonathan")))
                return row;
        }
        return nullptr;
    }

    UserDefaults defaults;
    DocumentHub hub;
};

QImage editorScene(SceneContext &context, const QString &identifier, qsizetype labelIndex,
    bool wholeList = false, int contact = 0)
{
    auto hub = std::make_unique<SceneHub>(context);
    EditorContext editor = EditorRoster::contextFor(hub->entry(contact), identifier, labelIndex, true);
    EditorPopover *popover = FieldEditors::openEditor(hub->hub.viewController(), editor,
        { hub->entry(contact) }, QRect(40, 40, 120, 20), nullptr, wholeList);
    const QImage image = SceneContext::grab(popover);
    popover->close();
    delete popover;
    return image;
}

} // namespace

CORVANTHE_SCENE("editor-name", [](SceneContext &c) { return editorScene(c, Ident::Name, 0); });
CORVANTHE_SCENE(
    "editor-phonetic-name", [](SceneContext &c) { return editorScene(c, Ident::PhoneticName, 0); });
CORVANTHE_SCENE("editor-multi-value", [](SceneContext &c) { return editorScene(c, Ident::Phone, 0); });
CORVANTHE_SCENE(
    "editor-address-list", [](SceneContext &c) { return editorScene(c, Ident::Address, 0, true); });
CORVANTHE_SCENE("editor-address", [](SceneContext &c) { return editorScene(c, Ident::Address, 1); });
CORVANTHE_SCENE(
    "editor-address-us", [](SceneContext &c) { return editorScene(c, Ident::Address, 0, false, 1); });
CORVANTHE_SCENE(
    "editor-instant-message", [](SceneContext &c) { return editorScene(c, Ident::InstantMessage, -1); });
CORVANTHE_SCENE(
    "editor-social-network", [](SceneContext &c) { return editorScene(c, Ident::SocialNetwork, 0); });
CORVANTHE_SCENE("editor-dates", [](SceneContext &c) { return editorScene(c, Ident::Dates, -1); });
CORVANTHE_SCENE("editor-birthday", [](SceneContext &c) { return editorScene(c, Ident::Birthday, 0); });
CORVANTHE_SCENE("editor-joint-names", [](SceneContext &c) { return editorScene(c, Ident::Renmei, 0); });

// The panel as the window's third pane, beside a stand-in for the table.
CORVANTHE_SCENE("info-pane", [](SceneContext &context) {
    auto hub = std::make_unique<SceneHub>(context);
    auto *window = new QSplitter;
    auto *table = new QTableView(window);
    table->setModel(&hub->hub.tableModel());
    window->addWidget(table);
    ContactInfoView *pane = ContactInfoPanels::makePane(hub->hub, window);
    window->addWidget(pane);
    hub->hub.viewController().rowSelectionDidChange({ hub->entry(0) });
    window->resize(1000, 760);
    window->setSizes({ 560, 440 });
    const QImage image = SceneContext::grab(window);
    delete window;
    return image;
});

CORVANTHE_SCENE("info-popover", [](SceneContext &context) {
    auto hub = std::make_unique<SceneHub>(context);
    EditorPopover *popover
        = ContactInfoPanels::openPopover(hub->hub, hub->entry(0), QRect(40, 40, 120, 20), nullptr);
    const QImage image = SceneContext::grab(popover);
    popover->close();
    delete popover;
    return image;
});

CORVANTHE_SCENE("info-detached", [](SceneContext &context) {
    auto hub = std::make_unique<SceneHub>(context);
    EditorPopover *popover
        = ContactInfoPanels::openPopover(hub->hub, hub->entry(0), QRect(40, 40, 120, 20), nullptr);
    QWidget *window = popover->detach();
    window->resize(420, 640);
    const QImage image = SceneContext::grab(window);
    delete window;
    return image;
});

// The import sheet's detail: the clicked contact, read-only.
CORVANTHE_SCENE("info-read-only", [](SceneContext &context) {
    auto hub = std::make_unique<SceneHub>(context);
    ContactInfoView *panel = ContactInfoPanels::makeReadOnlyPanel(nullptr);
    panel->setContact(hub->entry(1));
    panel->resize(400, 500);
    const QImage image = SceneContext::grab(panel);
    delete panel;
    return image;
});
