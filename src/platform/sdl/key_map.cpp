#include "platform/sdl/key_map.h"

namespace brindle {
namespace {

struct KeyCode {
  SDL_Scancode scancode;
  int virtual_key;
};

// Keys that are not in a run of codes, the punctuation by the US layout's VK_OEM codes.
constexpr KeyCode kKeyCodes[] = {
    {SDL_SCANCODE_0, '0'},           {SDL_SCANCODE_RETURN, 13},
    {SDL_SCANCODE_KP_ENTER, 13},     {SDL_SCANCODE_ESCAPE, 27},
    {SDL_SCANCODE_BACKSPACE, 8},     {SDL_SCANCODE_TAB, 9},
    {SDL_SCANCODE_SPACE, 32},        {SDL_SCANCODE_LSHIFT, 16},
    {SDL_SCANCODE_RSHIFT, 16},       {SDL_SCANCODE_LCTRL, 17},
    {SDL_SCANCODE_RCTRL, 17},        {SDL_SCANCODE_LALT, 18},
    {SDL_SCANCODE_RALT, 18},         {SDL_SCANCODE_PAUSE, 19},
    {SDL_SCANCODE_CAPSLOCK, 20},     {SDL_SCANCODE_PAGEUP, 33},
    {SDL_SCANCODE_PAGEDOWN, 34},     {SDL_SCANCODE_END, 35},
    {SDL_SCANCODE_HOME, 36},         {SDL_SCANCODE_LEFT, 37},
    {SDL_SCANCODE_UP, 38},           {SDL_SCANCODE_RIGHT, 39},
    {SDL_SCANCODE_DOWN, 40},         {SDL_SCANCODE_PRINTSCREEN, 44},
    {SDL_SCANCODE_INSERT, 45},       {SDL_SCANCODE_DELETE, 46},
    {SDL_SCANCODE_LGUI, 91},         {SDL_SCANCODE_RGUI, 92},
    {SDL_SCANCODE_APPLICATION, 93},  {SDL_SCANCODE_KP_MULTIPLY, 106},
    {SDL_SCANCODE_KP_PLUS, 107},     {SDL_SCANCODE_KP_MINUS, 109},
    {SDL_SCANCODE_KP_DIVIDE, 111},   {SDL_SCANCODE_NUMLOCKCLEAR, 144},
    {SDL_SCANCODE_SCROLLLOCK, 145},  {SDL_SCANCODE_SEMICOLON, 186},
    {SDL_SCANCODE_EQUALS, 187},      {SDL_SCANCODE_COMMA, 188},
    {SDL_SCANCODE_MINUS, 189},       {SDL_SCANCODE_PERIOD, 190},
    {SDL_SCANCODE_SLASH, 191},       {SDL_SCANCODE_GRAVE, 192},
    {SDL_SCANCODE_LEFTBRACKET, 219}, {SDL_SCANCODE_BACKSLASH, 220},
    {SDL_SCANCODE_NONUSHASH, 220},   {SDL_SCANCODE_RIGHTBRACKET, 221},
    {SDL_SCANCODE_APOSTROPHE, 222},  {SDL_SCANCODE_NONUSBACKSLASH, 226},
};

// Keys whose code does not depend on Num Lock or the layout.
int VirtualKeyOfPosition(SDL_Scancode scancode) {
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
    return 'A' + (scancode - SDL_SCANCODE_A);
  }
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) {
    return '1' + (scancode - SDL_SCANCODE_1);
  }
  if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12) {
    return 112 + (scancode - SDL_SCANCODE_F1);
  }
  if (scancode >= SDL_SCANCODE_F13 && scancode <= SDL_SCANCODE_F24) {
    return 124 + (scancode - SDL_SCANCODE_F13);
  }
  for (const KeyCode& k : kKeyCodes) {
    if (k.scancode == scancode) return k.virtual_key;
  }
  return 0;
}

// The keypad's digits and point: 96-105 and 110 with Num Lock, else the keys printed under them.
int VirtualKeyOfKeypad(SDL_Scancode scancode, bool num_lock) {
  // Indexed by digit; the point comes last.
  static constexpr int kWithNumLock[11] = {96, 97, 98, 99, 100, 101, 102, 103, 104, 105, 110};
  static constexpr int kWithout[11] = {45, 35, 40, 34, 37, 12, 39, 36, 38, 33, 46};
  int index;
  if (scancode == SDL_SCANCODE_KP_0) {
    index = 0;
  } else if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9) {
    index = 1 + (scancode - SDL_SCANCODE_KP_1);
  } else if (scancode == SDL_SCANCODE_KP_PERIOD) {
    index = 10;
  } else {
    return 0;
  }
  return num_lock ? kWithNumLock[index] : kWithout[index];
}

}  // namespace

int VirtualKeyOf(const SDL_Keysym& key) {
  if (key.sym >= 'a' && key.sym <= 'z') return key.sym - 'a' + 'A';
  if (const int keypad = VirtualKeyOfKeypad(key.scancode, (key.mod & KMOD_NUM) != 0)) {
    return keypad;
  }
  return VirtualKeyOfPosition(key.scancode);
}

}  // namespace brindle
