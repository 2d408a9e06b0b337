#include "files/folder_search.h"

#include <vector>

#include "rename/rename_run.h"
#include "ui/design.h"

namespace files {
namespace {

using ui::Control;

const char* const kIdleCaption = "搜索文件";
const char* const kSearchingCaption = "停止搜索";
constexpr int kEnterKey = 13;

// One level of the walk whose files are listed and whose subfolders are
// being gone through.
struct Level {
  core::Text folder;  // ends in "\"
  os::SearchId subfolders = os::kNoSearch;
  os::DirectoryEntry next;  // the entry FindFirst gave, not yet looked at
  bool hasNext = false;
};

void ListFile(ui::Toolkit& ui, const core::Text& path) {
  ui.SetStatusText(Control::状态条1, 0, path);
  const int row = ui.AppendRow(Control::超级列表框1);
  // The number is the row count after the append: it stays right even
  // when rows were removed while the search went on.
  ui.SetCell(Control::超级列表框1, row, 0, core::DecimalText(ui.RowCount(Control::超级列表框1)));
  ui.SetCell(Control::超级列表框1, row, 1, path);
  const std::int64_t found = core::TextToInteger(ui.GetText(Control::共搜索));
  ui.SetText(Control::共搜索, core::DecimalText(found + 1));
}

bool IsFolder(const os::DirectoryEntry& entry) { return entry.attributes & os::kAttributeDirectory; }

class Walk {
 public:
  explicit Walk(FolderSearch& search) : s_(search) {}

  void Run(const core::Text& start) {
    if (!Enter(start)) return;
    while (!levels_.empty()) {
      os::DirectoryEntry entry;
      if (!NextEntry(levels_.back(), entry)) {
        Leave();
        continue;
      }
      if (!IsFolder(entry) || entry.name == "." || entry.name == "..") continue;
      // A link leads to a folder that is listed where it really is; going
      // through it could also lead round in a circle for ever.
      if (entry.isLink) continue;
      if (!Enter(levels_.back().folder + entry.name) && windowGone_) return;
    }
  }

  ~Walk() { CloseAll(); }

 private:
  // Starts a level; false when it lists nothing (stopped, or the window is
  // gone, in which case the whole walk ends at once).
  bool Enter(core::Text folder) {
    ui::Toolkit& ui = s_.ui;
    ui.ProcessPendingEvents();
    if (!ui.MainWindowExists()) {
      windowGone_ = true;
      CloseAll();
      return false;
    }
    if (s_.searchStop) return false;
    const core::Text pattern = ui.GetText(Control::组合框1);
    // A two-byte character may end in the byte of "\": only a real one counts.
    if (!core::EndsWithBackslash(folder)) folder += '\\';

    os::DirectoryEntry entry;
    if (const os::SearchId files = s_.os.FindFirst(folder + pattern, entry); files != os::kNoSearch) {
      do {
        if (!IsFolder(entry)) ListFile(ui, folder + entry.name);
      } while (s_.os.FindNext(files, entry));
      s_.os.FindClose(files);
    }

    Level level;
    level.folder = folder;
    if (ui.IsChecked(Control::选择框1)) {
      level.subfolders = s_.os.FindFirst(folder + "*.*", level.next);
      level.hasNext = level.subfolders != os::kNoSearch;
    }
    levels_.push_back(std::move(level));
    return true;
  }

  bool NextEntry(Level& level, os::DirectoryEntry& entry) {
    if (level.hasNext) {
      entry = std::move(level.next);
      level.hasNext = false;
      return true;
    }
    if (level.subfolders == os::kNoSearch) return false;
    if (s_.os.FindNext(level.subfolders, entry)) return true;
    Close(level);
    return false;
  }

  void Leave() {
    s_.ui.SetStatusText(Control::状态条1, 0, CompletionText());
    Close(levels_.back());
    levels_.pop_back();
  }

  void Close(Level& level) {
    if (level.subfolders != os::kNoSearch) s_.os.FindClose(level.subfolders);
    level.subfolders = os::kNoSearch;
  }

  void CloseAll() {
    for (Level& level : levels_) Close(level);
    levels_.clear();
  }

  FolderSearch& s_;
  std::vector<Level> levels_;
  bool windowGone_ = false;
};

}  // namespace

core::Text CompletionText() { return core::Text("全部寻找替换完毕！") + "    " + ui::design::kMakerNotice; }

void SearchFolder(FolderSearch& search, const core::Text& folder) { Walk(search).Run(folder); }

void ToggleSearch(FolderSearch& search) {
  ui::Toolkit& ui = search.ui;
  if (ui.GetText(Control::读取文件) != kIdleCaption) {
    search.searchStop = true;
    ui.SetDisabled(Control::读取文件, true);
    return;
  }
  ui.DeleteAllRows(Control::超级列表框1);
  renaming::ShowProgress(ui, 0);
  ui.SetDisabled(Control::打开文件夹, true);
  ui.SetText(Control::读取文件, kSearchingCaption);
  SearchFolder(search, ui.GetText(Control::编辑框1));
  ui.SetText(Control::读取文件, kIdleCaption);
  search.searchStop = false;
  ui.SetDisabled(Control::读取文件, false);
  ui.SetDisabled(Control::打开文件夹, false);
}

void BrowseFolder(ui::Toolkit& ui) {
  const core::Text folder = ui.BrowseForFolder("选择文件目录");
  if (!folder.empty()) ui.SetText(Control::编辑框1, folder);
}

void AddPattern(ui::Toolkit& ui, int keyCode, int) {
  if (keyCode == kEnterKey) ui.AddItem(Control::组合框1, ui.GetText(Control::组合框1));
}

}  // namespace files
