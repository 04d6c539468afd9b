#pragma once

#include <algorithm>
#include <string>
#include <string_view>

// C0, DEL and C1: characters that move the cursor or start a terminal's
// escape sequences instead of showing something.
bool IsControlCharacter(char32_t codePoint);

// The control characters and the bidirectional formatting characters: none
// shows anything, yet each can change what a reader sees around it. A line
// break or an escape sequence forges a row or rewrites the screen; a
// right-to-left override shows "report\u202Etxt.exe" as "reportexe.txt".
bool IsHiddenControl(char32_t codePoint);

// The text as a cell of a list shows it: every hidden control a space. Each
// is a single UTF-16 unit, and no surrogate is one.
std::wstring ShownText(std::wstring text);

// True when a spreadsheet would take the cell for a formula, or for the start
// of one: it begins with '=', '+', '-', '@', a tab or a carriage return. A
// plain negative whole number ("-12") is a number and stays one; anything
// more after a minus sign, such as "-1+1", is a formula.
template <class Char> bool OpensFormula(std::basic_string_view<Char> cell)
{
    if (cell.empty())
        return false;
    switch (cell.front()) {
    case Char('='):
    case Char('+'):
    case Char('@'):
    case Char('\t'):
    case Char('\r'):
        return true;
    case Char('-'):
        break;
    default:
        return false;
    }
    const auto digits = cell.substr(1);
    return digits.empty()
        || std::any_of(digits.begin(), digits.end(), [](Char c) { return c < Char('0') || c > Char('9'); });
}

// The cell as a spreadsheet takes it as it is: one that would open a formula
// gets a single quote before it, which marks a cell as text.
template <class Char> std::basic_string<Char> InertCell(std::basic_string<Char> cell)
{
    if (OpensFormula(std::basic_string_view<Char>(cell)))
        cell.insert(cell.begin(), Char('\''));
    return cell;
}
