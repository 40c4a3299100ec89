// The vendor's signature line on update answers, and the base64 it is written
// in, checked against the fake signature scheme.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "components/Base64.h"
#include "fakes/FakeSignatures.h"
#include "online/AnswerSignature.h"

namespace tallow::testing {
namespace {

TEST(Base64Test, EncodesPaddedAndDecodesOnlyStrictText) {
    const struct {
        std::string bytes, text;
    } pairs[] = {{"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {std::string("\xff\xfe\x00", 3), "//4A"}};
    for (const auto& p : pairs) {
        EXPECT_EQ(Base64Encode(p.bytes), p.text);
        EXPECT_EQ(Base64Decode(p.text), p.bytes) << p.text;
    }
    std::string all;
    for (int i = 0; i < 256; ++i)
        all += static_cast<char>(i);
    EXPECT_EQ(Base64Decode(Base64Encode(all)), all);
    for (const char* bad :
         {"Zg", "Zg=", "Zg===", "Z===", "====", "Zh==", "Zm9=", "Zm 9v", "Zm9v\r\n", "Zm-v", "Z=g=", "=Zg="}) {
        EXPECT_EQ(Base64Decode(bad), std::nullopt) << bad;
    }
}

TEST(AnswerSignatureTest, OnlyAGoodLastSignatureLineByTheKeyPasses) {
    const std::string key = FakeP256Key('V');
    const std::string body = "magicword=Tallow\r\nResult=1\r\ninfo=New\r\n";
    const std::string good = SignAnswerWithFake(body, key);
    const std::string line = good.substr(body.size());  // "signature=...\r\n"
    std::string changed = good;
    changed[body.find("New")] = 'n';
    const struct {
        const char* what;
        std::string answer;
        TSignatureStatus status;
    } rows[] = {
        {"good", good, TSignatureStatus::Good},
        {"good, no line end after it", good.substr(0, good.size() - 2), TSignatureStatus::Good},
        {"good, LF line ends", SignAnswerWithFake("magicword=Tallow\nResult=0\n", key), TSignatureStatus::Good},
        {"good, name in capitals", body + "SIGNATURE=" + line.substr(10), TSignatureStatus::Good},
        {"wrong key", SignAnswerWithFake(body, FakeP256Key('W')), TSignatureStatus::Wrong},
        {"changed byte", changed, TSignatureStatus::Wrong},
        {"signature not on a line of its own", "magicword=Tallow\r\nResult=1\r\ninfo=New" + line,
         TSignatureStatus::Missing},
        {"missing", body, TSignatureStatus::Missing},
        {"empty answer", "", TSignatureStatus::Missing},
        {"not the last line", good + "Banner.Late=1\r\n", TSignatureStatus::Missing},
        {"blank line after it", good + "\r\n", TSignatureStatus::Missing},
        {"malformed base64", body + "signature=" + line.substr(11), TSignatureStatus::Malformed},
        {"63 bytes", body + "signature=" + Base64Encode(std::string(63, 'x')) + "\r\n", TSignatureStatus::Malformed},
        {"empty signature", body + "signature=\r\n", TSignatureStatus::Malformed},
    };
    for (const auto& row : rows) {
        TFakeSignatureVerifier verifier;
        const TAnswerSignature checked = CheckAnswerSignature(row.answer, key, verifier);
        EXPECT_EQ(checked.status, row.status) << row.what;
        const bool good = row.status == TSignatureStatus::Good;
        EXPECT_EQ(std::string(checked.body), good ? row.answer.substr(0, checked.body.size()) : "") << row.what;
        EXPECT_EQ(checked.body.empty(), !good) << row.what;
        EXPECT_EQ(verifier.checks, good || row.status == TSignatureStatus::Wrong)
            << row.what << ": only a well-formed signature reaches the system";
    }
    EXPECT_EQ(SignatureStatusName(TSignatureStatus::Malformed), std::string("malformed"));
}

}  // namespace
}  // namespace tallow::testing
