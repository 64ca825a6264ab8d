#include "Scene.h"
#include "document/UserDefaults.h"
#include "ui/window/PreferencesDialog.h"

// The preferences with one folder of address books.
CORVANTHE_SCENE("preferences", [](SceneContext &context) {
    const QString books = context.folder().filePath(QStringLiteral("Contacts"));
    for (const char *book : { "Family", "Work", "年賀状" })
        context.folder().mkpath(QStringLiteral("Contacts/%1").arg(QString::fromUtf8(book)));
    UserDefaults defaults(context.settings());
    defaults.setAddressBookFolders({ books });
    return SceneContext::grab(new PreferencesDialog(defaults));
});
