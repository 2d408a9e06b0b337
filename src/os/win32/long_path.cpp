#include "os/win32/long_path.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "core/file_names.h"

namespace os::win32 {
namespace {

constexpr std::wstring_view kVerbatimPrefix = L"\\\\?\\";
constexpr std::wstring_view kVerbatimUncPrefix = L"\\\\?\\UNC\\";

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

bool IsDotComponent(std::wstring_view component) { return component == L"." || component == L".."; }

// Device names are ASCII, so a component with anything else before its
// first "." is never one; the rest is the narrow rule.
bool IsDeviceComponent(std::wstring_view component) {
  const std::wstring_view stem = component.substr(0, component.find(L'.'));
  core::Text narrow;
  for (wchar_t c : stem) {
    if (c <= 0 || c >= 0x80) return false;
    narrow.push_back(static_cast<char>(c));
  }
  return core::IsReservedDeviceName(narrow);
}

std::vector<std::wstring_view> Components(std::wstring_view path) {
  std::vector<std::wstring_view> components;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || IsSeparator(path[i])) {
      if (i > start) components.push_back(path.substr(start, i - start));
      start = i + 1;
    }
  }
  return components;
}

bool NeedsVerbatim(std::wstring_view path) {
  if (path.size() >= kVerbatimLength) return true;
  for (std::wstring_view component : Components(path)) {
    if (IsDotComponent(component)) continue;
    const wchar_t last = component.back();
    if (last == L'.' || last == L' ' || IsDeviceComponent(component)) return true;
  }
  return false;
}

// The components after `root`, joined by single "\", keeping a final "\"
// when the path had one.
bool AppendVerbatimRest(std::wstring_view rest, std::wstring& out) {
  if (rest.find(L'/') != std::wstring_view::npos) return false;
  const std::vector<std::wstring_view> components = Components(rest);
  for (std::size_t i = 0; i < components.size(); ++i) {
    if (IsDotComponent(components[i])) return false;
    if (i > 0) out.push_back(L'\\');
    out.append(components[i]);
  }
  if (!components.empty() && !rest.empty() && rest.back() == L'\\') out.push_back(L'\\');
  return true;
}

}  // namespace

bool IsAbsolutePath(const std::wstring& path) {
  if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == L':' && IsSeparator(path[2]))
    return true;
  return path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
}

std::wstring LongPathForm(const std::wstring& path) {
  if (std::wstring_view(path).substr(0, kVerbatimPrefix.size()) == kVerbatimPrefix) return path;
  if (!NeedsVerbatim(path)) return path;

  const std::wstring_view view(path);
  std::wstring verbatim;
  if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == L':' && path[2] == L'\\') {
    verbatim.append(kVerbatimPrefix);
    verbatim.append(view.substr(0, 3));
    if (!AppendVerbatimRest(view.substr(3), verbatim)) return {};
    return verbatim;
  }
  if (path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\') {
    // "\\server\share" must both be there and be plain names.
    const std::wstring_view afterSlashes = view.substr(2);
    const std::size_t serverEnd = afterSlashes.find(L'\\');
    if (serverEnd == 0 || serverEnd == std::wstring_view::npos) return {};
    const std::wstring_view server = afterSlashes.substr(0, serverEnd);
    const std::wstring_view afterServer = afterSlashes.substr(serverEnd + 1);
    const std::size_t shareEnd = std::min(afterServer.find(L'\\'), afterServer.size());
    const std::wstring_view share = afterServer.substr(0, shareEnd);
    if (share.empty() || server.find(L'/') != std::wstring_view::npos ||
        share.find(L'/') != std::wstring_view::npos || IsDotComponent(server) ||
        IsDotComponent(share))
      return {};
    verbatim.append(kVerbatimUncPrefix);
    verbatim.append(server);
    verbatim.push_back(L'\\');
    verbatim.append(share);
    const std::wstring_view rest = afterServer.substr(shareEnd);
    if (!rest.empty()) {
      verbatim.push_back(L'\\');
      if (!AppendVerbatimRest(rest.substr(1), verbatim)) return {};
    }
    return verbatim;
  }
  return {};
}

}  // namespace os::win32
