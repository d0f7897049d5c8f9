#pragma once
// The one translation of the toolkit's key events into the keyboard rules'
// virtual keys (platform/VirtualKeys).
#include <Qt>

#include "platform/VirtualKeys.h"

namespace tessel {

// Keypad keys get the keypad's codes. Qt reports the character a key makes;
// "*" and "+" stand for the keys a US keyboard makes them with, Shift held, so
// that they act on any layout. Punctuation, letters of other alphabets and the
// rest become VK_OEM_1, which stands for them all: Qt's codes of some signs
// ('%' is 37) would otherwise read as arrows.
KeyStroke KeyStrokeOf(int qtKey, Qt::KeyboardModifiers modifiers);

} // namespace tessel
