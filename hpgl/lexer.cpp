#include "hpgl/lexer.h"

#include <array>
#include <cfloat>
#include <charconv>
#include <climits>

#include "config/plotters.h"
#include "engine/engine.h"
#include "engine/numeric.h"
#include "engine/run.h"

namespace kavor {

namespace {

constexpr size_t kLabelLimit = 512;

// How a character behaves inside a parameter token.
enum TokenClass : uint8_t {
  kStore,         // stored (anything not named below, e.g. point, tab, asterisk)
  kDigit,         // stored; a later sign ends the token
  kSign,          // stored before a digit, else ends the token and is pushed back
  kEndConsumed,   // comma, blank, semicolon: ends the token and is consumed
  kEndPushedBack, // letter or escape: ends the token and is read again
  kDropped,       // line feed, carriage return, byte 26
};

constexpr std::array<uint8_t, 256> kTokenClass = [] {
  std::array<uint8_t, 256> table{};
  for (int c = '0'; c <= '9'; ++c) table[c] = kDigit;
  for (int c = 'A'; c <= 'Z'; ++c) table[c] = table[c + 32] = kEndPushedBack;
  table[27] = kEndPushedBack;
  table['+'] = table['-'] = kSign;
  table[','] = table[' '] = table[';'] = kEndConsumed;
  table['\n'] = table['\r'] = table[26] = kDropped;
  return table;
}();

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_separator(int c) { return c == ' ' || c == ',' || c == '\n' || c == '\r'; }

enum class TokenStep { Continue, EndConsumed, EndPushedBack };

// The token rules for one character at a time, into the token buffer.
struct TokenScan {
  char* token;
  bool terminator_ends;
  int terminator;
  size_t len = 0;
  bool digit_seen = false;

  TokenStep step(int c) {
    const uint8_t cls = kTokenClass[c];
    if (cls == kEndConsumed) return TokenStep::EndConsumed;
    if (cls == kEndPushedBack) return TokenStep::EndPushedBack;
    if (terminator_ends && c == terminator) return TokenStep::EndConsumed;
    if (cls == kSign && digit_seen) return TokenStep::EndPushedBack;
    if (cls == kDropped) return TokenStep::Continue;
    if (cls == kDigit) digit_seen = true;
    // Surplus characters of an over-long token are dropped.
    if (len + 1 < ParamBlock::kTokenBytes) token[len++] = static_cast<char>(c);
    return TokenStep::Continue;
  }
};

// Reads one token into the token buffer and stores its length; returns 0 when
// it is non-empty, else the character that ended it (-1 at end of input).
int read_token(Engine& e, size_t& len) {
  ParamBlock& p = e.params;
  len = 0;
  p.token[0] = 0;
  if (skip_separators(e) == -1) return -1;
  // On the HP7475 the label terminator also ends a parameter token.
  const bool terminator_ends = e.options.plotter == HP7475;
  TokenScan scan{p.token.data(), terminator_ends, e.gs.label.terminator};
  int c = -1;
  for (bool ended = false; !ended;) {
    // Straight from the input buffer while that changes nothing: the same
    // characters, with the counting and the push-back done once.
    size_t n;
    const unsigned char* bytes = buffered_input(e, n);
    size_t used = 0;
    while (used < n && !ended) {
      c = bytes[used];
      const TokenStep step = scan.step(c);
      if (step != TokenStep::EndPushedBack) ++used;
      ended = step != TokenStep::Continue;
    }
    consume_buffered(e, used);
    if (ended) break;
    // One character the careful way: a refill, a push-back or a report.
    c = next_input_char(e);
    if (c < 0) break;
    const TokenStep step = scan.step(c);
    if (step == TokenStep::EndPushedBack) push_back_input_char(e, c);
    ended = step != TokenStep::Continue;
  }
  len = scan.len;
  p.token[len] = 0;
  return len > 0 ? 0 : c;
}

enum class ValueKind { Integer, Real };

bool valid_token(const char* t, const char* end, ValueKind kind) {
  for (; t < end; ++t) {
    const char c = *t;
    if (is_digit(c) || c == '-') continue;
    if (kind == ValueKind::Real && (c == '.' || c == '+')) continue;
    return false;
  }
  return true;
}

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The common plain forms ([-]digits[.digits], at most 15 digits) converted
// exactly: the digits form an integer below 2^53 and one division by an exact
// power of ten rounds correctly, as the full conversion does. False for any
// other form; `fraction` tells whether a point was seen.
bool convert_plain_number(const char* t, const char* end, double& out, bool& fraction) {
  bool negative = t < end && *t == '-';
  if (negative) ++t;
  int64_t mantissa = 0;
  int digits = 0, fraction_digits = -1;
  for (; t < end; ++t) {
    if (is_digit(*t)) {
      if (++digits > 15) return false;
      mantissa = mantissa * 10 + (*t - '0');
      if (fraction_digits >= 0) ++fraction_digits;
    } else if (*t == '.' && fraction_digits < 0) {
      fraction_digits = 0;
    } else {
      return false;
    }
  }
  if (digits == 0) return false;
  fraction = fraction_digits >= 0;
  double v = static_cast<double>(mantissa);
  if (fraction_digits > 0) v /= kPowersOfTen[fraction_digits];
  out = negative ? -v : v;
  return true;
}

// Stores a valid token as the value at position count; false when it is not
// valid for the kind. Plain numbers, nearly all tokens, are valid and
// converted in one pass.
bool store_value(ParamBlock& p, const char* t, const char* end, ValueKind kind) {
  double fast;
  bool fraction = false;
  const bool plain = convert_plain_number(t, end, fast, fraction);
  if (kind == ValueKind::Real) {
    if (plain) p.reals[p.count] = fast;
    else if (valid_token(t, end, kind)) p.reals[p.count] = parse_real(t, end);
    else return false;
  } else {
    if (plain && !fraction) p.ints[p.count] = saturate_to_int32(fast);
    else if (valid_token(t, end, kind)) p.ints[p.count] = saturate_to_int32(static_cast<int64_t>(parse_integer(t, end)));
    else return false;
  }
  return true;
}

void round_reals(ParamBlock& p) {
  for (int i = 0; i < p.count; ++i) p.ints[i] = round_to_int32(p.reals[i]);
}

// The list loop shared by all four scanners. limit < 0: no stop before a
// token; maximum < 0: no test against the table maximum.
int scan_list(Engine& e, ValueKind kind, int maximum, int limit) {
  ParamBlock& p = e.params;
  p.count = 0;
  p.given[0] = '0';
  int r = 0;
  for (;;) {
    if (limit >= 0 && p.count == limit) break;
    size_t len;
    r = read_token(e, len);
    if (len == 0) {
      p.given[p.count] = '0';
      break;
    }
    p.given[p.count] = '1';
    const char* t = p.token.data();
    // The table maximum admits maximum + 1 values; the block itself holds 30.
    bool full = p.count >= ParamBlock::kValues || (maximum >= 0 && p.count > maximum);
    if (full || !store_value(p, t, t + len, kind)) {
      p.count = -1;
      return r;
    }
    ++p.count;
    p.given[p.count] = '0';
    if (r == -1) break;
  }
  if (kind == ValueKind::Real) round_reals(p);
  return r;
}

}  // namespace

double parse_real(const char* begin, const char* end) {
  const char* start = begin;
  if (start < end && *start == '+') {
    ++start;
    if (start < end && (*start == '+' || *start == '-')) return 0.0;  // one sign only
  }
  double value = 0;
  auto [ptr, ec] = std::from_chars(start, end, value, std::chars_format::fixed);
  if (ec == std::errc::result_out_of_range) {
    // Too many digits for a double: saturate large values, flush tiny ones.
    bool negative = start < end && *start == '-';
    bool large = false;
    for (const char* q = start; q < end && *q != '.'; ++q)
      if (*q >= '1' && *q <= '9') large = true;
    return large ? (negative ? -DBL_MAX : DBL_MAX) : 0.0;
  }
  if (ec != std::errc()) return 0.0;
  return value;
}

long long parse_integer(const char* begin, const char* end) {
  long long value = 0;
  auto [ptr, ec] = std::from_chars(begin, end, value);
  if (ec == std::errc::result_out_of_range) return begin < end && *begin == '-' ? LLONG_MIN : LLONG_MAX;
  if (ec != std::errc()) return 0;
  return value;
}

int skip_separators(Engine& e) {
  for (;;) {
    // In the input buffer the next character can be looked at without
    // reading it and pushing it back: where reading it would report no
    // progress, that is the same.
    size_t n;
    const unsigned char* bytes = buffered_input(e, n);
    size_t used = 0;
    while (used < n && is_separator(bytes[used])) ++used;
    consume_buffered(e, used);
    if (used < n) return bytes[used];
    const int c = next_input_char(e);
    if (c == -1) return -1;
    if (is_separator(c)) continue;
    push_back_input_char(e, c);
    return c;
  }
}

int read_param_token(Engine& e) {
  size_t len;
  return read_token(e, len);
}

int skip_param_list(Engine& e) {
  int r;
  do {
    r = read_param_token(e);
  } while (!e.params.token_empty() && r != -1);
  return r;
}

int scan_integer_list(Engine& e, int maximum) { return scan_list(e, ValueKind::Integer, maximum, -1); }
int scan_real_list(Engine& e, int maximum) { return scan_list(e, ValueKind::Real, maximum, -1); }
int scan_reals_upto(Engine& e, int n) { return scan_list(e, ValueKind::Real, -1, n); }
int scan_integers_upto(Engine& e, int n) { return scan_list(e, ValueKind::Integer, -1, n); }

int read_label_text(Engine& e, std::string& text) {
  text.clear();
  const int terminator = e.gs.label.terminator;
  int c = -1;
  bool terminated = false;
  for (;;) {
    if (text.size() == kLabelLimit) {
      c = next_input_char(e);  // consumed and dropped
      break;
    }
    c = next_input_char(e);
    if (c == -1) break;
    text += static_cast<char>(c);
    if (c == terminator) {
      terminated = true;
      break;
    }
  }
  if (terminated && e.gs.label.terminator_mode == 1) text.pop_back();
  return c;
}

}  // namespace kavor
