#pragma once
// Keys as the keyboard rules name them: the Windows virtual-key codes, and a
// key press with its modifiers. The toolkit's keys are translated into these
// once (ui/QtKeys); the editing and calculator logic read only these.
namespace tessel {

namespace vk {
constexpr int Back = 8, Tab = 9, Return = 13, Shift = 16, Control = 17, Menu = 18, Space = 32, Left = 37, Up = 38,
              Right = 39, Down = 40, Digit0 = 48, Numpad0 = 96, Multiply = 106, Add = 107, Subtract = 109,
              Decimal = 110, Divide = 111, Oem1 = 186, OemPlus = 187, OemMinus = 189, OemPeriod = 190, Oem2 = 191;
}

struct KeyStroke {
    int key = 0;          // virtual-key code
    bool shift = false;   // Shift as a US keyboard would hold it for this key, and no other modifier
    bool ctrl = false;
    bool alt = false;
};

} // namespace tessel
