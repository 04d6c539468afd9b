#pragma once

// A key as Qt codes it in one int: the key code OR'ed with modifier bits.
struct QtChord
{
    unsigned modifiers; // kModCtrl and the others
    unsigned keysym;    // 0 when the key has no keysym
};

QtChord ChordFromQt(int qtKey);
