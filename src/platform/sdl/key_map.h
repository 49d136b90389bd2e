// SDL key events as the Windows virtual-key codes scripts read with HWPARAM.
#pragma once

#include <SDL_keyboard.h>

namespace brindle {

// The virtual-key code of a key, 0 for a key that has none. Letters follow the keyboard layout
// (as Windows does); every other key goes by its position on a US keyboard. Without Num Lock
// the keypad gives the navigation keys printed on it.
int VirtualKeyOf(const SDL_Keysym& key);

}  // namespace brindle
