#pragma once
// The parameter lexer: tokens after a mnemonic, the list scanners that fill
// the parameter block, and label text.

#include <string>

namespace kavor {

struct Engine;

int skip_separators(Engine& e);
// Reads one token into the token buffer of the parameter block; 0 when it is
// non-empty, else the character that ended it (-1 at end of input).
int read_param_token(Engine& e);
int skip_param_list(Engine& e);
int scan_integer_list(Engine& e, int maximum);
int scan_real_list(Engine& e, int maximum);
int scan_reals_upto(Engine& e, int n);
int scan_integers_upto(Engine& e, int n);
// Reads label text up to the terminator; returns the last character read.
int read_label_text(Engine& e, std::string& text);

// Locale-independent number conversions used by the scanners and options.
double parse_real(const char* begin, const char* end);
long long parse_integer(const char* begin, const char* end);

}  // namespace kavor
