// Checks the installation data shipped in the source tree: every language
// text the program reads exists and is not empty in each shipped language,
// the unit symbols are there, and the extension lists can match.
#include "config/language_texts.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "util/text.h"

namespace {

std::string SourceDir() {
  if (const char* env = std::getenv("TARVELO_SOURCE"); env && *env) return env;
#ifdef TARVELO_SOURCE_DIR
  return TARVELO_SOURCE_DIR;
#else
  return ".";
#endif
}

bool ReadFile(const std::string& path, std::string& content) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  content = buffer.str();
  return true;
}

// Lines as the language handler reads them: LF or CR LF, every line counts.
std::vector<std::string> Lines(const std::string& content) {
  std::vector<std::string> lines;
  std::istringstream in(content);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

class ShippedLanguage : public testing::TestWithParam<const char*> {};

TEST_P(ShippedLanguage, HoldsEveryTextTheProgramReads) {
  const std::string folder = SourceDir() + "/data/languages/" + GetParam() + "/";
  std::string content;
  ASSERT_TRUE(ReadFile(folder + "language.txt", content)) << folder << "language.txt";
  EXPECT_TRUE(IsValidUtf8(content));
  const std::vector<std::string> lines = Lines(content);
  ASSERT_GE(lines.size(), static_cast<size_t>(lt::kHighestText + 1));
  for (int index : lt::AllLanguageTexts()) {
    ASSERT_LE(0, index);
    ASSERT_LE(index, lt::kHighestText) << "raise kHighestText for index " << index;
    EXPECT_FALSE(lines[index].empty()) << GetParam() << " text " << index << " is empty";
  }
  // The text-report rule line frames the section titles: one full-width line.
  EXPECT_EQ(lines[lt::kTextRuleLine].size(), 66u);

  ASSERT_TRUE(ReadFile(folder + "units.txt", content));
  const std::vector<std::string> units = Lines(content);
  ASSERT_GE(units.size(), 5u);
  for (int i = 1; i <= 4; ++i) EXPECT_FALSE(units[i].empty()) << "unit " << i;
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedLanguage, testing::Values("uk", "de"));

TEST(ShippedExtensionLists, EveryCategoryListIsLowerCaseAndUnique) {
  const char* const kCategories[] = {"Temp",       "Programs", "System",  "Graphics",
                                     "Movie",      "Audio",    "Office",  "Programming",
                                     "Compressed", "Custom1",  "Custom2", "Custom3",
                                     "Custom4",    "Custom5",  "Custom6", "Custom7",
                                     "Custom8",    "Custom9",  "Custom10"};
  std::set<std::string> seen;  // an extension in two lists would count its files twice
  for (const char* category : kCategories) {
    const std::string path =
        SourceDir() + "/data/system/DefaultExtensions/" + category + ".txt";
    std::string content;
    ASSERT_TRUE(ReadFile(path, content)) << path;
    for (const std::string& line : Lines(content)) {
      if (line.empty()) continue;
      // Lookups compare with the lower-cased extension, so anything else never matches.
      EXPECT_EQ(line, AsciiLower(line)) << path;
      EXPECT_EQ(line.find_first_of(" \t\r"), std::string::npos) << path << ": " << line;
      if (std::string(category) == "Temp") continue;  // patterns, not extensions
      EXPECT_EQ(line.find('.'), std::string::npos) << path << ": " << line;
      EXPECT_TRUE(seen.insert(line).second) << line << " is listed twice";
    }
  }
}

}  // namespace
