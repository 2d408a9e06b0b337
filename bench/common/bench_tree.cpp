#include "common/bench_tree.h"

#include <cstdio>

namespace bench {
namespace {

Text Numbered(const char* format, int number) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, format, number);
  return buffer;
}

bool IsFolder(const os::DirectoryEntry& entry) { return entry.attributes & os::kAttributeDirectory; }

bool IsDots(const os::DirectoryEntry& entry) { return entry.name == "." || entry.name == ".."; }

void WalkOnce(os::Os& os, const Text& folder, std::vector<Text>& files) {
  os::DirectoryEntry entry;
  const os::SearchId search = os.FindFirst(folder + "\\*.*", entry);
  if (search == os::kNoSearch) return;
  do {
    if (!IsFolder(entry)) {
      files.push_back(folder + "\\" + entry.name);
    } else if (!IsDots(entry) && !entry.isLink) {
      WalkOnce(os, folder + "\\" + entry.name, files);
    }
  } while (os.FindNext(search, entry));
  os.FindClose(search);
}

void WalkTwice(os::Os& os, const Text& folder, const Text& pattern, std::vector<Text>& files) {
  os::DirectoryEntry entry;
  if (const os::SearchId search = os.FindFirst(folder + "\\" + pattern, entry); search != os::kNoSearch) {
    do {
      if (!IsFolder(entry)) files.push_back(folder + "\\" + entry.name);
    } while (os.FindNext(search, entry));
    os.FindClose(search);
  }
  if (const os::SearchId search = os.FindFirst(folder + "\\*.*", entry); search != os::kNoSearch) {
    do {
      if (IsFolder(entry) && !IsDots(entry) && !entry.isLink) WalkTwice(os, folder + "\\" + entry.name, pattern, files);
    } while (os.FindNext(search, entry));
    os.FindClose(search);
  }
}

}  // namespace

std::vector<Text> TreeSubfolders() {
  std::vector<Text> folders;
  for (int m = 1; m <= kMiddleFolders; ++m) {
    const Text middle = Numbered("album_%02d", m);
    folders.push_back(middle);
    for (int l = 1; l <= kLeavesPerMiddle; ++l) folders.push_back(middle + "\\" + Numbered("roll_%02d", l));
  }
  return folders;
}

std::vector<Text> TreeFileNames() {
  std::vector<Text> names;
  for (int f = 1; f <= kFilesPerFolder; ++f) names.push_back(Numbered("IMG_%04d.jpg", f));
  return names;
}

bool MakeTree(os::Os& os, const Text& root, const std::function<bool(const Text&)>& makeFolder) {
  std::vector<Text> folders{root};
  for (const Text& sub : TreeSubfolders()) {
    folders.push_back(root + "\\" + sub);
    if (!makeFolder(folders.back())) return false;
  }
  static const char kContent[] = "benchmark file\n";
  for (const Text& folder : folders)
    for (const Text& name : TreeFileNames())
      if (!os.WriteNewFile(folder + "\\" + name, kContent, sizeof kContent - 1)) return false;
  return true;
}

std::vector<Text> BareWalk(os::Os& os, const Text& root) {
  std::vector<Text> files;
  WalkOnce(os, root, files);
  return files;
}

std::vector<Text> TwoListingWalk(os::Os& os, const Text& root, const Text& pattern) {
  std::vector<Text> files;
  WalkTwice(os, root, pattern, files);
  return files;
}

}  // namespace bench
