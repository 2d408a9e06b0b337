#include "ui/headless/headless_toolkit.h"

#include <algorithm>

namespace ui::headless {
namespace {

using design::Kind;

constexpr int kProgressLimit = 32767;

// One z-order list per parent: the main window, each tab page, each control.
int ParentKey(const design::Parent& parent) {
  switch (parent.type) {
    case design::Parent::Type::MainWindow:
      return 0;
    case design::Parent::Type::TabPage:
      return 1 + static_cast<int>(parent.page);
    case design::Parent::Type::Control:
      break;
  }
  return 1 + design::kPageCount + Index(parent.control);
}
constexpr int kParentKeyCount = 1 + design::kPageCount + kControlCount;

}  // namespace

HeadlessToolkit::HeadlessToolkit(os::Os& os) : os_(os), uiThread_(std::this_thread::get_id()) {}

void HeadlessToolkit::Initialise() {
  std::lock_guard guard(lock_);
  uiThread_ = std::this_thread::get_id();
}

void HeadlessToolkit::SetExitRoutine(std::function<void()> routine) {
  std::lock_guard guard(lock_);
  exitRoutine_ = std::move(routine);
}

bool HeadlessToolkit::LoadMainWindow(EventSink& sink) {
  {
    std::lock_guard guard(lock_);
    controls_.assign(kControlCount, ControlState{});
    zOrder_.assign(kParentKeyCount, {});
    for (const design::ControlEntry& entry : design::Controls()) {
      ControlState& state = controls_[Index(entry.control)];
      state.kind = entry.kind;
      state.text = entry.text;
      state.checked = entry.checked;
      state.visible = !entry.hidden && entry.kind != Kind::Timer;
      zOrder_[ParentKey(entry.parent)].push_back(entry.control);
    }
    // Creation order stacks later siblings behind earlier ones; the design's
    // overlaps then bring each front control just above what it covers.
    for (const design::Stacking& s : design::StackingOrder()) {
      auto& siblings = zOrder_[ParentKey(design::Entry(s.front).parent)];
      auto front = std::find(siblings.begin(), siblings.end(), s.front);
      auto behind = std::find(siblings.begin(), siblings.end(), s.behind);
      if (front > behind) {
        siblings.erase(front);
        siblings.insert(std::find(siblings.begin(), siblings.end(), s.behind), s.front);
      }
    }
    // The combo box's list holds the design's item selected, but its field
    // stays empty until someone selects the item again.
    ControlState& combo = controls_[Index(Control::组合框1)];
    combo.items.assign(std::begin(design::kPatternItems), std::end(design::kPatternItems));
    combo.currentItem = design::kPatternCurrentItem;
    combo.text.clear();
    controls_[Index(Control::进度条1)].progressMaximum = design::kProgressMaximum;
    controls_[Index(Control::时钟1)].timerPeriod = design::kTimerPeriod;
    ControlState& link = controls_[Index(Control::超级链接框1)];
    link.linkKind = design::kLinkKindWeb;
    link.linkWebAddress = design::kMakerHomePage;
    controls_[Index(Control::超文本浏览框1)].browserAddress = design::kMakerHost;
    controls_[Index(Control::状态条1)].statusParts = {design::InitialStatusText()};
    caption_.clear();
    windowExists_ = true;
    activated_ = false;
    sink_ = &sink;
  }
  sink.HandleEvent(Event{EventKind::WindowCreated});
  return true;
}

void HeadlessToolkit::RunMessageLoop() {
  for (;;) {
    ProcessPendingEvents();
    std::unique_lock guard(lock_);
    if (!windowExists_) break;
    eventQueued_.wait(guard, [this] { return !queue_.empty() || !windowExists_; });
  }
  std::function<void()> routine;
  {
    std::lock_guard guard(lock_);
    routine = std::move(exitRoutine_);
    exitRoutine_ = nullptr;
    if (routine) ++exitRoutineRuns_;
  }
  if (routine) routine();
}

bool HeadlessToolkit::MainWindowExists() {
  std::lock_guard guard(lock_);
  return windowExists_;
}

Text HeadlessToolkit::WindowCaption() {
  std::lock_guard guard(lock_);
  return windowExists_ ? caption_ : Text{};
}

void HeadlessToolkit::SetWindowCaption(const Text& caption) {
  std::lock_guard guard(lock_);
  if (windowExists_) caption_ = caption;
}

ControlState* HeadlessToolkit::Find(Control control) {
  if (!windowExists_) return nullptr;
  return &controls_[Index(control)];
}

Text HeadlessToolkit::GetText(Control control) {
  std::lock_guard guard(lock_);
  const ControlState* c = Find(control);
  return c ? c->text : Text{};
}

void HeadlessToolkit::SetText(Control control, const Text& text) {
  std::lock_guard guard(lock_);
  if (ControlState* c = Find(control)) {
    c->text = text;
    c->textsWritten.push_back(text);
  }
}

bool HeadlessToolkit::IsDisabled(Control control) {
  std::lock_guard guard(lock_);
  const ControlState* c = Find(control);
  return c && c->disabled;
}

void HeadlessToolkit::SetDisabled(Control control, bool disabled) {
  std::lock_guard guard(lock_);
  if (ControlState* c = Find(control)) c->disabled = disabled;
}

bool HeadlessToolkit::IsChecked(Control control) {
  std::lock_guard guard(lock_);
  const ControlState* c = Find(control);
  return c && c->checked;
}

int HeadlessToolkit::CurrentItem(Control control) {
  std::lock_guard guard(lock_);
  const ControlState* c = Find(control);
  return c ? c->currentItem : -1;
}

void HeadlessToolkit::SetCurrentItem(Control control, int index) {
  std::lock_guard guard(lock_);
  ControlState* c = Find(control);
  if (!c) return;
  const int last = static_cast<int>(c->items.size()) - 1;
  c->currentItem = index < 0 ? -1 : std::min(index, last);
  c->text = c->currentItem >= 0 ? c->items[c->currentItem] : Text{};
}

void HeadlessToolkit::AddItem(Control control, const Text& item) {
  std::lock_guard guard(lock_);
  if (ControlState* c = Find(control)) c->items.push_back(item);
}

int HeadlessToolkit::ItemCount(Control control) {
  std::lock_guard guard(lock_);
  const ControlState* c = Find(control);
  return c ? static_cast<int>(c->items.size()) : 0;
}

Text HeadlessToolkit::ItemText(Control control, int index) {
  std::lock_guard guard(lock_);
  const ControlState* c = Find(control);
  if (!c || index < 0 || index >= static_cast<int>(c->items.size())) return {};
  return c->items[index];
}

int HeadlessToolkit::ClampProgress(int value) { return std::clamp(value, 0, kProgressLimit); }

int HeadlessToolkit::ProgressMaximum(Control control) {
  std::lock_guard guard(lock_);
  const ControlState* c = Find(control);
  return c ? c->progressMaximum : 0;
}

void HeadlessToolkit::SetProgressMaximum(Control control, int maximum) {
  std::lock_guard guard(lock_);
  if (ControlState* c = Find(control)) c->progressMaximum = ClampProgress(maximum);
}

int HeadlessToolkit::ProgressPosition(Control control) {
  std::lock_guard guard(lock_);
  const ControlState* c = Find(control);
  return c ? c->progressPosition : 0;
}

void HeadlessToolkit::SetProgressPosition(Control control, int position) {
  std::lock_guard guard(lock_);
  if (ControlState* c = Find(control)) c->progressPosition = ClampProgress(position);
}

void HeadlessToolkit::AdvanceProgressPosition(Control control) {
  std::lock_guard guard(lock_);
  if (ControlState* c = Find(control)) c->progressPosition = ClampProgress(c->progressPosition + 1);
}

int HeadlessToolkit::TimerPeriod(Control control) {
  std::lock_guard guard(lock_);
  const ControlState* c = Find(control);
  return c ? c->timerPeriod : 0;
}

void HeadlessToolkit::SetTimerPeriod(Control control, int milliseconds) {
  std::lock_guard guard(lock_);
  if (ControlState* c = Find(control)) c->timerPeriod = std::max(milliseconds, 0);
}

int HeadlessToolkit::LinkKind(Control control) {
  std::lock_guard guard(lock_);
  const ControlState* c = Find(control);
  return c ? c->linkKind : 0;
}

void HeadlessToolkit::SetLinkKind(Control control, int kind) {
  std::lock_guard guard(lock_);
  if (ControlState* c = Find(control)) c->linkKind = std::clamp(kind, 0, 1);
}

Text HeadlessToolkit::LinkWebAddress(Control control) {
  std::lock_guard guard(lock_);
  const ControlState* c = Find(control);
  return c ? c->linkWebAddress : Text{};
}

void HeadlessToolkit::SetLinkWebAddress(Control control, const Text& address) {
  std::lock_guard guard(lock_);
  if (ControlState* c = Find(control)) c->linkWebAddress = address;
}

void HeadlessToolkit::NavigateLink(Control control) {
  Text address;
  {
    std::lock_guard guard(lock_);
    const ControlState* c = Find(control);
    if (!c || c->linkKind != design::kLinkKindWeb) return;
    address = c->linkWebAddress;
  }
  if (!address.empty()) os_.OpenWebAddress(address);
}

Text HeadlessToolkit::BrowserAddress(Control control) {
  std::lock_guard guard(lock_);
  const ControlState* c = Find(control);
  return c ? c->browserAddress : Text{};
}

void HeadlessToolkit::SetBrowserAddress(Control control, const Text& address) {
  std::lock_guard guard(lock_);
  if (ControlState* c = Find(control)) c->browserAddress = address.empty() ? "about:blank" : address;
}

int HeadlessToolkit::AppendRow(Control list) {
  std::lock_guard guard(lock_);
  ControlState* c = Find(list);
  if (!c) return -1;
  c->rows.emplace_back();
  return static_cast<int>(c->rows.size()) - 1;
}

void HeadlessToolkit::SetCell(Control list, int row, int column, const Text& text) {
  std::lock_guard guard(lock_);
  ControlState* c = Find(list);
  if (!c || row < 0 || row >= static_cast<int>(c->rows.size()) || column < 0 || column > 1) return;
  c->rows[row].cells[column] = text;
}

Text HeadlessToolkit::GetCell(Control list, int row, int column) {
  std::lock_guard guard(lock_);
  const ControlState* c = Find(list);
  if (!c || row < 0 || row >= static_cast<int>(c->rows.size()) || column < 0 || column > 1) return {};
  return c->rows[row].cells[column];
}

int HeadlessToolkit::RowCount(Control list) {
  std::lock_guard guard(lock_);
  const ControlState* c = Find(list);
  return c ? static_cast<int>(c->rows.size()) : 0;
}

void HeadlessToolkit::DeleteRow(Control list, int row) {
  std::lock_guard guard(lock_);
  ControlState* c = Find(list);
  if (!c || row < 0 || row >= static_cast<int>(c->rows.size())) return;
  c->rows.erase(c->rows.begin() + row);
}

void HeadlessToolkit::DeleteAllRows(Control list) {
  std::lock_guard guard(lock_);
  if (ControlState* c = Find(list)) c->rows.clear();
}

int HeadlessToolkit::SelectedRow(Control list) {
  std::lock_guard guard(lock_);
  const ControlState* c = Find(list);
  if (!c) return -1;
  for (std::size_t i = 0; i < c->rows.size(); ++i)
    if (c->rows[i].selected) return static_cast<int>(i);
  return -1;
}

Text HeadlessToolkit::StatusText(Control bar, int part) {
  std::lock_guard guard(lock_);
  const ControlState* c = Find(bar);
  if (!c || part < 0 || part >= static_cast<int>(c->statusParts.size())) return {};
  return c->statusParts[part];
}

void HeadlessToolkit::SetStatusText(Control bar, int part, const Text& text) {
  std::lock_guard guard(lock_);
  ControlState* c = Find(bar);
  if (!c || part < 0 || part >= static_cast<int>(c->statusParts.size())) return;
  c->statusParts[part] = text;
}

void HeadlessToolkit::PopupMenu(Menu) {
  std::optional<MenuItem> chosen;
  {
    std::lock_guard guard(lock_);
    if (!windowExists_) return;
    ++menusShown_;
    if (!menuAnswers_.empty()) {
      chosen = menuAnswers_.front();
      menuAnswers_.pop_front();
    }
  }
  // The chosen item's handler runs after the menu has closed.
  if (chosen) Enqueue({Event{EventKind::MenuSelected, Control::超级列表框1, *chosen}});
}

Text HeadlessToolkit::BrowseForFolder(const Text& title) {
  std::lock_guard guard(lock_);
  if (!windowExists_) return {};
  lastFolderDialogTitle_ = title;
  if (folderAnswers_.empty()) return {};
  Text answer = folderAnswers_.front();
  folderAnswers_.pop_front();
  return answer;
}

bool HeadlessToolkit::RunCommandLine(const Text& commandLine, os::ShowMode show) {
  {
    std::lock_guard guard(lock_);
    commandLines_.push_back(commandLine);
  }
  return os_.StartProcess(commandLine, show);
}

void HeadlessToolkit::ShowFatalError(const Text& message) {
  std::lock_guard guard(lock_);
  fatalErrors_.push_back(message);
}

bool HeadlessToolkit::OnUiThread() const { return std::this_thread::get_id() == uiThread_; }

void HeadlessToolkit::ProcessPendingEvents() {
  // Only the UI thread has the window's events; other threads have none.
  for (;;) {
    Queued next;
    EventSink* sink;
    {
      std::lock_guard guard(lock_);
      if (!OnUiThread() || queue_.empty()) return;
      next = queue_.front();
      queue_.pop_front();
      if (next.close) {
        windowExists_ = false;
        queue_.clear();
        eventQueued_.notify_all();
        return;  // the loop's quit request stays for the message loop
      }
      if (!windowExists_) continue;
      sink = sink_;
    }
    sink->HandleEvent(next.event);
  }
}

void HeadlessToolkit::Enqueue(Queued queued) {
  std::lock_guard guard(lock_);
  if (!windowExists_) return;
  queue_.push_back(std::move(queued));
  eventQueued_.notify_all();
}

void HeadlessToolkit::Click(Control control) {
  {
    std::lock_guard guard(lock_);
    const ControlState* c = Find(control);
    if (!c || c->disabled || !c->visible) return;
  }
  Enqueue({Event{EventKind::Clicked, control}});
}

void HeadlessToolkit::PressKey(Control control, int keyCode, int modifiers) {
  Event event{EventKind::KeyDown, control};
  event.keyCode = keyCode;
  event.modifiers = modifiers;
  Enqueue({event});
}

void HeadlessToolkit::RightClick(Control list) { Enqueue({Event{EventKind::RightClick, list}}); }

void HeadlessToolkit::ElapseTimer(Control timer) {
  {
    std::lock_guard guard(lock_);
    const ControlState* c = Find(timer);
    if (!c || c->timerPeriod <= 0) return;
  }
  Enqueue({Event{EventKind::TimerElapsed, timer}});
}

void HeadlessToolkit::Activate() {
  {
    std::lock_guard guard(lock_);
    if (activated_ || !windowExists_) return;
    activated_ = true;
  }
  Enqueue({Event{EventKind::WindowFirstActivated}});
}

void HeadlessToolkit::ReleaseLeftButton(Control control) {
  Enqueue({Event{EventKind::LeftButtonUp, control}});
}

void HeadlessToolkit::Close() { Enqueue({Event{}, true}); }

void HeadlessToolkit::Type(Control control, const Text& text) {
  std::lock_guard guard(lock_);
  if (ControlState* c = Find(control)) c->text = text;
}

void HeadlessToolkit::SetChecked(Control control, bool checked) {
  std::lock_guard guard(lock_);
  if (ControlState* c = Find(control)) c->checked = checked;
}

void HeadlessToolkit::SelectRows(Control list, const std::vector<int>& rows) {
  std::lock_guard guard(lock_);
  ControlState* c = Find(list);
  if (!c) return;
  for (Row& row : c->rows) row.selected = false;
  for (int i : rows)
    if (i >= 0 && i < static_cast<int>(c->rows.size())) c->rows[i].selected = true;
}

void HeadlessToolkit::AnswerNextMenu(std::optional<MenuItem> item) {
  std::lock_guard guard(lock_);
  menuAnswers_.push_back(item);
}

void HeadlessToolkit::AnswerNextFolderDialog(const Text& path) {
  std::lock_guard guard(lock_);
  folderAnswers_.push_back(path);
}

ControlState HeadlessToolkit::Snapshot(Control control) {
  std::lock_guard guard(lock_);
  const ControlState* c = Find(control);
  return c ? *c : ControlState{};
}

std::vector<Control> HeadlessToolkit::ChildrenInZOrder(const design::Parent& parent) {
  std::lock_guard guard(lock_);
  if (!windowExists_) return {};
  return zOrder_[ParentKey(parent)];
}

int HeadlessToolkit::MenusShown() {
  std::lock_guard guard(lock_);
  return menusShown_;
}

Text HeadlessToolkit::LastFolderDialogTitle() {
  std::lock_guard guard(lock_);
  return lastFolderDialogTitle_;
}

std::vector<Text> HeadlessToolkit::CommandLinesRun() {
  std::lock_guard guard(lock_);
  return commandLines_;
}

std::vector<Text> HeadlessToolkit::FatalErrorsShown() {
  std::lock_guard guard(lock_);
  return fatalErrors_;
}

int HeadlessToolkit::ExitRoutineRuns() {
  std::lock_guard guard(lock_);
  return exitRoutineRuns_;
}

bool HeadlessToolkit::HasPendingEvents() {
  std::lock_guard guard(lock_);
  return !queue_.empty();
}

}  // namespace ui::headless
