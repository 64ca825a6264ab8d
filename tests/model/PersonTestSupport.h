#pragma once

#include "model/ContactDefaults.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QLocale>
#include <gtest/gtest.h>

// Fixes the user's defaults and locale so that name order and weekday names do not depend on the
// machine running the tests.
class PersonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale::c());
        ContactDefaults::overrideForTesting(QStringLiteral("us"), ContactDefaults::SortOrder::GivenName);
    }
    void TearDown() override
    {
        ContactDefaults::overrideForTesting(QString(), ContactDefaults::SortOrder::None);
        QLocale::setDefault(QLocale::system());
    }

    static QVariantMap entry(const QString &label, const QVariant &value, qsizetype labelIndex = -1)
    {
        QVariantMap m { { Key::Label, label }, { Key::Value, value } };
        if (labelIndex != -2)
            m.insert(Key::LabelIndex, labelIndex);
        return m;
    }

    static QList<qlonglong> labelIndexes(const QVariantList &list)
    {
        QList<qlonglong> out;
        for (const QVariant &v : list)
            out << v.toMap().value(Key::LabelIndex).toLongLong();
        return out;
    }
};
