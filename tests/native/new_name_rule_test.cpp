// The new-name rule and the text operations it rests on, as tables of cases.
#include "rename/new_name_rule.h"

#include <gtest/gtest.h>

#include "rename/name_check.h"
#include "core/text_operations.h"

namespace {

using renaming::RuleOptions;

TEST(LastPosition, FindsTheLastOccurrenceAtCharacterBoundaries) {
  struct Case {
    std::string text, search;
    int position;
  };
  const Case cases[] = {
      {"C:\\a\\b.txt", "\\", 5},
      {"report.final.txt", ".", 13},
      {"abc", "", 1},
      {"", "", -1},
      {"", "x", -1},
      {"abc", "x", -1},
      {"aaa", "aa", 2},
      {"ab", "abc", -1},
      // "\xD5\x5C" is one character whose second byte is the byte of "\".
      {"C:\\\xD5\x5C", "\\", 3},
      {"\xD5\x5C\xD5\x5C", "\\", -1},
      {"x\xB1\x2E", ".", -1},  // a second byte equal to "." is no dot
      {"a\x81", "\x81", 2},    // a lone lead byte at the end is still tried
  };
  for (const Case& c : cases) {
    EXPECT_EQ(core::LastPosition(c.text, c.search), c.position) << c.text << " / " << c.search;
  }
}

TEST(MiddlePart, CountsBytesAndStaysInsideTheText) {
  struct Case {
    std::string text;
    int start, count;
    std::string result;
  };
  const Case cases[] = {
      {"abcdef", 1, 3, "abc"}, {"abcdef", 4, 99, "def"}, {"abcdef", 0, 3, ""},  {"abcdef", -1, 3, ""},
      {"abcdef", 7, 1, ""},    {"abcdef", 2, 0, ""},     {"abcdef", 2, -2, ""}, {"", 1, 1, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(core::MiddlePart(c.text, c.start, c.count), c.result)
        << c.text << " from " << c.start << " count " << c.count;
  }
}

TEST(ReplaceAll, ReplacesLeftToRightWithoutOverlapsOrRescans) {
  struct Case {
    std::string text, find, replacement, result;
  };
  const Case cases[] = {
      {"aaa", "aa", "b", "ba"},
      {"aba", "a", "aa", "aabaa"},
      {"Abc", "a", "x", "Abc"},  // case-sensitive
      {"abc", "", "x", "abc"},
      {"", "a", "x", ""},
      {"abcabc", "bc", "", "aa"},
      {"abc", "abcd", "x", "abc"},
      // The second byte of "\xD5\x5C" is never matched on its own...
      {"\xD5\x5C\x5C", "\\", "/", "\xD5\x5C/"},
      {"\xB1\x61", "a", "x", "\xB1\x61"},
      // ...but a whole two-byte character is.
      {"\xCE\xC4\xBC\xFE", "\xBC\xFE", "\xC3\xFB", "\xCE\xC4\xC3\xFB"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(core::ReplaceAll(c.text, c.find, c.replacement), c.result) << c.text << " / " << c.find;
  }
}

RuleOptions Replace(std::string find, std::string replacement) {
  RuleOptions o;
  o.replaceOn = true;
  o.findText = std::move(find);
  o.replacementText = std::move(replacement);
  return o;
}
RuleOptions Add(std::string prefix, std::string suffix) {
  RuleOptions o;
  o.prefixOn = !prefix.empty();
  o.prefixText = std::move(prefix);
  o.suffixOn = !suffix.empty();
  o.suffixText = std::move(suffix);
  return o;
}

TEST(ComposeNewPath, EditsOnlyTheBaseName) {
  RuleOptions all = Replace("a", "b");
  all.prefixOn = all.suffixOn = true;
  all.prefixText = "P";
  all.suffixText = "S";
  RuleOptions switchesOffTextsSet;
  switchesOffTextsSet.findText = "a";
  switchesOffTextsSet.prefixText = "P";

  struct Case {
    const char* what;
    std::string path;
    RuleOptions options;
    std::string newPath;
  };
  const Case cases[] = {
      {"two dots: only the last separates", "C:\\d\\report.final.txt", Add("", "_v2"), "C:\\d\\report.final_v2.txt"},
      {"only dot first: all extension", "C:\\d\\.profile", Add("x", "y"), "C:\\d\\xy.profile"},
      {"only dot first: nothing to replace", "C:\\d\\.profile", Replace("p", "q"), "C:\\d\\.profile"},
      {"ending in a dot", "C:\\d\\name.", Add("", "1"), "C:\\d\\name1."},
      {"no dot: the whole name is the base", "C:\\d\\README", Add("old_", "_1"), "C:\\d\\old_README_1"},
      {"no dot, replaced", "C:\\d\\README", Replace("READ", "WRITE"), "C:\\d\\WRITEME"},
      {"empty find text", "C:\\d\\abc.txt", Replace("", "zzz"), "C:\\d\\abc.txt"},
      {"replacement never in the extension or folder", "C:\\a\\a.a", Replace("a", "b"), "C:\\a\\b.a"},
      {"both texts around the replaced base", "C:\\d\\aXa.txt", all, "C:\\d\\PbXbS.txt"},
      {"every switch off", "C:\\d\\abc.txt", switchesOffTextsSet, "C:\\d\\abc.txt"},
      {"a backslash typed into a text stays in the name", "C:\\d\\a.txt", Add("x\\", ""), "C:\\d\\x\\a.txt"},
      // 0x5C as the second byte in the folder and in the file name.
      {"second byte 0x5C in the folder", "C:\\\xD5\x5C\\f.txt", Add("n", ""), "C:\\\xD5\x5C\\nf.txt"},
      {"second byte 0x5C in the name", "C:\\d\\\xD5\x5C.txt", Replace("\\", "x"), "C:\\d\\\xD5\x5C.txt"},
      {"a name that ends in such a character", "C:\\d\\a\xD5\x5C", Add("", "1"), "C:\\d\\a\xD5\x5C" "1"},
      {"no backslash: empty folder and name", "name.txt", Add("p", ""), "p"},
  };
  for (const Case& c : cases) {
    const renaming::RenamePaths paths = renaming::ComposeNewPath(c.path, c.options);
    EXPECT_EQ(paths.newPath, c.newPath) << c.what;
    EXPECT_EQ(paths.folder + paths.newName, paths.newPath) << c.what;
    if (c.path.find('\\') != std::string::npos) {
      EXPECT_EQ(paths.oldPath, c.path) << c.what;
    }
  }
}

TEST(IsPlainFileName, RefusesWhatWouldNotBeOneNameInTheSameFolder) {
  struct Case {
    std::string name;
    bool plain;
  };
  const Case cases[] = {
      {"report.txt", true},      {"\xCE\xC4\xBC\xFE.txt", true}, {"\xD5\x5C.txt", true},
      {"x\x95\x7C", true},       // second byte equal to "|"
      {".profile", true},        {"con.txt.bak", false},         {"COM1", false},
      {"lpt9.log", false},       {"COM10", true},                {"nul ", false},
      {"", false},               {".", false},                   {"..", false},
      {"a\\b", false},           {"a/b", false},                 {"a:stream", false},
      {"a.", false},             {"a ", false},                  {"a?", false},
      {"a*", false},             {"a\"b", false},                {"<a>", false},
      {"a|b", false},            {"a\tb", false},
  };
  for (const Case& c : cases) EXPECT_EQ(renaming::IsPlainFileName(c.name), c.plain) << '"' << c.name << '"';
}

}  // namespace
