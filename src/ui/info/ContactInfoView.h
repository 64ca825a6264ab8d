#pragma once

#include "document/ContactCell.h"
#include "document/editors/ContactInfoRows.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class ContactInfoDelegate;
class ContactInfoModel;
class ContactInfoTable;
class EditorPopover;
class QMenu;
class QTableView;
class UserDefaults;
class ViewController;
struct ChangeNotice;

namespace ContactInfoMime {
inline const QString VCard = QStringLiteral("text/vcard");
inline const QString Identifier = QStringLiteral("application/x-corvanthe-identifier");
inline const QString LabelIndex = QStringLiteral("application/x-corvanthe-labelindex");
// Which panel a row was dragged from (a drop on the same panel reorders its fields).
inline const QString SourcePanel = QStringLiteral("application/x-corvanthe-info-panel");
} // namespace ContactInfoMime

// The contact information panel: every field of one contact as rows, edited in place, through pop-ups
// and through the field editors, every change one undo step of the window's controller. The same widget
// is the window's third pane, the popover from the table and the window torn off it. Without a
// controller (the import sheet) it only shows.
class ContactInfoView : public QWidget
{
    Q_OBJECT

public:
    // controller and defaults may be null: read-only, and the default row order.
    ContactInfoView(ViewController *controller, UserDefaults *defaults, QWidget *parent = nullptr);
    ~ContactInfoView() override;

    void setContact(const ContactEntryPtr &contact);
    const ContactEntryPtr &contact() const;
    // Whether the panel edits (the window's edit state); a panel without a controller never does.
    void setEditable(bool editable);
    bool isEditable() const;
    void setGroupNamesProvider(std::function<QStringList(const ContactEntryPtr &)> provider);
    void setTableFont(const QFont &font);

    // Rebuilds the rows from the contact (keeping the selected row where it can).
    void updateTable();
    // Selects and shows the row that holds a find hit, its range marked orange.
    void selectItemAndRange(const FindHit &hit);
    // The find bar's text: every occurrence in the values is shaded; empty clears the marks.
    void setFindString(const QString &text, Qt::CaseSensitivity cs);
    // Where the find text shows in a value cell (for the tests and the screenshots).
    CellHighlights highlightsOfRow(int row) const;
    QTableView *tableView() const;
    ContactInfoModel *model() const { return m_model; }
    const QStringList &rowOrder() const { return m_rowOrder; }

    // ---- What the rows' gestures do (public for the context menu, the tests and the screenshots)
    // The field editor of the row, in a popover at the row.
    EditorPopover *openEditorForRow(int row);
    void insertItem(int row);
    void deleteItem(int row);
    // Opens the row's mail, phone, web or map address; false when there is none.
    bool doWorkspaceAction(int row, bool googleMap = false);
    // The row's context menu (owned by the caller).
    QMenu *menuForRow(int row, QWidget *parent);
    // Photo: an image file as the contact's picture; false, with a message shown, when it is none.
    bool setImageFromFile(const QString &path);
    void deleteImage();
    void changePhotoSize(int step);
    // A row dragged within this panel onto another: its field moves there in the stored order.
    void moveRowField(int from, int to);

    // The text shown for a file that is not an image.
    static QString notAnImageMessage(const QString &fileName);

signals:
    // An edit changed the contact: other views refresh.
    void contactDidUpdate(const ContactEntryPtr &contact);
    // The contact was deleted from the document (a detached window closes).
    void contactDeleted();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void contactsChanged(const ChangeNotice &notice);
    void scheduleUpdate();
    void edited();
    void chooseImage();
    void addEditorActions(QMenu *menu, int row, const QString &openTitle, const QString &itemTitle);

    ViewController *m_controller = nullptr;
    UserDefaults *m_defaults = nullptr;
    ContactInfoModel *m_model = nullptr;
    ContactInfoDelegate *m_delegate = nullptr;
    ContactInfoTable *m_table = nullptr;
    QStringList m_rowOrder;
    QPointer<EditorPopover> m_editor;
    bool m_updateScheduled = false;
};
