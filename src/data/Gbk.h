#pragma once

#include <string>
#include <string_view>

namespace cloud {

// Conversions between the program's UTF-8 text and GBK (code page 936), the code
// page of the wire, the INI files and the connection files.
//
// Like the platform's code-page conversion, neither direction fails: a character
// GBK cannot hold becomes "?", and a byte sequence that is not valid input becomes
// "?" as well, one per offending byte.
std::string utf8ToGbk(std::string_view utf8);
std::string gbkToUtf8(std::string_view gbk);

// Text made from bytes the way the program makes text from a reply or a file:
// everything up to the first zero byte, converted from GBK.
std::string gbkTextToUtf8(std::string_view gbkBytes);

// True when every character of `utf8` has a GBK form (the text survives a round trip).
bool fitsGbk(std::string_view utf8);

} // namespace cloud
