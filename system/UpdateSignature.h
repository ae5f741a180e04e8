#pragma once
// The signature check of downloaded updates: ECDSA over the NIST P-256 curve
// with SHA-256, through the platform's cryptography (CNG). The public key is
// built into the program; the signature comes from the update server beside
// the download. Nothing downloaded runs unless this check passes.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zv {

using Sha256Digest = std::array<uint8_t, 32>;

enum class SignatureCheck {
  Valid,
  Malformed,  // not 64 bytes (missing, truncated or padded)
  BadKey,     // the public key is not a point of the curve
  Invalid,    // does not match the data under this key
};

// signature: r and s, 32 bytes each, big-endian; publicKey: X and Y, 32
// bytes each, big-endian.
SignatureCheck VerifyUpdateSignature(const Sha256Digest& digest, std::string_view signature,
                                     std::string_view publicKey);

// The SHA-256 digest of a file's bytes; empty when it cannot be read. The
// file is read with writers shut out.
std::optional<Sha256Digest> Sha256OfFile(const std::wstring& path);

// Sha256OfFile and VerifyUpdateSignature together; an unreadable file is Invalid.
SignatureCheck VerifyFileSignature(const std::wstring& path, std::string_view signature,
                                   std::string_view publicKey);

}  // namespace zv
