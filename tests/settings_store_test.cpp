#include "doc/settings_store.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace vantorel {
namespace {

using Names = std::vector<std::string>;

constexpr const char* kProgramDir = "/opt/vantorel";

struct ReadResult {
  Settings settings;
  SurfaceTypeTable surfaces;
};

ReadResult Read(const IniFile& ini) {
  ReadResult result;
  ReadSettings(ini, kProgramDir, result.settings, result.surfaces);
  return result;
}

ReadResult Read(std::string_view text) {
  return Read(IniFile::Parse(text));
}

// Whole settings compared through the file they write, which holds every value.
std::string FileOf(const Settings& settings, const SurfaceTypeTable& surfaces) {
  return WriteSettings(settings, surfaces).Serialize();
}

TEST(SettingsStoreRead, FreshStartWritesTheDefaults) {
  const ReadResult fresh = Read(IniFile());
  const IniFile written = WriteSettings(fresh.settings, fresh.surfaces);
  EXPECT_EQ(written.Get("SETTINGS", "FilePath"), kProgramDir);
  EXPECT_EQ(written.Get("MAINCOLORS", "Background"), "-15387070");
  EXPECT_EQ(written.Get("SURFACETYPES", "S00C"), "-12895429");
  EXPECT_EQ(written.Get("SURFACETYPES", "S00D"), "Standard");
  EXPECT_EQ(written.Get("SETTINGS", "UnkSurHint"), "1");
  EXPECT_EQ(written.Get("SETTINGS", "BSphereDetail"), "48");
}

TEST(SettingsStoreRead, ValuesOutOfRangeAreCorrectedAndWrittenBackCorrected) {
  const ReadResult read = Read(
      "[SETTINGS]\r\nWindowSize=7\r\nBSphereDetail=47\r\nCSphereDetail=2\r\nFSAntialiasing=5\r\n");
  EXPECT_EQ(read.settings.WindowSize, 0);
  EXPECT_EQ(read.settings.BSphereDetail, 46);
  EXPECT_EQ(read.settings.CSphereDetail, 4);
  EXPECT_EQ(read.settings.FSAntialiasing, 2);

  const IniFile written = WriteSettings(read.settings, read.surfaces);
  EXPECT_EQ(written.Get("SETTINGS", "WindowSize"), "0");
  EXPECT_EQ(written.Get("SETTINGS", "BSphereDetail"), "46");
}

TEST(SettingsStoreRead, NegativeAndAbsurdNumbersLandInRange) {
  const ReadResult read = Read(
      "[SETTINGS]\nWindowSize=-1\nBSphereDetail=-30\nCSphereDetail=99999999999999\n"
      "FSAntialiasing=-2147483649\n");
  EXPECT_EQ(read.settings.WindowSize, 0);
  EXPECT_EQ(read.settings.BSphereDetail, 4);
  EXPECT_EQ(read.settings.CSphereDetail, 48);
  EXPECT_EQ(read.settings.FSAntialiasing, 0);
}

TEST(SettingsStoreRead, TextWhereNumbersBelongReadsAsZero) {
  const ReadResult read = Read(
      "[SETTINGS]\nWindowSize=big\nBSphereDetail=many\naskApply=yes\n"
      "[MAINCOLORS]\nBackground=red\n"
      "[SURFACETYPES]\nS05C=grey\n");
  EXPECT_EQ(read.settings.WindowSize, 0);
  EXPECT_EQ(read.settings.BSphereDetail, 4);
  EXPECT_FALSE(read.settings.askApply);
  EXPECT_EQ(read.settings.Colors.Background, 0u);
  EXPECT_EQ(read.surfaces.Color(5), 0u);
}

TEST(SettingsStoreRead, FlagsAreTrueForAnyNonZeroNumber) {
  const ReadResult read =
      Read("[SETTINGS]\nUnkSurHint=0\naskRecalc=2\naskApply=-1\naskDelete=0\naskSurface=1\n");
  EXPECT_FALSE(read.settings.UnkSurHint);
  EXPECT_TRUE(read.settings.askRecalc);
  EXPECT_TRUE(read.settings.askApply);
  EXPECT_FALSE(read.settings.askDelete);
  EXPECT_TRUE(read.settings.askSurface);
}

TEST(SettingsStoreRead, NamesAreFoundInAnyCase) {
  const ReadResult read = Read(
      "[settings]\nwindowsize=3\nFILEPATH=/data/col\n"
      "[MainColors]\nbackground=-1\n"
      "[surfacetypes]\ns01d=Road\n");
  EXPECT_EQ(read.settings.WindowSize, 3);
  EXPECT_EQ(read.settings.FilePath, "/data/col");
  EXPECT_EQ(read.settings.Colors.Background, 0xFFFFFFFFu);
  EXPECT_EQ(read.surfaces.Name(1), "Road");
}

TEST(SettingsStoreRead, SurfaceEntriesReplaceTheDefaultsOneByOne) {
  const ReadResult read = Read(
      "[SURFACETYPES]\n"
      "S17C=-16711936\n"
      "S17D=Twenty-five characters!!!\n"
      "S34D=\n");
  EXPECT_EQ(read.surfaces.Color(17), 0xFF00FF00u);
  EXPECT_EQ(read.surfaces.Name(17), "Twenty-five characte");
  EXPECT_EQ(read.surfaces.Name(34), "");
  EXPECT_EQ(read.surfaces.Color(34), SurfaceTypeTable::Defaults().Color(34));
  EXPECT_EQ(read.surfaces.Name(16), SurfaceTypeTable::Defaults().Name(16));
}

TEST(SettingsStoreRead, MissingKeysTakeDefaultsNotWhatWasThereBefore) {
  Settings settings;
  settings.WindowSize = 4;
  settings.askDelete = false;
  settings.Colors.Object = 0x12345678;
  SurfaceTypeTable surfaces;
  surfaces.Set(3, 0xFF000000, "Changed");
  ReadSettings(IniFile::Parse("[SETTINGS]\nBSphereDetail=20\n"), kProgramDir, settings, surfaces);
  Settings expected;
  expected.FilePath = kProgramDir;
  expected.BSphereDetail = 20;
  EXPECT_EQ(FileOf(settings, surfaces), FileOf(expected, SurfaceTypeTable::Defaults()));
}

TEST(SettingsStoreRead, ProgramDirMayBeTheFilePathBeingReplaced) {
  Settings settings;
  settings.FilePath = "/previous/start";
  SurfaceTypeTable surfaces;
  ReadSettings(IniFile(), settings.FilePath, settings, surfaces);
  EXPECT_EQ(settings.FilePath, "/previous/start");
}

TEST(SettingsStoreRead, UndoMemoryIsKeptInItsRange) {
  EXPECT_EQ(Read(IniFile()).settings.UndoMemoryMB, 256);
  EXPECT_EQ(Read("[SETTINGS]\nUndoMemoryMB=0\n").settings.UndoMemoryMB, 0);
  EXPECT_EQ(Read("[SETTINGS]\nUndoMemoryMB=5000\n").settings.UndoMemoryMB, 4096);
  EXPECT_EQ(Read("[SETTINGS]\nUndoMemoryMB=-3\n").settings.UndoMemoryMB, 0);
}

TEST(SettingsStoreWrite, WritesEveryKeyInTheFixedOrder) {
  const ReadResult fresh = Read(IniFile());
  const IniFile written = WriteSettings(fresh.settings, fresh.surfaces);
  EXPECT_EQ(written.SectionNames(), (Names{"SETTINGS", "MAINCOLORS", "SURFACETYPES"}));
  EXPECT_EQ(
      written.KeyNames("SETTINGS"),
      (Names{"FilePath", "WindowSize", "BSphereDetail", "CSphereDetail", "FSAntialiasing",
             "UnkSurHint", "askRecalc", "askApply", "askDelete", "askSurface", "UndoMemoryMB"}));
  EXPECT_EQ(written.KeyNames("MAINCOLORS"),
            (Names{"Background", "Wireframe", "Object", "Selection", "Boundings", "WFBoxSphere"}));
  Names surfaceKeys;
  for (int id = 0; id < 35; ++id) {
    char key[8];
    std::snprintf(key, sizeof key, "S%02dC", id);
    surfaceKeys.push_back(key);
    std::snprintf(key, sizeof key, "S%02dD", id);
    surfaceKeys.push_back(key);
  }
  EXPECT_EQ(written.KeyNames("SURFACETYPES"), surfaceKeys);
}

TEST(SettingsStoreWrite, ColoursAreSignedDecimalsAndFlagsOneOrZero) {
  Settings settings;
  settings.Colors.Selection = 0x7FFFFFFF;
  settings.Colors.Boundings = 0x80000000;
  settings.askRecalc = false;
  const IniFile written = WriteSettings(settings, SurfaceTypeTable::Defaults());
  EXPECT_EQ(written.Get("MAINCOLORS", "Selection"), "2147483647");
  EXPECT_EQ(written.Get("MAINCOLORS", "Boundings"), "-2147483648");
  EXPECT_EQ(written.Get("SETTINGS", "askRecalc"), "0");
  EXPECT_EQ(written.Get("SURFACETYPES", "S08C"), "-80267475");
}

TEST(SettingsStoreWrite, ChangedValuesSurviveAFileRoundTrip) {
  Settings settings;
  settings.FilePath = "  /home/user/GTA Vice City/models  ";
  settings.WindowSize = 5;
  settings.BSphereDetail = 10;
  settings.CSphereDetail = 36;
  settings.FSAntialiasing = 1;
  settings.UnkSurHint = false;
  settings.askRecalc = false;
  settings.askApply = false;
  settings.askDelete = false;
  settings.askSurface = false;
  settings.Colors.Background = 0x01020304;
  settings.Colors.Wireframe = 0xFFFFFFFF;
  settings.Colors.Object = 0x80000000;
  settings.Colors.Selection = 0x00000000;
  settings.Colors.Boundings = 0x7FFFFFFF;
  settings.Colors.WFBoxSphere = 0xDEADBEEF;
  SurfaceTypeTable surfaces;
  for (int id = 0; id < kSurfaceTypeCount; ++id) {
    surfaces.Set(id, 0xA0000000u + static_cast<std::uint32_t>(id), "Surface " + std::to_string(id));
  }
  surfaces.Set(7, 0xFF65A0B4, "\"Glass\"");

  const IniFile reread = IniFile::Parse(WriteSettings(settings, surfaces).Serialize());
  Settings readSettings;
  SurfaceTypeTable readSurfaces;
  ReadSettings(reread, kProgramDir, readSettings, readSurfaces);
  EXPECT_EQ(FileOf(readSettings, readSurfaces), FileOf(settings, surfaces));
}

}  // namespace
}  // namespace vantorel
