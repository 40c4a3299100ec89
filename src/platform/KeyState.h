// The keyboard's state at this moment.
#pragma once

namespace tallow {

enum class Key { Control, Shift };

class IKeyState {
  public:
    virtual ~IKeyState() = default;
    /// True when the high bit of the key's current state is set (held down).
    virtual bool IsDown(Key key) const = 0;
};

}  // namespace tallow
