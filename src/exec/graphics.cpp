// The drawing statements. Everything but WCOLOR and SWAP draws only into the canvas; the
// window shows it on SWAP, WCOLOR or a repaint.
#include <array>
#include <cstdint>

#include "exec/arguments.h"
#include "exec/pset.h"
#include "exec/statements.h"
#include "expr/eval.h"
#include "lang/messages.h"
#include "lang/numbers.h"
#include "runtime/faults.h"

namespace brindle {
namespace {

// Corners are 32-bit sums, which wrap around as the window system's do.
int Wrap(int64_t a, int64_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(a + b)));
}

// Colour components carry into the next one: 300, 0, 0 is red 44 and green 1.
ColorRef MakeColor(const int (&rgb)[3]) {
  const auto [r, g, b] = std::array<uint32_t, 3>{
      static_cast<uint32_t>(rgb[0]), static_cast<uint32_t>(rgb[1]), static_cast<uint32_t>(rgb[2])};
  return r + 256u * g + 65536u * b;
}

ColorRef ReadColor(Interpreter& in, int statement) {
  int rgb[3];
  ReadPlainArguments(in, statement, rgb);
  return MakeColor(rgb);
}

// The text of PRINT's item; an item of another kind prints what the last PRINT printed.
void ReadPrintItem(Interpreter& in, std::string& text) {
  if (NextKind(in) == TK_LBRACKET) {
    const int type = InfoAtCursor(in).array_type;
    if (type == KW_VAR || type == KW_PTR) text = NumberToText(EvalFactor(in));
    if (type == KW_STR) text = EvalStrItem(in);
    return;
  }
  const int kind = CurKind(in);
  if (kind == TK_NUMBER) {
    text = NumberToText(CurNumber(in));
  } else if (kind == TK_STRING) {
    text = CurText(in);
  } else if (kind == TK_LPAREN) {
    text = NumberToText(EvalNum(in));
  } else if (kind == TK_IDENT) {
    const int v = VarAtCursor(in);
    switch (in.image.symbols.var_type[v]) {
      case KW_VAR:
        text = NumberToText(in.values.var_num[v]);
        break;
      case KW_PTR:
        text = NumberToText(static_cast<float>(in.values.var_ptr[v]));
        break;
      case KW_STR:
        text = in.values.var_str[v];
        break;
    }
  }
}

}  // namespace

Flow WColorStatement(Interpreter& in) {
  in.canvas.Fill(ReadColor(in, KW_WCOLOR));
  in.platform.ShowClearedCanvas(in.canvas);
  return Flow::kTestEnd;
}

Flow FColorStatement(Interpreter& in) {
  in.process.fore_color = ReadColor(in, KW_FCOLOR);
  return Flow::kTestEnd;
}

Flow BColorStatement(Interpreter& in) {
  in.process.back_color = ReadColor(in, KW_BCOLOR);
  return Flow::kTestEnd;
}

Flow PsetStatement(Interpreter& in) {
  const int x = NextCoordinate(in);
  const int y = NextCoordinate(in);
  PsetAt(in, x, y);
  return Flow::kTestEnd;
}

Flow LineStatement(Interpreter& in) {
  const int x1 = NextCoordinate(in);
  const int y1 = NextCoordinate(in);
  const int x2 = NextCoordinate(in);
  const int y2 = NextCoordinate(in);
  in.canvas.DrawLine(x1, y1, x2, y2, in.process.fore_color);
  return Flow::kTestEnd;
}

// RECT x, y, width, height
Flow RectStatement(Interpreter& in) {
  int box[4];
  ReadPlainArguments(in, KW_RECT, box);
  in.canvas.DrawBox(box[0], box[1], Wrap(box[0], box[2]), Wrap(box[1], box[3]),
                    in.process.fore_color, in.process.back_color);
  return Flow::kTestEnd;
}

// CIRCLE cx, cy, r: the ellipse in the box cx - r, cy - r, cx + r, cy + r.
Flow CircleStatement(Interpreter& in) {
  const int cx = NextCoordinate(in);
  const int cy = NextCoordinate(in);
  const int r = NextCoordinate(in);
  in.canvas.DrawEllipse(Wrap(cx, -static_cast<int64_t>(r)), Wrap(cy, -static_cast<int64_t>(r)),
                        Wrap(cx, r), Wrap(cy, r), in.process.fore_color, in.process.back_color);
  return Flow::kTestEnd;
}

Flow PlotStatement(Interpreter& in) {
  in.process.pen_x = NextCoordinate(in);
  in.process.pen_y = NextCoordinate(in);
  return Flow::kTestEnd;
}

Flow DrawStatement(Interpreter& in) {
  const int x = NextCoordinate(in);
  const int y = NextCoordinate(in);
  in.canvas.DrawLine(in.process.pen_x, in.process.pen_y, x, y, in.process.fore_color);
  in.process.pen_x = x;
  in.process.pen_y = y;
  return Flow::kTestEnd;
}

// PRINT x, y, item: a plain variable or literal is printed directly; an expression must be
// in parentheses.
Flow PrintStatement(Interpreter& in) {
  const int x = NextCoordinate(in);
  const int y = NextCoordinate(in);
  NextToken(in);
  std::string& text = in.run->print_text;
  const size_t counted = text.size();
  ReadPrintItem(in, text);
  // Each run keeps its own last text, so nested handler runs could otherwise hold many long
  // texts that no limit sees.
  if (!CountStoredText(in.values, counted, text.size())) {
    (void)CountStoredText(in.values, counted, 0);
    text.clear();
    FailRun(in, msg::OutOfStringSpace());
  }
  in.canvas.DrawText(x, y, text, in.process.fore_color);
  in.platform.NoteText(x, y, text);
  return Flow::kTestEnd;
}

Flow SwapStatement(Interpreter& in) {
  in.platform.ShowCanvas(in.canvas);
  return Flow::kTestEnd;
}

}  // namespace brindle
