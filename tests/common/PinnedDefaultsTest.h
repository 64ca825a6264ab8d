#pragma once

#include "model/ContactDefaults.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <memory>

// A fixture whose name order, default country and collation do not depend on the machine that runs
// the tests: the C locale and US contact defaults, restored afterwards.
class PinnedDefaultsTest : public ::testing::Test
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

    static std::shared_ptr<ZRPerson> personNamed(const QString &first, const QString &last)
    {
        auto p = ZRPerson::create();
        p->setValueForIdentifier(
            QVariantMap { { Ident::FirstName, first }, { Ident::LastName, last } }, Ident::Name);
        return p;
    }
};
