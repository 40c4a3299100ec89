#include "StoredFormText.h"

#include <cctype>
#include <stdexcept>

#include "components/TextCase.h"

namespace tallow {

namespace {

enum class Tok { End, Ident, String, Number, Symbol };

struct Token {
    Tok kind = Tok::End;
    std::string text;
    int line = 1;
};

class ParseError : public std::runtime_error {
  public:
    ParseError(int line, const std::string& what) : std::runtime_error("line " + std::to_string(line) + ": " + what) {}
};

// Splits the text into identifiers, strings, numbers and the symbols = : ( ) < >.
class Lexer {
  public:
    explicit Lexer(std::string_view text) : text_(text) {}

    Token Next() {
        SkipBlanks();
        Token t;
        t.line = line_;
        if (pos_ >= text_.size())
            return t;
        const char c = text_[pos_];
        if (IsIdentStart(c)) {
            t.kind = Tok::Ident;
            while (pos_ < text_.size() && (IsIdentStart(text_[pos_]) || IsDigit(text_[pos_]) || text_[pos_] == '.'))
                t.text += text_[pos_++];
        } else if (IsDigit(c) || ((c == '-' || c == '+') && pos_ + 1 < text_.size() && IsDigit(text_[pos_ + 1]))) {
            t.kind = Tok::Number;
            t.text += text_[pos_++];
            while (pos_ < text_.size() && IsDigit(text_[pos_]))
                t.text += text_[pos_++];
        } else if (c == '\'' || c == '#') {
            t.kind = Tok::String;
            t.text = ReadString();
        } else if (std::string_view("=:()<>").find(c) != std::string_view::npos) {
            t.kind = Tok::Symbol;
            t.text = std::string(1, c);
            ++pos_;
        } else {
            throw ParseError(line_, std::string("unexpected character '") + c + "'");
        }
        return t;
    }

  private:
    static bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

    void SkipBlanks() {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '\n')
                ++line_;
            if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
                while (pos_ < text_.size() && text_[pos_] != '\n')
                    ++pos_;
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                ++pos_;
            } else {
                break;
            }
        }
    }

    // 'quoted' parts ('' is a quote) and #code characters, in any sequence.
    std::string ReadString() {
        std::string out;
        while (pos_ < text_.size() && (text_[pos_] == '\'' || text_[pos_] == '#')) {
            if (text_[pos_] == '#') {
                ++pos_;
                int code = 0, digits = 0;
                while (pos_ < text_.size() && IsDigit(text_[pos_]) && digits < 4) {
                    code = code * 10 + (text_[pos_++] - '0');
                    ++digits;
                }
                if (digits == 0 || code > 255)
                    throw ParseError(line_, "bad character code");
                out += static_cast<char>(code);
                continue;
            }
            ++pos_;
            while (true) {
                if (pos_ >= text_.size() || text_[pos_] == '\n')
                    throw ParseError(line_, "unterminated string");
                if (text_[pos_] == '\'') {
                    if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
                        out += '\'';
                        pos_ += 2;
                        continue;
                    }
                    ++pos_;
                    break;
                }
                out += text_[pos_++];
            }
        }
        return out;
    }

    std::string_view text_;
    size_t pos_ = 0;
    int line_ = 1;
};

class Parser {
  public:
    explicit Parser(std::string_view text) : lexer_(text) { Advance(); }

    void ParseRoot(StoredForm& form) {
        ExpectWord("object");
        form.name = ExpectIdent("a component name");
        ExpectSymbol(":");
        ExpectIdent("a class name");
        ParseBody(form.name, form.properties, form.components);
        if (token_.kind != Tok::End)
            throw ParseError(token_.line, "text after the final 'end'");
    }

  private:
    void Advance() { token_ = lexer_.Next(); }

    bool IsWord(const char* word) const { return token_.kind == Tok::Ident && SameText(token_.text, word); }

    void ExpectWord(const char* word) {
        if (!IsWord(word))
            throw ParseError(token_.line, std::string("expected '") + word + "'");
        Advance();
    }

    std::string ExpectIdent(const char* what) {
        if (token_.kind != Tok::Ident)
            throw ParseError(token_.line, std::string("expected ") + what);
        std::string text = token_.text;
        Advance();
        return text;
    }

    void ExpectSymbol(const char* symbol) {
        if (token_.kind != Tok::Symbol || token_.text != symbol)
            throw ParseError(token_.line, std::string("expected '") + symbol + "'");
        Advance();
    }

    // Properties and nested objects up to the matching 'end'.
    void ParseBody(const std::string& owner,
                   std::vector<StoredProperty>& props,
                   std::vector<StoredComponent>& components,
                   int depth = 0) {
        if (depth > kMaxDepth)
            throw ParseError(token_.line, "objects nested too deeply");
        while (!IsWord("end")) {
            if (token_.kind == Tok::End)
                throw ParseError(token_.line, "missing 'end'");
            if (IsWord("object")) {
                Advance();
                StoredComponent child;
                child.name = ExpectIdent("a component name");
                ExpectSymbol(":");
                child.className = ExpectIdent("a class name");
                child.parent = owner;
                const size_t index = components.size();
                components.push_back(std::move(child));
                std::vector<StoredProperty> childProps;
                const std::string childName = components[index].name;
                ParseBody(childName, childProps, components, depth + 1);
                components[index].properties = std::move(childProps);
            } else {
                props.push_back(ParseProperty(depth));
            }
        }
        Advance();
    }

    // One property; `depth` counts the objects and collection items around it.
    StoredProperty ParseProperty(int depth) {
        StoredProperty prop;
        prop.name = ExpectIdent("a property name");
        ExpectSymbol("=");
        if (token_.kind == Tok::Symbol && token_.text == "(") {
            Advance();
            while (token_.kind == Tok::String) {
                prop.value += token_.text + "\r\n";
                Advance();
            }
            ExpectSymbol(")");
        } else if (token_.kind == Tok::Symbol && token_.text == "<") {
            if (depth >= kMaxDepth)
                throw ParseError(token_.line, "collection items nested too deeply");
            Advance();
            while (IsWord("item")) {
                Advance();
                std::vector<StoredProperty> item;
                while (!IsWord("end")) {
                    if (token_.kind == Tok::End)
                        throw ParseError(token_.line, "missing 'end'");
                    item.push_back(ParseProperty(depth + 1));
                }
                Advance();
                prop.items.push_back(std::move(item));
            }
            ExpectSymbol(">");
        } else if (token_.kind == Tok::String || token_.kind == Tok::Number ||
                   (token_.kind == Tok::Ident && !IsWord("end") && !IsWord("object") && !IsWord("item"))) {
            prop.value = token_.text;
            Advance();
        } else {
            throw ParseError(token_.line, "expected a value for " + prop.name);
        }
        return prop;
    }

    static constexpr int kMaxDepth = 64;

    Lexer lexer_;
    Token token_;
};

}  // namespace

bool ParseStoredForm(std::string_view text, StoredForm& out, std::string& error) {
    try {
        StoredForm form;
        Parser parser(text);
        parser.ParseRoot(form);
        out = std::move(form);
        return true;
    } catch (const ParseError& e) {
        error = e.what();
        return false;
    }
}

LoadResult LoadComponentTreeFromText(TComponent& root, std::string_view text, const ClassRegistry& registry) {
    StoredForm form;
    std::string error;
    if (!ParseStoredForm(text, form, error)) {
        LoadResult result;
        result.errors.push_back(error);
        return result;
    }
    return LoadComponentTree(root, form, registry);
}

}  // namespace tallow
