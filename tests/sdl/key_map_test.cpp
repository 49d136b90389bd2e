// SDL keys as Windows virtual-key codes.
#include "platform/sdl/key_map.h"

#include <gtest/gtest.h>

namespace brindle::testing {
namespace {

int Vk(SDL_Scancode scancode, SDL_Keycode sym, uint16_t mod = KMOD_NONE) {
  SDL_Keysym key{};
  key.scancode = scancode;
  key.sym = sym;
  key.mod = mod;
  return VirtualKeyOf(key);
}

// A key that types no character: SDL reports the scancode's own keycode.
int Named(SDL_Scancode scancode, uint16_t mod = KMOD_NONE) {
  return Vk(scancode, SDL_SCANCODE_TO_KEYCODE(scancode), mod);
}

TEST(KeyMap, LettersFollowTheLayoutAndEverythingElseThePosition) {
  EXPECT_EQ(Vk(SDL_SCANCODE_A, 'a'), 65);
  EXPECT_EQ(Vk(SDL_SCANCODE_Z, 'z'), 90);
  EXPECT_EQ(Vk(SDL_SCANCODE_A, 'q'), 'Q') << "AZERTY: the key where US has A types q";
  EXPECT_EQ(Vk(SDL_SCANCODE_A, 0x444), 'A') << "a Cyrillic letter: by position";
  EXPECT_EQ(Vk(SDL_SCANCODE_A, 'a', KMOD_SHIFT | KMOD_CAPS), 65) << "shift changes no code";
  EXPECT_EQ(Vk(SDL_SCANCODE_1, '&'), '1') << "AZERTY's digit row still gives the digits";
  EXPECT_EQ(Vk(SDL_SCANCODE_0, 0xE0), '0');
  EXPECT_EQ(Vk(SDL_SCANCODE_9, '9'), '9');
}

TEST(KeyMap, NamedKeys) {
  EXPECT_EQ(Vk(SDL_SCANCODE_RETURN, SDLK_RETURN), 13);
  EXPECT_EQ(Named(SDL_SCANCODE_KP_ENTER), 13);
  EXPECT_EQ(Vk(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE), 27);
  EXPECT_EQ(Vk(SDL_SCANCODE_SPACE, ' '), 32);
  EXPECT_EQ(Vk(SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE), 8);
  EXPECT_EQ(Vk(SDL_SCANCODE_TAB, SDLK_TAB), 9);
  EXPECT_EQ(Named(SDL_SCANCODE_LEFT), 37);
  EXPECT_EQ(Named(SDL_SCANCODE_UP), 38);
  EXPECT_EQ(Named(SDL_SCANCODE_RIGHT), 39);
  EXPECT_EQ(Named(SDL_SCANCODE_DOWN), 40);
  EXPECT_EQ(Named(SDL_SCANCODE_INSERT), 45);
  EXPECT_EQ(Vk(SDL_SCANCODE_DELETE, SDLK_DELETE), 46);
  EXPECT_EQ(Named(SDL_SCANCODE_HOME), 36);
  EXPECT_EQ(Named(SDL_SCANCODE_END), 35);
  EXPECT_EQ(Named(SDL_SCANCODE_PAGEUP), 33);
  EXPECT_EQ(Named(SDL_SCANCODE_PAGEDOWN), 34);
  EXPECT_EQ(Named(SDL_SCANCODE_F1), 112);
  EXPECT_EQ(Named(SDL_SCANCODE_F12), 123);
  EXPECT_EQ(Named(SDL_SCANCODE_F13), 124);
  EXPECT_EQ(Named(SDL_SCANCODE_CAPSLOCK), 20);
  EXPECT_EQ(Named(SDL_SCANCODE_MUTE), 0) << "a key Windows scripts never saw";
}

TEST(KeyMap, BothShiftsControlsAndAltsGiveTheSharedCodes) {
  EXPECT_EQ(Named(SDL_SCANCODE_LSHIFT), 16);
  EXPECT_EQ(Named(SDL_SCANCODE_RSHIFT), 16);
  EXPECT_EQ(Named(SDL_SCANCODE_LCTRL), 17);
  EXPECT_EQ(Named(SDL_SCANCODE_RCTRL), 17);
  EXPECT_EQ(Named(SDL_SCANCODE_LALT), 18);
  EXPECT_EQ(Named(SDL_SCANCODE_RALT), 18);
}

TEST(KeyMap, PunctuationByTheUsLayoutsOemCodes) {
  EXPECT_EQ(Vk(SDL_SCANCODE_SEMICOLON, ';'), 186);
  EXPECT_EQ(Vk(SDL_SCANCODE_EQUALS, '='), 187);
  EXPECT_EQ(Vk(SDL_SCANCODE_COMMA, ','), 188);
  EXPECT_EQ(Vk(SDL_SCANCODE_MINUS, '-'), 189);
  EXPECT_EQ(Vk(SDL_SCANCODE_PERIOD, '.'), 190);
  EXPECT_EQ(Vk(SDL_SCANCODE_SLASH, '/'), 191);
  EXPECT_EQ(Vk(SDL_SCANCODE_GRAVE, '`'), 192);
  EXPECT_EQ(Vk(SDL_SCANCODE_LEFTBRACKET, '['), 219);
  EXPECT_EQ(Vk(SDL_SCANCODE_BACKSLASH, '\\'), 220);
  EXPECT_EQ(Vk(SDL_SCANCODE_RIGHTBRACKET, ']'), 221);
  EXPECT_EQ(Vk(SDL_SCANCODE_APOSTROPHE, '\''), 222);
  EXPECT_EQ(Vk(SDL_SCANCODE_NONUSBACKSLASH, '<'), 226);
  EXPECT_EQ(Vk(SDL_SCANCODE_MINUS, 0xDF), 189) << "German sharp s, on the US minus key";
}

TEST(KeyMap, TheKeypadTypesDigitsOnlyWithNumLock) {
  const SDL_Scancode digits[] = {SDL_SCANCODE_KP_0, SDL_SCANCODE_KP_1, SDL_SCANCODE_KP_2,
                                 SDL_SCANCODE_KP_3, SDL_SCANCODE_KP_4, SDL_SCANCODE_KP_5,
                                 SDL_SCANCODE_KP_6, SDL_SCANCODE_KP_7, SDL_SCANCODE_KP_8,
                                 SDL_SCANCODE_KP_9};
  const int without[] = {45, 35, 40, 34, 37, 12, 39, 36, 38, 33};
  for (int d = 0; d < 10; ++d) {
    EXPECT_EQ(Named(digits[d], KMOD_NUM), 96 + d) << d;
    EXPECT_EQ(Named(digits[d]), without[d]) << d;
  }
  EXPECT_EQ(Named(SDL_SCANCODE_KP_PERIOD, KMOD_NUM), 110);
  EXPECT_EQ(Named(SDL_SCANCODE_KP_PERIOD), 46);
  for (const uint16_t mod : {KMOD_NONE, KMOD_NUM}) {
    EXPECT_EQ(Named(SDL_SCANCODE_KP_MULTIPLY, mod), 106);
    EXPECT_EQ(Named(SDL_SCANCODE_KP_PLUS, mod), 107);
    EXPECT_EQ(Named(SDL_SCANCODE_KP_MINUS, mod), 109);
    EXPECT_EQ(Named(SDL_SCANCODE_KP_DIVIDE, mod), 111);
  }
}

}  // namespace
}  // namespace brindle::testing
