// Streaming digests over OpenSSL's EVP interface, behind a small interface so the
// file digest job can be run with a digest that fails on purpose.
#pragma once

#include "Algorithm.h"

#include <cstddef>
#include <functional>
#include <memory>

typedef struct evp_md_st EVP_MD;

namespace quorvel {

const EVP_MD* EvpMd(EAlgorithm alg);

// Each step returns 1 on success and anything else on failure, as OpenSSL's steps do.
class StreamingDigest {
public:
    virtual ~StreamingDigest() = default;
    virtual int Init() = 0;
    virtual int Update(const unsigned char* data, size_t length) = 0;
    // Writes DigestLength(alg) bytes.
    virtual int Final(unsigned char* digest) = 0;
};

std::unique_ptr<StreamingDigest> MakeEvpDigest(EAlgorithm alg);

using DigestFactory = std::function<std::unique_ptr<StreamingDigest>(EAlgorithm)>;

} // namespace quorvel
