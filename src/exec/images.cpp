// LOADIMG, SHOWIMG and SHOWIMGT: pictures loaded from files and drawn with black left out.
#include <filesystem>
#include <unordered_set>

#include "exec/arguments.h"
#include "exec/statements.h"

namespace brindle {
namespace {

constexpr int kImageTypeBitmap = 0;
constexpr int kLoadFromFile = 0x10;

// A relative name is tried against the current directory, then the script's folder.
std::string ResolveImagePath(const Interpreter& in, const std::string& name) {
  namespace fs = std::filesystem;
  const fs::path path(name);
  std::error_code ignored;
  if (path.is_absolute() || fs::exists(path, ignored)) return name;
  const fs::path beside_script = fs::path(in.script_path).parent_path() / path;
  return fs::exists(beside_script, ignored) ? beside_script.string() : name;
}

// A picture stays while a slot holds its handle, or a PTR variable or element does, from
// where SHOWIMG can select it again. (A handle kept only in a VAR variable or a string is not
// counted: real handles do not survive those.)
void FreeUnreachablePictures(Interpreter& in) {
  ImageState& images = in.process.images;
  std::unordered_set<int32_t> live(images.slot.begin(), images.slot.end());
  live.insert(in.values.var_ptr.begin(), in.values.var_ptr.end());
  in.values.array_ptr.ForEachCell([&live](int32_t handle) {
    if (handle != 0) live.insert(handle);
  });
  images.store.Collect(live);
}

// What the window system's image loader gives: a handle, or 0 when nothing was loaded.
int32_t LoadPicture(Interpreter& in, const std::string& file, int type, int width, int height,
                    int flags) {
  if (type != kImageTypeBitmap || (flags & kLoadFromFile) == 0) return 0;
  Image image = Image::Load(ResolveImagePath(in, file), width, height);
  if (image.is_null()) return 0;
  // Like the window system's, the loader fails when pictures fill the memory they may use.
  if (!in.process.images.store.Fits(image)) FreeUnreachablePictures(in);
  return in.process.images.store.Add(std::move(image));
}

// SHOWIMG and SHOWIMGT: handle, x, y, width, height.
Flow ShowPicture(Interpreter& in, int statement, bool select_again) {
  ImageState& images = in.process.images;
  NextToken(in);
  if (CurKind(in) == TK_IDENT && VarTypeAtCursor(in) == KW_PTR) {
    images.last_handle = in.values.var_ptr[VarAtCursor(in)];
    images.last_slot = images.slot_of_var[VarAtCursor(in)];
  }
  int box[4];
  for (int i = 0; i < 4; ++i) {
    box[i] = ToInteger(NextPlainArgument(in, statement, i, false));
  }
  const int slot = images.last_slot;
  if (slot < 1 || slot > kImageSlots) return Flow::kTestEnd;
  // SHOWIMG puts the variable's picture back into its slot; SHOWIMGT draws what is there.
  if (select_again && images.Find(images.last_handle) != nullptr) {
    images.slot[slot] = images.last_handle;
  }
  if (const Image* image = images.Find(images.slot[slot])) {
    in.canvas.DrawImageTransparent(image->view(), box[0], box[1], box[2], box[3]);
  }
  return Flow::kTestEnd;
}

}  // namespace

// LOADIMG handle, file, type, width, height, flags. Each run hands out the slots from 1 again.
Flow LoadImageStatement(Interpreter& in) {
  ImageState& images = in.process.images;
  NextToken(in);
  const int v = CurKind(in) == TK_IDENT ? VarAtCursor(in) : 0;
  NextToken(in);
  NextToken(in);
  if (CurKind(in) == TK_STRING) images.last_file = CurText(in);
  if (CurKind(in) == TK_IDENT && VarTypeAtCursor(in) == KW_STR) {
    images.last_file = in.values.var_str[VarAtCursor(in)];
  }
  int numbers[4];
  for (int i = 0; i < 4; ++i) {
    numbers[i] = ToInteger(NextPlainArgument(in, KW_LOADIMG, i, false));
  }
  const int32_t handle =
      LoadPicture(in, images.last_file, numbers[0], numbers[1], numbers[2], numbers[3]);
  if (in.image.symbols.var_type[v] == KW_PTR) in.values.var_ptr[v] = handle;
  RunState& run = *in.run;
  if (run.image_count < kImageSlots) {
    ++run.image_count;
    images.slot_of_var[v] = run.image_count;
    images.slot[run.image_count] = handle;
  }
  if (images.store.WantsCollect()) FreeUnreachablePictures(in);
  return Flow::kTestEnd;
}

Flow ShowImageStatement(Interpreter& in) {
  return ShowPicture(in, KW_SHOWIMG, true);
}

Flow ShowImageTransparentStatement(Interpreter& in) {
  return ShowPicture(in, KW_SHOWIMGT, false);
}

}  // namespace brindle
