#include "hpgl/lexer.h"

#include <cfloat>
#include <charconv>
#include <climits>
#include <cstring>

#include "engine/engine.h"
#include "engine/numeric.h"
#include "engine/run.h"

namespace kavor {

namespace {

constexpr size_t kLabelLimit = 512;

bool is_letter(int c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool is_digit(int c) { return c >= '0' && c <= '9'; }

bool valid_integer_token(const char* t) {
  for (; *t; ++t)
    if (!is_digit(*t) && *t != '-') return false;
  return true;
}

bool valid_real_token(const char* t) {
  for (; *t; ++t)
    if (!is_digit(*t) && *t != '.' && *t != '-' && *t != '+') return false;
  return true;
}

enum class ValueKind { Integer, Real };

bool valid_token(const ParamBlock& p, ValueKind kind) {
  return kind == ValueKind::Integer ? valid_integer_token(p.token.data()) : valid_real_token(p.token.data());
}

// Stores the current token as the value at position count.
void store_value(ParamBlock& p, ValueKind kind) {
  const char* t = p.token.data();
  const char* end = t + std::strlen(t);
  if (kind == ValueKind::Integer)
    p.ints[p.count] = saturate_to_int32(static_cast<int64_t>(parse_integer(t, end)));
  else
    p.reals[p.count] = parse_real(t, end);
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
  p.token[0] = 'x';  // placeholder that enters the loop
  p.token[1] = 0;
  int r = 0;
  while (!p.token_empty()) {
    if (limit >= 0 && p.count == limit) break;
    r = read_param_token(e);
    if (p.token_empty()) {
      p.given[p.count] = '0';
      break;
    }
    p.given[p.count] = '1';
    // The table maximum admits maximum + 1 values; the block itself holds 30.
    bool full = p.count >= ParamBlock::kValues || (maximum >= 0 && p.count > maximum);
    if (!valid_token(p, kind) || full) {
      p.count = -1;
      return r;
    }
    store_value(p, kind);
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
    int c = next_input_char(e);
    if (c == -1) return -1;
    if (c == ' ' || c == ',' || c == '\n' || c == '\r') continue;
    push_back_input_char(e, c);
    return c;
  }
}

int read_param_token(Engine& e) {
  ParamBlock& p = e.params;
  size_t len = 0;
  p.token[0] = 0;
  if (skip_separators(e) == -1) return -1;
  bool digit_seen = false;
  bool terminator_ends = e.options.plotter == 0x202;
  int c;
  for (;;) {
    c = next_input_char(e);
    if (c == -1 || c == ',' || c == ' ' || c == ';') break;
    if (is_letter(c) || c == 27) {
      push_back_input_char(e, c);
      break;
    }
    if (terminator_ends && c == e.gs.label.terminator) break;
    if ((c == '+' || c == '-') && digit_seen) {
      push_back_input_char(e, c);
      break;
    }
    if (c == '\n' || c == '\r' || c == 26) continue;
    if (is_digit(c)) digit_seen = true;
    // Surplus characters of an over-long token are dropped.
    if (len + 1 < ParamBlock::kTokenBytes) p.token[len++] = static_cast<char>(c);
  }
  p.token[len] = 0;
  return len > 0 ? 0 : c;
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
