#pragma once

#include <string>

namespace varnolet {

/// The command-line tail: the arguments after the program's name joined by
/// single spaces, so that an unquoted path with blanks arrives whole.
std::string CommandLineTail(int argc, char** argv);

/// Removes one leading double quote, then one trailing double quote; inner
/// quotes and blanks stay.
std::string RemoveQuotes(std::string text);

/// The command-line mode: converts the file the tail names into the same path
/// with ".txt" appended, wrapped in one "<pre>" element, and tells the outcome
/// by a beep. Returns the exit status: 0 when every step succeeded, else 1.
int RunCommandLine(const std::string& tail);

} // namespace varnolet
