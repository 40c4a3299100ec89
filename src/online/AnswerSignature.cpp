#include "online/AnswerSignature.h"

#include "components/Base64.h"
#include "components/TextCase.h"

namespace tallow {

namespace {

const std::string_view kSignatureName = "signature=";

/// `text` without one line end (CR LF, LF or CR) at its end.
std::string_view WithoutLineEnd(std::string_view text) {
    if (text.size() >= 2 && text.substr(text.size() - 2) == "\r\n")
        return text.substr(0, text.size() - 2);
    if (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        return text.substr(0, text.size() - 1);
    return text;
}

}  // namespace

TAnswerSignature CheckAnswerSignature(std::string_view answer,
                                      std::string_view publicKey,
                                      const ISignatureVerifier& verifier) {
    const std::string_view content = WithoutLineEnd(answer);
    const size_t lineEnd = content.find_last_of("\r\n");
    const size_t lineStart = lineEnd == std::string_view::npos ? 0 : lineEnd + 1;
    const std::string_view lastLine = content.substr(lineStart);
    TAnswerSignature result;
    if (!StartsWithText(lastLine, kSignatureName))
        return result;
    const auto signature = Base64Decode(lastLine.substr(kSignatureName.size()));
    if (!signature || signature->size() != kP256SignatureSize) {
        result.status = TSignatureStatus::Malformed;
        return result;
    }
    const std::string_view body = answer.substr(0, lineStart);
    if (!verifier.VerifyP256(publicKey, body, *signature)) {
        result.status = TSignatureStatus::Wrong;
        return result;
    }
    result.status = TSignatureStatus::Good;
    result.body = body;
    return result;
}

const char* SignatureStatusName(TSignatureStatus status) {
    switch (status) {
        case TSignatureStatus::Good:
            return "good";
        case TSignatureStatus::Missing:
            return "missing";
        case TSignatureStatus::Malformed:
            return "malformed";
        case TSignatureStatus::Wrong:
            break;
    }
    return "wrong";
}

}  // namespace tallow
