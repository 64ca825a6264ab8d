#include "Scene.h"
#include "ui/dialogs/ContactFileDialog.h"
#include "ui/dialogs/EncodingAccessory.h"
#include "ui/dialogs/EncodingListPanel.h"

// The list of encodings opened from "Customize Encoding List…".
CORVANTHE_SCENE("encoding-list", [](SceneContext &context) {
    auto *dialog = new ContactFileDialog(ContactFileDialog::Kind::ImportVCard, &context.settings());
    dialog->setDirectory(context.folder().path());
    SceneContext::grab(dialog);
    dialog->accessory()->showListPanel();
    return SceneContext::grab(dialog->accessory()->encodingListPanel());
});
