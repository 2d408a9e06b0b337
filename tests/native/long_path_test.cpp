#include "os/win32/long_path.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/file_names.h"

namespace {

using os::win32::IsAbsolutePath;
using os::win32::LongPathForm;

// Printable in a failure message: wide paths here are ASCII.
std::string Shown(const std::wstring& path) {
  std::string shown;
  for (wchar_t c : path) shown.push_back(c < 0x80 ? static_cast<char>(c) : '#');
  return shown.empty() ? "(empty)" : shown;
}

struct LongPathCase {
  std::wstring path;
  std::wstring expected;
};

TEST(LongPathForm, GivesTheVerbatimFormOnlyWhereTheSystemWouldChangeThePath) {
  const std::wstring name247(247 - 3, L'a');  // "C:\" + this is 247 characters
  const std::wstring name248(248 - 3, L'a');
  const std::wstring name300(300 - 3, L'b');
  const std::wstring share = L"\\\\server\\share\\";
  const std::vector<LongPathCase> cases = {
      // Nothing to do.
      {L"C:\\dir\\file.txt", L"C:\\dir\\file.txt"},
      {L"C:\\" + name247, L"C:\\" + name247},
      {L"dir\\file.txt", L"dir\\file.txt"},
      {L"C:\\dir\\..\\file.txt", L"C:\\dir\\..\\file.txt"},
      {L"C:/dir/file.txt", L"C:/dir/file.txt"},
      {share + L"file.txt", share + L"file.txt"},
      {L"C:\\dir\\COM0", L"C:\\dir\\COM0"},
      {L"C:\\dir\\COM10.txt", L"C:\\dir\\COM10.txt"},
      {L"C:\\dir\\CONIN", L"C:\\dir\\CONIN"},
      {L"C:\\dir\\.hidden", L"C:\\dir\\.hidden"},
      {L"C:\\dir\\ leading", L"C:\\dir\\ leading"},
      // Too long.
      {L"C:\\" + name248, L"\\\\?\\C:\\" + name248},
      {L"C:\\" + name300, L"\\\\?\\C:\\" + name300},
      {share + name300, L"\\\\?\\UNC\\server\\share\\" + name300},
      // Components the system would cut or take for devices.
      {L"C:\\dir\\name.", L"\\\\?\\C:\\dir\\name."},
      {L"C:\\dir.\\name", L"\\\\?\\C:\\dir.\\name"},
      {L"C:\\dir\\name ", L"\\\\?\\C:\\dir\\name "},
      {L"C:\\dir\\...", L"\\\\?\\C:\\dir\\..."},
      {L"C:\\dir\\con", L"\\\\?\\C:\\dir\\con"},
      {L"C:\\dir\\CON.txt", L"\\\\?\\C:\\dir\\CON.txt"},
      {L"C:\\dir\\lpt1 ", L"\\\\?\\C:\\dir\\lpt1 "},
      {L"C:\\nul\\file.txt", L"\\\\?\\C:\\nul\\file.txt"},
      {L"c:\\Aux.tar.gz", L"\\\\?\\c:\\Aux.tar.gz"},
      {share + L"name.", L"\\\\?\\UNC\\server\\share\\name."},
      {L"\\\\server\\share.", L"\\\\?\\UNC\\server\\share."},
      // Doubled separators are made single, as the system would; a final
      // one stays.
      {L"C:\\dir\\\\name.", L"\\\\?\\C:\\dir\\name."},
      {L"C:\\dir.\\", L"\\\\?\\C:\\dir.\\"},
      // Needs the verbatim form and cannot have it: refused.
      {L"name.", L""},
      {L"dir\\con.txt", L""},
      {L"\\dir\\name.", L""},
      {L"C:name.", L""},
      {L"C:/dir/name.", L""},
      {L"C:\\" + name300 + L"/x", L""},
      {L"C:\\dir\\..\\" + name300, L""},
      {L"C:\\.\\name.", L""},
      {L"\\\\.\\COM1", L""},
      {L"\\\\con", L""},
      {L"\\\\server\\\\" + name300, L""},
      // Already verbatim.
      {L"\\\\?\\C:\\dir\\name.", L"\\\\?\\C:\\dir\\name."},
      {L"\\\\?\\C:\\" + name300 + L"\\..", L"\\\\?\\C:\\" + name300 + L"\\.."},
      {L"\\\\?\\UNC\\server\\share\\con", L"\\\\?\\UNC\\server\\share\\con"},
  };
  for (const LongPathCase& c : cases) {
    EXPECT_EQ(Shown(LongPathForm(c.path)), Shown(c.expected)) << "for " << Shown(c.path);
  }
}

TEST(LongPathForm, TellsAbsolutePathsFromOthers) {
  const std::vector<std::pair<std::wstring, bool>> cases = {
      {L"C:\\x.dll", true},        {L"z:/x.dll", true}, {L"\\\\server\\share\\x.dll", true},
      {L"\\\\?\\C:\\x.dll", true}, {L"x.dll", false},   {L".\\x.dll", false},
      {L"\\x.dll", false},         {L"C:x.dll", false}, {L"", false},
      {L"1:\\x.dll", false},
  };
  for (const auto& [path, absolute] : cases) {
    EXPECT_EQ(IsAbsolutePath(path), absolute) << "for " << Shown(path);
  }
}

TEST(IsReservedDeviceName, KnowsTheDeviceNamesWithTheirExtensionsAndBlanks) {
  const std::vector<std::pair<core::Text, bool>> cases = {
      {"con", true},
      {"CON", true},
      {"CON.txt", true},
      {"Nul.tar.gz", true},
      {"aux ", true},
      {"aux .txt", true},
      {"prn.", true},
      {"lpt1 ", true},
      {"COM1", true},
      {"com9", true},
      {"LpT5.log", true},
      {"COM0", false},
      {"COM10", false},
      {"LPT0", false},
      {"CONIN", false},
      {"CON1", false},
      {"co", false},
      {"", false},
      {" con", false},
      {".con", false},
      {"conx.txt", false},
      {"nul_", false},
      // Full-width letters are other characters.
      {"\xA3\xC3\xA3\xCF\xA3\xCE", false},
      {"\xA3\xC3ON", false},
  };
  for (const auto& [name, reserved] : cases) {
    EXPECT_EQ(core::IsReservedDeviceName(name), reserved) << "for \"" << name << "\"";
  }
}

}  // namespace
