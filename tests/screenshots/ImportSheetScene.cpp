#include "SampleContacts.h"
#include "Scene.h"
#include "ui/dialogs/ImportSheet.h"
#include "ui/info/ContactInfoPanels.h"
#include "ui/info/ContactInfoView.h"

#include <QItemSelectionModel>
#include <QListView>

// The import sheet with two of the file's contacts selected and the first one shown beside the list.
CORVANTHE_SCENE("import-sheet", [](SceneContext &) {
    auto *sheet = new ImportSheet;
    const ContactTable entries = SampleContacts::entries();
    sheet->setOffer(QStringLiteral("friends.vcf"), entries);
    ContactInfoView *detail = ContactInfoPanels::makeReadOnlyPanel(sheet);
    sheet->setDetailView(detail);
    detail->setContact(entries.first());
    QListView *view = sheet->nameTableView();
    view->selectionModel()->select(view->model()->index(0, 0), QItemSelectionModel::Select);
    view->selectionModel()->select(view->model()->index(3, 0), QItemSelectionModel::Select);
    return SceneContext::grab(sheet);
});
