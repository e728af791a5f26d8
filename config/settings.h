#pragma once
// The shell's settings record, the option-line files that keep it
// ($config.kv and the four slots $confi1.kv..$confi4.kv), and the writer of
// the engine's parameter file $param.kv.

#include <array>
#include <functional>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

#include "config/plotters.h"
#include "config/settings_record.h"

namespace kavor {

// Output papers: the sizes A4..A0 and B4.
inline constexpr int kOutputPaperB4 = 10;
inline constexpr std::array<NamedCode, 6> kOutputPaperNames{{
    {"A4", PAPER_A4}, {"A3", PAPER_A3}, {"A2", PAPER_A2}, {"A1", PAPER_A1}, {"A0", PAPER_A0}, {"B4", kOutputPaperB4},
}};

// The trimming of each sheet of a split print, indexed 1..30 (entry 0 is
// index 1): x offset, y offset, x extent, y extent in per cent. Sheets run
// up each column from the bottom, then across from left to right.
inline constexpr std::array<std::string_view, 30> kSplitPrintLines{
    // 2 sheets
    "-BM   0   0  50 100\n", "-BM  50   0  50 100\n",
    // 4 sheets
    "-BM   0   0  50  50\n", "-BM   0  50  50  50\n", "-BM  50   0  50  50\n", "-BM  50  50  50  50\n",
    // 8 sheets
    "-BM   0   0  25  50\n", "-BM   0  50  25  50\n", "-BM  25   0  25  50\n", "-BM  25  50  25  50\n",
    "-BM  50   0  25  50\n", "-BM  50  50  25  50\n", "-BM  75   0  25  50\n", "-BM  75  50  25  50\n",
    // 16 sheets
    "-BM   0   0  25  25\n", "-BM   0  25  25  25\n", "-BM   0  50  25  25\n", "-BM   0  75  25  25\n",
    "-BM  25   0  25  25\n", "-BM  25  25  25  25\n", "-BM  25  50  25  25\n", "-BM  25  75  25  25\n",
    "-BM  50   0  25  25\n", "-BM  50  25  25  25\n", "-BM  50  50  25  25\n", "-BM  50  75  25  25\n",
    "-BM  75   0  25  25\n", "-BM  75  25  25  25\n", "-BM  75  50  25  25\n", "-BM  75  75  25  25\n",
};

inline constexpr std::string_view kParameterFileName = "$param.kv";
inline constexpr std::string_view kDefaultSettingsFileName = "$config.kv";

// The view's size and its zoom rectangle (x from the left, y from the
// bottom; the whole picture is 0, 0, width-1, height-1). Writing the zoom
// line rewrites the rectangle from the rounded percentages.
struct ZoomView {
  int width = 0, height = 0;
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// Shows a message box: text and caption.
using MessageFn = std::function<void(const std::string& text, const std::string& caption)>;
// Called by reset_settings after the fields took their defaults: the shell
// discards its picture and forgets the simple HP-GL conversion file.
using ForgetViewFn = std::function<void()>;

// Writes $param.kv in dir for one engine run over input_path. Split index 0
// writes the zoom line, 1..30 that sheet's trimming. On failure reports
// "Disk full, can not create parameter file %s!\n" and returns false.
bool write_parameter_file(const Settings& s, const std::string& dir, const std::string& input_path,
                          int split_index, ZoomView& zoom, const MessageFn& report = {});
// Writes the settings as option lines to path; false (reported) on failure.
bool save_settings_file(const Settings& s, const std::string& path, ZoomView& zoom, const MessageFn& report = {});
// Reads option lines from path into s; a file that cannot be opened changes nothing.
void load_settings_file(Settings& s, const std::string& path);

// Defaults, then the shell's forget hook, then $config.kv from dir.
void reset_settings(Settings& s, const std::string& dir, const ForgetViewFn& forget_view = {});
// Deletes $config.kv from dir, then resets.
void clear_default_settings(Settings& s, const std::string& dir, const ForgetViewFn& forget_view = {});

// "$confi1.kv" .. "$confi4.kv" for slots 1..4; empty for any other slot.
std::string slot_file_name(int slot);
// Saves slot 1..4 in dir; with save_as_default $config.kv is written first.
bool save_settings_slot(const Settings& s, const std::string& dir, int slot, bool save_as_default, ZoomView& zoom,
                        const MessageFn& report = {});
void load_settings_slot(Settings& s, const std::string& dir, int slot);

// dir joined with a file name, with a '/' between them when dir lacks one.
std::string settings_file_path(const std::string& dir, std::string_view name);

// A double with a fixed number of decimals, as "%.Nlf" prints it in the C
// locale, whatever the locale of the process.
std::string fixed_decimals(double v, int decimals);
// Reads a number from the front of text as "%lf" would in the C locale
// (leading blanks and a '+' allowed); text then holds what follows it.
std::optional<double> scan_real(std::string_view& text);
// ASCII upper-casing, independent of the process locale.
void upper_case_ascii(std::string& text);

}  // namespace kavor
