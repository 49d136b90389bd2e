#include "platform/input_boxes.h"

#include <algorithm>
#include <utility>

#include "canvas/canvas_font.h"
#include "platform/platform.h"

namespace brindle {
namespace {

constexpr int kBackspace = 8, kEnd = 35, kHome = 36, kLeft = 37, kUp = 38, kRight = 39, kDown = 40,
              kDelete = 46;

// A zero byte ends a box's text, as it ends the string an edit control is given.
std::string_view UpToZero(std::string_view text) {
  return text.substr(0, std::min(text.find('\0'), text.size()));
}

size_t SelectionStart(const InputBox& box) {
  return std::min(box.caret, box.anchor);
}

size_t SelectionEnd(const InputBox& box) {
  return std::max(box.caret, box.anchor);
}

}  // namespace

bool BoxRect::Contains(int px, int py) const {
  return int64_t{px} >= x && int64_t{px} < int64_t{x} + width && int64_t{py} >= y &&
         int64_t{py} < int64_t{y} + height;
}

int32_t InputBoxes::Create(int x, int y, int width, int height, std::string_view text) {
  if (boxes_.size() >= static_cast<size_t>(kMaxBoxes)) return 0;
  InputBox box;
  box.handle = kFirstHandle + kHandleStep * static_cast<int32_t>(boxes_.size());
  box.rect = {x, y, std::max(width, 0), std::max(height, 0)};
  box.text.Assign(UpToZero(text));
  boxes_.push_back(std::move(box));
  ++version_;
  ++fields_version_;
  return boxes_.back().handle;
}

InputBox* InputBoxes::Find(int32_t handle) {
  return const_cast<InputBox*>(std::as_const(*this).Find(handle));
}

const InputBox* InputBoxes::Find(int32_t handle) const {
  const int64_t offset = int64_t{handle} - kFirstHandle;
  if (offset < 0 || offset % kHandleStep != 0) return nullptr;
  const auto index = static_cast<size_t>(offset / kHandleStep);
  return index < boxes_.size() ? &boxes_[index] : nullptr;
}

bool InputBoxes::SetText(int32_t handle, std::string_view text) {
  InputBox* box = Find(handle);
  if (box == nullptr) return false;
  box->text.Assign(UpToZero(text));
  box->caret = box->anchor = 0;
  ++version_;
  ++fields_version_;
  Notify(kChange);
  return true;
}

std::optional<std::string> InputBoxes::Text(int32_t handle, size_t max_length) const {
  const InputBox* box = Find(handle);
  if (box == nullptr) return std::nullopt;
  return box->text.Read(0, max_length);
}

void InputBoxes::Show(int32_t handle, bool visible) {
  if (InputBox* box = Find(handle)) {
    box->visible = visible;
    ++version_;
    ++fields_version_;
  }
}

void InputBoxes::Notify(int code) {
  if (sink_ == nullptr) return;
  WindowEvent event;
  event.type = WindowEvent::Type::kCommand;
  event.command_id = kCommandId;
  event.notification_code = code;
  sink_->Dispatch(event);
}

// The box that loses the focus says so first, then the one that gains it.
void InputBoxes::MoveFocus(int index) {
  if (index == focus_) return;
  const int lost = focus_;
  focus_ = index;
  ++version_;
  if (lost >= 0) Notify(kKillFocus);
  if (index >= 0) Notify(kSetFocus);
}

void InputBoxes::Click(int x, int y) {
  for (int i = static_cast<int>(boxes_.size()) - 1; i >= 0; --i) {
    InputBox& box = boxes_[i];
    if (!box.visible || !box.rect.Contains(x, y)) continue;
    // The nearest boundary of the 8-pixel cells; a click halfway goes to the later one.
    const int64_t boundary = (int64_t{x} - box.rect.x + kCellWidth / 2) / kCellWidth;
    box.caret = box.anchor = std::min(static_cast<size_t>(boundary), box.text.size());
    ++version_;
    MoveFocus(i);
    return;
  }
  MoveFocus(-1);
}

void InputBoxes::FocusNext() {
  const int count = static_cast<int>(boxes_.size());
  for (int step = 1; step <= count; ++step) {
    const int i = (focus_ + step + count) % count;
    InputBox& box = boxes_[i];
    if (!box.visible) continue;
    box.anchor = 0;
    box.caret = box.text.size();
    ++version_;
    MoveFocus(i);
    return;
  }
}

// Sends nothing: the caller notifies when the text changed.
void InputBoxes::ReplaceSelection(InputBox& box, std::string_view with) {
  const size_t start = SelectionStart(box);
  box.text.Replace(start, SelectionEnd(box) - start, with);
  box.caret = box.anchor = start + with.size();
  ++version_;
  ++fields_version_;
}

void InputBoxes::Type(std::string_view characters) {
  if (focus_ < 0) return;
  std::string typed;
  for (const char c : characters) {
    // Control characters are keys, not text; they type nothing.
    if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) typed.push_back(c);
  }
  if (typed.empty()) return;
  ReplaceSelection(boxes_[focus_], typed);
  Notify(kChange);
}

void InputBoxes::KeyDown(int virtual_key, bool shift) {
  if (focus_ < 0) return;
  const Edit edit = EditKey(boxes_[focus_], virtual_key);
  if (edit != Edit::kNotAnEditingKey) {
    ++version_;
    if (edit == Edit::kText) Notify(kChange);
    return;
  }
  if (const char c = CharacterOfKey(virtual_key, shift)) Type(std::string_view(&c, 1));
}

// Moves the caret or deletes; says which, and whether the text changed.
InputBoxes::Edit InputBoxes::EditKey(InputBox& box, int virtual_key) {
  const bool selected = box.caret != box.anchor;
  const size_t start = SelectionStart(box), end = SelectionEnd(box);
  switch (virtual_key) {
    case kBackspace:
    case kDelete:
      if (!selected) {
        if (virtual_key == kBackspace && box.caret > 0) box.anchor = box.caret - 1;
        if (virtual_key == kDelete && box.caret < box.text.size()) box.anchor = box.caret + 1;
      }
      if (box.caret == box.anchor) return Edit::kCaret;
      ReplaceSelection(box, "");
      return Edit::kText;
    case kLeft:
    case kUp:
      box.caret = selected ? start : box.caret - (box.caret > 0 ? 1 : 0);
      break;
    case kRight:
    case kDown:
      box.caret = selected ? end : std::min(box.caret + 1, box.text.size());
      break;
    case kHome:
      box.caret = 0;
      break;
    case kEnd:
      box.caret = box.text.size();
      break;
    default:
      return Edit::kNotAnEditingKey;
  }
  box.anchor = box.caret;
  return Edit::kCaret;
}

char CharacterOfKey(int virtual_key, bool shift) {
  const int k = virtual_key;
  if (k >= 'A' && k <= 'Z') return static_cast<char>(shift ? k : k - 'A' + 'a');
  if (k >= '0' && k <= '9') return shift ? ")!@#$%^&*("[k - '0'] : static_cast<char>(k);
  if (k == ' ') return ' ';
  if (k >= 96 && k <= 105) return static_cast<char>('0' + k - 96);  // the keypad's digits
  struct Punctuation {
    int key;
    char plain, shifted;
  };
  static constexpr Punctuation kKeys[] = {
      {106, '*', '*'},  {107, '+', '+'},   {109, '-', '-'},  {110, '.', '.'},
      {111, '/', '/'},  {0xBA, ';', ':'},  {0xBB, '=', '+'}, {0xBC, ',', '<'},
      {0xBD, '-', '_'}, {0xBE, '.', '>'},  {0xBF, '/', '?'}, {0xC0, '`', '~'},
      {0xDB, '[', '{'}, {0xDC, '\\', '|'}, {0xDD, ']', '}'}, {0xDE, '\'', '"'},
  };
  for (const Punctuation& p : kKeys) {
    if (p.key == k) return shift ? p.shifted : p.plain;
  }
  return 0;
}

}  // namespace brindle
