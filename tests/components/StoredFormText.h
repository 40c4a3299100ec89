// Stored window descriptions as text, in the classic form-file notation:
//
//   object frmAbout: TfrmCLAboutForm
//     Caption = 'About'                       string ('' for a quote, #13#10 codes)
//     Width = 420                             integer
//     Visible = False                         identifier: booleans, enumerations,
//     SkinData = skd1                           references to components
//     object lbInfo: TskLabel                 a component placed on frmAbout
//       Lines = ('first line' 'second line')  string list
//     end
//     object pngStore: TPngImageStore
//       PngImages = <
//         item
//           Name = 'clear'
//         end>                                collection items
//     end
//   end
//
// Every object is owned by the root (the outermost object); nesting records the
// parent. Comments run from "//" to the end of a line.
//
// Only the tests describe windows in this notation; the program builds its
// windows in code.
#pragma once

#include <string>
#include <string_view>

#include "components/StoredForm.h"

namespace tallow {

/// Parses a stored description. False with `error` ("line N: ...") when malformed.
bool ParseStoredForm(std::string_view text, StoredForm& out, std::string& error);

/// Parses `text` and loads it into `root` (see LoadComponentTree). A text that
/// cannot be parsed loads nothing and gives one error.
LoadResult LoadComponentTreeFromText(TComponent& root,
                                     std::string_view text,
                                     const ClassRegistry& registry = GlobalClassRegistry());

}  // namespace tallow
