#pragma once

#include <QGroupBox>
#include <QStringList>
#include <QVariantMap>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;

// How vertical addresses set numbers and letters, and how far the printer's feed is corrected, for the
// two vertical styles (postcards and envelopes). The offset is kept per paper, in millimetres.
class StyleTypesettingBox : public QGroupBox
{
    Q_OBJECT

public:
    // papers: the papers whose offset this style corrects; with one, no paper pop-up is shown.
    explicit StyleTypesettingBox(const QStringList &papers, QWidget *parent = nullptr);

    void load(const QVariantMap &styleOptions);
    void store(QVariantMap &styleOptions) const;

signals:
    void edited();

private:
    void showOffset();

    QStringList m_papers;
    // The offsets of every paper as last loaded or typed; the paper shown is one of them.
    QVariantMap m_offsets;
    QComboBox *m_numerals = nullptr;
    QComboBox *m_hyphen = nullptr;
    QCheckBox *m_tateChuYoko = nullptr;
    QCheckBox *m_upright = nullptr;
    QComboBox *m_paper = nullptr;
    QDoubleSpinBox *m_offsetX = nullptr;
    QDoubleSpinBox *m_offsetY = nullptr;
};
