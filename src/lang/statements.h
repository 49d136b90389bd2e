// The table of keywords: one entry a keyword, statements, functions and declarations alike,
// with every fact the interpreter, the checks, the lint and the editors know of it. Every table
// kept by keyword is made from this list (keywords.h, keyword_roles.h, the executor's dispatch,
// the evaluator's functions, the pre-checks, the lint's argument counts and plain numbers, the
// regions' forms), so adding a keyword is one entry here and its code.
//
// X(NAME, code, role, counter, statement, function, check, caption, arity, arguments, compiled,
//   plain_from, plain_count)
//   NAME       the keyword as scripts write it, in capitals; KW_NAME names its code
//   code       its token kind; fixed for good, since token listings and dumps show it
//   role       a KeywordRole without its k: how editors colour it, and whether it ends a check
//   counter    a BlockCounter without its k: which block count it adds to
//   statement  the executor's function for it (src/exec/statements.h), or NoStatement when
//              it begins no statement, so that reaching it lets a pending window event through
//   function   what a function of one number computes (src/expr/vm.cpp), or NoFunction
//   check      the pre-check of its arguments' tokens (src/prepass/checks.cpp), or None
//   caption    the caption of the pre-check's message box, "" without a check of rows
//   arity      how many arguments the lint expects it to have, or kUncounted
//   arguments  what the lint's warning calls those arguments
//   compiled   what a region makes of it (src/exec/region_compile.cpp, Compile<compiled>):
//              an operation of the region's own, Statement for a call of its function, or
//              None when it begins no statement
//   plain_from, plain_count
//              where its plain numbers start (the token after the keyword is 1, and they are
//              every other token from there) and how many there are: each is one number or one
//              VAR variable, read as it stands; 0, 0 for a statement without them
//
// The order is the order of classification and of the keyword reference: where two keywords
// could both answer (a misspelt name, an editor's pattern), the earlier one does.
#pragma once

// clang-format off
#define BRINDLE_STATEMENTS(X) \
  X(IF,       0x23, Control,     If,     IfStatement,        NoFunction,     If,            "ERROR~IF",      kUncounted, "", If, 0, 0) \
  X(ELSE,     0x24, Control,     None,   ElseStatement,      NoFunction,     None,          "",              kUncounted, "", Else, 0, 0) \
  X(ENDIF,    0x25, Control,     Endif,  NoStatement,        NoFunction,     None,          "",              kUncounted, "", None, 0, 0) \
  X(WHILE,    0x26, Control,     While,  WhileStatement,     NoFunction,     While,         "ERROR~WHILE",   kUncounted, "", While, 0, 0) \
  X(WEND,     0x27, Control,     Wend,   WendStatement,      NoFunction,     None,          "",              kUncounted, "", Wend, 0, 0) \
  X(FOR,      0x28, Control,     None,   NoStatement,        NoFunction,     None,          "",              kUncounted, "", None, 0, 0) \
  X(TO,       0x29, Control,     None,   NoStatement,        NoFunction,     None,          "",              kUncounted, "", None, 0, 0) \
  X(STEP,     0x2a, Control,     None,   NoStatement,        NoFunction,     None,          "",              kUncounted, "", None, 0, 0) \
  X(NEXT,     0x2b, Control,     None,   NoStatement,        NoFunction,     None,          "",              kUncounted, "", None, 0, 0) \
  X(PRINT,    0x2c, Statement,   None,   PrintStatement,     NoFunction,     FirstArgument, "ERROR~print",   3,          "x, y and what to print", Statement, 0, 0) \
  X(STRS,     0x2d, Function,    None,   NoStatement,        NoFunction,     Strs,          "ERROR~STRS",    kUncounted, "", None, 0, 0) \
  X(VAL,      0x2e, Function,    None,   NoStatement,        NoFunction,     None,          "",              kUncounted, "", None, 0, 0) \
  X(LABEL,    0x2f, Control,     None,   NoStatement,        NoFunction,     None,          "",              kUncounted, "", None, 0, 0) \
  X(GOTO,     0x30, Control,     None,   GotoStatement,      NoFunction,     GotoTarget,    "",              kUncounted, "", Goto, 0, 0) \
  X(WCOLOR,   0x33, Statement,   None,   WColorStatement,    NoFunction,     Color,         "ERR~WCOLOR",    kUncounted, "", Statement, 1, 3) \
  X(FCOLOR,   0x37, Statement,   None,   FColorStatement,    NoFunction,     Color,         "ERR~FCOLOR",    kUncounted, "", Statement, 1, 3) \
  X(BCOLOR,   0x38, Statement,   None,   BColorStatement,    NoFunction,     Color,         "ERR~BCOLOR",    kUncounted, "", Statement, 1, 3) \
  X(PSET,     0x31, Statement,   None,   PsetStatement,      NoFunction,     FirstArgument, "ERROR~PSET",    2,          "x and y", Pset, 0, 0) \
  X(CIRCLE,   0x39, Statement,   None,   CircleStatement,    NoFunction,     None,          "",              3,          "x, y and the radius", Statement, 0, 0) \
  X(RECT,     0x3a, Statement,   None,   RectStatement,      NoFunction,     Rect,          "ERROR~RECT",    kUncounted, "", Statement, 1, 4) \
  X(LINE,     0x3b, Statement,   None,   LineStatement,      NoFunction,     FirstArgument, "ERROR~LINE",    4,          "x1, y1, x2 and y2", Statement, 0, 0) \
  X(RND,      0x32, Function,    None,   NoStatement,        RandomFraction, Call,          "ERROR~RND",     kUncounted, "", None, 0, 0) \
  X(SIN,      0x34, Function,    None,   NoStatement,        Sine,           Call,          "ERROR~SIN",     kUncounted, "", None, 0, 0) \
  X(COS,      0x35, Function,    None,   NoStatement,        Cosine,         Call,          "ERROR~COS",     kUncounted, "", None, 0, 0) \
  X(TAN,      0x36, Function,    None,   NoStatement,        Tangent,        Call,          "ERROR~TAN",     kUncounted, "", None, 0, 0) \
  X(SWAP,     0x3c, Statement,   None,   SwapStatement,      NoFunction,     None,          "",              kUncounted, "", Statement, 0, 0) \
  X(RAND,     0x3d, Function,    None,   NoStatement,        RandomUpTo,     Call,          "ERROR~RAND",    kUncounted, "", None, 0, 0) \
  X(ABS,      0x3e, Function,    None,   NoStatement,        Absolute,       None,          "",              kUncounted, "", None, 0, 0) \
  X(ATAN,     0x3f, Function,    None,   NoStatement,        ArcTangent,     None,          "",              kUncounted, "", None, 0, 0) \
  X(SQR,      0x40, Function,    None,   NoStatement,        SquareRoot,     None,          "",              kUncounted, "", None, 0, 0) \
  X(LOG,      0x41, Function,    None,   NoStatement,        NaturalLog,     None,          "",              kUncounted, "", None, 0, 0) \
  X(ROUND,    0x42, Function,    None,   NoStatement,        RoundToEven,    None,          "",              kUncounted, "", None, 0, 0) \
  X(INT,      0x43, Function,    None,   NoStatement,        IntegerPart,    None,          "",              kUncounted, "", None, 0, 0) \
  X(FUNC,     0x44, Control,     Func,   FuncStatement,      NoFunction,     None,          "",              kUncounted, "", Statement, 0, 0) \
  X(ENDFN,    0x45, Control,     Endfn,  EndFnStatement,     NoFunction,     None,          "",              kUncounted, "", EndFn, 0, 0) \
  X(FRAC,     0x46, Function,    None,   NoStatement,        FractionPart,   None,          "",              kUncounted, "", None, 0, 0) \
  X(WINMSG,   0x47, Control,     Winmsg, NoStatement,        NoFunction,     Handler,       "",              kUncounted, "", None, 0, 0) \
  X(ENDWM,    0x48, Control,     Endwm,  EndOfHandler,       NoFunction,     None,          "",              kUncounted, "", Statement, 0, 0) \
  X(MOUSEX,   0x49, Statement,   None,   MouseXStatement,    NoFunction,     EventValue,    "ERROR~MOUSEX",  kUncounted, "", Statement, 0, 0) \
  X(MOUSEY,   0x4a, Statement,   None,   MouseYStatement,    NoFunction,     EventValue,    "ERROR~MOUSEY",  kUncounted, "", Statement, 0, 0) \
  X(HWPARAM,  0x4b, Statement,   None,   HwParamStatement,   NoFunction,     EventValue,    "ERROR~HWPARAM", kUncounted, "", Statement, 0, 0) \
  X(HLPARAM,  0x4c, Statement,   None,   NoStatement,        NoFunction,     EventValue,    "ERROR~HLPARAM", kUncounted, "", None, 0, 0) \
  X(GETTICK,  0x4d, Statement,   None,   GetTickStatement,   NoFunction,     None,          "",              kUncounted, "", Statement, 0, 0) \
  X(LOADIMG,  0x5b, Statement,   None,   LoadImageStatement, NoFunction,     LoadImage,     "ERR-LoadImg",   kUncounted, "", Statement, 5, 4) \
  X(SHOWIMG,  0x5c, Statement,   None,   ShowImageStatement, NoFunction,     ShowImage,     "ERR-ShowImg",   kUncounted, "", Statement, 3, 4) \
  X(SHOWIMGT, 0x5d, Statement,   None,   ShowImageTransparentStatement, NoFunction, None,   "",              kUncounted, "", Statement, 3, 4) \
  X(MSTR,     0x64, Function,    None,   NoStatement,        NoFunction,     None,          "",              kUncounted, "", None, 0, 0) \
  X(LSTR,     0x65, Function,    None,   NoStatement,        NoFunction,     None,          "",              kUncounted, "", None, 0, 0) \
  X(RSTR,     0x66, Function,    None,   NoStatement,        NoFunction,     None,          "",              kUncounted, "", None, 0, 0) \
  X(CHRS,     0x67, Function,    None,   NoStatement,        NoFunction,     None,          "",              kUncounted, "", None, 0, 0) \
  X(TIMERON,  0x68, Statement,   None,   TimerOnStatement,   NoFunction,     None,          "",              kUncounted, "", Statement, 0, 0) \
  X(TIMEROFF, 0x69, Statement,   None,   TimerOffStatement,  NoFunction,     None,          "",              kUncounted, "", Statement, 0, 0) \
  X(PLOT,     0x6a, Statement,   None,   PlotStatement,      NoFunction,     None,          "",              2,          "x and y", Statement, 0, 0) \
  X(DRAW,     0x6b, Statement,   None,   DrawStatement,      NoFunction,     None,          "",              2,          "x and y", Statement, 0, 0) \
  X(INPUTBOX, 0x6e, Statement,   None,   InputBoxStatement,  NoFunction,     None,          "",              kUncounted, "", Statement, 0, 0) \
  X(SETTEXT,  0x6f, Statement,   None,   SetTextStatement,   NoFunction,     None,          "",              kUncounted, "", Statement, 0, 0) \
  X(GETTEXT,  0x70, Statement,   None,   GetTextStatement,   NoFunction,     None,          "",              kUncounted, "", Statement, 0, 0) \
  X(SETFOCUS, 0x71, Statement,   None,   SetFocusStatement,  NoFunction,     None,          "",              kUncounted, "", Statement, 0, 0) \
  X(VAR,      0x21, Declaration, None,   SkipDeclaration,    NoFunction,     None,          "",              kUncounted, "", Statement, 0, 0) \
  X(STR,      0x20, Declaration, None,   SkipDeclaration,    NoFunction,     None,          "",              kUncounted, "", Statement, 0, 0) \
  X(PTR,      0x22, Declaration, None,   NoStatement,        NoFunction,     None,          "",              kUncounted, "", None, 0, 0)
// clang-format on
