#include "SampleContacts.h"
#include "Scene.h"
#include "ui/dialogs/ContactFileDialog.h"
#include "ui/dialogs/EncodingAccessory.h"

#include <QAbstractItemView>
#include <QComboBox>

// The Open dialog with its encoding pop-up open.
CORVANTHE_SCENE("open-dialog", [](SceneContext &context) {
    context.writeFile(QStringLiteral("friends.vcf"), SampleContacts::vCardText());
    context.writeFile(QStringLiteral("年賀状2025.vcf"), SampleContacts::vCardText());
    context.writeFile(QStringLiteral("envelopes.csv"), "Name,Company,ZIP\n");
    auto *dialog = new ContactFileDialog(ContactFileDialog::Kind::OpenDocument, &context.settings());
    dialog->setDirectory(context.folder().path());
    dialog->resize(780, 500);
    SceneContext::grab(dialog);
    QComboBox *popup = dialog->accessory()->encodingTypePopup();
    popup->showPopup();
    SceneContext::settle();
    return SceneContext::grabWithPopups(dialog, { popup->view()->window() });
});
