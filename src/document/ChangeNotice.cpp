#include "document/ChangeNotice.h"

void ChangeNotice::noteRecord(const std::shared_ptr<ZRPerson> &person, const QString &field)
{
    if (!person)
        return;
    if (!recordSet.contains(person.get())) {
        recordSet.insert(person.get());
        records.push_back(person);
    }
    fields.insert(field);
}
