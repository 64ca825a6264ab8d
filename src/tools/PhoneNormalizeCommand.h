#pragma once

#include "formats/ContactContainer.h"
#include "tools/NormalizePhoneNumber.h"

class ViewController;

// The window command that lays out the phone numbers of the selected rows: each row's number at its
// position is rewritten through the controller's undoable replacement, all in one undo step.
namespace PhoneNormalizeCommand {

// The number of phone numbers changed.
int normalizePhoneNumber(ViewController &controller, const ContactTable &rows,
    NormalizePhoneNumber::Layout layout, NormalizePhoneNumber &formatter);
int normalizePhoneNumber(
    ViewController &controller, const ContactTable &rows, NormalizePhoneNumber::Layout layout);

// One row per phone number of every contact: what the command needs to rewrite them all.
ContactTable phoneRowsOf(const ContactTable &contacts);

} // namespace PhoneNormalizeCommand
