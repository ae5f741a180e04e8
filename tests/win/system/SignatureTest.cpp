// The signature check of update downloads against keys and signatures that
// tools/sign-update.py made for this test run (the update server fixture).
#include "system/UpdateSignature.h"

#include "tests/win/system/SystemTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using zv::SignatureCheck;

class Signature : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = zvtest::MakeServerCase(L"signature", nullptr);
    std::string data;
    for (int i = 0; i < 200000; ++i) data.push_back(static_cast<char>((i * 7919) >> 3));
    ASSERT_TRUE(zvtest::WriteFileBytes(folder_ + L"data.bin", data));
    ASSERT_TRUE(zvtest::SignOnServer(L"signature/data.bin", "good"));
    signature_ = zvtest::FileBytes(folder_ + L"data.bin.sig");
    ASSERT_EQ(signature_.size(), 64u);
    key_ = zvtest::FixtureKey("good");
    ASSERT_EQ(key_.size(), 64u);
  }

  SignatureCheck Check(const std::string& signature, const std::string& key) {
    return zv::VerifyFileSignature(folder_ + L"data.bin", signature, key);
  }

  std::wstring folder_;
  std::string signature_;
  std::string key_;
};

TEST_F(Signature, MatchingSignatureAndKeyPass) { EXPECT_EQ(Check(signature_, key_), SignatureCheck::Valid); }

TEST_F(Signature, AnyChangedBitOfSignatureOrDataFails) {
  for (size_t at : {0u, 31u, 32u, 63u}) {
    std::string bad = signature_;
    bad[at] = static_cast<char>(bad[at] ^ 0x01);
    EXPECT_EQ(Check(bad, key_), SignatureCheck::Invalid) << at;
  }
  std::string data = zvtest::FileBytes(folder_ + L"data.bin");
  data[100000] = static_cast<char>(data[100000] ^ 0x80);
  ASSERT_TRUE(zvtest::WriteFileBytes(folder_ + L"data.bin", data));
  EXPECT_EQ(Check(signature_, key_), SignatureCheck::Invalid);
}

TEST_F(Signature, MissingTruncatedOrPaddedSignaturesAreMalformed) {
  EXPECT_EQ(Check("", key_), SignatureCheck::Malformed);
  EXPECT_EQ(Check(signature_.substr(0, 63), key_), SignatureCheck::Malformed);
  EXPECT_EQ(Check(signature_.substr(0, 32), key_), SignatureCheck::Malformed);
  EXPECT_EQ(Check(signature_ + '\0', key_), SignatureCheck::Malformed);
}

TEST_F(Signature, WrongKeyFailsBothWays) {
  const std::string wrongKey = zvtest::FixtureKey("wrong");
  ASSERT_EQ(wrongKey.size(), 64u);
  EXPECT_EQ(Check(signature_, wrongKey), SignatureCheck::Invalid);
  ASSERT_TRUE(zvtest::SignOnServer(L"signature/data.bin", "wrong"));
  EXPECT_EQ(Check(zvtest::FileBytes(folder_ + L"data.bin.sig"), key_), SignatureCheck::Invalid);
}

TEST_F(Signature, KeysThatAreNoCurvePointNeverPass) {
  EXPECT_EQ(Check(signature_, std::string(64, '\0')), SignatureCheck::BadKey);
  EXPECT_EQ(Check(signature_, key_.substr(0, 63)), SignatureCheck::BadKey);
  std::string offCurve = key_;
  offCurve[63] = static_cast<char>(offCurve[63] ^ 0x01);
  EXPECT_NE(Check(signature_, offCurve), SignatureCheck::Valid);
}

TEST_F(Signature, UnreadableFileFails) {
  EXPECT_EQ(zv::VerifyFileSignature(folder_ + L"missing.bin", signature_, key_), SignatureCheck::Invalid);
}

}  // namespace
