// The root of the component model: objects with a class name, a "derived from"
// test by class name, and a table of published properties.
//
// A class declares its published properties once, in `PublishProperties`, with the
// helpers of `PropertyList` (base class first, then its own). The same table serves
// the stored window description (values assigned by property name) and the language
// applier (string properties found by kind and declared type name).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace tallow {

class PropertyList;

namespace detail {
// The class of a member pointer (`&TButton::Caption` gives TButton); void otherwise.
template <class M>
struct MemberClassOf {
    using type = void;
};
template <class R, class C>
struct MemberClassOf<R C::*> {
    using type = C;
};
// The explicitly given class `T`, else the class of the getter `Get`.
template <class T, class Get>
using TargetClass = std::conditional_t<std::is_void_v<T>, typename MemberClassOf<Get>::type, T>;
}  // namespace detail

class TPersistent {
  public:
    TPersistent() = default;
    TPersistent(const TPersistent&) = delete;
    TPersistent& operator=(const TPersistent&) = delete;
    virtual ~TPersistent() = default;

    /// The class name, e.g. "TStrings" (exact letter case).
    virtual std::string_view ClassName() const { return "TPersistent"; }
    /// True for the class itself and each of its base classes, by exact class name.
    virtual bool InheritsFrom(std::string_view className) const { return className == "TPersistent"; }

    /// Adds the published properties of this object to `out`. Overrides call the
    /// base class first, then add their own, in declaration order.
    virtual void PublishProperties(PropertyList& out) { (void)out; }
};

// Declares ClassName and InheritsFrom for `Class` derived from `Base`. Put it first
// in the class body; it leaves the access at public.
#define TALLOW_CLASS(Class, Base)                                    \
  public:                                                            \
    static constexpr std::string_view StaticClassName() {            \
        return #Class;                                               \
    }                                                                \
    std::string_view ClassName() const override {                    \
        return #Class;                                               \
    }                                                                \
    bool InheritsFrom(std::string_view className) const override {   \
        return className == #Class || Base::InheritsFrom(className); \
    }

enum class PropKind { ShortString, LongString, WideString, Object, Integer, Boolean, Other };

/// One published property of one object, with accessors bound to that object.
/// A PropInfo is valid while the object it was taken from lives.
struct PropInfo {
    std::string name;
    PropKind kind = PropKind::Other;
    std::string typeName;  // declared type, e.g. "TCaption", "TStrings", "TComponentName"

    bool IsStringKind() const;
    bool IsReadOnly() const;

    // String kinds. GetString of another kind gives "" and SetString fails.
    std::string GetString() const;
    bool SetString(const std::string& value) const;

    // Object kind. SetObject fails for a read-only property or an object of the wrong class.
    TPersistent* GetObject() const;
    bool SetObject(TPersistent* value) const;

    // Any kind except Object: the value as stored text ("12", "True", "abc").
    // SetText fails for text that does not fit the kind (e.g. "x" for an Integer).
    std::string GetText() const;
    bool SetText(const std::string& text) const;

    // Bound accessors, filled by PropertyList. An empty setter means read-only.
    std::function<std::string()> getText;
    std::function<bool(const std::string&)> setText;
    std::function<TPersistent*()> getObject;
    std::function<bool(TPersistent*)> setObject;
};

/// Collects the published properties of one object (`self`). The helpers take
/// member function pointers of the class that declares the property, e.g.
///     out.String("Caption", "TCaption", &TButton::Caption, &TButton::SetCaption);
/// or any callables taking the object, with the class given explicitly:
///     out.Integer<TGauge>("Max", "Integer", [](TGauge& g) {...}, [](TGauge& g, int v) {...});
/// A `nullptr` setter makes the property read-only.
class PropertyList {
  public:
    explicit PropertyList(TPersistent& self) : self_(self) {}

    template <class T = void, class Get, class Set>
    void String(std::string name, std::string typeName, Get get, Set set, PropKind kind = PropKind::LongString) {
        auto& obj = Self<detail::TargetClass<T, Get>>();
        PropInfo p = Make(std::move(name), kind, std::move(typeName));
        p.getText = [&obj, get] { return std::string(std::invoke(get, obj)); };
        if constexpr (!std::is_null_pointer_v<Set>)
            p.setText = [&obj, set](const std::string& v) { return Invoke(set, obj, v); };
        props_.push_back(std::move(p));
    }

    template <class T = void, class Get, class Set>
    void Integer(std::string name, std::string typeName, Get get, Set set) {
        auto& obj = Self<detail::TargetClass<T, Get>>();
        PropInfo p = Make(std::move(name), PropKind::Integer, std::move(typeName));
        p.getText = [&obj, get] { return std::to_string(static_cast<long long>(std::invoke(get, obj))); };
        if constexpr (!std::is_null_pointer_v<Set>) {
            p.setText = [&obj, set](const std::string& v) {
                int value = 0;
                return ParseInteger(v, value) && Invoke(set, obj, value);
            };
        }
        props_.push_back(std::move(p));
    }

    template <class T = void, class Get, class Set>
    void Boolean(std::string name, Get get, Set set) {
        auto& obj = Self<detail::TargetClass<T, Get>>();
        PropInfo p = Make(std::move(name), PropKind::Boolean, "Boolean");
        p.getText = [&obj, get] { return std::string(std::invoke(get, obj) ? "True" : "False"); };
        if constexpr (!std::is_null_pointer_v<Set>) {
            p.setText = [&obj, set](const std::string& v) {
                bool value = false;
                return ParseBoolean(v, value) && Invoke(set, obj, value);
            };
        }
        props_.push_back(std::move(p));
    }

    /// An object reference or an owned sub-object (string list, collection, font...).
    /// `V` is the declared class; `get` returns V*, `set` takes V* (nullptr allowed).
    template <class V, class T = void, class Get, class Set>
    void Object(std::string name, std::string typeName, Get get, Set set) {
        auto& obj = Self<detail::TargetClass<T, Get>>();
        PropInfo p = Make(std::move(name), PropKind::Object, std::move(typeName));
        p.getObject = [&obj, get]() -> TPersistent* { return std::invoke(get, obj); };
        if constexpr (!std::is_null_pointer_v<Set>) {
            p.setObject = [&obj, set](TPersistent* v) {
                V* typed = dynamic_cast<V*>(v);
                if (v != nullptr && typed == nullptr)
                    return false;
                return Invoke(set, obj, typed);
            };
        }
        props_.push_back(std::move(p));
    }

    /// Any other kind (enumerations, sets, events), read and written as text.
    template <class T = void, class Get, class Set>
    void Other(std::string name, std::string typeName, Get get, Set set) {
        auto& obj = Self<detail::TargetClass<T, Get>>();
        PropInfo p = Make(std::move(name), PropKind::Other, std::move(typeName));
        p.getText = [&obj, get] { return std::string(std::invoke(get, obj)); };
        if constexpr (!std::is_null_pointer_v<Set>)
            p.setText = [&obj, set](const std::string& v) { return Invoke(set, obj, v); };
        props_.push_back(std::move(p));
    }

    std::vector<PropInfo> Take() { return std::move(props_); }

    static bool ParseInteger(const std::string& text, int& value);
    static bool ParseBoolean(const std::string& text, bool& value);

  private:
    template <class T>
    T& Self() {
        static_assert(!std::is_void_v<T>, "give the class explicitly for callables that are not member pointers");
        return dynamic_cast<T&>(self_);  // throws std::bad_cast on a misdeclared table
    }

    static PropInfo Make(std::string name, PropKind kind, std::string typeName) {
        PropInfo p;
        p.name = std::move(name);
        p.kind = kind;
        p.typeName = std::move(typeName);
        return p;
    }

    // Calls a setter; setters returning void count as success.
    template <class Set, class T, class V>
    static bool Invoke(const Set& set, T& obj, V&& value) {
        if constexpr (std::is_void_v<std::invoke_result_t<const Set&, T&, V>>) {
            std::invoke(set, obj, std::forward<V>(value));
            return true;
        } else {
            return static_cast<bool>(std::invoke(set, obj, std::forward<V>(value)));
        }
    }

    TPersistent& self_;
    std::vector<PropInfo> props_;
};

/// The published properties of `obj`: in declaration order (base class first), or
/// sorted by name without regard to letter case.
std::vector<PropInfo> GetPropList(TPersistent& obj, bool sortedByName);

/// The published property `name` of `obj` (any letter case); a PropInfo with an
/// empty name when there is none.
PropInfo FindProp(TPersistent& obj, std::string_view name);

}  // namespace tallow
