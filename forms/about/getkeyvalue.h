#pragma once

#include "registry.h"

#include <string>

// Reads one named value of a registry key as text: a string as it stands (its one terminating
// zero dropped), a double word as its unsigned decimal text. True when the key opened and the
// value was read; other value types leave keyVal as passed in. A value with no data raises
// InvalidProcedureCall.
bool GetKeyValue(registry::Registry &reg, registry::Key keyRoot, std::u16string keyName,
                 std::u16string subKeyRef, std::u16string &keyVal);
