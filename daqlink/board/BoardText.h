#pragma once
// The board library's texts (the "DAQ Setup" report) are Russian. A program
// that speaks another language hands the library a translator
// (DaqlinkSetTranslator in daqlink/daqlink.h); each text, with its
// placeholders %1..%9 still in it, goes through the translator before the
// values go in, so a translation may put them in another order.
#include <initializer_list>
#include <string>

// Marks a text for Qt's lupdate without needing Qt: the board library has none.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(context, text) text
#endif

namespace daqboard {

// The translation of source (marked QT_TRANSLATE_NOOP("daqlink", …)), or
// source itself without a translator or when the translator gives nothing.
std::string Tr(const char *source);

// text with each %1..%9 replaced by the value of that number; a placeholder
// without a value, and every other '%', stays as it is.
std::string Arg(const std::string &text, std::initializer_list<std::string> values);

} // namespace daqboard
