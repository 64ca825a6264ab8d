#include "model/DictionaryKeys.h"

#include "model/Identifiers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// findKeys gives what a lookup of each key gives, whether the dictionary's keys share their
// characters with the keys asked for, are equal copies, or only look alike (same length, same first
// character, or the leading part of another constant's characters).
TEST(DictionaryKeysTest, FindsWhatLookupsFind)
{
    const QString labelCopy(Key::Label.constData(), Key::Label.size());
    const QString labelInsideLabelIndex = QString::fromRawData(Key::LabelIndex.constData(), 5); // "label"
    const QVariantMap dicts[] = {
        { { Key::Label, 1 }, { Key::Value, 2 }, { Key::LabelIndex, 3 } },
        { { labelCopy, 1 }, { u"value"_s, 2 }, { u"labelIndex"_s, 3 } },
        { { u"lab_l"_s, 1 }, { u"vAlue"_s, 2 }, { u"Label"_s, 3 }, { QString(), 4 } },
        { { labelInsideLabelIndex, 1 }, { u"valuе"_s, 2 } }, // Cyrillic "е" at the end
        {},
    };
    const QString empty;
    const QString *const wanted[]
        = { &Key::Label, &Key::Value, &Key::LabelIndex, &labelCopy, &empty, &Key::StringValue };
    for (const QVariantMap &dict : dicts) {
        const QVariant *found[std::size(wanted)];
        findKeys(dict, wanted, found);
        for (size_t i = 0; i < std::size(wanted); ++i) {
            const auto it = dict.constFind(*wanted[i]);
            if (it == dict.cend()) {
                EXPECT_EQ(found[i], nullptr) << wanted[i]->toStdString() << " in " << dict.size();
            } else {
                EXPECT_EQ(found[i], &it.value()) << wanted[i]->toStdString() << " in " << dict.size();
            }
        }
    }
    EXPECT_TRUE(sameKey(labelInsideLabelIndex, Key::Label));
    EXPECT_FALSE(sameKey(QString::fromRawData(Key::LabelIndex.constData(), 6), Key::Label));
    EXPECT_TRUE(sameKey(QString(), u""_s));
}
