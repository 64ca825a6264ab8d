#include "Scene.h"
#include "ui/dialogs/ContactFileDialog.h"

// The save dialog of "Export…", suggesting the first selected contact's name.
CORVANTHE_SCENE("export-dialog", [](SceneContext &context) {
    auto *dialog = new ContactFileDialog(ContactFileDialog::Kind::ExportVCard, &context.settings());
    dialog->setDirectory(context.folder().path());
    dialog->setDefaultName(QStringLiteral("山田 太郎"));
    dialog->resize(780, 460);
    return SceneContext::grab(dialog);
});
