#include "core/ini_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "tests/support/test_files.h"

namespace vantorel {
namespace {

using testing::TempDir;
using Names = std::vector<std::string>;

TEST(IniFileParse, ReadsSectionsKeysAndValuesTrimmed) {
  const IniFile ini = IniFile::Parse(
      "[First]\r\n"
      "  Name =\tValue with blanks  \r\n"
      "Empty=\r\n"
      "\t[ Second ]  \n"
      "Path=C:\\Games\\GTA3\n");
  EXPECT_EQ(ini.SectionNames(), (Names{"First", "Second"}));
  EXPECT_EQ(ini.Get("First", "Name"), "Value with blanks");
  EXPECT_EQ(ini.Get("First", "Empty"), "");
  EXPECT_EQ(ini.Get("Second", "Path"), "C:\\Games\\GTA3");
  EXPECT_EQ(ini.Get("First", "Path"), std::nullopt);
}

TEST(IniFileParse, RemovesOnlyMatchingQuotes) {
  const IniFile ini = IniFile::Parse(
      "[Q]\n"
      "double=\"  padded  \"\n"
      "single='x=1'\n"
      "mixed=\"open'\n"
      "lone=\"\n"
      "inner=a \"b\" c\n");
  EXPECT_EQ(ini.Get("Q", "double"), "  padded  ");
  EXPECT_EQ(ini.Get("Q", "single"), "x=1");
  EXPECT_EQ(ini.Get("Q", "mixed"), "\"open'");
  EXPECT_EQ(ini.Get("Q", "lone"), "\"");
  EXPECT_EQ(ini.Get("Q", "inner"), "a \"b\" c");
}

TEST(IniFileParse, SkipsCommentsStrayLinesAndTheByteOrderMark) {
  const IniFile ini = IniFile::Parse(
      "\xEF\xBB\xBF[S]\n"
      "; note=2\n"
      "no equals sign here\n"
      "=nameless\n"
      "kept=3\n");
  EXPECT_EQ(ini.SectionNames(), (Names{"S"}));
  EXPECT_EQ(ini.KeyNames("S"), (Names{"kept"}));
}

TEST(IniFileParse, KeepsFirstKeysMergesRepeatedSectionsDropsOrphans) {
  const IniFile ini = IniFile::Parse(
      "orphan=0\n"
      "[A]\nkey=first\nKEY=second\n"
      "[B]\nother=1\n"
      "[a]\nkey=third\nlate=4\n");
  EXPECT_EQ(ini.Get("A", "key"), "first");
  EXPECT_EQ(ini.SectionNames(), (Names{"A", "B"}));
  EXPECT_EQ(ini.KeyNames("A"), (Names{"key", "late"}));
}

TEST(IniFileNames, MatchWithoutCaseAndKeepTheFirstSpelling) {
  IniFile ini = IniFile::Parse("[MainColors]\nBackground=1\n");
  EXPECT_EQ(ini.Get("MAINCOLORS", "background"), "1");
  ini.Set("maincolors", "BACKGROUND", "2");
  ini.Set("MAINCOLORS", "Wireframe", "3");
  EXPECT_EQ(ini.Serialize(), "[MainColors]\r\nBackground=2\r\nWireframe=3\r\n");
}

TEST(IniFileParse, TruncatedTextKeepsWhatIsComplete) {
  const IniFile cutInKey = IniFile::Parse("[SETTINGS]\r\nBSphereDetail=40\r\nCSphere");
  EXPECT_EQ(cutInKey.GetInt("SETTINGS", "BSphereDetail", 0), 40);
  EXPECT_EQ(cutInKey.KeyNames("SETTINGS"), (Names{"BSphereDetail"}));

  const IniFile cutInHeader = IniFile::Parse("[SETTINGS]\nA=1\n[MAINCOL");
  EXPECT_EQ(cutInHeader.SectionNames(), (Names{"SETTINGS", "MAINCOL"}));

  const IniFile cutAfterEquals = IniFile::Parse("[S]\nA=");
  EXPECT_EQ(cutAfterEquals.Get("S", "A"), "");
}

TEST(IniFileParse, SurvivesHostileBytes) {
  std::mt19937 random(20030423);
  for (int round = 0; round < 50; ++round) {
    std::string junk(4096, '\0');
    for (char& c : junk) {
      // Favour the characters the reader reacts to, so the junk reaches every branch.
      constexpr char kSyntax[] = "[]=;\"'\r\n \t";
      const auto pick = random();
      c = pick % 3 == 0 ? kSyntax[pick / 3 % (sizeof(kSyntax) - 1)] : static_cast<char>(pick);
    }
    const IniFile ini = IniFile::Parse(junk);
    // Whatever was read must come back out the same way.
    const IniFile again = IniFile::Parse(ini.Serialize());
    EXPECT_EQ(again.Serialize(), ini.Serialize());
  }
  const std::string nul("[S]\nkey=a\0b\n", 11);
  EXPECT_EQ(IniFile::Parse(nul).Get("S", "key"), std::string("a\0b", 3));
}

TEST(IniFileParse, HugeInputsLoadInOnePass) {
  const std::string longLine = "[S]\nkey=" + std::string(10 * 1024 * 1024, 'x');
  EXPECT_EQ(IniFile::Parse(longLine).Get("S", "key")->size(), 10u * 1024 * 1024);

  EXPECT_EQ(IniFile::Parse(std::string(10 * 1024 * 1024, '[')).SectionNames().size(), 1u);

  std::string manyKeys = "[S]\n";
  for (int i = 0; i < 200000; ++i)
    manyKeys += "k" + std::to_string(i) + "=1\n";
  EXPECT_EQ(IniFile::Parse(manyKeys).KeyNames("S").size(), 200000u);
}

TEST(IniFileInt, ReadsTheLeadingNumberLikeTheProfileFunctions) {
  const std::vector<std::pair<std::string, int>> cases{
      {"48", 48},
      {"12abc", 12},
      {"abc", 0},
      {"", 0},
      {"-15387070", -15387070},
      {"+7", 7},
      {"\"  9\"", 9},
      {"-", 0},
      {"- 5", 0},
      {"3.9", 3},
      {"0x1F", 0},
      {"2147483647", INT_MAX},
      {"-2147483648", INT_MIN},
      {"2147483648", INT_MAX},
      {"-2147483649", INT_MIN},
      {"4279580226", INT_MAX},
      {"99999999999999999999999999999999999999", INT_MAX},
      {"-99999999999999999999999999999999999999", INT_MIN},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(IniFile::Parse("[N]\nk=" + text).GetInt("N", "k", -1), expected) << text;
  }
  const IniFile ini = IniFile::Parse("[N]\nk=1\n");
  EXPECT_EQ(ini.GetInt("N", "missing", -1), -1);
  EXPECT_EQ(ini.GetInt("Nowhere", "k", 77), 77);
}

TEST(IniFileWrite, SerializesWithWindowsLineEndsAndBlankLinesBetweenSections) {
  IniFile ini;
  ini.Set("SETTINGS", "FilePath", "/home/user/col");
  ini.SetInt("SETTINGS", "WindowSize", 2);
  ini.SetInt("MAINCOLORS", "Background", -15387070);
  EXPECT_EQ(ini.Serialize(),
            "[SETTINGS]\r\nFilePath=/home/user/col\r\nWindowSize=2\r\n"
            "\r\n"
            "[MAINCOLORS]\r\nBackground=-15387070\r\n");
  EXPECT_EQ(IniFile().Serialize(), "");
}

TEST(IniFileWrite, ValuesTheReaderWouldAlterReadBackUnchanged) {
  IniFile ini;
  const Names values{"  leading", "trailing\t", "\"quoted\"", "'single'", "", "plain", "a=b;c"};
  for (std::size_t i = 0; i < values.size(); ++i)
    ini.Set("S", "k" + std::to_string(i), values[i]);
  const IniFile read = IniFile::Parse(ini.Serialize());
  for (std::size_t i = 0; i < values.size(); ++i) {
    EXPECT_EQ(read.Get("S", "k" + std::to_string(i)), values[i]);
  }
}

TEST(IniFileWrite, LineBreaksCannotSmuggleInKeysOrSections) {
  IniFile ini;
  ini.Set("S", "FilePath", "/tmp/a\r\n[EVIL]\r\nWindowSize=5");
  const IniFile read = IniFile::Parse(ini.Serialize());
  EXPECT_EQ(read.SectionNames(), (Names{"S"}));
  EXPECT_EQ(read.KeyNames("S"), (Names{"FilePath"}));
}

TEST(IniFileFiles, MissingFileLoadsEmptyAndSavedFilesLoadBack) {
  TempDir dir;
  const std::string path = (dir.Path() / "Vantorel.ini").string();
  std::string error;
  const auto missing = IniFile::Load(path, &error);
  ASSERT_TRUE(missing);
  EXPECT_TRUE(missing->SectionNames().empty());

  IniFile ini;
  ini.SetInt("SETTINGS", "BSphereDetail", 32);
  EXPECT_EQ(ini.Save(path), std::nullopt);
  const auto loaded = IniFile::Load(path, &error);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->GetInt("SETTINGS", "BSphereDetail", 0), 32);
}

TEST(IniFileFiles, UnreadableAndUnwritablePathsSayWhy) {
  TempDir dir;
  std::string error;
  EXPECT_FALSE(IniFile::Load(dir.Path().string(), &error));
  EXPECT_NE(error.find(dir.Path().string()), std::string::npos);
  EXPECT_FALSE(IniFile::Load(dir.Path().string(), nullptr));

  const std::string blocked = dir.Write("file", {});
  const auto saveError = IniFile().Save(blocked + "/Vantorel.ini");
  ASSERT_TRUE(saveError);
  EXPECT_NE(saveError->find("Vantorel.ini"), std::string::npos);
}

}  // namespace
}  // namespace vantorel
