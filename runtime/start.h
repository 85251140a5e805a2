#pragma once

namespace rt {

// Prepares the running application the way the forms expect it: Chinese locale and Qt's own
// Chinese texts whatever the system's language, and the Chinese font faces.
void initialize();

} // namespace rt
