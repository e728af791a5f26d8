// Every file that the engine and the programs read beside the plot (the
// parameter file, a settings file, the pen colour file, the paper database)
// is read within its limits: a directory, an endless device or a file of a
// thousand million bytes in its place answers at once, as a file that
// cannot be read or a damaged one does.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "config/paper_fitting.h"
#include "config/settings.h"
#include "engine/fatal_error.h"
#include "engine/run.h"
#include "support/test_env.h"

namespace kavor::testing {
namespace {

enum class Bad { directory, endless, huge };

const char* name_of(Bad kind) {
  switch (kind) {
    case Bad::directory: return "a directory";
    case Bad::endless: return "an endless device";
    case Bad::huge: return "a file of 1 GB";
  }
  return "";
}

// Puts a bad file at dir/name; the huge one begins with first_lines, then
// runs on in zero bytes.
std::string make_bad(const TempDir& dir, const std::string& name, Bad kind, const std::string& first_lines) {
  const std::string path = dir.path() + name;
  switch (kind) {
    case Bad::directory:
      std::filesystem::create_directory(path);
      break;
    case Bad::endless:
      std::filesystem::create_symlink("/dev/zero", path);
      break;
    case Bad::huge:
      dir.write(name, first_lines);
      std::filesystem::resize_file(path, std::uintmax_t{1} << 30);
      break;
  }
  return path;
}

// The fatal message of f, or "" when it finished.
template <typename F>
std::string fatal_of(TestEngine& t, F f) {
  try {
    f();
  } catch (const FatalError&) {
    return t.host.fatals.empty() ? "(no message)" : t.host.fatals.back();
  }
  return "";
}

constexpr Bad kKinds[] = {Bad::directory, Bad::endless, Bad::huge};

TEST(SideFiles, ParameterFile) {
  for (Bad kind : kKinds) {
    TestEngine t;
    const std::string path = make_bad(t.dir, "param.kv", kind, "-PT HP7585\n");
    const std::string fatal = fatal_of(t, [&] { read_parameter_file(*t.engine, path); });
    EXPECT_EQ(fatal, kind == Bad::directory ? "parameter file " + path + " not found !"
                                            : "SYSTEM ERROR: length of parameter is over system limit !")
        << name_of(kind);
  }
}

TEST(SideFiles, SettingsFile) {
  for (Bad kind : kKinds) {
    TempDir dir;
    Settings s;
    load_settings_file(s, make_bad(dir, "set.kv", kind, "-PT HP7585\n-COLOR\n"));
    EXPECT_EQ(s.plotter, kind == Bad::huge ? HP7585 : Settings{}.plotter) << name_of(kind);
  }
}

TEST(SideFiles, PenColourFile) {
  for (Bad kind : kKinds) {
    TestEngine t;
    make_bad(t.dir, "$pcolor.kv", kind, "PEN1:RED\n");
    ASSERT_TRUE(t.run("SP1;PA0,0;PD10,10;")) << name_of(kind);
    EXPECT_EQ(t.engine->device.colours[1], kind == Bad::huge ? colour_of_letter('R') : colour_of_letter('K'))
        << name_of(kind);
  }
}

TEST(SideFiles, PaperDatabase) {
  const std::string block = "!hp7550:normal\n$A4\n0 10870 0 7600 430 200 10430 7400\n";
  for (Bad kind : kKinds) {
    TestEngine t;
    make_bad(t.dir, "$ppaper.kv", kind, block);
    EXPECT_EQ(fatal_of(t, [&] { load_paper_record(*t.engine); }),
              kind == Bad::huge ? "" : "SYSTEM:plotter paper data base file desttroyed !!!")
        << name_of(kind);
    // Fitting reads the whole file, as far as the bound.
    const PaperChoice c = choose_fitting_paper(*t.engine, t.dir.path(), DrawingExtents{100, 100, 200, 200});
    EXPECT_EQ(c.plotter, kind == Bad::huge ? HP7550 : -1) << name_of(kind);
  }
}

}  // namespace
}  // namespace kavor::testing
