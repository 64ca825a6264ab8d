#pragma once

#include "formats/TextEncodings.h"

#include <QFileDialog>
#include <memory>

class EncodingAccessory;
class EncodingMenuModel;
class QSettings;

// The file dialogs of the contact commands. The dialogs that choose a file to read (Open…, Import
// from vCard…, Import from CSV…) carry the encoding pop-up, so they are Qt's own dialog rather than
// the desktop's, which can't take one. Each dialog reads the user's encoding list when it is made,
// and its choice serves that one dialog: the next one starts from "Automatic" again.
class ContactFileDialog : public QFileDialog
{
    Q_OBJECT
public:
    enum class Kind { OpenDocument, ImportVCard, ImportCSV, ExportVCard, ExportCSV };

    // settings: where the encoding list is kept (open dialogs only).
    ContactFileDialog(Kind kind, QSettings *settings, QWidget *parent = nullptr);
    ~ContactFileDialog() override;

    Kind kind() const { return m_kind; }
    // Null for the save dialogs.
    EncodingAccessory *accessory() const { return m_accessory; }
    // The encoding the chosen file is to be read in; 0 (automatic) without a pop-up.
    TextEncoding::Number encodingType() const;
    QString chosenFile() const;

    // Save dialogs: the suggested name, with the dialog's extension added when it has none.
    void setDefaultName(const QString &name);

    // The type a document opened from the file gets: "CSV" for a .csv file, else vCard.
    static QString documentType(const QString &path);

    void done(int result) override;

private:
    Kind m_kind;
    std::unique_ptr<EncodingMenuModel> m_menu;
    EncodingAccessory *m_accessory = nullptr;
};
