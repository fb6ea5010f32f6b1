// Names that Windows gives to devices rather than files. A path whose last
// part is one of them (CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM1 to COM9,
// LPT1 to LPT9, COM and LPT with a superscript 1, 2 or 3), in any letter
// case and with any extension ("COM1.dat", "nul.tar.gz"), opens the device
// on Windows: writing a settings file to "COM1.dat" would send it to the
// serial port, and reading "CON" would wait for the keyboard. The program
// and the tools refuse such a name as a settings file on every system, so
// that a file made on Linux can always be opened on Windows.
#pragma once

#include <string>
#include <string_view>

namespace korvex7 {

// True when the last part of `path` (UTF-8; "/" and "\" separate parts, a
// drive such as "C:" goes before the first) names a device: the text before
// its first "." or ":", less blanks at its end, is a device name. "COM10",
// "CONSOLE.dat" and "my-nul.dat" are files.
bool IsDeviceName(std::string_view path);

// The device name that `path` ends in, as the path spells it ("com1" for
// "C:\site\com1.dat"); empty when it names a file.
std::string_view DeviceNameIn(std::string_view path);

// Why such a path is refused, for the tools' messages: "COM1 is the name of
// a device on Windows ...: choose another file name".
std::string DeviceNameWords(std::string_view path);

}  // namespace korvex7
