// The tree the search benchmarks walk, the same on every platform:
// exactly 400 folders over three levels, 50 files in each, 20,000 files:
//
//   root                      50 files
//     album_01 .. album_19    50 files each
//       roll_01 .. roll_20    50 files each (380 folders)
//
// and the bare walks the search is compared with, through the OS seam only.
#pragma once

#include <functional>
#include <vector>

#include "core/text.h"
#include "os/os.h"

namespace bench {

using core::Text;

constexpr int kMiddleFolders = 19;
constexpr int kLeavesPerMiddle = 20;
constexpr int kFilesPerFolder = 50;
constexpr int kFolderCount = 1 + kMiddleFolders + kMiddleFolders * kLeavesPerMiddle;
constexpr int kFileCount = kFolderCount * kFilesPerFolder;
static_assert(kFolderCount == 400 && kFileCount == 20000);

// Every folder below the root, as a path relative to it ("album_01\roll_01"),
// each after its parent.
std::vector<Text> TreeSubfolders();

// Names of the files of one folder: "IMG_0001.jpg" and on.
std::vector<Text> TreeFileNames();

// Makes the tree under `root` (which must exist): folders with `makeFolder`
// (given the full path), files through the backend's own WriteNewFile.
// False at the first failure.
bool MakeTree(os::Os& os, const Text& root, const std::function<bool(const Text&)>& makeFolder);

// The least a recursive listing can do: one FindFirst/FindNext/FindClose
// round per folder with "*.*", collecting the path of every file.
std::vector<Text> BareWalk(os::Os& os, const Text& root);

// The listings the search itself makes, without any window: per folder one
// round with `pattern` for its files and one with "*.*" for its subfolders.
std::vector<Text> TwoListingWalk(os::Os& os, const Text& root, const Text& pattern);

}  // namespace bench
