// Class name -> factory, for building components from stored descriptions.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "components/Component.h"

namespace tallow {

class ClassRegistry {
  public:
    /// Creates a component of the class, owned by `owner`.
    using Factory = std::function<TComponent*(TComponent* owner)>;

    /// Registers (or replaces) the factory of `className`.
    void Register(const std::string& className, Factory factory);
    /// Registers `T`, which declares its class with TALLOW_CLASS and has a T(TComponent*) constructor.
    template <class T>
    void Register() {
        Register(std::string(T::StaticClassName()), [](TComponent* owner) -> TComponent* { return new T(owner); });
    }

    bool Contains(std::string_view className) const;
    /// A new component of `className` (any letter case) owned by `owner`, or nullptr
    /// for an unknown class.
    TComponent* Create(std::string_view className, TComponent* owner) const;

  private:
    std::map<std::string, Factory> factories_;  // by lower-case class name
};

/// The process-wide registry: each library registers its classes in it through its
/// own registration function (e.g. the toolkit's), called before windows are built.
ClassRegistry& GlobalClassRegistry();

}  // namespace tallow
