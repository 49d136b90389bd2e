// INPUTBOX, GETTEXT, SETTEXT and SETFOCUS: the script's input boxes, known to it by handles
// kept in PTR variables.
#include <algorithm>

#include "exec/arguments.h"
#include "exec/statements.h"
#include "lang/messages.h"
#include "platform/input_boxes.h"
#include "runtime/faults.h"

namespace brindle {
namespace {

constexpr size_t kTextBufferSize = 256;

// The handle argument at the cursor, for statements that act on CurrentControl: a PTR variable
// selects its control; another identifier is reported and the statement goes on.
bool ReadControlArgument(Interpreter& in) {
  if (CurKind(in) != TK_IDENT) return false;
  if (VarTypeAtCursor(in) == KW_PTR) {
    in.process.current_control = in.values.var_ptr[VarAtCursor(in)];
    return true;
  }
  ShowRunTimeError(in, msg::HandleUnknown(CurText(in)));
  return false;
}

// GETTEXT and SETTEXT: the handle argument after the keyword, then onto the second argument.
void ReadControlThenSecondArgument(Interpreter& in) {
  NextToken(in);
  ReadControlArgument(in);
  NextToken(in);
  NextToken(in);
}

// What the control's text reads into the run's 256-byte buffer: at most 255 characters and a
// zero byte. A handle that is no input box leaves the buffer as it was.
std::string ReadIntoTextBuffer(Interpreter& in) {
  std::string& buffer = in.run->text_buffer;
  if (buffer.empty()) buffer.assign(kTextBufferSize, ' ');
  // Only what fits is read: a box's text may run to megabytes.
  if (std::optional<std::string> text =
          in.platform.input_boxes().Text(in.process.current_control, kTextBufferSize - 1)) {
    const size_t length = text->size();
    std::copy_n(text->begin(), length, buffer.begin());
    buffer[length] = '\0';
  }
  // The value ends at the zero byte; a buffer that never received one is all of it.
  return buffer.substr(0, buffer.find('\0'));
}

// What a box's text counts in the stored text: what the box keeps, up to a zero byte. (What the
// user types is not counted: the events file bounds it.)
size_t BoxTextSize(std::string_view text) {
  return std::min(text.find('\0'), text.size());
}

}  // namespace

// INPUTBOX handle, x, y, width, height, text
Flow InputBoxStatement(Interpreter& in) {
  NextToken(in);
  int handle_var = 0;
  if (CurKind(in) == TK_IDENT) {
    if (VarTypeAtCursor(in) == KW_PTR) {
      handle_var = VarAtCursor(in);
    } else {
      ShowRunTimeError(in, msg::HandleUnknown(CurText(in)));
    }
  }
  NextToken(in);
  const int x = NextCoordinate(in);
  const int y = NextCoordinate(in);
  const int width = NextCoordinate(in);
  const int height = NextCoordinate(in);
  const std::string text = NextEvalStr(in);
  const size_t size = BoxTextSize(text);
  if (!CountStoredText(in.values, 0, size)) FailRun(in, msg::OutOfStringSpace());
  in.process.input_box_handle = in.platform.input_boxes().Create(x, y, width, height, text);
  if (in.process.input_box_handle > 0) {
    in.process.box_text_size[in.process.input_box_handle] = size;
    if (handle_var != 0) in.values.var_ptr[handle_var] = in.process.input_box_handle;
  } else {
    (void)CountStoredText(in.values, size, 0);
    ShowRunTimeError(in, msg::InputBoxNotCreated());
  }
  return Flow::kTestEnd;
}

// GETTEXT handle, text variable
Flow GetTextStatement(Interpreter& in) {
  ReadControlThenSecondArgument(in);
  if (CurKind(in) != TK_IDENT) return Flow::kTestEnd;
  if (VarTypeAtCursor(in) != KW_STR) {
    ShowRunTimeError(in, msg::InvalidString(CurText(in)));
    return Flow::kTestEnd;
  }
  std::string& target = in.values.var_str[VarAtCursor(in)];
  std::string text = ReadIntoTextBuffer(in);
  if (!CountStoredText(in.values, target.size(), text.size())) {
    FailRun(in, msg::OutOfStringSpace());
  }
  target = std::move(text);
  return Flow::kTestEnd;
}

// SETTEXT handle, text: a text that begins with a STR variable or a literal.
Flow SetTextStatement(Interpreter& in) {
  ReadControlThenSecondArgument(in);
  const int kind = CurKind(in);
  const bool text_variable = kind == TK_IDENT && VarTypeAtCursor(in) == KW_STR;
  if (text_variable || kind == TK_STRING) {
    const std::string text = EvalStr(in);
    const auto counted = in.process.box_text_size.find(in.process.current_control);
    if (counted != in.process.box_text_size.end()) {
      if (!CountStoredText(in.values, counted->second, BoxTextSize(text))) {
        FailRun(in, msg::OutOfStringSpace());
      }
      counted->second = BoxTextSize(text);
    }
    in.platform.input_boxes().SetText(in.process.current_control, text);
  } else if (kind == TK_IDENT) {
    ShowRunTimeError(in, msg::InvalidVariableType(CurText(in)));
  }
  return Flow::kTestEnd;
}

// SETFOCUS handle shows the newest input box, SETFOCUS with a number hides it. The keyboard
// focus does not move.
Flow SetFocusStatement(Interpreter& in) {
  NextToken(in);
  if (CurKind(in) == TK_NUMBER) {
    in.platform.input_boxes().Show(in.process.input_box_handle, false);
  } else if (ReadControlArgument(in)) {
    in.platform.input_boxes().Show(in.process.input_box_handle, true);
  }
  return Flow::kTestEnd;
}

}  // namespace brindle
