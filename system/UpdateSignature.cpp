#include "system/UpdateSignature.h"

#include "framework/Handle.h"
#include "framework/WinInclude.h"
#include "system/UpdateProtocol.h"

#include <bcrypt.h>

#include <cstring>
#include <vector>

namespace zv {

namespace {

constexpr NTSTATUS kStatusSuccess = 0;

struct AlgorithmTraits {
  static BCRYPT_ALG_HANDLE Invalid() { return nullptr; }
  static void Close(BCRYPT_ALG_HANDLE h) { BCryptCloseAlgorithmProvider(h, 0); }
};
struct KeyTraits {
  static BCRYPT_KEY_HANDLE Invalid() { return nullptr; }
  static void Close(BCRYPT_KEY_HANDLE h) { BCryptDestroyKey(h); }
};
struct HashTraits {
  static BCRYPT_HASH_HANDLE Invalid() { return nullptr; }
  static void Close(BCRYPT_HASH_HANDLE h) { BCryptDestroyHash(h); }
};
using Algorithm = fw::UniqueHandle<BCRYPT_ALG_HANDLE, AlgorithmTraits>;
using Key = fw::UniqueHandle<BCRYPT_KEY_HANDLE, KeyTraits>;
using Hash = fw::UniqueHandle<BCRYPT_HASH_HANDLE, HashTraits>;

Algorithm OpenAlgorithm(const wchar_t* name) {
  BCRYPT_ALG_HANDLE handle = nullptr;
  if (BCryptOpenAlgorithmProvider(&handle, name, nullptr, 0) != kStatusSuccess) return Algorithm();
  return Algorithm(handle);
}

}  // namespace

SignatureCheck VerifyUpdateSignature(const Sha256Digest& digest, std::string_view signature,
                                     std::string_view publicKey) {
  if (signature.size() != kSignatureBytes) return SignatureCheck::Malformed;
  if (publicKey.size() != kPublicKeyBytes) return SignatureCheck::BadKey;
  Algorithm ecdsa = OpenAlgorithm(BCRYPT_ECDSA_P256_ALGORITHM);
  if (!ecdsa) return SignatureCheck::BadKey;

  std::vector<unsigned char> blob(sizeof(BCRYPT_ECCKEY_BLOB) + kPublicKeyBytes);
  BCRYPT_ECCKEY_BLOB header{BCRYPT_ECDSA_PUBLIC_P256_MAGIC, 32};
  std::memcpy(blob.data(), &header, sizeof(header));
  std::memcpy(blob.data() + sizeof(header), publicKey.data(), kPublicKeyBytes);
  BCRYPT_KEY_HANDLE imported = nullptr;
  if (BCryptImportKeyPair(ecdsa.get(), nullptr, BCRYPT_ECCPUBLIC_BLOB, &imported, blob.data(),
                          static_cast<ULONG>(blob.size()), 0) != kStatusSuccess)
    return SignatureCheck::BadKey;
  Key key(imported);

  std::vector<unsigned char> digestBytes(digest.begin(), digest.end());
  std::vector<unsigned char> signatureBytes(signature.begin(), signature.end());
  const NTSTATUS status =
      BCryptVerifySignature(key.get(), nullptr, digestBytes.data(), static_cast<ULONG>(digestBytes.size()),
                            signatureBytes.data(), static_cast<ULONG>(signatureBytes.size()), 0);
  return status == kStatusSuccess ? SignatureCheck::Valid : SignatureCheck::Invalid;
}

std::optional<Sha256Digest> Sha256OfFile(const std::wstring& path) {
  fw::FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return std::nullopt;
  Algorithm sha = OpenAlgorithm(BCRYPT_SHA256_ALGORITHM);
  if (!sha) return std::nullopt;
  BCRYPT_HASH_HANDLE created = nullptr;
  if (BCryptCreateHash(sha.get(), &created, nullptr, 0, nullptr, 0, 0) != kStatusSuccess) return std::nullopt;
  Hash hash(created);
  std::vector<unsigned char> buffer(64 * 1024);
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) return std::nullopt;
    if (got == 0) break;
    if (BCryptHashData(hash.get(), buffer.data(), got, 0) != kStatusSuccess) return std::nullopt;
  }
  Sha256Digest digest{};
  if (BCryptFinishHash(hash.get(), digest.data(), static_cast<ULONG>(digest.size()), 0) != kStatusSuccess)
    return std::nullopt;
  return digest;
}

SignatureCheck VerifyFileSignature(const std::wstring& path, std::string_view signature,
                                   std::string_view publicKey) {
  if (signature.size() != kSignatureBytes) return SignatureCheck::Malformed;
  std::optional<Sha256Digest> digest = Sha256OfFile(path);
  if (!digest) return SignatureCheck::Invalid;
  return VerifyUpdateSignature(*digest, signature, publicKey);
}

}  // namespace zv
