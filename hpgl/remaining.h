#pragma once
// Begin plot, palette, download and device-setting instructions.

#include <array>
#include <string>

namespace kavor {

struct Engine;

struct BeginPlot {
  std::string picture_name;
  int copies = 1;
  int disposition = 0;
  int render_unfinished = 0;
};

struct DownloadGlyph {
  std::array<signed char, 40> xy{};  // up to 20 points
  std::array<unsigned char, 20> pen_up{};
  int count = 0;
};

struct OtherState {
  std::array<double, 6> colour_range{0, 255, 0, 255, 0, 255};
  int number_of_pens = 2;
  BeginPlot begin_plot;
  int chord_mode = 0;  // 0 angle, 1 deviation
  int merge_control = 0;
  int media_type = 0;
  std::array<DownloadGlyph, 94> download{};  // codes 33..126
};

void reset_begin_plot(Engine& e);
// The DL default of IN and DF: every download slot empty.
void clear_download_table(Engine& e);

int hpgl_BP(Engine& e);
int hpgl_CR(Engine& e);
int hpgl_NP(Engine& e);
int hpgl_PC(Engine& e);
int hpgl_DL(Engine& e);
int hpgl_CT(Engine& e);
int hpgl_MC(Engine& e);
int hpgl_MT(Engine& e);
int hpgl_ST(Engine& e);

}  // namespace kavor
