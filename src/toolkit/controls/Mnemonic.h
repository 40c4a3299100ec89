// "&" mnemonics in captions: "&Yes" shows "Yes" with Y underlined and answers Alt+Y;
// "&&" is a literal ampersand.
#pragma once

#include <string>
#include <string_view>

namespace tallow {

struct TMnemonic {
    std::string Text;   // the caption as shown, ampersands resolved
    char Key = 0;       // the mnemonic character, 0 when there is none
    int Position = -1;  // index of the underlined character in Text
};

// The first single "&" followed by a character marks the mnemonic; a trailing "&" is dropped.
TMnemonic ParseMnemonic(std::string_view caption);

char ToUpperAscii(char c);

}  // namespace tallow
