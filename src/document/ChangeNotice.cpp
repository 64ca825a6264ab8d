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

void ChangeNotice::merge(const ChangeNotice &other)
{
    structure |= other.structure;
    for (const std::shared_ptr<ZRPerson> &person : other.records) {
        if (!recordSet.contains(person.get())) {
            recordSet.insert(person.get());
            records.push_back(person);
        }
    }
    fields.unite(other.fields);
    rowsToSelect += other.rowsToSelect;
    if (other.rowToSelect)
        rowToSelect = other.rowToSelect;
}
