#pragma once
// The 8-bit code page of the running program, chosen once at start-up, and
// codecs for it.

#include "codec/TextCodec.h"

#include <memory>
#include <string_view>

namespace halvorn::platform {

// Maps a POSIX locale name ("ja_JP.UTF-8", "zh_TW", "C" ...) to the ANSI code
// page a Windows program would run with: ja 932, zh_CN/zh_SG 936, zh_TW/zh_HK
// 950, ko 949, Cyrillic 1251, Central European 1250, el 1253, tr 1254, he 1255,
// ar 1256, Baltic 1257, vi 1258, th 874, everything else 1252.
int codePageForLocale(std::string_view localeName);

// The code page of this process: from the locale (LC_ALL, LC_CTYPE, LANG) on POSIX, the system's ANSI
// code page (GetACP) on Windows.
int systemCodePage();

// A codec for the code page; nullptr when ICU (Windows: the system) has no converter for it.
std::unique_ptr<TextCodec> makeCodec(int codePage);

// The codec the program runs with: the code page's, or 1252's when there is no
// converter for it. Opening a converter maps its conversion tables, so the
// choice is only made when the codec is first used; a run that converts no
// text never opens one.
std::unique_ptr<TextCodec> makeRunCodec(int codePage);

} // namespace halvorn::platform
