#pragma once

#include "formats/TextEncodings.h"

#include <QPointer>
#include <QWidget>

class EncodingListPanel;
class EncodingMenuModel;
class QComboBox;
class QLabel;

// The "Encoding:" pop-up that open dialogs carry: "Automatic" (in encoding-only mode), the encodings
// of the user's list, and "Customize Encoding List…", which opens the list panel and keeps the
// choice the pop-up had. The pop-up shows the menu model; every pick goes to it.
class EncodingAccessory : public QWidget
{
    Q_OBJECT
public:
    explicit EncodingAccessory(EncodingMenuModel &menu, QWidget *parent = nullptr);

    EncodingMenuModel &menu() const { return m_menu; }
    QComboBox *encodingTypePopup() const { return m_popup; }
    // Made on first use.
    EncodingListPanel *encodingListPanel() const;

    // 0 for "Automatic", else the chosen encoding.
    TextEncoding::Number encodingType() const;
    QString encodingTypeName() const;

    void showListPanel();
    // Closes the list panel, which keeps the list.
    void requestClose();
    // Shows the menu model's items and selection again.
    void reloadMenu();

private:
    void itemActivated(int index);

    EncodingMenuModel &m_menu;
    QLabel *m_title;
    QComboBox *m_popup;
    QPointer<EncodingListPanel> m_panel;
};
