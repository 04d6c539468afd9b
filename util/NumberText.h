#pragma once

#include "framework/String.h"

// Reads an unsigned 32-bit number from text, as the C library's strtoul
// defines it: leading white space, an optional sign (minus negates modulo
// 2^32), digits up to the first that is not one; 4294967295 when the number is
// larger; 0 when there are no digits. The text is hexadecimal when `base` is
// 16 or when it begins with "0x" or "0X" at its very first character, decimal
// otherwise. Letter case does not matter.
DWORD ParseNumberText(CString text, int base);
