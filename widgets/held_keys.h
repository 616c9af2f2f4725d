#pragma once

#include <functional>

class QKeyEvent;

// Whether the key of a release event is in fact still held down. Some window systems report a
// held key's auto-repeat as a release followed by a press, and the toolkit does not always
// recognise the pair: asking the window system for the key's state tells such a release from
// a real one. Where it cannot be asked (no X11 display), a key is taken as released.
bool KeyStillHeld(const QKeyEvent& release);

// Replaces the window system's answer while it exists, for tests.
class HeldKeysOverride
{
public:
    explicit HeldKeysOverride(std::function<bool(const QKeyEvent&)> held);
    ~HeldKeysOverride();
    HeldKeysOverride(const HeldKeysOverride&) = delete;
    HeldKeysOverride& operator=(const HeldKeysOverride&) = delete;

private:
    std::function<bool(const QKeyEvent&)> previous_;
};
