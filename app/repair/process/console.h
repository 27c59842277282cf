#pragma once
// The console rule: a command line of two or more characters asks for the
// diagnostic lines on standard output; otherwise they go nowhere.

#include <string>

namespace zapp {

// The pure rule on the command line after the program name (Linux: the
// arguments joined with single blanks).
bool ConsoleWanted(const std::wstring& commandLine);
// Linux: the arguments after the program name (UTF-8) joined with single blanks.
std::wstring CommandLineOf(int argc, char** argv);
// Windows: AllocConsole and standard output onto it when wanted. Linux:
// standard output is left as it is when wanted, else sent to /dev/null.
void OpenConsoleIfWanted(bool wanted);
// Windows: FreeConsole when it was wanted; Linux: flushes standard output.
void CloseConsoleIfOpened(bool wanted);

}  // namespace zapp
