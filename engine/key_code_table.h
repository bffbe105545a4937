#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// The code injected when no usable code is selected or stored: a code no key is assigned to.
inline constexpr int DefaultKeyCode = 0x9F;

// The rows of the key code list, one per virtual-key code: row i holds code i and begins with it
// as two upper-case hexadecimal digits. A list keeps them in this order: sorting them by a
// locale's collation need not (Danish puts "AA" after "FF").
const std::array<std::wstring_view, 256>& KeyCodeRows();

// The code a row's first two characters give as hexadecimal (either letter case), or
// DefaultKeyCode when they are missing or are not hexadecimal digits.
int CodeOfRowText(std::wstring_view rowText);

// The code a stored SendKeyCode text names, read as a hexadecimal number that fits 32 bits and
// wraps to signed ("FFFFFFFF" is -1); DefaultKeyCode when the text is empty, not hexadecimal or
// too large.
int StoredKeyCode(std::wstring_view stored);

// The code as upper-case hexadecimal with at least two digits; a negative code is written as its
// unsigned 32-bit value.
std::wstring KeyOfCode(int code);

// The index of the first of the rows (as a list shows them) that begins with
// KeyOfCode(StoredKeyCode(stored)), or -1 when none does (a code above FF or a negative one).
int RowOfStoredCode(std::wstring_view stored, const std::vector<std::wstring>& rows);

}  // namespace tw
