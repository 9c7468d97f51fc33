// Code pages: Windows-1251 (the program's text) and CP866 (the OEM code page)
// to and from Unicode, UTF-8 and UTF-16 helpers, the Windows-1251 case
// tables and comparisons, character types, and the locale facts about
// double-byte code pages.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Types.h"

// Code page numbers understood by the conversions below.
constexpr int CP_WINDOWS1251 = 1251;
constexpr int CP_OEM866 = 866;

// The one helper that turns a UTF-8 source literal into Windows-1251 bytes.
// Characters Windows-1251 cannot hold become "?".
std::string Ansi(const char* utf8);
std::string Ansi(const std::string& utf8);

// --- single characters --------------------------------------------------
// The Unicode code point of a byte in the code page (every byte maps).
char32_t Cp1251ToUnicode(unsigned char c);
char32_t Cp866ToUnicode(unsigned char c);
// The byte for a code point, or -1 when the code page cannot hold it.
int UnicodeToCp1251(char32_t u);
int UnicodeToCp866(char32_t u);

// --- strings ------------------------------------------------------------
// Unmapped characters become "?"; malformed UTF-8 input bytes become "?" too.
std::string Cp1251ToUtf8(std::string_view ansi);
std::string Utf8ToCp1251(std::string_view utf8);
std::u16string Cp1251ToUtf16(std::string_view ansi);
std::string Utf16ToCp1251(std::u16string_view utf16);

std::string Cp866ToUtf8(std::string_view oem);
std::string Utf8ToCp866(std::string_view utf8);
std::u16string Cp866ToUtf16(std::string_view oem);
std::string Utf16ToCp866(std::u16string_view utf16);

// By code page number (CP_WINDOWS1251 or CP_OEM866; anything else is treated
// as Windows-1251).
std::string CodePageToUtf8(std::string_view bytes, int codePage);
std::string Utf8ToCodePage(std::string_view utf8, int codePage);
std::u16string CodePageToUtf16(std::string_view bytes, int codePage);
std::string Utf16ToCodePage(std::u16string_view utf16, int codePage);

// The code page of a font character set: 255 (OEM) is CP866, every other
// set (204 Russian, 0 ANSI, 1 default ...) is Windows-1251.
int CodePageOfCharset(int charset);

// --- UTF-8 / UTF-16 -----------------------------------------------------
void Utf8Append(std::string& out, char32_t u);
// Decodes one code point at `pos` and advances `pos`; a malformed sequence
// yields U+FFFD and advances by one byte.
char32_t Utf8Next(std::string_view utf8, std::size_t& pos);
bool IsValidUtf8(std::string_view utf8);
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);  // lone surrogates become U+FFFD

// --- Windows-1251 case tables and comparisons ---------------------------
char AnsiUpperChar(char c);
char AnsiLowerChar(char c);
bool IsAnsiUpper(char c);
bool IsAnsiLower(char c);
bool IsAnsiAlpha(char c);  // Latin and Cyrillic letters (Ё/ё included)
std::string AnsiUpperCase(std::string_view s);
std::string AnsiLowerCase(std::string_view s);
// Sorting comparisons of the Russian locale: letters in alphabetical order
// (Ё right after Е), Latin before Cyrillic, digits before letters.
// Result < 0, 0, > 0. AnsiCompareText ignores case; AnsiCompareStr does not
// (for strings equal but for case, the lower-case letter sorts first).
int AnsiCompareText(std::string_view a, std::string_view b);
int AnsiCompareStr(std::string_view a, std::string_view b);
bool AnsiSameText(std::string_view a, std::string_view b);
bool AnsiSameStr(std::string_view a, std::string_view b);
// 1-based position of `sub` in `s`, 0 when absent (byte-exact).
int AnsiPos(std::string_view sub, std::string_view s);

// --- character types ----------------------------------------------------
// Third character-type table (CT_CTYPE3) flags.
constexpr std::uint16_t C3_NONSPACING = 0x0001;
constexpr std::uint16_t C3_DIACRITIC = 0x0002;
constexpr std::uint16_t C3_VOWELMARK = 0x0004;
constexpr std::uint16_t C3_SYMBOL = 0x0008;
constexpr std::uint16_t C3_KATAKANA = 0x0010;
constexpr std::uint16_t C3_HIRAGANA = 0x0020;
constexpr std::uint16_t C3_HALFWIDTH = 0x0040;
constexpr std::uint16_t C3_FULLWIDTH = 0x0080;
constexpr std::uint16_t C3_IDEOGRAPH = 0x0100;
constexpr std::uint16_t C3_KASHIDA = 0x0200;
constexpr std::uint16_t C3_LEXICAL = 0x0400;
constexpr std::uint16_t C3_ALPHA = 0x8000;

// CT_CTYPE3 flags of a Windows-1251 byte.
std::uint16_t CharTypeCType3(unsigned char c);
// One flag word per byte of `s` (out is resized to s.size()).
void GetStringTypeCType3(std::string_view s, std::vector<std::uint16_t>& out);

// --- locale facts ---------------------------------------------------------
// Whether the system locale uses a double-byte code page, and its lead
// bytes. Windows-1251 is single-byte: false and no lead bytes. Tests may
// switch to a double-byte setting to exercise the double-byte code paths;
// ResetSysLocale() restores the single-byte default.
bool SysLocaleFarEast();
bool IsAnsiLeadByte(unsigned char c);
const TSysCharSet& AnsiLeadBytes();
void SetSysLocaleForTesting(bool farEast, const TSysCharSet& leadBytes);
void ResetSysLocale();
