// TskResourceStrData: the toolkit's own texts (dialog buttons, captions, menu items)
// as a name=text list that a language can extend ("SkinRes" section).
#pragma once

#include <string>
#include <string_view>

#include "components/Component.h"
#include "components/Strings.h"

namespace tallow {

class TskResourceStrData : public TComponent {
    TALLOW_CLASS(TskResourceStrData, TComponent)

    /// Starts with the default texts (DefaultResourceStrings).
    explicit TskResourceStrData(TComponent* owner);

    TStrings* ResStrings() { return &resStrings_; }
    const TStrings& ResStrings() const { return resStrings_; }

    /// The text named `name` (any letter case) from ResStrings; when the list has no
    /// such line, the default text; "" for a name the toolkit does not know.
    std::string Text(std::string_view name) const;

    void PublishProperties(PropertyList& out) override;

  private:
    TStrings resStrings_;
};

/// The toolkit's default texts as name=text lines, CR LF separated.
const char* DefaultResourceStrings();

}  // namespace tallow
