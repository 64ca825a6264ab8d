#include "SampleContacts.h"
#include "Scene.h"
#include "ui/dialogs/ImportSheet.h"

#include <QItemSelectionModel>
#include <QListView>

// The import sheet with two of the file's contacts selected.
CORVANTHE_SCENE("import-sheet", [](SceneContext &) {
    auto *sheet = new ImportSheet;
    sheet->setOffer(QStringLiteral("friends.vcf"), SampleContacts::entries());
    QListView *view = sheet->nameTableView();
    view->selectionModel()->select(view->model()->index(0, 0), QItemSelectionModel::Select);
    view->selectionModel()->select(view->model()->index(3, 0), QItemSelectionModel::Select);
    return SceneContext::grab(sheet);
});
