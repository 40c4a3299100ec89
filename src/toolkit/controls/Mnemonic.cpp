#include "toolkit/controls/Mnemonic.h"

namespace tallow {

char ToUpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

TMnemonic ParseMnemonic(std::string_view caption) {
    TMnemonic m;
    for (size_t i = 0; i < caption.size(); ++i) {
        char c = caption[i];
        if (c != '&') {
            m.Text += c;
            continue;
        }
        if (i + 1 >= caption.size())
            break;
        char next = caption[++i];
        if (next != '&' && m.Key == 0) {
            m.Key = next;
            m.Position = int(m.Text.size());
        }
        m.Text += next;
    }
    return m;
}

}  // namespace tallow
