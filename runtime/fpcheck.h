#pragma once

namespace rt {

// Forgets every floating-point condition raised so far, so that the next check only sees the
// operations that follow.
void fpReset() noexcept;

// Raises runtime error 11 after a division by zero, 6 after an overflow or an invalid operation,
// for any operation since the previous check or reset. Taking the checked value as an argument
// forces it to be computed before the flags are read.
void fpCheck(double value);

} // namespace rt
